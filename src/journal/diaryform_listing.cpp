// The journal's listings: by period, by date range, and every relisting of the current mode.
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>

#include "journal/diaryform.h"
#include "journal/journalmodel.h"
#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "store/appcontext.h"
#include "windowparts/mainview.h"

using namespace Journal;

void DiaryForm::Combo1_Click() {
    const Session& session = m_ctx.session;
    const int index = Combo1->currentIndex();
    ListingTitle = periodTitle(session.LedgerName, Text1->text(), Combo1->currentText());
    const PeriodChoice choice =
        periodChoice(index, Text1->text(), session.Setting.DayState, session.Setting.DayState2);
    if (choice.pickerStart.isValid()) {
        DTPicker1->setDate(choice.pickerStart);
        DTPicker2->setDate(choice.pickerEnd);
    }
    const int type = Combo2->currentIndex();
    const Listing listing = listEntries(m_ctx.ledger, session, choice.test, type, Text2->text());
    showListing(listing, type, 1);
    if (index == 0 && !listing.entries.empty()) {
        const Ledger& ledger = m_ctx.ledger;
        auto dateOf = [&ledger](int i) {
            return QDate::fromString(ledger.Entries[size_t(i)].Date.trimmed(),
                                     QStringLiteral("yyyy/MM/dd"));
        };
        const QDate first = dateOf(listing.entries.front());
        const QDate last = dateOf(listing.entries.back());
        if (first.isValid()) DTPicker1->setDate(first);
        if (last.isValid()) DTPicker2->setDate(last);
    }
}

void DiaryForm::Cmd2_Click() {
    const QDate start = DTPicker1->date();
    const QDate end = DTPicker2->date();
    if (!start.isValid() || !end.isValid()) {
        m_ctx.services.prompts().warning(QStringLiteral("不是正確的日期格式"));
        return;
    }
    ListingTitle = rangeTitle(m_ctx.session.LedgerName, start, end);
    const int type = Combo2->currentIndex();
    showListing(
        listEntries(m_ctx.ledger, m_ctx.session, rangeTest(start, end), type, Text2->text()), type,
        2);
}

void DiaryForm::showListing(const Listing& listing, int type, quint8 mode) {
    m_model->setEntries(listing.entries);
    for (int column :
         {JournalModel::DateColumn, JournalModel::AmountColumn, JournalModel::InvoiceColumn})
        FitColumnToTexts(Liv1, column, m_model->longestTextRows(column, LongestTextsMeasured));
    m_statusText->setText(sumsLine(listing, type, m_ctx.session));
    ListingMode = mode;
    m_listedChanges = m_ctx.ledger.EntryChangeCount;
}

void DiaryForm::Combo2_Click() {
    if (FiltersReady) Relist();
}

void DiaryForm::Command1_Click() {
    Relist();
}

void DiaryForm::Command2_Click() {
    Text2->setText(QString());
    Relist();
}

void DiaryForm::Relist() {
    if (ListingMode == 1)
        Combo1_Click();
    else
        Cmd2_Click();
}

bool DiaryForm::rowsCurrent() {
    if (m_ctx.ledger.EntryChangeCount == m_listedChanges) return true;
    // Entries were added, deleted or moved elsewhere: the rows may name other entries now.
    Relist();
    return false;
}

void DiaryForm::relistWhenChanged() {
    if (ListingMode != 0 && m_ctx.ledger.EntryChangeCount != m_listedChanges) Relist();
}

// The rows are drawn from the tables: once the main window changed the entries, the rows
// would name other entries than the sums line counts, so the window lists again before it
// draws anything, and when it is activated.
bool DiaryForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Paint)
        relistWhenChanged();
    return QMainWindow::event(event);
}

int DiaryForm::RowEntryIndex(int row) const {
    return m_model->entryAt(row);
}

int DiaryForm::RowCount() const {
    return m_model->rowCount();
}

QList<int> DiaryForm::SelectedRows() const {
    QList<int> rows;
    for (const QModelIndex& index : Liv1->selectionModel()->selectedRows(0))
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

int DiaryForm::currentRow() const {
    const QModelIndex current = Liv1->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}
