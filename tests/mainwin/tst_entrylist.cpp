// The entry list: rows of both sides and of sub-accounts, signs, running total and the
// period figure, filters, budget panels, icons and colours, and the filter choices.
#include <QAction>
#include <QSignalSpy>
#include <QTest>

#include "mainform_fixture.h"
#include "mainwin/entrylistmodel.h"
#include "store/amounts.h"
#include "windowparts/colourtable.h"
#include "windowparts/imagelist.h"

namespace {
const QColor red(206, 0, 0);
const QColor blue(0, 0, 255);

void setViews(MainForm& w, bool add, bool show) {
    w.View_Add->setChecked(add);
    w.View_Show->setChecked(show);
    w.View_Budget->setChecked(true);
    w.View_BudgetI->setChecked(false);
    w.View_BudgetE->setChecked(false);
}

// Today is 2024/01/15 (the test clock).
void fillHousehold(LedgerBuilder& b) {
    b.account("A-現金")
        .account("A-銀行")
        .account("L-信用卡")
        .account("I-薪資")
        .account("E-餐飲費")
        .account("E-餐飲費.早餐")
        .account("Equity");
    b.entry("2023/12/31", "A-現金", "Equity", 100000, "[現金初值]")
        .entry("2024/01/02", "E-餐飲費", "A-現金", 12000, "午餐")
        .entry("2024/01/03", "E-餐飲費.早餐", "A-現金", 5000, "早餐")
        .entry("2024/01/04", "I-薪資", "A-現金", 300000, "一月")
        .entry("2024/01/05", "A-銀行", "A-現金", 20000, "轉帳")
        .entry("2024/01/06", "L-信用卡", "A-現金", 10000, "繳卡費")
        .entry("2024/01/20", "E-餐飲費", "L-信用卡", 3000, "晚餐");
}
} // namespace

class EntryListTest : public QObject {
    Q_OBJECT
private slots:
    void rowsAndSigns_data() {
        QTest::addColumn<QString>("account");
        QTest::addColumn<int>("period");
        QTest::addColumn<bool>("showSubAccounts");
        QTest::addColumn<QStringList>("others");
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QStringList>("running");
        QTest::addColumn<QString>("figure");
        QTest::newRow("asset in a month starts from the carried balance")
            << QStringLiteral("A-現金") << 2 << false
            << QStringList{"E-餐飲費", "E-餐飲費.早餐", "I-薪資", "A-銀行", "L-信用卡"}
            << QStringList{"-120.00", "-50.00", "3,000.00", "-200.00", "-100.00"}
            << QStringList{"880.00", "830.00", "3,830.00", "3,630.00", "3,530.00"}
            << QStringLiteral("1,000.00 ~ 3,530.00");
        QTest::newRow("asset over everything starts at zero")
            << QStringLiteral("A-現金") << 0 << false
            << QStringList{"Equity", "E-餐飲費", "E-餐飲費.早餐", "I-薪資", "A-銀行", "L-信用卡"}
            << QStringList{"1,000.00", "-120.00", "-50.00", "3,000.00", "-200.00", "-100.00"}
            << QStringList{"1,000.00", "880.00", "830.00", "3,830.00", "3,630.00", "3,530.00"}
            << QStringLiteral("3,530.00");
        QTest::newRow("receiving side of a transfer")
            << QStringLiteral("A-銀行") << 2 << false << QStringList{"A-現金"}
            << QStringList{"200.00"} << QStringList{"200.00"} << QStringLiteral("0.00 ~ 200.00");
        QTest::newRow("liability paid and charged")
            << QStringLiteral("L-信用卡") << 2 << false << QStringList{"A-現金", "E-餐飲費"}
            << QStringList{"-100.00", "30.00"} << QStringList{"-100.00", "-70.00"}
            << QStringLiteral("0.00 ~ -70.00");
        QTest::newRow("expense with sub-accounts")
            << QStringLiteral("E-餐飲費") << 2 << true
            << QStringList{"A-現金", "A-現金", "L-信用卡"}
            << QStringList{"120.00", "50.00", "30.00"} << QStringList{"120.00", "170.00", "200.00"}
            << QStringLiteral("200.00");
        QTest::newRow("expense without sub-accounts")
            << QStringLiteral("E-餐飲費") << 2 << false << QStringList{"A-現金", "L-信用卡"}
            << QStringList{"120.00", "30.00"} << QStringList{"120.00", "150.00"}
            << QStringLiteral("150.00");
        QTest::newRow("sub-account rows never under an asset")
            << QStringLiteral("A-銀行") << 0 << true << QStringList{"A-現金"}
            << QStringList{"200.00"} << QStringList{"200.00"} << QStringLiteral("200.00");
        QTest::newRow("equity") << QStringLiteral("Equity") << 0 << false << QStringList{"A-現金"}
                                << QStringList{"1,000.00"} << QStringList{"1,000.00"}
                                << QStringLiteral("1,000.00");
    }
    void rowsAndSigns() {
        QFETCH(QString, account);
        QFETCH(int, period);
        QFETCH(bool, showSubAccounts);
        QFETCH(QStringList, others);
        QFETCH(QStringList, amounts);
        QFETCH(QStringList, running);
        QFETCH(QString, figure);
        MainFormFixture f;
        fillHousehold(f.b);
        MainForm& w = f.open(period, 2024);
        setViews(w, false, showSubAccounts);
        f.list(account);
        QCOMPARE(f.column(2), others);
        QCOMPARE(f.column(3), amounts);
        QCOMPARE(f.column(4), running);
        QCOMPARE(w.PanelText(4), figure);
        QCOMPARE(w.PanelText(9), QString::number(others.size()) + " / 7");
        QCOMPARE(w.ListedAccount, account);
        // The last row dated today or earlier carries the blue mark; negatives are red.
        const EntryListRowRef last = f.row(others.size() - 1);
        if (last->text(0) <= QString("2024/01/15")) QCOMPARE(last->foreground(3).color(), blue);
        for (int r = 0; r < others.size(); ++r)
            if (amounts[r].startsWith('-')) QCOMPARE(f.row(r)->foreground(2).color(), red);
    }

