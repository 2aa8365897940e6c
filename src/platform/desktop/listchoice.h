#pragma once
#include <functional>

class QAbstractItemView;
class QModelIndex;

// A list's click handler runs here, once for every choice of an item: a mouse click (also on
// the item already selected), a key that moves the selection, or a selection made by code.
// It runs after the list has selected the item, so the handler always reads the selection
// the user sees; a mouse press makes the item current before it selects it, and a handler
// on the current-item signal would read the old selection. A change that leaves nothing
// selected (Ctrl+click) is no choice and runs nothing.
void OnItemChosen(QAbstractItemView* list, std::function<void()> chosen);

// The first selected row of a list (its column 0), invalid when nothing is selected: the
// row a command acts on, which need not be the current one (Ctrl+arrows move only that).
QModelIndex SelectedRow(const QAbstractItemView* list);
