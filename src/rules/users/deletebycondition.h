#pragma once
#include <QDate>
#include <QString>

struct Ledger;

// The four conditions of the deletion by date: the entries of one day, after a day,
// inside a range of two days (both included) or outside it.
enum class DateCondition { OnDay, After, Inside, Outside };

// Whether an entry with date key `key` ("yyyymmdd") goes. Keys compare as texts; the range
// runs from the smaller to the larger of d1 and d2, whichever order they come in.
bool MeetsDateCondition(DateCondition condition, const QString& key, const QString& d1,
                        const QString& d2);

// Removes every entry whose date meets the condition, keeping the others in their order
// with all their parts (note row, invoice, colour, reminder). Returns how many went.
int DeleteEntriesByDate(Ledger& ledger, DateCondition condition, const QDate& d1, const QDate& d2);
