// Tree totals: the sign rules over all accounts, roll-up into parents, kind totals, the
// period and today cut, hidden amounts, and the figure of status panel 2.
#include <QAction>
#include <QTest>

#include "mainform_fixture.h"

class TreeTotalsTest : public QObject {
    Q_OBJECT

    // Opening balances, a card purchase and payment, income, sub-account expenses and a
    // transfer between two asset accounts.
    static void fillHousehold(LedgerBuilder& b) {
        b.account("A-現金")
            .account("A-銀行")
            .account("L-信用卡")
            .account("I-薪資")
            .account("E-交通費")
            .account("E-交通費.公車")
            .account("E-交通費.火車.自強號")
            .account("Equity");
        b.entry("2024/01/01", "A-現金", "Equity", 120000)
            .entry("2024/01/01", "L-信用卡", "Equity", 30000)
            .entry("2024/01/05", "E-交通費.公車", "L-信用卡", 5000)
            .entry("2024/01/06", "L-信用卡", "A-現金", 10000)
            .entry("2024/01/07", "I-薪資", "A-銀行", 200000)
            .entry("2024/01/08", "E-交通費.火車.自強號", "A-現金", 3000)
            .entry("2024/01/09", "E-交通費", "A-現金", 1000)
            .entry("2024/01/10", "A-銀行", "A-現金", 500);
    }

private slots:
    void signsAndRollUp_data() {
        QTest::addColumn<bool>("rollUp");
        QTest::addColumn<QStringList>("expenseTexts"); // 交通費, 公車, 火車, 自強號
        QTest::newRow("View_Add checked")
            << true << QStringList{"交通費: 90.00", "公車: 50.00", "火車: 30.00", "自強號: 30.00"};
        QTest::newRow("View_Add unchecked")
            << false << QStringList{"交通費: 10.00", "公車: 50.00", "火車: 0.00", "自強號: 30.00"};
    }
    void signsAndRollUp() {
        QFETCH(bool, rollUp);
        QFETCH(QStringList, expenseTexts);
        MainFormFixture f;
        fillHousehold(f.b);
        MainForm& w = f.open();
        w.View_Add->setChecked(rollUp);
        w.UpdateTreeTotals();
        QCOMPARE(f.nodeText("A-現金"), QString("現金: 1,055.00"));
        QCOMPARE(f.nodeText("A-銀行"), QString("銀行: 2,005.00"));
        QCOMPARE(f.nodeText("L-信用卡"), QString("信用卡: 250.00"));
        QCOMPARE(f.nodeText("I-薪資"), QString("薪資: 2,000.00"));
        QCOMPARE(f.nodeText("Equity"), QString("Equity: 900.00"));
        QCOMPARE((QStringList{f.nodeText("E-交通費"), f.nodeText("E-交通費.公車"),
                              f.nodeText("E-交通費.火車"), f.nodeText("E-交通費.火車.自強號")}),
                 expenseTexts);
        // Kind totals count every account once, whatever View_Add says.
        QCOMPARE(w.Node(1)->text(0), QString("資產: 3,060.00"));
        QCOMPARE(w.Node(2)->text(0), QString("負債: 250.00"));
        QCOMPARE(w.Node(3)->text(0), QString("收入: 2,000.00"));
        QCOMPARE(w.Node(4)->text(0), QString("支出: 90.00"));
        QCOMPARE(w.Node(5)->text(0), QString("其他"));
        QCOMPARE(w.PanelText(2), QString("1,910.00"));
    }

