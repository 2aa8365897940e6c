#include "userinput.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

void QueueClick(QWidget* widget) {
    const QPointF local = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(local);
    QCoreApplication::postEvent(widget,
                                new QMouseEvent(QEvent::MouseButtonPress, local, global,
                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(widget,
                                new QMouseEvent(QEvent::MouseButtonRelease, local, global,
                                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

void QueueWindowClose(QWidget* window) {
    // The window system's close arrives at the native window, which asks the widget.
    QCoreApplication::postEvent(window->windowHandle(), new QCloseEvent);
}
