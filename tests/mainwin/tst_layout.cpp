// The layout pass: tree width and side, banner offset, the two control rows, the list,
// the status panel widths and the minimum window size.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

#include "mainwin/mainform.h"
#include "support/testenv.h"

class LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void placement_data() {
        QTest::addColumn<QString>("trvState");
        QTest::addColumn<QString>("accState");
        QTest::addColumn<QString>("showTitle");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("treeWidth");
        QTest::addColumn<bool>("treeLeft");
        QTest::addColumn<int>("banner");
        QTest::newRow("20 percent, left, banner")
            << QStringLiteral("20") << QStringLiteral("11") << QStringLiteral("0") << 1226 << 245
            << true << 52;
        QTest::newRow("10 percent is below the minimum")
            << QStringLiteral("10") << QStringLiteral("11") << QStringLiteral("0") << 1000 << 128
            << true << 52;
        QTest::newRow("empty counts as 20") << QStringLiteral("") << QStringLiteral("11")
                                            << QStringLiteral("1") << 1000 << 200 << true << 0;
        QTest::newRow("not a number gives the minimum")
            << QStringLiteral("abc") << QStringLiteral("11") << QStringLiteral("1") << 1000 << 128
            << true << 0;
        QTest::newRow("tree on the right") << QStringLiteral("30") << QStringLiteral("01")
                                           << QStringLiteral("1") << 1200 << 360 << false << 0;
    }
    void placement() {
        QFETCH(QString, trvState);
        QFETCH(QString, accState);
        QFETCH(QString, showTitle);
        QFETCH(int, width);
        QFETCH(int, treeWidth);
        QFETCH(bool, treeLeft);
        QFETCH(int, banner);
        TestEnv env;
        SettingMirrors& m = env.ctx.session.Setting;
        m.TrvState = trvState;
        m.AccState = accState;
        m.ShowTitleState = showTitle;
        MainForm w(env.ctx);
        w.resize(width, 700);
        w.show();
        const int W = w.width();
        const int P = w.Picture1->height();
        const int ht = w.Text2->height();
        QCOMPARE(W, width);
        QCOMPARE(w.Trv1->width(), treeWidth);
        const int L = treeLeft ? 5 : W - treeWidth - 4;
        QCOMPARE(w.Trv1->geometry(), QRect(L, ht + 8 + banner, treeWidth, P - ht - 12 - banner));
        QCOMPARE(w.Text2->pos(), QPoint(L, 5 + banner));
        QCOMPARE(w.Command2->geometry().right() + 1, L + treeWidth - 1);
        const int listLeft = treeLeft ? treeWidth + 9 : 7;
        QCOMPARE(w.Liv1->geometry(),
                 QRect(listLeft, ht + 8 + banner, W - treeWidth - 16, P - ht - 12 - banner));
        QCOMPARE(w.Combo2->x(), listLeft);
        QCOMPARE(w.Command4->geometry().right() + 1, listLeft + W - treeWidth - 16);
        QCOMPARE(w.Command1->y(), 4 + banner);
        if (trvState.isEmpty()) QCOMPARE(m.TrvState, QString("20"));
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
