// Account selection, period controls, search bar, column sort and the view switches.
#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

#include "mainwin/mainform.h"
#include "platform/clock.h"
#include "platform/prompts.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/periods.h"

void MainForm::clearFilterText() {
    Combo2->setEditText(QString());
}

void MainForm::relistSelected() {
    ListAccountRecords(SelectedAccountIndex());
}

void MainForm::listNewAccount(int accountIndex) {
    clearFilterText();
    ListAccountRecords(accountIndex);
    SelectLastRow();
    FillClassFilterCombo();
}

void MainForm::refreshPeriod() {
    const int index = SelectedAccountIndex();
    if (index != 0) {
        clearFilterText();
        UpdateTreeTotals();
        ListAccountRecords(index);
        SelectLastRow();
    } else {
        UpdateTreeTotals();
    }
}

void MainForm::reselectListedNode() {
    if (QTreeWidgetItem* node = NodeByKey(ListedAccount)) SelectNode(node);
}

bool MainForm::listSelectedNode() {
    QTreeWidgetItem* node = SelectedNode();
    if (!node) return false;
    // An empty list (the arrow keys went over a root) is stale: list the account again.
    if (NodeKey(node) == ListedAccount && !m_listStale) return true;
    const int index = SelectedAccountIndex();
    if (index == 0) {
        reselectListedNode();
        return false;
    }
    listNewAccount(index);
    return true;
}

void MainForm::Trv1Click() {
    listSelectedNode();
}

void MainForm::Trv1_MouseUp(Qt::MouseButton button) {
    if (listSelectedNode() && button == Qt::RightButton && Menu_MenuTools2)
        Menu_MenuTools2->popup(QCursor::pos());
}

void MainForm::Trv1_KeyUp(int key) {
    if (key != Qt::Key_Up && key != Qt::Key_Down) return;
    const int index = SelectedAccountIndex();
    if (index == 0) {
        ClearEntryList();
        m_listStale = true;
        return;
    }
    listNewAccount(index);
}

void MainForm::Trv1_DblClick() {
    if (m_ctx.session.Setting.DblClickState == QLatin1String("0")) return;
    QTreeWidgetItem* node = SelectedNode();
    if (!node) return;
    if (IsRootNode(node)) {
        reselectListedNode();
        return;
    }
    Data_New_Click();
}

void MainForm::Trv1_Expand() {
    m_ctx.ledger.TreeStateChanged = true;
}

void MainForm::Trv1_Collapse() {
    m_ctx.ledger.TreeStateChanged = true;
}

// ---- Year arrows ----------------------------------------------------------------------

namespace {
int stepYear(int year, int step) {
    const int next = year + step;
    if (step > 0 && next > 9999) return 9999;
    if (step < 0 && next < 1601) return 1601;
    return next;
}
} // namespace

void MainForm::yearStep(bool upArrow) {
    const bool reversed = m_ctx.session.Setting.YearState == QLatin1String("1");
    const int step = (upArrow != reversed) ? +1 : -1;
    Text2->setText(QString::number(stepYear(PeriodYear(), step)));
    refreshPeriod();
}

void MainForm::UpDown1_UpClick() {
    yearStep(true);
}

void MainForm::UpDown1_DownClick() {
    yearStep(false);
}

// ---- Month arrows and the period choice -------------------------------------------------

void MainForm::UpDown2_DownClick() {
    clearFilterText();
    const int index = Combo1->currentIndex();
    if (index == Periods::LastMonth) {
        // Across a year end the year stays within the years a date can have.
        Text2->setText(QString::number(stepYear(PeriodYear(), +1)));
        SetPeriodIndex(Periods::FirstMonth);
    } else {
        SetPeriodIndex(std::max(index, -1) + 1);
    }
}

void MainForm::UpDown2_UpClick() {
    clearFilterText();
    const int index = Combo1->currentIndex();
    if (index == Periods::FirstMonth || index <= Periods::All) {
        Text2->setText(QString::number(stepYear(PeriodYear(), -1)));
        SetPeriodIndex(Periods::LastMonth);
    } else {
        SetPeriodIndex(index - 1);
    }
}

