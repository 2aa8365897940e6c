// The layout pass: minimum size, backdrop, tree and list side by side, the two control
// rows and the status panel widths, all in pixels from the client size.
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <cmath>

#include "mainwin/mainform.h"
#include "platform/runtime.h"
#include "store/appcontext.h"
#include "windowparts/formwidgets.h"

namespace {
constexpr int minWidth = 1000; // 15000 twips
constexpr int minHeight = 533; // 8000 twips
constexpr int bannerHeight = 52;
} // namespace

void MainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutPass();
}

void MainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    LayoutPass(); // the first pass, when the window appears after the start sequence
}

void MainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) LayoutPass();
}

void MainForm::PlaceStatusPanels() {
    const int h = std::max(StatusBar1->height() - 2, Panel(1)->sizeHint().height());
    int x = 0;
    for (QLabel* p : m_panels) {
        p->setGeometry(x, 1, p->width(), h);
        x += p->width();
    }
}

void MainForm::LayoutPass() {
    if (isMinimized()) {
        MinimiseToTray();
        return;
    }
    if (!isVisible()) return;
    if (width() < minWidth || height() < minHeight) {
        resize(std::max(width(), minWidth), std::max(height(), minHeight));
        return; // the resize runs a pass of its own
    }
    SettingMirrors& m = m_ctx.session.Setting;
    const int W = width();
    const int P = Picture1->height();

    const bool banner = m.ShowTitleState == QLatin1String("0");
    if (auto* backdrop = qobject_cast<BackdropPanel*>(Picture1)) backdrop->setBannerShown(banner);
    const int B = banner ? bannerHeight : 0;
    const int ht = Text2->height();
    const int wt = Text2->width();
    const int u1 = UpDown1->width();
    const int u2 = UpDown2->width();
    const int c2 = Command2->width();
    const int c1 = Command1->width();
    const int c4 = Command4->width();

    // Account tree.
    if (m.TrvState.isEmpty()) m.TrvState = QStringLiteral("20");
    const double t = W * Runtime::leadingNumber(m.TrvState) / 100.0;
    const int Tw = t < 128 ? 128 : int(std::lround(t));
    const bool treeLeft = m.AccState.left(1) == QLatin1String("1");
    const int L = treeLeft ? 5 : W - Tw - 4;
    const int T = ht + 8 + B;
    const int Th = P - ht - 12 - B;
    Trv1->setGeometry(L, T, Tw, Th);

    // Period row above the tree.
    const int R = 5 + B;
    Text2->move(L, R);
    UpDown1->setGeometry(L + wt, R, u1, ht);
    Combo1->setGeometry(L + wt + u1 + 5, R, Tw - wt - u1 - u2 - 6 - c2 - 5, Combo1->height());
    UpDown2->setGeometry(Combo1->x() + Combo1->width(), Combo1->y(), u2, Combo1->height());
    Command2->move(UpDown2->x() + u2 + 5, R);

    // Entry list and the filter row above it.
    const int Lw = W - Tw - 16;
    Liv1->setGeometry(treeLeft ? Tw + 9 : 7, T, Lw, Th);
    Combo2->setGeometry(Liv1->x(), R, Lw - c1 - 3 - c4 - 3, Combo2->height());
    Command1->move(Combo2->x() + Combo2->width() + 3, R - 1);
    Command4->move(Command1->x() + c1 + 3, Command1->y());
    keepListColumnsInView();

    // Status panels spread over the width.
    const double rest = W - 226;
    const std::pair<int, double> shares[] = {
        {2, 0.2}, {4, 0.2}, {6, 0.155}, {7, 0.295}, {9, 0.155}};
    for (const auto& [panel, share] : shares)
        if (QLabel* p = Panel(panel)) p->resize(std::max(0, int(std::lround(share * rest))), 1);
    PlaceStatusPanels();

    RestoreWindowState = isMaximized() ? 2 : 0;
}
