#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <cstring>
#include <vector>

#include "platform/codec.h"
#include "store/noterows.h"
#include "store/zeroedtable.h"

// Removes every NUL character, then the trailing blanks; leading blanks stay.
QString TrimFixed(const QString& text);
// TrimFixed of the decoded bytes of a fixed field.
QString TrimFixedBytes(QByteArrayView bytes);

// A fixed text field of N bytes of cp950, held as the bytes themselves so that a record
// read and saved unchanged keeps its bytes, and comparisons of "all N characters" are
// byte comparisons. A field never assigned holds N NUL bytes (written as zero bytes).
template <int N> class FixedText {
public:
    static constexpr int Width = N;

    FixedText() { m_bytes.fill('\0'); }
    explicit FixedText(const QString& text) { set(text); }

    // New text: encoded, cut on a character boundary, padded with blanks to N bytes.
    void set(const QString& text) {
        const QByteArray b = Ansi::fixedField(text, N);
        std::memcpy(m_bytes.data(), b.constData(), size_t(std::min<qsizetype>(b.size(), N)));
        if (b.size() < N) std::memset(m_bytes.data() + b.size(), ' ', size_t(N - b.size()));
    }
    FixedText& operator=(const QString& text) {
        set(text);
        return *this;
    }
    // Raw bytes as read from a record; shorter input is filled with NUL bytes.
    void setBytes(QByteArrayView bytes) {
        m_bytes.fill('\0');
        std::memcpy(m_bytes.data(), bytes.data(), size_t(std::min<qsizetype>(bytes.size(), N)));
    }
    void clear() { m_bytes.fill('\0'); }

    QByteArrayView bytes() const { return QByteArrayView(m_bytes.data(), N); }
    const char* data() const { return m_bytes.data(); }
    // All N characters as stored (blank padding and NULs included).
    QString text() const { return Ansi::decode(bytes()); }
    // As TrimFixed gives it: no NULs, no trailing blanks.
    QString trimmed() const { return TrimFixedBytes(bytes()); }
    bool isNull() const {
        for (char c : m_bytes)
            if (c != '\0') return false;
        return true;
    }
    // The stored bytes begin with the ASCII text (no decoding needed for prefixes such as
    // "A-", "Eq" or "DeleteData", whose bytes are single-byte characters).
    bool startsWithAscii(const char* ascii) const {
        const size_t n = std::strlen(ascii);
        return n <= size_t(N) && std::memcmp(m_bytes.data(), ascii, n) == 0;
    }
    // Byte comparison of all N bytes; word-wise, as balances compare names per entry.
    bool operator==(const FixedText& other) const {
        const char* a = m_bytes.data();
        const char* b = other.m_bytes.data();
        int i = 0;
        for (; i + 8 <= N; i += 8) {
            quint64 x, y;
            std::memcpy(&x, a + i, 8);
            std::memcpy(&y, b + i, 8);
            if (x != y) return false;
        }
        return std::memcmp(a + i, b + i, size_t(N - i)) == 0;
    }
    bool operator!=(const FixedText& other) const { return !(*this == other); }

private:
    std::array<char, N> m_bytes;
};

// A number carrying its own numeric type. Tags: 0 empty, 2 Int16, 3 Int32, 5 binary64.
// The value is held as a double (every Int16/Int32 fits exactly); the tag is kept so that
// a save writes the same bytes that were read.
class TaggedNumber {
public:
    enum Tag : quint16 { Empty = 0, Int16 = 2, Int32 = 3, Double = 5 };

    TaggedNumber() = default;
    static TaggedNumber empty() { return {}; }
    static TaggedNumber fromDouble(double v) { return TaggedNumber(Double, v); }
    static TaggedNumber fromInt16(qint16 v) { return TaggedNumber(Int16, v); }
    static TaggedNumber fromInt32(qint32 v) { return TaggedNumber(Int32, v); }
    // For readers: a tag of 0, 2, 3 or 5 with its value.
    static TaggedNumber withTag(quint16 tag, double v) {
        return TaggedNumber(tag, tag == Empty ? 0.0 : v);
    }