    void periodFigureStopsAtToday() {
        MainFormFixture f;
        fillHousehold(f.b);
        f.env.ctx.session.Setting.AftState = "0";
        MainForm& w = f.open(2, 2024);
        setViews(w, false, true);
        f.list("E-餐飲費");
        QCOMPARE(f.column(4), (QStringList{"120.00", "170.00", "200.00"}));
        QCOMPARE(w.PanelText(4), QString("170.00"));
        QCOMPARE(f.row(1)->foreground(3).color(), blue);
        QVERIFY(f.row(2)->foreground(3).color() != blue);
    }

    void figureFromTheTreeWithViewAdd() {
        MainFormFixture f;
        fillHousehold(f.b);
        MainForm& w = f.open(2, 2024);
        setViews(w, true, false);
        w.UpdateTreeTotals();
        f.list("E-餐飲費");
        // Two rows listed, but the figure is the account with its sub-account.
        QCOMPARE(f.column(4), (QStringList{"120.00", "150.00"}));
        QCOMPARE(w.PanelText(4), QString("200.00"));
        // Without amounts in the tree there is no figure to read back.
        f.env.ctx.session.Setting.AccState = "10";
        w.UpdateTreeTotals();
        w.ListAccountRecords(FindAccountIndex(f.env.ctx.ledger, "E-餐飲費"));
        QCOMPARE(w.PanelText(4), QString("--"));
        QCOMPARE(w.PanelText(6), QString());
    }

