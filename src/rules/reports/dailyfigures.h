#pragma once
#include <QDate>
#include <vector>

struct Ledger;

// Income and expense of each day of one calendar month, whatever the report-month settings
// say: the stored amounts of the entries whose first account is an income ("I-"), resp. an
// expense ("E-") account, each on its own date, future dates included.
struct DayIncomeExpense {
    QDate date;
    double income = 0;
    double expense = 0;
};
// One row per day of the month; none for a month that forms no dates.
std::vector<DayIncomeExpense> DailyIncomeExpense(const Ledger& ledger, int year, int month);
