#include "store/ledger.h"

#include <utility>

Ledger::Ledger() {
    clear();
    QObject::connect(&LedgerChangedFlag, &LedgerChangeFlag::changed, &Notifier,
                     [this] { noteChange(LedgerChange::Mark); });
}

Ledger::ChangeScope::ChangeScope(Ledger& ledger) : m_ledger(ledger) {
    ++m_ledger.m_scopeDepth;
}

Ledger::ChangeScope::~ChangeScope() {
    if (--m_ledger.m_scopeDepth > 0) return;
    const LedgerChanges what = std::exchange(m_ledger.m_pending, LedgerChanges());
    if (what) emit m_ledger.Notifier.changed(what);
}

void Ledger::noteChange(LedgerChanges what) {
    if (m_scopeDepth > 0)
        m_pending |= what;
    else
        emit Notifier.changed(what);
}

void Ledger::clearEntries() {
    // The entry tables are the large ones: they are sized once, and after that only the slots
    // in use are reset (every slot from EntryCount on is unassigned already, as addEntry,
    // truncateEntries and the compactions leave it).
    if (Entries.size() != size_t(EntryCapacity + 1)) {
        Entries = ZeroedTable<EntryCore>(EntryCapacity + 1);
        EntryNotes = ZeroedTable<EntryNote>(EntryCapacity + 1);
        EntryInvoices = ZeroedTable<EntryInvoice>(EntryCapacity + 1);
        EntryStyles = ZeroedTable<EntryStyle>(EntryCapacity + 1);
    } else {
        for (int i = 1; i < EntryCount && i <= EntryCapacity; ++i)
            resetEntrySlot(i);
    }
    NoteList.clear();
    EntryCount = 1;
    ++EntryChangeCount;
}

void Ledger::clearAccounts() {
    Accounts = ZeroedTable<AccountRecord>(AccountCapacity + 1);
    AccountCount = 1;
}

void Ledger::clearKindTotals() {
    static const char16_t* const names[] = {u"資產總和", u"負債總和", u"收入總和", u"支出總和"};
    KindTotals.fill(AccountRecord());
    for (int r = 1; r <= 4; ++r)
        KindTotals[size_t(r)].Name.set(QString::fromUtf16(names[r - 1]));
}

void Ledger::clearSideTables() {
    DetailTexts.assign(DetailTextCapacity + 1, QString());
    DetailTextCount = 1;
    QuickEntries.assign(QuickEntryCapacity + 1, QuickEntry());
    QuickEntryCount = 1;
    RecurringRecords.assign(RecurringCapacity + 1, RecurringRecord());
    RecurringCount = 1;
}

void Ledger::clear() {
    clearEntries();
    clearAccounts();
    clearKindTotals();
    clearSideTables();
}

LedgerEntry Ledger::entry(int i) const {
    return LedgerEntry{Entries[size_t(i)], EntryNotes[size_t(i)], EntryInvoices[size_t(i)],
                       EntryStyles[size_t(i)], noteRow(i)};
}

// The single-entry writes below tell their change when the tables hold it (their scope
// ends), so that a window listing again on the notification lists the new tables.
void Ledger::setEntry(int i, const LedgerEntry& e) {
    const ChangeScope scope(*this);
    noteEntriesChanged();
    writeEntry(i, e);
}

void Ledger::writeEntry(int i, const LedgerEntry& e) {
    Entries[size_t(i)] = e.core;
    EntryNotes[size_t(i)] = e.note;
    EntryInvoices[size_t(i)] = e.invoice;
    EntryStyles[size_t(i)] = e.style;
    setNoteRow(i, e.noteRow);
}

bool Ledger::addEntry(const LedgerEntry& e) {
    if (EntryCount > EntryCapacity) return false;
    ++EntryChangeCount;
    writeEntry(EntryCount, e);
    ++EntryCount;
    noteChange(LedgerChange::EntriesAdded);
    return true;
}

void Ledger::truncateEntries(int count) {
    if (count < 1 || count >= EntryCount) return;
    const ChangeScope scope(*this);
    noteEntriesChanged();
    for (int i = count; i < EntryCount; ++i) {
        resetEntrySlot(i);
        setNoteRow(i, QString());
    }
    EntryCount = count;
}

void Ledger::swapEntries(int a, int b) {
    const ChangeScope scope(*this);
    noteEntriesChanged();
    std::swap(Entries[size_t(a)], Entries[size_t(b)]);
    std::swap(EntryNotes[size_t(a)], EntryNotes[size_t(b)]);
    std::swap(EntryInvoices[size_t(a)], EntryInvoices[size_t(b)]);
    std::swap(EntryStyles[size_t(a)], EntryStyles[size_t(b)]);
    NoteList.swap(a, b);
}

QString Ledger::noteRow(int i) const {
    return NoteList.at(i);
}

void Ledger::setNoteRow(int i, const QString& text) {
    NoteList.set(i, text);
}

QString Ledger::fullNote(int i) const {
    const QString row = noteRow(i);
    return row.isEmpty() ? EntryNotes[size_t(i)].Note.trimmed() : row;
}

QString Ledger::noteRowFor(const QString& note) {
    return Ansi::byteLength(note) > 100 ? note : QString();
}

void Ledger::setFullNote(int i, const QString& note) {
    EntryNotes[size_t(i)].Note.set(note);
    setNoteRow(i, noteRowFor(note));
}