    void periods_data() {
        QTest::addColumn<int>("period");
        QTest::addColumn<QString>("aftState");
        QTest::addColumn<QString>("dayState");
        QTest::addColumn<QString>("dayState2");
        QTest::addColumn<QString>("income");
        QTest::addColumn<QString>("cash");
        // Today is 2024/01/15; entries on 2023/12/20, 2024/01/10, 2024/01/20, 2024/02/10.
        QTest::newRow("january") << 2 << QStringLiteral("1") << QStringLiteral("1")
                                 << QStringLiteral("0") << QStringLiteral("薪資: 60.00")
                                 << QStringLiteral("現金: 70.00");
        QTest::newRow("january cut at today")
            << 2 << QStringLiteral("0") << QStringLiteral("1") << QStringLiteral("0")
            << QStringLiteral("薪資: 20.00") << QStringLiteral("現金: 30.00");
        QTest::newRow("february after today")
            << 3 << QStringLiteral("0") << QStringLiteral("1") << QStringLiteral("0")
            << QStringLiteral("薪資: 0.00") << QStringLiteral("現金: 30.00");
        QTest::newRow("all with future entries")
            << 0 << QStringLiteral("1") << QStringLiteral("1") << QStringLiteral("0")
            << QStringLiteral("薪資: 150.00") << QStringLiteral("現金: 150.00");
        QTest::newRow("all cut at today")
            << 0 << QStringLiteral("0") << QStringLiteral("1") << QStringLiteral("0")
            << QStringLiteral("薪資: 30.00") << QStringLiteral("現金: 30.00");
        QTest::newRow("january from 12/20")
            << 2 << QStringLiteral("1") << QStringLiteral("20") << QStringLiteral("1")
            << QStringLiteral("薪資: 30.00") << QStringLiteral("現金: 30.00");
        QTest::newRow("whole year from 01/20")
            << 1 << QStringLiteral("1") << QStringLiteral("20") << QStringLiteral("1")
            << QStringLiteral("薪資: 120.00") << QStringLiteral("現金: 150.00");
        QTest::newRow("day out of range is limited")
            << 2 << QStringLiteral("1") << QStringLiteral("99") << QStringLiteral("0")
            << QStringLiteral("薪資: 80.00") << QStringLiteral("現金: 150.00");
    }
    void periods() {
        QFETCH(int, period);
        QFETCH(QString, aftState);
        QFETCH(QString, dayState);
        QFETCH(QString, dayState2);
        QFETCH(QString, income);
        QFETCH(QString, cash);
        MainFormFixture f;
        f.b.account("A-現金").account("I-薪資");
        f.b.entry("2023/12/20", "I-薪資", "A-現金", 1000)
            .entry("2024/01/10", "I-薪資", "A-現金", 2000)
            .entry("2024/01/20", "I-薪資", "A-現金", 4000)
            .entry("2024/02/10", "I-薪資", "A-現金", 8000);
        SettingMirrors& s = f.env.ctx.session.Setting;
        s.AftState = aftState;
        s.DayState = dayState;
        s.DayState2 = dayState2;
        f.open(period, 2024);
        QCOMPARE(f.nodeText("I-薪資"), income);
        QCOMPARE(f.nodeText("A-現金"), cash);
    }

    void hiddenAmounts() {
        MainFormFixture f;
        f.b.account("A-銀行.台銀").account("I-薪資").account("Equity");
        f.b.entry("2024/01/15", "I-薪資", "A-銀行.台銀", 1234);
        f.env.ctx.session.Setting.AccState = "10";
        MainForm& w = f.open();
        QCOMPARE(f.nodeText("A-銀行"), QString("銀行"));
        QCOMPARE(f.nodeText("A-銀行.台銀"), QString("台銀"));
        QCOMPARE(f.nodeText("Equity"), QString("Equity"));
        QCOMPARE(w.Node(1)->text(0), QString("資產"));
        QCOMPARE(w.PanelText(2), QString("--"));
        w.View_Today_Click();
        QCOMPARE(w.PanelText(2), QString("12.34 / 0.00"));
        QCOMPARE(w.PanelText(1), QString("今日收支"));
    }

    void dayFiguresCountWholeUnitsDifferently() {
        // With decimals hidden, today's figure cuts each entry, yesterday's the sum.
        MainFormFixture f;
        f.b.account("A-現金").account("I-其他收入");
        f.b.entry("2024/01/15", "I-其他收入", "A-現金", 50)
            .entry("2024/01/15", "I-其他收入", "A-現金", 50)
            .entry("2024/01/14", "I-其他收入", "A-現金", 50)
            .entry("2024/01/14", "I-其他收入", "A-現金", 50);
        f.env.ctx.session.DotState = "0";
        MainForm& w = f.open();
        w.View_Today_Click();
        QCOMPARE(w.PanelText(2), QString("0 / 0"));
        w.View_Yesterday_Click();
        QCOMPARE(w.PanelText(2), QString("1 / 0"));
        QCOMPARE(w.PanelText(1), QString("昨日收支"));
    }

    void emptyLedgerShowsZero() {
        MainFormFixture f;
        f.b.account("A-現金").account("Equity");
        MainForm& w = f.open();
        QCOMPARE(f.nodeText("A-現金"), QString("現金: 0.00"));
        QCOMPARE(w.Node(4)->text(0), QString("支出: 0.00"));
    }

    void yearBoxThatMakesNoDate_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("letters") << QStringLiteral("abc");
        QTest::newRow("empty") << QStringLiteral("");
        QTest::newRow("zero") << QStringLiteral("0");
        QTest::newRow("five digits") << QStringLiteral("12345");
        QTest::newRow("fraction") << QStringLiteral("2024.5");
    }
    void yearBoxThatMakesNoDate() {
        QFETCH(QString, typed);
        MainFormFixture f;
        f.b.account("A-現金").account("I-薪資");
        f.b.entry("2024/01/10", "I-薪資", "A-現金", 2000);
        MainForm& w = f.open(Periods::WholeYear, 2020);
        w.Text2->setText(typed);
        w.UpdateTreeTotals();
        QCOMPARE(w.Text2->text(), QString("2024"));
        QCOMPARE(f.nodeText("I-薪資"), QString("薪資: 20.00"));
        QVERIFY(f.env.prompts.shown.isEmpty());
    }
};

QTEST_MAIN(TreeTotalsTest)
#include "tst_treetotals.moc"