    void filters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("part of a detail") << QStringLiteral("午") << QStringList{"1"};
        QTest::newRow("detail, letter case ignored")
            << QStringLiteral("dinner") << QStringList{"3"};
        QTest::newRow("short note") << QStringLiteral("同事") << QStringList{"1"};
        QTest::newRow("full note beyond 100 bytes") << QStringLiteral("咖啡廳") << QStringList{"2"};
        QTest::newRow("invoice digits") << QStringLiteral("12345678") << QStringList{"1"};
        QTest::newRow("invoice letters and digits")
            << QStringLiteral("AB12345678") << QStringList{"1"};
        QTest::newRow("part of an invoice finds nothing")
            << QStringLiteral("1234567") << QStringList{};
        QTest::newRow("amount without separators") << QStringLiteral("1200.00") << QStringList{"3"};
        QTest::newRow("amount as shown finds nothing")
            << QStringLiteral("1,200.00") << QStringList{};
        QTest::newRow("ticked") << QStringLiteral("#勾選標記") << QStringList{"1"};
        QTest::newRow("not ticked") << QStringLiteral("#未勾選標記") << QStringList{"2", "3"};
    }
    void filters() {
        QFETCH(QString, filter);
        QFETCH(QStringList, entries);
        MainFormFixture f;
        f.b.account("E-餐飲費").account("A-現金");
        f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 12000, "午餐")
            .note("和同事")
            .invoice("AB", "12345678")
            .checked();
        f.b.entry("2024/01/03", "E-餐飲費", "A-現金", 5000, "早餐")
            .note(QString(60, QChar(u'長')) + "咖啡廳");
        f.b.entry("2024/01/04", "E-餐飲費", "A-現金", 120000, "Dinner");
        MainForm& w = f.open(0, 2024);
        setViews(w, false, false);
        w.Combo2->setEditText(filter);
        w.Command1_Click();
        QCOMPARE(f.column(8), entries);
        QCOMPARE(w.Combo2->currentText(), filter);
    }

    void filteredAssetHasNoRunningTotal() {
        MainFormFixture f;
        fillHousehold(f.b);
        MainForm& w = f.open(2, 2024);
        setViews(w, false, false);
        f.list("A-現金");
        w.Combo2->setEditText("餐");
        w.Command1_Click();
        QCOMPARE(f.column(4), (QStringList{"--", "--"}));
        QCOMPARE(w.PanelText(4), QString("1,000.00 ~ 1,000.00"));
    }

    void budgets_data() {
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("zeroState");
        QTest::addColumn<bool>("rollUp");
        QTest::addColumn<int>("budgetView"); // 0 account, 1 income total, 2 expense total
        QTest::addColumn<QString>("budget");
        QTest::addColumn<QString>("message");
        QTest::newRow("expense within budget")
            << QStringLiteral("E-餐飲費") << QStringLiteral("1") << false << 0
            << QStringLiteral("500.00") << QStringLiteral("還可以花 350.00 元");
        QTest::newRow("sub-account sum, not every name containing it")
            << QStringLiteral("E-餐飲費") << QStringLiteral("1") << true << 0
            << QStringLiteral("520.00") << QStringLiteral("還可以花 320.00 元");
        QTest::newRow("expense over budget")
            << QStringLiteral("E-餐飲費.早餐") << QStringLiteral("1") << false << 0
            << QStringLiteral("20.00") << QStringLiteral(" 支出超出預算 30.00 元");
        QTest::newRow("zero budget hidden")
            << QStringLiteral("I-薪資") << QStringLiteral("1") << false << 0 << QStringLiteral("--")
            << QStringLiteral("");
        QTest::newRow("zero budget shown")
            << QStringLiteral("I-薪資") << QStringLiteral("0") << false << 0
            << QStringLiteral("0.00") << QStringLiteral("");
        QTest::newRow("asset below target")
            << QStringLiteral("A-現金") << QStringLiteral("1") << false << 0
            << QStringLiteral("5,000.00") << QStringLiteral(" 離目標還差 1,470.00 元");
        QTest::newRow("expense total from the accounts")
            << QStringLiteral("E-餐飲費") << QStringLiteral("1") << false << 2
            << QStringLiteral("1,520.00") << QStringLiteral("還可以花 1,320.00 元");
        QTest::newRow("income total row")
            << QStringLiteral("I-薪資") << QStringLiteral("1") << false << 1
            << QStringLiteral("4,000.00") << QStringLiteral(" 離目標還差 1,000.00 元");
    }
    void budgets() {
        QFETCH(QString, account);
        QFETCH(QString, zeroState);
        QFETCH(bool, rollUp);
        QFETCH(int, budgetView);
        QFETCH(QString, budget);
        QFETCH(QString, message);
        MainFormFixture f;
        fillHousehold(f.b);
        f.b.account("E-餐飲費用")
            .budget("E-餐飲費", 1, 50000)
            .budget("E-餐飲費.早餐", 1, 2000)
            .budget("E-餐飲費用", 1, 100000)
            .budget("A-現金", 1, 500000)
            .totalBudget(3, 1, 400000);
        f.env.ctx.session.Setting.ZeroState = zeroState;
        MainForm& w = f.open(2, 2024);
        setViews(w, rollUp, false);
        if (budgetView == 1)
            w.View_BudgetI_Click();
        else if (budgetView == 2)
            w.View_BudgetE_Click();
        w.UpdateTreeTotals();
        f.list(account);
        QCOMPARE(w.PanelText(6), budget);
        QCOMPARE(w.PanelText(7), message);
    }

    void noBudgetOverEverything() {
        MainFormFixture f;
        fillHousehold(f.b);
        f.b.budget("E-餐飲費", 0, 50000);
        MainForm& w = f.open(0, 2024);
        setViews(w, false, false);
        f.list("E-餐飲費");
        QCOMPARE(w.PanelText(6), QString());
        QCOMPARE(w.PanelText(7), QString());
    }

    void iconsAndColours() {
        MainFormFixture f;
        f.b.account("E-餐飲費").account("A-現金").account("L-信用卡");
        f.b.entry("2024/01/13", "E-餐飲費", "A-現金", 100).colour(2);    // Saturday
        f.b.entry("2024/01/14", "E-餐飲費", "L-信用卡", 100).colour(12); // Sunday, damaged colour
        f.b.entry("2024/01/15", "E-餐飲費", "A-現金", 100).remind(0);    // today
        f.b.entry("2024/01/16", "E-餐飲費", "A-現金", 100).remind(1);    // tomorrow
        MainForm& w = f.open(0, 2024);
        setViews(w, false, false);
        f.list("E-餐飲費");
        auto iconOf = [&](int r, int c) { return f.row(r)->icon(c).cacheKey(); };
        QCOMPARE(iconOf(0, 0), ImageList2::icon(12).cacheKey());
        QCOMPARE(iconOf(2, 0), ImageList2::icon(14).cacheKey());
        QCOMPARE(iconOf(3, 0), ImageList2::icon(13).cacheKey());
        QCOMPARE(iconOf(0, 1), ImageList2::icon(8).cacheKey());
        QCOMPARE(iconOf(1, 1), ImageList2::icon(9).cacheKey());
        QCOMPARE(f.row(0)->foreground(0).color(), QColor(0, 112, 0));
        QCOMPARE(f.row(1)->foreground(0).color(), red);
        QCOMPARE(f.row(3)->foreground(0).color(), red);
        QCOMPARE(f.row(0)->foreground(4).color(), ColourTable::colour(2));
        QCOMPARE(f.row(1)->foreground(6).color(), ColourTable::colour(0));
        QCOMPARE(int(f.env.ctx.ledger.EntryStyles[2].ColourIndex), 12);
    }

    // A note typed with line breaks shows its first line and "…": every row stays one line
    // high, whichever row holds that note.
    void rowsStayOneLine_data() {
        QTest::addColumn<int>("noteRow");
        QTest::newRow("first row") << 0;
        QTest::newRow("last row") << 2;
    }

    void rowsStayOneLine() {
        QFETCH(int, noteRow);
        MainFormFixture f;
        f.b.account("E-餐飲費").account("A-現金");
        for (int r = 0; r < 3; ++r) {
            f.b.entry(QStringLiteral("2024/01/0%1").arg(r + 2), "E-餐飲費", "A-現金", 100, "午餐");
            if (r == noteRow) f.b.note(QStringLiteral("第一行\r\n第二行"));
        }
        MainForm& w = f.open(0, 2024);
        setViews(w, false, false);
        w.show();
        f.list("E-餐飲費");
        QCoreApplication::processEvents();
        const int twoLines = 2 * w.Liv1->fontMetrics().lineSpacing();
        for (int r = 0; r < 3; ++r) {
            const QModelIndex note = w.Liv1->model()->index(r, EntryListModel::Note);
            const QRect rect = w.Liv1->visualRect(note);
            QVERIFY2(rect.height() < twoLines,
                     qPrintable(QStringLiteral("row %1: %2").arg(r).arg(rect.height())));
            QCOMPARE(note.data().toString(), r == noteRow ? QStringLiteral("第一行…") : QString());
        }
        // The row still names the whole note.
        QCOMPARE(f.column(6).value(noteRow), QStringLiteral("第一行\r\n第二行"));
    }

    void fillingNeverMarksChanges() {
        MainFormFixture f;
        f.b.account("E-餐飲費").account("A-現金");
        f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 100).checked();
        f.b.entry("2024/01/03", "E-餐飲費", "A-現金", 100);
        MainForm& w = f.open(0, 2024);
        QSignalSpy checks(w.Liv1Rows, &EntryListModel::checkToggled);
        f.list("E-餐飲費");
        w.ListAccountRecords(1);
        QCOMPARE(f.row(0)->checkState(0), Qt::Checked);
        QCOMPARE(f.row(1)->checkState(0), Qt::Unchecked);
        QCOMPARE(checks.count(), 0);
        QVERIFY(!w.LedgerChanged());
    }

    // Dates no calendar has (a damaged file) fall where their text sorts: from the first
    // day up to, not including, the next period's first day.
    void impossibleDatesByTheirText() {
        MainFormFixture f;
        f.b.account("E-餐飲費").account("A-現金");
        f.b.entry("2024/11/31", "E-餐飲費", "A-現金", 100)
            .entry("2024/12/32", "E-餐飲費", "A-現金", 200)
            .entry("2025/01/00", "E-餐飲費", "A-現金", 300)
            .entry("2025/01/01", "E-餐飲費", "A-現金", 400);
        MainForm& w = f.open(Periods::LastMonth, 2024);
        setViews(w, false, false);
        f.list("E-餐飲費");
        QCOMPARE(f.column(8), (QStringList{"2", "3"}));
        QCOMPARE(f.column(1), (QStringList{"2024/12/32", "2025/01/00"}));
    }

    void indexOutsideTheTable() {
        MainFormFixture f;
        fillHousehold(f.b);
        MainForm& w = f.open(2, 2024);
        setViews(w, false, false);
        f.list("A-銀行");
        w.ListAccountRecords(0);
        QCOMPARE(f.column(8), QStringList{"5"});
        QCOMPARE(w.ListedAccount, QString("A-銀行"));
        // An index beyond the table is reported, not read.
        w.ListAccountRecords(f.env.ctx.ledger.AccountCount);
        QCOMPARE(f.env.prompts.texts("warning"), QStringList{"列表發生錯誤!"});
        QCOMPARE(w.ListedAccount, QString("A-銀行"));
    }

    void filterChoices() {
        MainFormFixture f;
        f.b.account("E-餐飲費").account("A-現金");
        f.b.detailText("E-餐飲費", "早餐")
            .detailText("未分類", "雜支")
            .detailText("A-現金", "提款")
            .detailText("E-餐飲費", "午餐");
        MainForm& w = f.open(0, 2024);
        w.Combo2->setEditText("typed");
        w.FillClassFilterCombo();
        QStringList items;
        for (int i = 0; i < w.Combo2->count(); ++i)
            items << w.Combo2->itemText(i);
        QCOMPARE(items, (QStringList{"早餐", "午餐", "雜支", "#勾選標記", "#未勾選標記"}));
        QCOMPARE(w.Combo2->currentText(), QString("typed"));
    }
};

QTEST_MAIN(EntryListTest)
#include "tst_entrylist.moc"
