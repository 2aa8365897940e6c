#pragma once
#include <QString>

class QPushButton;
class QWidget;

// A push button with its object name that never becomes the window's default button: Enter
// belongs to the fields.
QPushButton* PlainButton(QWidget* parent, const QString& name, const QString& caption);