    quint16 tag() const { return m_tag; }
    bool isEmpty() const { return m_tag == Empty; }
    double value() const { return m_value; } // hundredths for amounts and budgets; empty gives 0
    // Bytes of the value on disk for this tag (0 for an empty number).
    int valueWidth() const { return widthOfTag(m_tag); }
    static int widthOfTag(quint16 tag) {
        switch (tag) {
        case Int16:
            return 2;
        case Int32:
            return 4;
        case Double:
            return 8;
        default:
            return 0;
        }
    }
    static bool isKnownTag(quint16 tag) {
        return tag == Empty || tag == Int16 || tag == Int32 || tag == Double;
    }

    bool operator==(const TaggedNumber& o) const {
        return m_tag == o.m_tag && m_value == o.m_value;
    }

private:
    TaggedNumber(quint16 tag, double v) : m_value(v), m_tag(tag) {}
    double m_value = 0.0;
    quint16 m_tag = Empty;
};

// Exchanges the tags and values of two tagged numbers.
void SwapVariants(TaggedNumber& a, TaggedNumber& b);

struct EntryCore {
    FixedText<10> Date; // "yyyy/mm/dd"; "DeleteData" marks the entry for removal
    FixedText<32> Account1;
    FixedText<32> Account2;
    TaggedNumber Amount; // hundredths
    FixedText<60> Detail;
};

struct EntryNote {
    qint16 RemindOn = 0; // 0 or -1
    qint16 RemindDays = 0;
    FixedText<100> Note; // the note's first 100 bytes
};

struct EntryInvoice {
    FixedText<8> InvoiceDigits;
    qint16 Checked = 0; // 0 or -1
};

struct EntryStyle {
    FixedText<2> InvoiceLetters;
    qint16 Reserved = 0;
    quint8 ColourIndex = 0; // 0..9
};

// The five aligned parts of entry i, for commands that copy or move whole entries.
struct LedgerEntry {
    EntryCore core;
    EntryNote note;
    EntryInvoice invoice;
    EntryStyle style;
    QString noteRow; // the full note when longer than 100 bytes, else empty
};

enum AccountKind : qint16 {
    KindEquity = 0,
    KindAsset = 1,
    KindLiability = 2,
    KindIncome = 3,
    KindExpense = 4
};

struct AccountRecord {
    FixedText<32> Name;
    qint16 Kind = 0;
    std::array<TaggedNumber, 13> Budget; // 0 the year, 1..12 the months; empty = no budget
};

struct RecurringRecord {
    quint8 Period = 0; // 0 yearly, 1 monthly, 2 weekly, 3 daily, 4 odd months, 5 even months
    FixedText<5> When;
    quint8 Overdue = 0;
    FixedText<32> Account1;
    FixedText<32> Account2;
    TaggedNumber Amount;
    FixedText<60> Detail;
};

struct QuickEntry {
    QString Account1;
    QString Account2;
    QString Amount; // as typed, in currency units
    QString Detail;
    QString Note;
};

// The unsaved-changes flag; the ledger tells its changes as LedgerChange::Mark.
class LedgerChangeFlag : public QObject {
    Q_OBJECT
public:
    bool isSet() const { return m_on; }
    operator bool() const { return m_on; }
    void set(bool on = true) {
        if (on == m_on) return;
        m_on = on;
        emit changed(on);
    }
    void clear() { set(false); }
signals:
    void changed(bool on);

private:
    bool m_on = false;
};