void Ledger::setEntryChecked(int i, bool checked) {
    EntryInvoices[size_t(i)].Checked = checked ? -1 : 0;
    noteChange(LedgerChange::EntryMarks);
}

void Ledger::setEntryColour(int i, quint8 colour) {
    EntryStyles[size_t(i)].ColourIndex = colour;
    noteChange(LedgerChange::EntryMarks);
}

void Ledger::clearEntryReminder(int i) {
    EntryNotes[size_t(i)].RemindOn = 0;
    EntryNotes[size_t(i)].RemindDays = 0;
    noteChange(LedgerChange::EntryMarks);
}

void Ledger::markEntryDeleted(int i) {
    const ChangeScope scope(*this);
    noteEntriesChanged();
    Entries[size_t(i)].Date.set(QString::fromLatin1(DeleteMark));
}

bool Ledger::isEntryMarked(int i) const {
    static const FixedText<10> mark{QString::fromLatin1(DeleteMark)};
    return Entries[size_t(i)].Date == mark;
}

void Ledger::compactEntries() {
    compactEntriesIf([this](int i) { return !isEntryMarked(i); });
}

void Ledger::resetEntrySlot(int i) {
    Entries[size_t(i)] = EntryCore();
    EntryNotes[size_t(i)] = EntryNote();
    EntryInvoices[size_t(i)] = EntryInvoice();
    EntryStyles[size_t(i)] = EntryStyle();
}

namespace {
// Adds at index count of a 1-based table; false (nothing changed) when it is full.
template <typename Table, typename Value>
bool addAt(Table& table, int& count, int capacity, const Value& value) {
    if (count > capacity) return false;
    table[size_t(count++)] = value;
    return true;
}
} // namespace

bool Ledger::addAccount(const AccountRecord& a) {
    if (!addAt(Accounts, AccountCount, AccountCapacity, a)) return false;
    noteChange(LedgerChange::Accounts);
    return true;
}

bool Ledger::addDetailText(const QString& text) {
    if (!addAt(DetailTexts, DetailTextCount, DetailTextCapacity, text)) return false;
    noteChange(LedgerChange::DetailTexts);
    return true;
}

bool Ledger::addQuickEntry(const QuickEntry& q) {
    if (!addAt(QuickEntries, QuickEntryCount, QuickEntryCapacity, q)) return false;
    noteChange(LedgerChange::QuickEntries);
    return true;
}

bool Ledger::addRecurring(const RecurringRecord& r) {
    if (!addAt(RecurringRecords, RecurringCount, RecurringCapacity, r)) return false;
    noteChange(LedgerChange::Recurring);
    return true;
}

void Ledger::replaceDetailTexts(const QStringList& texts) {
    const int n = int(qMin<qsizetype>(texts.size(), DetailTextCapacity));
    for (int i = 0; i < n; ++i)
        DetailTexts[size_t(i + 1)] = texts.at(i);
    for (int i = n + 1; i < DetailTextCount; ++i)
        DetailTexts[size_t(i)].clear();
    DetailTextCount = n + 1;
    noteChange(LedgerChange::DetailTexts);
}

void Ledger::replaceRecurring(const std::vector<RecurringRecord>& records) {
    const ChangeScope scope(*this);
    noteChange(LedgerChange::Recurring);
    RecurringRecords.assign(size_t(RecurringCapacity + 1), RecurringRecord());
    RecurringCount = 1;
    for (const RecurringRecord& r : records)
        addRecurring(r);
}

void Ledger::compactQuickEntries() {
    int k = 1;
    for (int i = 1; i < QuickEntryCount; ++i) {
        if (QuickEntries[size_t(i)].Account1 == QLatin1String(DeleteMark)) continue;
        if (k != i) QuickEntries[size_t(k)] = QuickEntries[size_t(i)];
        ++k;
    }
    for (int i = k; i < QuickEntryCount; ++i)
        QuickEntries[size_t(i)] = QuickEntry();
    QuickEntryCount = k;
    noteChange(LedgerChange::QuickEntries);
}

void Ledger::markQuickEntryDeleted(int i) {
    QuickEntries[size_t(i)].Account1 = QLatin1String(DeleteMark);
    noteChange(LedgerChange::QuickEntries);
}

void Ledger::setQuickEntry(int i, const QuickEntry& q) {
    QuickEntries[size_t(i)] = q;
    noteChange(LedgerChange::QuickEntries);
}

void Ledger::swapQuickEntries(int a, int b) {
    std::swap(QuickEntries[size_t(a)], QuickEntries[size_t(b)]);
    noteChange(LedgerChange::QuickEntries);
}

void Ledger::markTableChanged(bool& fileFlag, LedgerChange what) {
    const ChangeScope scope(*this);
    fileFlag = true;
    markChanged();
    noteChange(what);
}

void Ledger::markDetailTextsChanged() {
    markTableChanged(DetailTextsChanged, LedgerChange::DetailTexts);
}

void Ledger::markQuickEntriesChanged() {
    markTableChanged(QuickEntriesChanged, LedgerChange::QuickEntries);
}

void Ledger::markRecurringChanged() {
    markTableChanged(RecurringChanged, LedgerChange::Recurring);
}

void Ledger::markBudgetsChanged() {
    markTableChanged(AccountsChanged, LedgerChange::Budgets);
}
