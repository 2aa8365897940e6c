#pragma once
// The texts of a list as a test compares them.
#include <QStringList>

class QTreeWidget;

// One text per top-level row: its cells, every column, joined by "|".
QStringList ListRows(const QTreeWidget* list);
