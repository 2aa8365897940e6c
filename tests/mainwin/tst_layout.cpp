// The layout pass: tree width and side, banner offset, the two control rows, the list,
// the status panel widths and the minimum window size.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

#include "windowparts/formwidgets.h"

#include "mainwin/mainform.h"
#include "support/testenv.h"

class LayoutTest : public QObject {
    Q_OBJECT
    // Widgets that may not cover one another, left to right.
    static void notOverlapping(const QList<QWidget*>& widgets) {
        for (qsizetype i = 0; i < widgets.size(); ++i)
            for (qsizetype j = i + 1; j < widgets.size(); ++j)
                QVERIFY2(!widgets[i]->geometry().intersects(widgets[j]->geometry()),
                         qPrintable(widgets[i]->objectName() + " / " + widgets[j]->objectName()));
    }
    // A row of controls above `below`: inside its columns, ending before its top.
    static void rowAbove(const QList<QWidget*>& row, const QWidget* below) {
        for (const QWidget* c : row) {
            QVERIFY2(c->x() >= below->x(), qPrintable(c->objectName()));
            QVERIFY2(c->geometry().right() <= below->geometry().right(),
                     qPrintable(c->objectName()));
            QVERIFY2(c->geometry().bottom() < below->y(), qPrintable(c->objectName()));
        }
    }

private slots:
    // Where tree and list land at a given client width; the figures are the documented
    // ones (tree share of the width, at least 128 pixels; margins of 5 and 4 pixels).
    void placement_data() {
        QTest::addColumn<QString>("trvState");
        QTest::addColumn<QString>("accState");
        QTest::addColumn<QString>("showTitle");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("treeX");
        QTest::addColumn<int>("treeWidth");
        QTest::addColumn<int>("listX");
        QTest::addColumn<int>("listWidth");
        QTest::addColumn<int>("banner"); // height of the title banner above the controls
        QTest::addColumn<QString>("storedTrvState"); // the setting after the pass
        QTest::newRow("20 percent, left, banner")
            << QStringLiteral("20") << QStringLiteral("11") << QStringLiteral("0") << 1226 << 5
            << 245 << 254 << 965 << 52 << QStringLiteral("20");
        QTest::newRow("10 percent is below the minimum")
            << QStringLiteral("10") << QStringLiteral("11") << QStringLiteral("0") << 1000 << 5
            << 128 << 137 << 856 << 52 << QStringLiteral("10");
        QTest::newRow("empty counts as 20")
            << QStringLiteral("") << QStringLiteral("11") << QStringLiteral("1") << 1000 << 5 << 200
            << 209 << 784 << 0 << QStringLiteral("20");
        QTest::newRow("not a number gives the minimum")
            << QStringLiteral("abc") << QStringLiteral("11") << QStringLiteral("1") << 1000 << 5
            << 128 << 137 << 856 << 0 << QStringLiteral("abc");
        QTest::newRow("tree on the right")
            << QStringLiteral("30") << QStringLiteral("01") << QStringLiteral("1") << 1200 << 836
            << 360 << 7 << 824 << 0 << QStringLiteral("30");
    }
    void placement() {
        QFETCH(QString, trvState);
        QFETCH(QString, accState);
        QFETCH(QString, showTitle);
        QFETCH(int, width);
        QFETCH(int, treeX);
        QFETCH(int, treeWidth);
        QFETCH(int, listX);
        QFETCH(int, listWidth);
        QFETCH(int, banner);
        QFETCH(QString, storedTrvState);
        TestEnv env;
        SettingMirrors& m = env.ctx.session.Setting;
        m.TrvState = trvState;
        m.AccState = accState;
        m.ShowTitleState = showTitle;
        MainForm w(env.ctx);
        w.resize(width, 700);
        w.show();
        QCOMPARE(w.width(), width);

        // Tree and list side by side, the same height, filling the backdrop but its margins.
        const QRect tree = w.Trv1->geometry();
        const QRect list = w.Liv1->geometry();
        QCOMPARE(tree.x(), treeX);
        QCOMPARE(tree.width(), treeWidth);
        QCOMPARE(list.x(), listX);
        QCOMPARE(list.width(), listWidth);
        QVERIFY(!tree.intersects(list));
        QCOMPARE(list.y(), tree.y());
        QCOMPARE(list.height(), tree.height());
        QCOMPARE(tree.bottom(), w.Picture1->height() - 5);

        // The period row above the tree, the filter row above the list, both below the banner.
        rowAbove({w.Text2, w.UpDown1, w.Combo1, w.UpDown2, w.Command2}, w.Trv1);
        rowAbove({w.Combo2, w.Command1, w.Command4}, w.Liv1);
        notOverlapping({w.Combo2, w.Command1, w.Command4});
        QCOMPARE(w.Text2->pos(), QPoint(tree.x(), 5 + banner));
        QCOMPARE(w.Command1->y(), 4 + banner);
        QCOMPARE(tree.y(), w.Text2->geometry().bottom() + 4);
        // Each row runs from its column's left edge to one pixel short of its right edge.
        QCOMPARE(w.Command2->geometry().right(), tree.right() - 1);
        QCOMPARE(w.Combo2->x(), list.x());
        QCOMPARE(w.Command4->geometry().right(), list.right());
        QCOMPARE(m.TrvState, storedTrvState);
    }

