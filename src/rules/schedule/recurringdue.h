#pragma once
#include <QDate>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <utility>
#include <vector>

struct Ledger;
struct RecurringRecord;

// One due occurrence of a recurring record: the day it is booked on and the record's
// 1-based index in the recurring table.
struct DueOccurrence {
    QString date; // "yyyy/mm/dd"
    int record = 0;
};

// The date text ("yyyy/mm/dd") of the one occurrence of a record that is due on `today`, or of the
// current period when the record posts missed occurrences; nothing when there is none. Ignores what
// was posted.
std::optional<QString> RecurringOccurrence(const RecurringRecord& r, const QDate& today);

// Finds the entries of a day quickly: built once per check over the whole entry table.
class PostedIndex {
public:
    explicit PostedIndex(const Ledger& ledger);
    // True when an entry dated dateKey ("yyyymmdd") has the record's accounts, detail and
    // stored amount (texts cut at a NUL and trimmed; amounts compared as stored numbers).
    bool isPosted(const QString& dateKey, const RecurringRecord& r) const;

private:
    const Ledger& m_ledger;
    // (day, entry) ordered by day; a day is the eight bytes "yyyymmdd" of the stored date,
    // taken as one number so that equal numbers are equal bytes.
    std::vector<std::pair<quint64, int>> m_byDay;
};

bool RecurringAlreadyPosted(const Ledger& ledger, const QString& dateKey, int recordIndex);

// The rows the due check lists, in the order of the recurring table.
std::vector<DueOccurrence> DueRecurring(const Ledger& ledger, const QDate& today);
