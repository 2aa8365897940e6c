// The layout pass: tree width and side, banner offset, the two control rows, the list,
// the status panel widths and the minimum window size.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

    void panelWidths() {
        TestEnv env;
        MainForm w(env.ctx);
        w.resize(1226, 700);
        w.show();
        QCOMPARE(w.Panel(2)->maximumWidth(), 200);
        QCOMPARE(w.Panel(4)->maximumWidth(), 200);
        QCOMPARE(w.Panel(6)->maximumWidth(), 155);
        QCOMPARE(w.Panel(7)->maximumWidth(), 295);
        QCOMPARE(w.Panel(9)->maximumWidth(), 155);
        QCOMPARE(w.Panel(1)->width(), 60);
        QCOMPARE(w.Panel(5)->width(), 40);
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