void MainForm::SetPeriodIndex(int index) {
    if (Combo1->currentIndex() == index) {
        // The same item chosen again still counts as a choice.
        Combo1_Click();
        return;
    }
    Combo1->setCurrentIndex(index);
}

void MainForm::Combo1_Click() {
    if (SuppressPeriodClick != 0) return;
    refreshPeriod();
}

void MainForm::Command2_Click() {
    const QDate today = m_ctx.services.clock().today();
    Text2->setText(QString::number(today.year()));
    SetPeriodIndex(today.month() + 1);
    UpdateTreeTotals();
    relistSelected();
}

// ---- Search bar ---------------------------------------------------------------------------

void MainForm::Command1_Click() {
    QTreeWidgetItem* node = SelectedNode();
    if (!node || IsRootNode(node)) return;
    if (Combo2->currentText().isEmpty()) {
        m_ctx.services.prompts().warning(QStringLiteral("請先輸入要搜尋的字串"));
        return;
    }
    relistSelected();
    SelectLastRow();
}

void MainForm::Combo2_KeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
    if (modifiers == Qt::ControlModifier) {
        if (Command4->isEnabled()) Command4_Click();
    } else
        Command1_Click();
}

void MainForm::Command4_Click() {
    if (m_journalSearch) m_journalSearch(Combo2->currentText());
}

void MainForm::SetJournalSearch(std::function<void(const QString&)> search) {
    m_journalSearch = std::move(search);
    Command4->setEnabled(bool(m_journalSearch));
}

// ---- Column sort ------------------------------------------------------------------------------

void MainForm::Liv1_ColumnClick(int column) {
    if (column == 4) {
        m_ctx.services.prompts().warning(QStringLiteral("這個欄位無法排序!"));
        Liv1->header()->setSortIndicator(m_sortColumn - 1, m_sortDescending ? Qt::DescendingOrder
                                                                            : Qt::AscendingOrder);
        return;
    }
    const int index = SelectedAccountIndex();
    if (index == 0) {
        Liv1->header()->setSortIndicator(m_sortColumn - 1, m_sortDescending ? Qt::DescendingOrder
                                                                            : Qt::AscendingOrder);
        return;
    }
    if (column == m_sortColumn)
        m_sortDescending = !m_sortDescending;
    else
        m_sortColumn = column;
    Liv1->header()->setSortIndicator(m_sortColumn - 1,
                                     m_sortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
    ListAccountRecords(index);
}

// ---- View switches -----------------------------------------------------------------------------

void MainForm::viewSwitched() {
    UpdateTreeTotals();
    relistSelected();
}

void MainForm::View_Add_Click() {
    View_Add->setChecked(!View_Add->isChecked());
    viewSwitched();
}

void MainForm::View_Show_Click() {
    View_Show->setChecked(!View_Show->isChecked());
    viewSwitched();
}

void MainForm::checkFigureItem(QAction* item, const QString& label) {
    for (QAction* a : {View_Today, View_Yesterday, View_Balance})
        a->setChecked(a == item);
    SetPanelText(1, label);
    viewSwitched();
}

void MainForm::checkBudgetItem(QAction* item, const QString& label) {
    for (QAction* a : {View_Budget, View_BudgetI, View_BudgetE})
        a->setChecked(a == item);
    SetPanelText(3, label);
    viewSwitched();
}

void MainForm::View_Today_Click() {
    checkFigureItem(View_Today, QStringLiteral("今日收支"));
}

void MainForm::View_Yesterday_Click() {
    checkFigureItem(View_Yesterday, QStringLiteral("昨日收支"));
}

void MainForm::View_Balance_Click() {
    checkFigureItem(View_Balance, QStringLiteral("收支結餘"));
}

void MainForm::View_Budget_Click() {
    checkBudgetItem(View_Budget, QStringLiteral("科目金額"));
}

void MainForm::View_BudgetI_Click() {
    checkBudgetItem(View_BudgetI, QStringLiteral("收入總和"));
}

void MainForm::View_BudgetE_Click() {
    checkBudgetItem(View_BudgetE, QStringLiteral("支出總和"));
}
