#pragma once
// Selections of many rows of a list. A selection merges its ranges anew at every call that
// changes it, and a look-up of one row's state walks every range: rows selected or read one
// call at a time cost the square of the rows. These select a set of rows in one call, as
// ranges of adjacent rows, and read the selected rows off the ranges.
#include <QList>
#include <span>

class QItemSelectionModel;

// Selects exactly `rows` (ascending, each once), whole rows, leaving the current row as it is.
void SelectListRows(QItemSelectionModel& selection, std::span<const int> rows);
// The selected rows, first to last.
QList<int> SelectedListRows(const QItemSelectionModel& selection);
