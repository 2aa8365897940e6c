// The journal's listings: by period, by date range, and every relisting of the current mode,
// also when the ledger's entries change.
#include <algorithm>

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
#include "windowparts/rowselection.h"

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
    fitColumns();
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

void DiaryForm::ledgerChanged(LedgerChanges what) {
    // A switch of the options of figures (decimals, separator, periods) changes the sums of
    // the status line.
    constexpr LedgerChanges listed = LedgerChange::EntriesAdded | LedgerChange::Entries |
                                     LedgerChange::EntryMarks | LedgerChange::Loaded |
                                     LedgerChange::Figures;
    if (m_ownChange > 0 || ListingMode == 0 || !(what & listed)) return;
    // Added entries, ticks, colours and the options leave every entry at its index: the rows
    // that were selected stay selected. Any other change may have moved the entries under the
    // rows.
    const bool indicesKept = !(what & (LedgerChange::Entries | LedgerChange::Loaded));
    std::vector<int> selected;
    int current = 0;
    if (indicesKept) {
        for (int row : SelectedRows())
            selected.push_back(RowEntryIndex(row));
        current = RowEntryIndex(currentRow());
    }
    Relist();
    if (selected.empty()) return;
    // Rows are in ascending entry order.
    const std::vector<int>& rows = m_model->entries();
    auto rowOf = [&rows](int entry) {
        const auto at = std::lower_bound(rows.begin(), rows.end(), entry);
        return at != rows.end() && *at == entry ? int(at - rows.begin()) : -1;
    };
    std::vector<int> kept; // ascending, as the entries were
    for (int entry : selected)
        if (const int row = rowOf(entry); row >= 0) kept.push_back(row);
    QItemSelectionModel* selection = Liv1->selectionModel();
    if (const int row = rowOf(current); row >= 0)
        selection->setCurrentIndex(m_model->index(row, 0), QItemSelectionModel::NoUpdate);
    SelectListRows(*selection, kept);
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

// Every change of the entries that is told lists again at once (ledgerChanged); a table
// written without a word (a test's or a tool's) is found when the window is activated.
bool DiaryForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) relistWhenChanged();
    return QMainWindow::event(event);
}

int DiaryForm::RowEntryIndex(int row) const {
    return m_model->entryAt(row);
}

int DiaryForm::RowCount() const {
    return m_model->rowCount();
}

QList<int> DiaryForm::SelectedRows() const {
    return SelectedListRows(*Liv1->selectionModel());
}

int DiaryForm::currentRow() const {
    const QModelIndex current = Liv1->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}
