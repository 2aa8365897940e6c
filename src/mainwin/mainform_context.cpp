// Context commands of the entry list and the tree that act from the selected entry or node.
#include "mainwin/mainform.h"

#include <QComboBox>
#include <QTreeWidget>

#include "store/appcontext.h"

namespace {

// The row the context commands act on: the current row when it is selected, else the first
// selected one.
QTreeWidgetItem* actingRow(const MainForm& window) {
    QTreeWidgetItem* row = window.Liv1->currentItem();
    if (row && row->isSelected()) return row;
    const QList<QTreeWidgetItem*> rows = window.SelectedRows();
    return rows.isEmpty() ? nullptr : rows.first();
}

} // namespace

void MainForm::MenuTools_Jump_Click() {
    const QTreeWidgetItem* row = actingRow(*this);
    if (!row) return;
    const int entry = RowEntryIndex(row);
    const QString other = row->text(1);
    for (int position = 6; position <= NodeCount(); ++position) {
        QTreeWidgetItem* node = Node(position);
        if (node && NodeKey(node) == other) {
            SelectNode(node);
            Trv1Click();
            break;
        }
    }
    SelectEntryRows({entry}, true);
}

void MainForm::MenuTools_Search1_Click() {
    searchWithRowText(4); // 明細
}

void MainForm::MenuTools_Search2_Click() {
    searchWithRowText(5); // 備註: the list's filter matches notes too
}

void MainForm::searchWithRowText(int column) {
    if (const QTreeWidgetItem* row = actingRow(*this)) Combo2->setEditText(row->text(column));
    Command1_Click();
}

void MainForm::MenuTools_Refresh_Click() {
    clearFilterText();
    QString remembered;
    if (Liv1->topLevelItemCount() > 0) {
        if (const QTreeWidgetItem* row = actingRow(*this)) remembered = row->text(7);
    }
    ListAccountRecords(SelectedAccountIndex());
    if (Liv1->topLevelItemCount() > 0 && !remembered.isEmpty())
        SelectEntryRows({remembered.toInt()}, true);
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
