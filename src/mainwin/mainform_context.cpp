// Context commands of the entry list and the tree that act from the selected entry or node.
#include "mainwin/mainform.h"

#include <QComboBox>
#include <QTreeWidget>

#include "store/appcontext.h"

namespace {

// The row the context commands act on: the current row when it is selected, else the first
// selected one.
int actingRow(const MainForm& window) {
    const int row = window.CurrentRow();
    if (row >= 0 && window.IsRowSelected(row)) return row;
    const QList<int> rows = window.SelectedRows();
    return rows.isEmpty() ? -1 : rows.first();
}

} // namespace

void MainForm::MenuTools_Jump_Click() {
    const int row = actingRow(*this);
    if (row < 0) return;
    const int entry = RowEntryIndex(row);
    const QString other = EntryRowText(row, 1);
    for (int position = 6; position <= NodeCount(); ++position) {
        QTreeWidgetItem* node = Node(position);
        if (node && NodeKey(node) == other) {
            SelectNode(node);
            Trv1Click();
            break;
        }
    }
    SelectEntryRows({entry}, true, entry);
}

void MainForm::MenuTools_Search1_Click() {
    searchWithRowText(4); // 明細
}

void MainForm::MenuTools_Search2_Click() {
    searchWithRowText(5); // 備註: the list's filter matches notes too
}

void MainForm::searchWithRowText(int column) {
    if (const int row = actingRow(*this); row >= 0) Combo2->setEditText(EntryRowText(row, column));
    Command1_Click();
}

void MainForm::MenuTools_Refresh_Click() {
    clearFilterText();
    // The entry of the acting row, when it is still in the tables, is selected again.
    int remembered = 0;
    if (EntryRowCount() > 0) {
        if (const int row = actingRow(*this); row >= 0) remembered = RowEntryIndex(row);
    }
    if (remembered >= m_ctx.ledger.EntryCount) remembered = 0;
    ListAccountRecords(SelectedAccountIndex());
    if (EntryRowCount() > 0 && remembered > 0) SelectEntryRows({remembered}, true, remembered);
}

void MainForm::MenuTools2_Open_Click() {
    expandAccountNodes(true);
}

void MainForm::MenuTools2_Close_Click() {
    expandAccountNodes(false);
}

void MainForm::expandAccountNodes(bool expand) {
    // The five roots keep their state; each node that changes reports to the tree's
    // expand or collapse handler, which marks the tree state as changed.
    for (int position = 6; position <= NodeCount(); ++position)
        if (QTreeWidgetItem* node = Node(position)) node->setExpanded(expand);
}
