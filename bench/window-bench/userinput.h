#pragma once
// The window benchmarks act as a user: mouse clicks at a control's rectangle, menu items
// chosen with the mouse, key presses; a timed step ends once the window or list it changed
// has been painted by the event loop.
#include "platform/modalrunner.h"
#include "timing.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QMenu>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace Bench {

// Counts the paint events of the widgets `counted` accepts, by default one widget and
// everything inside it.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(std::function<bool(const QWidget*)> counted)
        : m_counted(std::move(counted)) {
        qApp->installEventFilter(this);
    }
    explicit PaintCounter(const QWidget& target)
        : PaintCounter(
              [&target](const QWidget* w) { return w == &target || target.isAncestorOf(w); }) {}
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            m_counted(static_cast<const QWidget*>(watched)))
            ++paints;
        return false;
    }

private:
    std::function<bool(const QWidget*)> m_counted;
};

// Runs the event loop until `counter` has seen a paint; false when nothing was painted.
inline bool untilPainted(const PaintCounter& counter) {
    for (int i = 0; i < 10000 && counter.paints == 0; ++i)
        QCoreApplication::processEvents();
    return counter.paints > 0;
}

// `input`, then the event loop until `target` (or a widget inside it) has been painted.
inline void inputUntilPainted(const QWidget& target, const std::function<void()>& input) {
    const PaintCounter counter(target);
    input();
    if (!untilPainted(counter))
        std::fprintf(stderr, "warning: %s was not painted\n", qPrintable(target.objectName()));
}

inline void click(QWidget* widget, const QPoint& at = {}) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
}

// The menu that offers `item`.
inline QMenu* menuOf(const QAction* item) {
    for (QObject* o : item->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(o)) return menu;
    return nullptr;
}

// Pops up the menu that offers `item`, drawn, ready for the click.
inline QMenu& popUpMenuOf(const QAction* item) {
    QMenu* menu = menuOf(item);
    const PaintCounter counter(*menu);
    menu->popup(QPoint(40, 40));
    untilPainted(counter);
    return *menu;
}

// A mouse click on `item` in its popped-up menu.
inline void clickMenuItem(QMenu& menu, QAction* item) {
    click(&menu, menu.actionGeometry(item).center());
}

// Median of kSamples timed runs after one untimed warm-up run; each run gets `prepare`
// first and returns its own figure in milliseconds.
inline double medianOfRuns(const std::function<double()>& run,
                           const std::function<void()>& prepare = {}) {
    std::vector<double> ms;
    for (int i = 0; i <= kSamples; ++i) {
        if (prepare) prepare();
        const double figure = run();
        if (i > 0) ms.push_back(figure);
    }
    std::sort(ms.begin(), ms.end());
    return ms[kSamples / 2];
}

// Time of `input` until `target` has been painted, in milliseconds.
inline double msUntilPainted(const QWidget& target, const std::function<void()>& input) {
    QElapsedTimer t;
    t.start();
    inputUntilPainted(target, input);
    return double(t.nsecsElapsed()) / 1e6;
}

// Shows each modal window as the program does and notes when it has been painted, measured
// from `started`; then `whileOpen` acts on it (by default it is closed, as with Esc).
class PaintedModalRunner : public ModalRunner {
public:
    QElapsedTimer started;
    double paintedMs = -1;
    QString shown; // class of the last window shown
    std::function<int(QDialog&)> whileOpen;

    int run(QDialog& dialog) override {
        shown = QString::fromLatin1(dialog.metaObject()->className());
        {
            const PaintCounter counter(dialog);
            dialog.show();
            if (untilPainted(counter)) paintedMs = double(started.nsecsElapsed()) / 1e6;
        }
        if (whileOpen) return whileOpen(dialog);
        if (dialog.isVisible()) dialog.reject();
        return dialog.result();
    }
};

} // namespace Bench
