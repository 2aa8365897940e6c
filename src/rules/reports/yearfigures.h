#pragma once
#include <QDate>
#include <QString>
#include <array>
#include <vector>

class EntryAccountCache;
struct Ledger;
struct Session;

// The figures of the yearly window, month by month (index 1 to 12; slot 0 unused): every
// account at once, one pass over the entries for all the dates needed. The cache, kept by the
// window, makes later passes cheaper.
namespace YearFigures {

using Months = std::array<double, 13>;

// Report months 1..12 of the year as "yyyymmdd" first and last days (the report periods'
// month rule with DayState and DayState2).
struct MonthBounds {
    std::array<QString, 13> first;
    std::array<QString, 13> last;
};
MonthBounds monthBounds(int year, const Session& session);

// Month amounts of every account (result[i][m], slot 0 unused): the balance at the month's
// last day for asset and liability accounts, the month's total for the others. With
// AftState "0" the month that holds today ends today and the months after today are 0.
std::vector<Months> accountMonths(const Ledger& ledger, const Session& session, int year,
                                  const QDate& today, EntryAccountCache& cache);

// Month-end assets and liabilities (the sums of the asset and liability accounts).
struct AssetsLiabilities {
    Months assets{};
    Months liabilities{};
};
AssetsLiabilities assetsLiabilities(const Ledger& ledger, const Session& session, int year,
                                    const QDate& today, EntryAccountCache& cache);

// Income and expense of each report month: the stored amounts of the entries whose first
// account is an income ("I-"), resp. an expense ("E-") account, each in the month whose
// period holds its date; with AftState "0" entries after today are left out.
struct IncomeExpense {
    Months income{};
    Months expense{};
};
IncomeExpense incomeExpense(const Ledger& ledger, const Session& session, int year,
                            const QDate& today);

// How many months an average divides by: 12 for a past year, the months before the
// current one in the current year, 0 for a later year.
int averageMonths(int year, const QDate& today);
// An average in whole hundredths, rounded down (a negative one away from zero).
double averageOf(double sum, int months);

} // namespace YearFigures
