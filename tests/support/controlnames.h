#pragma once
// The controls of a window that carry no object name, for the check that every window gives
// each control its documented name (tests, tools and accessibility find them by it).
#include <QStringList>

class QWidget;

// "Class 'text'" of every control (button, box, list, frame ...) under window whose object
// name is empty; labels are not looked at (see namedLabels). The parts Qt builds inside a composite
// control (a combo box's edit field, a spin box's arrows, a list's scroll bars, a calendar's grid)
// are not looked at.
QStringList unnamedControls(const QWidget* window);

// "Class" of the window and of every dialog or main window built inside it whose object
// name is empty: each window carries its documented name as its object name.
QStringList unnamedWindows(const QWidget* window);

// The object names of the window's labels, for a comparison with the documented ones.
QStringList namedLabels(const QWidget* window);
