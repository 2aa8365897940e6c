#include "controlnames.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QWidget>

namespace {

// Labels are left out: a caption beside a box often has no documented name of its own; the
// documented ones are checked by name with their window.
bool isControl(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QGroupBox*>(w) ||
           qobject_cast<const QCalendarWidget*>(w) || qobject_cast<const QTabBar*>(w);
}

// Children that Qt makes for a control, or a tool bar's buttons (its actions carry the names).
bool insideComposite(const QWidget* w, const QWidget* window) {
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget()) {
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p) ||
            qobject_cast<const QAbstractScrollArea*>(p) ||
            qobject_cast<const QCalendarWidget*>(p) || qobject_cast<const QToolBar*>(p) ||
            qobject_cast<const QTabBar*>(p))
            return true;
    }
    return false;
}

QString described(const QWidget* w) {
    QString text;
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) text = button->text();
    if (auto* box = qobject_cast<const QGroupBox*>(w)) text = box->title();
    return QString::fromLatin1(w->metaObject()->className()) + QStringLiteral(" '") + text +
           QLatin1Char('\'');
}

} // namespace

QStringList unnamedControls(const QWidget* window) {
    QStringList unnamed;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!isControl(w) || insideComposite(w, window)) continue;
        // Qt's own helpers carry names starting with "qt_".
        if (w->objectName().startsWith(QLatin1String("qt_"))) continue;
        if (w->objectName().isEmpty()) unnamed << described(w);
    }
    return unnamed;
}

QStringList unnamedWindows(const QWidget* window) {
    QStringList unnamed;
    QList<const QWidget*> windows{window};
    // Dialogs and main windows only: Qt's own pop-ups (a combo box's list, a menu) are left out.
    for (const QWidget* w : window->findChildren<QWidget*>())
        if (qobject_cast<const QDialog*>(w) || qobject_cast<const QMainWindow*>(w)) windows << w;
    for (const QWidget* w : windows)
        if (w->objectName().isEmpty()) unnamed << QString::fromLatin1(w->metaObject()->className());
    return unnamed;
}

QStringList namedLabels(const QWidget* window) {
    QStringList names;
    for (const QLabel* label : window->findChildren<QLabel*>())
        if (!label->objectName().isEmpty()) names << label->objectName();
    return names;
}
