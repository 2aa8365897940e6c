#include "userinput.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

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
