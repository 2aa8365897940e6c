#include "windowparts/formwidgets.h"

#include <QLinearGradient>
#include <QPainter>
#include <QToolButton>

UpDownArrows::UpDownArrows(QWidget* parent) : QWidget(parent) {
    m_up = new QToolButton(this);
    m_up->setObjectName(QStringLiteral("Up"));
    m_up->setArrowType(Qt::UpArrow);
    m_up->setAutoRepeat(false);
    m_down = new QToolButton(this);
    m_down->setObjectName(QStringLiteral("Down"));
    m_down->setArrowType(Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, &UpDownArrows::upClicked);
    connect(m_down, &QToolButton::clicked, this, &UpDownArrows::downClicked);
    resize(17, 23);
}

void UpDownArrows::resizeEvent(QResizeEvent*) {
    const int h = height() / 2;
    m_up->setGeometry(0, 0, width(), h);
    m_down->setGeometry(0, h, width(), height() - h);
}

void BackdropPanel::setBannerShown(bool shown) {
    if (m_banner == shown) return;
    m_banner = shown;
    update();
}

void BackdropPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Background: a 39 x 39 tile repeated over the whole panel.
    QPixmap tile(39, 39);
    tile.fill(QColor(236, 240, 246));
    {
        QPainter t(&tile);
        t.setPen(QColor(226, 231, 240));
        t.drawLine(0, 38, 38, 38);
        t.drawLine(38, 0, 38, 38);
    }
    for (int x = 0; x <= width() + 39; x += 39)
        for (int y = 0; y <= height() + 39; y += 39)
            p.drawPixmap(x, y, tile);
    if (!m_banner) return;
    // Title banner, 52 pixels high, continued to the right edge.
    QLinearGradient g(0, 0, 0, 52);
    g.setColorAt(0, QColor(70, 110, 170));
    g.setColorAt(1, QColor(40, 70, 120));
    p.fillRect(0, 0, width(), 52, g);
    QFont f = font();
    f.setPointSize(16);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(12, 0, 450, 52), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Qivoka"));
}