    // Where the tree leaves the period row room enough, its controls stand apart. (At the
    // least tree width of 128 pixels the combo box has no room left and the row crowds.)
    void periodRowApart_data() {
        QTest::addColumn<QString>("trvState");
        QTest::addColumn<QString>("accState");
        QTest::addColumn<int>("width");
        QTest::newRow("20 percent of 1226, left")
            << QStringLiteral("20") << QStringLiteral("11") << 1226;
        QTest::newRow("20 percent of 1000, left")
            << QStringLiteral("20") << QStringLiteral("11") << 1000;
        QTest::newRow("30 percent of 1200, right")
            << QStringLiteral("30") << QStringLiteral("01") << 1200;
    }
    void periodRowApart() {
        QFETCH(QString, trvState);
        QFETCH(QString, accState);
        QFETCH(int, width);
        TestEnv env;
        env.ctx.session.Setting.TrvState = trvState;
        env.ctx.session.Setting.AccState = accState;
        MainForm w(env.ctx);
        w.resize(width, 700);
        w.show();
        notOverlapping({w.Text2, w.UpDown1, w.Combo1, w.UpDown2, w.Command2});
        QVERIFY(w.Combo1->width() > 0);
    }

    // The real widths after a pass, with figures in the panels: the bar's own layout must
    // not squeeze them to nothing or hand their room to its spacer.
    void panelWidths_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QList<int>>("widths");
        QTest::newRow("1226") << 1226 << QList<int>{60, 200, 60, 200, 40, 155, 295, 60, 155};
        QTest::newRow("1000") << 1000 << QList<int>{60, 155, 60, 155, 40, 120, 228, 60, 120};
    }
    void panelWidths() {
        QFETCH(int, width);
        QFETCH(QList<int>, widths);
        TestEnv env;
        MainForm w(env.ctx);
        for (int n : {2, 4, 6, 7, 9})
            w.SetPanelText(n, QStringLiteral("12,345,678.90"));
        w.resize(width, 700);
        w.show();
        QCoreApplication::processEvents();
        QCOMPARE(w.width(), width);
        int x = 0;
        for (int n = 1; n <= 9; ++n) {
            QLabel* p = w.Panel(n);
            QVERIFY(p->isVisible());
            QCOMPARE(p->width(), widths[n - 1]);
            QCOMPARE(p->x(), x);
            QVERIFY(p->height() >= p->fontMetrics().height());
            QVERIFY(p->geometry().bottom() < w.statusBar()->height());
            x += p->width();
        }
        QVERIFY(x <= width);
    }

    void minimumSize() {
        TestEnv env;
        MainForm w(env.ctx);
        w.resize(1100, 700);
        w.show();
        w.resize(800, 400);
        QCOMPARE(w.size(), QSize(1000, 533));
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