// What a change of the open ledger touched. A notification carries every kind that one
// operation, or everything inside one change scope, touched.
enum class LedgerChange : quint16 {
    EntriesAdded = 0x001, // entries appended: those before keep their index and their data
    Entries = 0x002,      // entries rewritten, moved or removed
    EntryMarks = 0x004,   // check marks, colours or reminders of entries: no figure changes
    Accounts = 0x008,     // accounts added, renamed or removed
    Budgets = 0x010,
    DetailTexts = 0x020,
    QuickEntries = 0x040,
    Recurring = 0x080,
    Mark = 0x100,   // the unsaved-changes mark was set or cleared
    Loaded = 0x200, // the tables were read anew from the ledger's files
    // An option by which figures are counted or written was switched (the decimals, whose
    // whole units cut their cents, and the options of the settings table that decide figures,
    // SettingOptions::figureValues): every figure counts and reads anew, though no table
    // changed.
    Figures = 0x400,
};
Q_DECLARE_FLAGS(LedgerChanges, LedgerChange)
Q_DECLARE_OPERATORS_FOR_FLAGS(LedgerChanges)

// The ledger's one change notification: windows follow the tables through it instead of
// refreshing each other.
class LedgerNotifier : public QObject {
    Q_OBJECT
signals:
    void changed(LedgerChanges what);
};

// The tables of the open ledger. Every table is 1-based: slot 0 is unused and the count
// is elements + 1 (an empty table has count 1). The tables are sized to capacity + 1, so
// writing at index count is always in range while count <= capacity; the entry tables and
// the accounts take memory only as far as they are used.
struct Ledger {
    static constexpr int EntryCapacity = 30000;
    static constexpr int AccountCapacity = 2000;
    static constexpr int DetailTextCapacity = 1000;
    static constexpr int QuickEntryCapacity = 500;
    static constexpr int RecurringCapacity = 200;
    static constexpr const char* DeleteMark = "DeleteData";

    Ledger();
    Ledger(const Ledger&) = delete;
    Ledger& operator=(const Ledger&) = delete;

    ZeroedTable<EntryCore> Entries;
    ZeroedTable<EntryNote> EntryNotes;
    ZeroedTable<EntryInvoice> EntryInvoices;
    ZeroedTable<EntryStyle> EntryStyles;
    // Row i holds entry i's full note when longer than 100 bytes; may hold surplus rows.
    NoteRows NoteList;
    ZeroedTable<AccountRecord> Accounts;
    std::array<AccountRecord, 5> KindTotals; // rows 1..4
    std::vector<QString> DetailTexts;        // account name, U+0001, text
    std::vector<QuickEntry> QuickEntries;
    std::vector<RecurringRecord> RecurringRecords;

    int EntryCount = 1;
    int AccountCount = 1;
    int DetailTextCount = 1;
    int QuickEntryCount = 1;
    int RecurringCount = 1;

    // Bumped by every change of the entry tables' order or length (add, delete, compaction,
    // swap, merge, load) and by whole-entry writes: lists that remember entry indices
    // compare it to know that their rows may name other entries now.
    quint64 EntryChangeCount = 0;
    // Also raises LedgerChange::Entries.
    void noteEntriesChanged() {
        ++EntryChangeCount;
        noteChange(LedgerChange::Entries);
    }

    bool AccountsChanged = false;
    bool DetailTextsChanged = false;
    bool QuickEntriesChanged = false;
    bool RecurringChanged = false;
    bool TreeStateChanged = false;
    LedgerChangeFlag LedgerChangedFlag;

    // Raised by every operation below that changes a table and by the mark; inside a change
    // scope, once when the outermost scope ends.
    LedgerNotifier Notifier;
    // A command that runs several operations (posting many rows, a merge, a delete by
    // condition) opens one: its end tells what all of them touched, in one notification, before
    // the command returns.
    class ChangeScope {
    public:
        explicit ChangeScope(Ledger& ledger);
        ~ChangeScope();
        ChangeScope(const ChangeScope&) = delete;
        ChangeScope& operator=(const ChangeScope&) = delete;

    private:
        Ledger& m_ledger;
    };
    // Tells the notification (or the open scope) that `what` changed; for commands below the
    // windows that write fields of a table themselves.
    void noteChange(LedgerChanges what);

    // Files of this opening that were damaged: side files (Note.qvd, Favorites.qvd,
    // Fixure.qvd) that failed to load and record files whose length is not a whole number
    // of records; each is kept as "<name>.bad" before its first rewrite.
    QStringList UnreadSideFiles;

