#pragma once
#include <QString>
#include <array>
#include <vector>

#include "mainwin/periods.h"

struct Ledger;
struct Session;

// The figures of the account tree for one period, from one pass over the entries.
struct TreeFigures {
    // By account index (slot 0 unused): balance at the period end for asset, liability
    // and equity accounts, total of the period for income and expense accounts.
    std::vector<double> account;
    // By kind code 1 asset, 2 liability, 3 income, 4 expense (slot 0 unused).
    std::array<double, 5> kindTotal{};
    // Counted amounts of the entries dated `today` whose first account is income/expense.
    double todayIncome = 0;
    double todayExpense = 0;
};

// How an entry's counted amount a changes its first account X and second account Y, by
// the kind codes of both (0 equity, 1 asset, 2 liability, 3 income, 4 expense; -1 none).
struct EntryChange {
    int first = 0;  // factor of a for X
    int second = 0; // factor of a for Y
};
EntryChange TreeEntryChange(int kindX, int kindY);

// One pass: bounds as Periods::periodBounds gives them (end already cut at today when
// the caller wants that); todayDate is "yyyy/mm/dd".
TreeFigures ComputeTreeFigures(const Ledger& ledger, const Session& session,
                               const Periods::Bounds& bounds, const QString& todayDate);

// Stored (not counted) amounts of the entries dated `date` ("yyyy/mm/dd") whose first
// account is an income, resp. an expense account.
struct DayFigures {
    double income = 0;
    double expense = 0;
};
DayFigures StoredDayFigures(const Ledger& ledger, const QString& date);
