#pragma once
// The journal's listing without a window: which entries a period or a date range lists under
// a type choice and a keyword, their sums, the sums line and the listing titles. QtCore only,
// so that the rules are tested without widgets.
#include <QDate>
#include <QString>
#include <vector>

struct Ledger;
struct Session;

namespace Journal {

// Type choices of the journal's 類型 box.
enum TypeChoice : int {
    TypeAll = 0,
    TypeTransfer = 1, // 資產負債轉移
    TypeAsset = 2,
    TypeLiability = 3,
    TypeIncome = 4,
    TypeExpense = 5
};

// The date test of one listing. Dates are compared as numbers yyyymmdd.
struct DateTest {
    enum Kind { Everything, YearPrefix, Between, Nothing };
    Kind kind = Everything;
    QByteArray year;   // YearPrefix: the four digits a stored date begins with
    quint32 first = 0; // Between: first day, included
    quint32 last = 0;  // Between: last day, included
};

// What a period choice lists and what the date pickers then show.
struct PeriodChoice {
    DateTest test;
    // The pickers' new values; invalid when they stay as they are (全部, or no year).
    QDate pickerStart;
    QDate pickerEnd;
};

// Period choice index 0 全部, 1 整年, 2..13 the accounting months, for the text of the year
// box. A year box without a whole number from 1601 to 9999 lists nothing but for 全部.
PeriodChoice periodChoice(int index, const QString& yearText, const QString& dayState,
                          const QString& dayState2);

// Both days included; a start after the end lists nothing.
DateTest rangeTest(const QDate& start, const QDate& end);

struct Listing {
    std::vector<int> entries; // entry indices in ascending order
    double transfer = 0;      // hundredths, Account1 "A-" or "L-"
    double income = 0;        // Account1 "I-"
    double expense = 0;       // Account1 "E-"
};

// Scans entries 1 to EntryCount - 1 in order; keyword as typed ("" lists every entry).
Listing listEntries(const Ledger& ledger, const Session& session, const DateTest& dates, int type,
                    const QString& keyword);

// "共 n 筆記錄" with the parts the type choice shows.
QString sumsLine(const Listing& listing, int type, const Session& session);

// 家用_2024年03月 and 家用_20240101-20240331.
QString periodTitle(const QString& ledgerName, const QString& yearText, const QString& choice);
QString rangeTitle(const QString& ledgerName, const QDate& start, const QDate& end);

// The single tests, as the listing applies them.
bool passesType(const Ledger& ledger, int entry, int type);
bool passesKeyword(const Ledger& ledger, const Session& session, int entry, const QString& keyword);

} // namespace Journal
