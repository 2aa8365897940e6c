#include "windowparts/imagelist.h"
#include "store/figures.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ImageList2 {
namespace {

QColor squareColour(int kind) {
    switch (kind) {
    case 1:
        return QColor(150, 150, 150);
    case 2:
        return QColor(240, 200, 30);
    case 3:
        return QColor(40, 160, 60);
    case 4:
        return QColor(40, 90, 220);
    default:
        return QColor(220, 40, 40);
    }
}

QPixmap square(int kind) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(squareColour(kind).darker(150));
    p.setBrush(squareColour(kind));
    p.drawRect(3, 3, 9, 9);
    return pm;
}

QPixmap folder() {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(170, 130, 20));
    p.setBrush(QColor(250, 210, 80));
    p.drawRect(1, 4, 13, 9);
    p.drawRect(1, 2, 5, 2);
    return pm;
}

QPixmap clock() {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawEllipse(2, 2, 12, 12);
    p.drawLine(8, 8, 8, 4);
    p.drawLine(8, 8, 11, 8);
    return pm;
}

QPixmap bell(const QColor& colour) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(colour.darker(160));
    p.setBrush(colour);
    QPainterPath path;
    path.moveTo(3, 12);
    path.cubicTo(5, 10, 4, 3, 8, 3);
    path.cubicTo(12, 3, 11, 10, 13, 12);
    path.closeSubpath();
    p.drawPath(path);
    p.drawEllipse(7, 12, 3, 3);
    return pm;
}

QPixmap draw(int number) {
    if (number >= 1 && number <= 5) return square(number);
    if (number == 6) return folder();
    if (number >= 7 && number <= 11) return square(number - 6);
    if (number == 12) return clock();
    if (number == 13) return bell(QColor(250, 210, 40));
    if (number == 14) return bell(QColor(220, 40, 40));
    return QPixmap();
}

} // namespace

QIcon icon(int number) {
    static QHash<int, QIcon> cache;
    if (number < 1 || number > 14) return QIcon();
    auto it = cache.find(number);
    if (it == cache.end()) it = cache.insert(number, QIcon(draw(number)));
    return *it;
}

int kindImage(const QString& accountName) {
    return PrefixKindCode(accountName) + 1; // none: 0
}
} // namespace ImageList2
