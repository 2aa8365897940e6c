#pragma once
#include <functional>

class QAbstractItemView;
class QModelIndex;

// A list's click handler runs here, once for every choice of an item: a mouse click (also on
// the item already selected) or a key that moves the selection. It runs after the list has
// selected the item, so the handler always reads the selection the user sees; a mouse press
// makes the item current before it selects it, and a handler on the current-item signal
// read the old selection. A change that leaves nothing selected (Ctrl+click) is no choice
// and runs nothing.
// OnItemChosen: a list box, whose handler also runs when code selects an item.
void OnItemChosen(QAbstractItemView* list, std::function<void()> chosen);
// OnItemClicked: a list view, whose handler runs for the user's choices only; a row the
// window selects itself (after adding one) leaves the fields as they are.
void OnItemClicked(QAbstractItemView* list, std::function<void()> chosen);

// The first selected row of a list (its column 0), invalid when nothing is selected: the
// row a command acts on, which need not be the current one (Ctrl+arrows move only that).
QModelIndex SelectedRow(const QAbstractItemView* list);
