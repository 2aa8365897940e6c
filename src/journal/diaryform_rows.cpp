// What the journal does with its rows and period controls: jump, tick, pop-up menu, sum of
// the selected rows, moves within a day, the period and year arrows.
#include <QAction>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QTreeView>
#include <QTreeWidget>

#include "journal/diaryform.h"
#include "journal/journalmodel.h"
#include "platform/clock.h"
#include "platform/prompts.h"
#include "reports/periodarrows.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/figures.h"
#include "store/periods.h"
#include "windowparts/mainview.h"

// ---- Jump, tick, pop-up menu ----------------------------------------------------------------

void DiaryForm::Liv1_DblClick() {
    if (RowCount() == 0 || !rowsCurrent()) return;
    const int row = currentRow();
    if (row < 0) return;
    const QString account = m_model->cellText(row, JournalModel::Account2Column);
    const int entry = RowEntryIndex(row);
    // The main window shows every date of that account, without a filter; neither change
    // relists there by itself.
    m_main.ClearFilter();
    m_main.ShowPeriod(Periods::All, m_main.PeriodYear());
    if (!m_main.SelectAccountNode(account)) return;
    m_main.ListAccountRecords(FindAccountIndex(m_ctx.ledger, account));
    if (m_main.EntryRowCount() == 0) return;
    m_main.SelectEntryRows({entry}, false, entry);
    m_main.Window().raise();
    m_main.Window().activateWindow();
    m_main.FocusEntryList();
}

void DiaryForm::Liv1_ItemCheck(int row, bool checked) {
    if (!rowsCurrent()) return;
    const int entry = RowEntryIndex(row);
    if (entry < 1 || entry >= m_ctx.ledger.EntryCount) return;
    const OwnChange own(*this); // the row shows its new mark itself
    m_ctx.ledger.setEntryChecked(entry, checked);
    m_ctx.ledger.markChanged();
    m_model->refreshRow(row);
}

void DiaryForm::Liv1_MouseUp(Qt::MouseButton button, const QPoint& globalPos) {
    if (button != Qt::RightButton) return;
    const bool rows = RowCount() > 0;
    MenuTools_Up->setEnabled(rows);
    MenuTools_Down->setEnabled(rows);
    MenuTools_Cal->setEnabled(true);
    Menu_MenuTools->popup(globalPos);
}

// ---- Sum of the selected rows -------------------------------------------------------------------

void DiaryForm::MenuTools_Cal_Click() {
    if (!rowsCurrent()) return;
    const QList<int> rows = SelectedRows();
    if (rows.isEmpty()) return;
    const Ledger& ledger = m_ctx.ledger;
    const Session& session = m_ctx.session;
    double total = 0, transfer = 0, income = 0, expense = 0;
    for (int row : rows) {
        const EntryCore& e = ledger.Entries[size_t(RowEntryIndex(row))];
        const double amount = e.Amount.value();
        total += amount;
        const int kind = PrefixKindCode(e.Account1, true);
        if (kind == KindAsset || kind == KindLiability)
            transfer += amount;
        else if (kind == KindIncome)
            income += amount;
        else if (kind == KindExpense)
            expense += amount;
    }
    const int type = Combo2->currentIndex();
    if (type == Journal::TypeIncome || type == Journal::TypeExpense) {
        m_ctx.services.prompts().information(QStringLiteral("您所選擇記錄的金額總合是：") +
                                             FormatAmount(total, session));
        return;
    }
    const QStringList lines = {
        QStringLiteral("您所選擇記錄的金額計算如下："),
        QString(),
        QStringLiteral("資產轉移：") + FormatAmount(transfer, session),
        QStringLiteral("收入總合：") + FormatAmount(income, session),
        QStringLiteral("支出總合：") + FormatAmount(expense, session),
        QStringLiteral("結餘：") + FormatAmount(income - expense, session),
    };
    m_ctx.services.prompts().plain(lines.join(QStringLiteral("\r\n")));
}

// ---- Moves within a day ------------------------------------------------------------------------

void DiaryForm::MenuTools_Up_Click() {
    moveCurrent(-1);
}

void DiaryForm::MenuTools_Down_Click() {
    moveCurrent(+1);
}

void DiaryForm::moveCurrent(int step) {
    if (RowCount() == 0 || !rowsCurrent()) return;
    const int k = currentRow();
    const int other = k + step;
    if (k < 0 || other < 0 || other >= RowCount()) return;
    if (m_model->cellText(k, JournalModel::DateColumn) !=
        m_model->cellText(other, JournalModel::DateColumn))
        return;
    Ledger& ledger = m_ctx.ledger;
    const OwnChange own(*this);
    ledger.swapEntries(RowEntryIndex(k), RowEntryIndex(other));
    // Our own move: the rows still name the indices they show.
    m_listedChanges = ledger.EntryChangeCount;
    // Each row keeps its index and now shows the entry moved there, colours and icons too.
    m_model->refreshRow(k);
    m_model->refreshRow(other);
    QItemSelectionModel* selection = Liv1->selectionModel();
    selection->select(m_model->index(k, 0),
                      QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    selection->setCurrentIndex(m_model->index(other, 0),
                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
    Liv1->scrollTo(m_model->index(other, 0));
    EntriesMoved = true;
    ledger.markChanged();
}

// ---- Keyword box and arrows --------------------------------------------------------------------

void DiaryForm::Text2_KeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) Command1_Click();
}

void DiaryForm::UpDown1_DownClick() {
    PeriodArrows::StepMonth(Combo1, Text1, true, PeriodArrows::StatementsList,
                            m_ctx.services.clock().today());
}

void DiaryForm::UpDown1_UpClick() {
    PeriodArrows::StepMonth(Combo1, Text1, false, PeriodArrows::StatementsList,
                            m_ctx.services.clock().today());
}

// The year arrows list the period again, also after a range listing.
void DiaryForm::UpDown2_UpClick() {
    PeriodArrows::StepYear(Text1, true, m_ctx.session.Setting.YearState,
                           m_ctx.services.clock().today());
    Combo1_Click();
}

void DiaryForm::UpDown2_DownClick() {
    PeriodArrows::StepYear(Text1, false, m_ctx.session.Setting.YearState,
                           m_ctx.services.clock().today());
    Combo1_Click();
}