    // Empties every table (counts back to 1, every field unassigned); flags untouched and
    // nothing told (the tables are emptied to be read anew or left). The entry tables are
    // reset only as far as EntryCount reaches.
    void clearEntries();
    void clearAccounts();
    void clearKindTotals(); // the four named rows with empty budgets
    void clearSideTables(); // detail texts, quick entries, recurring records
    void clear();

    // Entry i as a whole, and writing one at index i (NoteList grown as needed).
    LedgerEntry entry(int i) const;
    void setEntry(int i, const LedgerEntry& e);
    // At index EntryCount, then EntryCount + 1; false (nothing changed) when full.
    // Entries are added only here and dropped only by the compactions and truncateEntries,
    // which keep count = elements + 1 and the five parts aligned.
    bool addEntry(const LedgerEntry& e);
    // Drops the entries from index `count` on (a command undoing what it appended).
    void truncateEntries(int count);
    void swapEntries(int a, int b);
    // The note row text of entry i ("" when NoteList has no such row).
    QString noteRow(int i) const;
    void setNoteRow(int i, const QString& text);
    // The full note: the note row when not empty, else the trimmed Note field.
    QString fullNote(int i) const;
    // Stores a note: Note gets its first 100 bytes, the row the whole text when longer.
    void setFullNote(int i, const QString& note);
    static QString noteRowFor(const QString& note);

    // The check mark, the colour and the reminder of entry i (LedgerChange::EntryMarks).
    void setEntryChecked(int i, bool checked);
    void setEntryColour(int i, quint8 colour);
    void clearEntryReminder(int i);

    void markEntryDeleted(int i);
    bool isEntryMarked(int i) const;
    // Keeps entries whose Date is not "DeleteData", in order, all five parts together.
    void compactEntries();
    // The same walk with any rule (the opening keeps only valid dates).
    template <typename Keep> void compactEntriesIf(Keep keep) {
        const ChangeScope scope(*this);
        noteEntriesChanged();
        int k = 1;
        for (int i = 1; i < EntryCount; ++i) {
            if (!keep(i)) continue;
            if (k != i) {
                Entries[k] = Entries[i];
                EntryNotes[k] = EntryNotes[i];
                EntryInvoices[k] = EntryInvoices[i];
                EntryStyles[k] = EntryStyles[i];
                NoteList.copy(i, k);
            }
            ++k;
        }
        for (int i = k; i < EntryCount; ++i)
            resetEntrySlot(i);
        EntryCount = k;
    }

    // At index count, then count + 1; false when the table is full.
    bool addAccount(const AccountRecord& a);
    bool addDetailText(const QString& text);
    bool addQuickEntry(const QuickEntry& q);
    bool addRecurring(const RecurringRecord& r);
    // The whole table anew, in this order; what the capacity cannot hold is left out.
    void replaceDetailTexts(const QStringList& texts);
    void replaceRecurring(const std::vector<RecurringRecord>& records);
    // Quick entries whose Account1 is "DeleteData" are dropped, order kept.
    void compactQuickEntries();
    // Marks quick entry i for removal by compactQuickEntries.
    void markQuickEntryDeleted(int i);
    void setQuickEntry(int i, const QuickEntry& q);
    void swapQuickEntries(int a, int b);
    // A change of a side table by its editor: the table's file is written at the next save,
    // the unsaved-changes mark is set, and the change is told.
    void markDetailTextsChanged();
    void markQuickEntriesChanged();
    void markRecurringChanged();
    // Budgets live in the accounts' file.
    void markBudgetsChanged();

    // Enables the unsaved-changes flag (every change of a table does this).
    void markChanged() { LedgerChangedFlag.set(true); }

private:
    void resetEntrySlot(int i);
    void writeEntry(int i, const LedgerEntry& e);
    // Sets the table's file flag and the mark, and tells `what`, in one notification.
    void markTableChanged(bool& fileFlag, LedgerChange what);

    int m_scopeDepth = 0;
    LedgerChanges m_pending;
};
