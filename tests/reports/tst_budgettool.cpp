// Runs the built report-tool's budget, yearly and daily verbs on a small ledger folder: the
// table and its progress texts, budgets typed and cleared and saved in place, the yearly
// tabs, the daily list, the arrows, an export each, and bad arguments.
#include <QTest>

#include "platform/codec.h"
#include "store/loadledger.h"
#include "support/ledgerbuilder.h"
#include "support/testenv.h"
#include "support/testfiles.h"
#include "support/toolprocess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonObject json(const ToolProcess& run) {
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

QStringList strings(const QJsonValue& array) {
    QStringList out;
    for (const QJsonValue& v : array.toArray())
        out.append(v.toString());
    return out;
}

QStringList cells(const QJsonValue& row) {
    return strings(row.toObject()["cells"]);
}

// A ledger shown with decimals: cash, a bank account, Equity between the assets and a
// credit card, a salary, meals with a breakfast sub-account and a sub-account whose parent
// account is missing (交通.捷運). March 2024 has figures against budgets.
struct Fixture {
    TestEnv env;
    QString folder;

    Fixture() {
        folder = env.makeLedger("Amy", "Home");
        LedgerBuilder b(env.ctx.ledger);
        b.account("A-現金").account("A-銀行").account("Equity").account("L-信用卡");
        b.account("I-薪資").account("E-餐飲").account("E-餐飲.早餐").account("E-交通.捷運");
        b.entry("2024/01/01", "A-銀行", "Equity", 10000000);
        b.entry("2024/03/02", "A-現金", "L-信用卡", 45000);
        b.entry("2024/03/05", "E-餐飲", "A-現金", 21000);
        b.entry("2024/03/06", "E-餐飲.早餐", "A-現金", 5000);
        b.entry("2024/03/07", "E-交通.捷運", "A-現金", 3000);
        b.entry("2024/03/10", "I-薪資", "A-銀行", 400000);
        b.budget("E-餐飲", 3, 80000).budget("E-餐飲.早餐", 3, 10000);
        b.budget("I-薪資", 3, 500000).budget("L-信用卡", 3, 30000);
        b.budget("E-餐飲", 0, 1200000).budget("E-餐飲", 4, 70000);
        b.totalBudget(3, 3, 600000);
        if (!LedgerBuilder::writeFolder(env.ctx)) qFatal("fixture not written");
        TestFiles::put(folder + "DotState.qvd", {});
    }

    // The ledger as the next opening reads it.
    const Ledger& reload() {
        if (!LoadLedger(env.ctx)) qFatal("ledger not loaded");
        return env.ctx.ledger;
    }

    static const AccountRecord* account(const Ledger& l, const QString& name) {
        for (int i = 1; i < l.AccountCount; ++i)
            if (l.Accounts[size_t(i)].Name.trimmed() == name) return &l.Accounts[size_t(i)];
        return nullptr;
    }
};

ToolProcess reportTool(const QStringList& args) {
    return RunTool("report-tool", args);
}

} // namespace

class BudgetToolTest : public QObject {
    Q_OBJECT
private slots:
    // The table of March, unticked and ticked: shown texts, colours, bold rows and totals.
    // With the box ticked the sub-account without a parent account is a top-level row, so
    // the expense total stays what it is unticked.
    void budgetTable() {
        Fixture f;
        const QString csv = f.env.path("budget.csv");
        ToolProcess r = reportTool({"budget", f.folder, "--year", "2024", "--period", "03月",
                                    "--today", "2024/12/31", "--export", csv});
        QCOMPARE(r.exitCode, 0);
        QJsonObject out = json(r);
        QCOMPARE(out["clearCaption"].toString(), QStringLiteral("清除本月預算"));
        QJsonArray rows = out["rows"].toArray();
        QCOMPARE(rows.size(), 13);
        QCOMPARE(cells(rows[0]), QStringList({"現金", "160.00", "--", ""}));
        QCOMPARE(cells(rows[3]), QStringList({"信用卡", "450.00", "300.00", "負債超過 150.00"}));
        QCOMPARE(rows[3].toObject()["colour"].toString(), QStringLiteral("#FF0000"));
        QCOMPARE(cells(rows[5]),
                 QStringList({"薪資", "4,000.00", "5,000.00", "80% 未達目標 1,000.00"}));
        QCOMPARE(cells(rows[7]),
                 QStringList({"餐飲", "210.00", "800.00", "26.2% 尚可花費 590.00"}));
        QCOMPARE(rows[7].toObject()["colour"].toString(), QStringLiteral("#007000"));
        QVERIFY(!rows[7].toObject()["bold"].toBool());
        // The income total's own budget replaces the sum; the expense total sums its rows.
        QCOMPARE(cells(rows[11]),
                 QStringList({"收入總和", "4,000.00", "6,000.00", "66.6% 未達目標 2,000.00"}));
        QCOMPARE(cells(rows[12]),
                 QStringList({"支出總和", "290.00", "900.00", "32.2% 尚可花費 610.00"}));
        const QJsonObject exported = out["exports"].toArray()[0].toObject();
        QCOMPARE(exported["defaultName"].toString(), QStringLiteral("Home_2024年03月預算表"));
        QVERIFY(exported["warning"].isNull());
        const QStringList lines = Ansi::decode(TestFiles::get(csv)).split("\r\n");
        QCOMPARE(lines.value(0), QStringLiteral("科目,實際,預算,"));
        QCOMPARE(lines.value(4), QStringLiteral("L-信用卡,450.00,300.00,負債超過 150.00"));
        QCOMPARE(lines.value(5), QStringLiteral("---,,,"));
        QVERIFY(!lines.join("\n").contains(QStringLiteral("總和")));

        r = reportTool({"budget", f.folder, "--year", "2024", "--period", "03月", "--rollup", "1",
                        "--today", "2024/12/31"});
        QCOMPARE(r.exitCode, 0);
        rows = json(r)["rows"].toArray();
        QCOMPARE(cells(rows[7]),
                 QStringList({"餐飲", "260.00", "900.00", "28.8% 尚可花費 640.00"}));
        QVERIFY(rows[7].toObject()["bold"].toBool());
        QVERIFY(!rows[8].toObject()["bold"].toBool()); // 餐飲.早餐
        QVERIFY(rows[9].toObject()["bold"].toBool());  // 交通.捷運, no parent account
        QCOMPARE(cells(rows[12]),
                 QStringList({"支出總和", "290.00", "900.00", "32.2% 尚可花費 610.00"}));

        // The whole year: the year cells, the year of --today when no --year is given.
        r = reportTool({"budget", f.folder, "--period", "整年", "--today", "2024/12/31"});
        rows = json(r)["rows"].toArray();
        QCOMPARE(json(r)["clearCaption"].toString(), QStringLiteral("清除整年預算"));
        QCOMPARE(cells(rows[7]),
                 QStringList({"餐飲", "210.00", "12,000.00", "1.7% 尚可花費 11,790.00"}));
    }

    void budgetSet_data() {
        QTest::addColumn<QStringList>("args"); // TARGET, 13 boxes, options
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QStringList>("warnings");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QList<double>>("cells"); // of the target after the run

        const QList<double> before{1200000, 0, 0, 80000, 70000, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("empty box refused")
            << QStringList{"E-餐飲", "-500", "0.29", "1234.5", "1,500", "0", "",
                           "",       "",     "",     "",       "",      "",  "12"}
            << false << QStringList{"五月份的金額部分不是數字格式"}
            << QStringList{"500", "0.29", "1234.5", "1500", "0", "", "", "", "", "", "", "", "12"}
            << before;
        QTest::newRow("every box a number")
            << QStringList{"E-餐飲", "-500", "0.29", "1234.5", "1,500", "0", "0",
                           "0",      "0",    "0",    "0",      "0",     "0", "12"}
            << true << QStringList{} << QStringList{"500", "0.29", "1234.5", "1500", "0", "0", "0",
                                                    "0",   "0",    "0",      "0",    "0", "12"}
            << QList<double>{50000, 29, 123450, 150000, 0, 0, 0, 0, 0, 0, 0, 0, 1200};
        QTest::newRow("letters refused")
            << QStringList{"E-餐飲", "1", "2", "abc", "4",  "5",  "6",
                           "7",      "8", "9", "10",  "11", "12", "13"}
            << false << QStringList{"二月份的金額部分不是數字格式"}
            << QStringList{"1", "2", "abc", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13"}
            << before;
        QTest::newRow("beyond the largest amount")
            << QStringList{"E-餐飲", "1e20", "0", "0", "0", "0", "0",
                           "0",      "0",    "0", "0", "0", "0", "0"}
            << false << QStringList{"年度預算的金額部分不是數字格式"}
            << QStringList{"1e20", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}
            << before;
        const QString m = QStringLiteral("83.3333333333333");
        QTest::newRow("月份均分 of 1000")
            << QStringList{"E-餐飲", "1000", "0", "0", "0", "0", "0",        "0",
                           "0",      "0",    "0", "0", "0", "0", "--before", "月份均分"}
            << true << QStringList{} << QStringList{"1000", m, m, m, m, m, m, m, m, m, m, m, m}
            << QList<double>{100000, 8333, 8333, 8333, 8333, 8333, 8333,
                             8333,   8333, 8333, 8333, 8333, 8333};
        QTest::newRow("月份加總 reads grouping")
            << QStringList{"E-餐飲", "0", "1,500", "abc", "0.5", "0",  "0",        "0",
                           "0",      "0", "0",     "0",   "0",   "-2", "--before", "月份加總"}
            << false << QStringList{"二月份的金額部分不是數字格式"}
            << QStringList{"1502.5", "1500", "abc", "0.5", "0", "0", "0",
                           "0",      "0",    "0",   "0",   "0", "-2"}
            << before;
        QTest::newRow("清除 then 完成")
            << QStringList{"E-餐飲", "9", "9", "9", "9", "9", "9",        "9",
                           "9",      "9", "9", "9", "9", "9", "--before", "清除"}
            << true << QStringList{}
            << QStringList{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}
            << QList<double>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("expense total")
            << QStringList{"支出總和", "24000", "2000", "2000", "2000", "2000", "2000",
                           "2000",     "2000",  "2000", "2000", "2000", "2000", "2000"}
            << true << QStringList{}
            << QStringList{"24000", "2000", "2000", "2000", "2000", "2000", "2000",
                           "2000",  "2000", "2000", "2000", "2000", "2000"}
            << QList<double>{2400000, 200000, 200000, 200000, 200000, 200000, 200000,
                             200000,  200000, 200000, 200000, 200000, 200000};
    }

    // Boxes typed into the budget entry window opened from the table, a button, then 完成:
    // what the boxes show afterwards, the warnings, and the cells the saved ledger holds
    // (doubles; a refused box stores nothing and leaves the files as they were).
    void budgetSet() {
        QFETCH(QStringList, args);
        QFETCH(bool, stored);
        QFETCH(QStringList, warnings);
        QFETCH(QStringList, boxes);
        QFETCH(QList<double>, cells);
        Fixture f;
        const QByteArray accountsBefore = TestFiles::get(f.folder + "Accounts.qvd");
        const ToolProcess r = reportTool(QStringList{"budget-set", f.folder} + args);
        QCOMPARE(r.exitCode, 0);
        const QJsonObject out = json(r);
        QCOMPARE(out["stored"].toBool(), stored);
        QCOMPARE(strings(out["warnings"]), warnings);
        QCOMPARE(strings(out["boxes"]), boxes);

        const Ledger& l = f.reload();
        const bool total = args[0] == u"支出總和";
        const AccountRecord& target = total ? l.KindTotals[4] : *Fixture::account(l, args[0]);
        for (int i = 0; i < 13; ++i) {
            QCOMPARE(target.Budget[size_t(i)].value(), cells[i]);
            if (stored) QCOMPARE(target.Budget[size_t(i)].tag(), 5); // a double
        }
        if (!stored) QCOMPARE(TestFiles::get(f.folder + "Accounts.qvd"), accountsBefore);
    }

    // Clearing March: cell 3 of every listed account and of both totals becomes a 16-bit 0;
    // the year cells, other months and Equity stay; the ledger is saved in place.
    void budgetClear() {
        Fixture f;
        const ToolProcess r = reportTool({"budget-clear", f.folder, "--year", "2024", "--period",
                                          "03月", "--today", "2024/12/31"});
        QCOMPARE(r.exitCode, 0);
        const QJsonObject out = json(r);
        QCOMPARE(out["question"].toString(), QStringLiteral("您確定要清除嗎？"));
        QCOMPARE(cells(out["rows"].toArray()[7]), QStringList({"餐飲", "210.00", "--", ""}));
        const Ledger& l = f.reload();
        for (const char* name : {"E-餐飲", "I-薪資", "L-信用卡", "A-現金"}) {
            const AccountRecord* a = Fixture::account(l, QString::fromUtf8(name));
            QCOMPARE(a->Budget[3].tag(), 2);
            QCOMPARE(a->Budget[3].value(), 0.0);
        }
        QCOMPARE(Fixture::account(l, "E-餐飲")->Budget[0].value(), 1200000.0);
        QCOMPARE(Fixture::account(l, "E-餐飲")->Budget[4].value(), 70000.0);
        QVERIFY(Fixture::account(l, "Equity")->Budget[3].isEmpty());
        QCOMPARE(l.KindTotals[3].Budget[3].tag(), 2);
        QCOMPARE(l.KindTotals[4].Budget[3].tag(), 2);
    }

    // The yearly window: tab 1 with an income and an expense account (roll-up ticked by
    // default) and the surplus column; tabs 2 and 3; Equity chosen shows nothing.
    void yearly() {
        Fixture f;
        const QString csv = f.env.path("year.csv");
        ToolProcess r =
            reportTool({"yearly", f.folder, "--year", "2024", "--tab", "1", "--account1", "I-薪資",
                        "--account2", "E-餐飲", "--today", "2025/06/01", "--export", csv});
        QCOMPARE(r.exitCode, 0);
        QJsonObject out = json(r);
        QCOMPARE(out["caption"].toString(), QStringLiteral("整年度圖表 - 各項科目統計"));
        QJsonArray lists = out["lists"].toArray();
        const QJsonObject income = lists[0].toObject();
        const QJsonObject expense = lists[1].toObject();
        QCOMPARE(income["rows"].toArray().size(), 15); // 12 months, --, 總合, 平均
        QCOMPARE(cells(income["rows"].toArray()[2]),
                 QStringList({"03月", "4,000.00", "5,000.00", "未達目標 1,000.00", ""}));
        QCOMPARE(income["rows"].toArray()[2].toObject()["red"].toArray()[1].toBool(), true);
        const QJsonObject surplus = expense["columns"].toArray()[4].toObject();
        QCOMPARE(surplus["header"].toString(), QStringLiteral("結餘"));
        QVERIFY(surplus["visible"].toBool());
        QCOMPARE(cells(expense["rows"].toArray()[2]),
                 QStringList({"03月", "260.00", "900.00", "", "3740"}));
        QCOMPARE(cells(expense["rows"].toArray()[3]),
                 QStringList({"04月", "0.00", "700.00", "", "0"}));
        QCOMPARE(cells(expense["rows"].toArray()[12]), QStringList({"--", "--", "--", "", "--"}));
        QCOMPARE(cells(expense["rows"].toArray()[14]),
                 QStringList({"平均", "21.66", "", "", ""})); // 260 / 12, rounded down
        const QJsonObject chart = out["chart"].toObject();
        QCOMPARE(chart["labels"].toArray()[2].toString(), QStringLiteral("3月"));
        QCOMPARE(chart["series"].toArray()[0].toArray()[2].toDouble(), 4000.0);
        QCOMPARE(chart["series"].toArray()[1].toArray()[2].toDouble(), 260.0);
        QCOMPARE(out["exports"].toArray()[0].toObject()["defaultName"].toString(),
                 QStringLiteral("Home_2024年_各項科目統計"));
        const QStringList lines = Ansi::decode(TestFiles::get(csv)).split("\r\n");
        QCOMPARE(lines.mid(0, 2), QStringList({"I-薪資", "月份,金額,預算"}));
        QCOMPARE(lines.value(4), QStringLiteral("03月,4000.00,5000.00,未達目標 1000.00"));

        r = reportTool(
            {"yearly", f.folder, "--year", "2024", "--tab", "2", "--today", "2025/06/01"});
        out = json(r);
        QCOMPARE(out["caption"].toString(), QStringLiteral("整年度圖表 - 資產負債統計"));
        lists = out["lists"].toArray();
        QCOMPARE(cells(lists[0].toObject()["rows"].toArray()[2]),
                 QStringList({"03月", "104,160.00", "450.00", "103,710.00", ""}));
        QVERIFY(lists[1].toObject()["rows"].toArray().isEmpty());

        r = reportTool(
            {"yearly", f.folder, "--year", "2024", "--tab", "3", "--today", "2025/06/01"});
        out = json(r);
        lists = out["lists"].toArray();
        QCOMPARE(cells(lists[0].toObject()["rows"].toArray()[2]),
                 QStringList({"03月", "4,000.00", "290.00", "3,710.00", "92.7%"}));
        QCOMPARE(cells(lists[0].toObject()["rows"].toArray()[13]),
                 QStringList({"總合", "4,000.00", "290.00", "3,710.00", ""}));
        QCOMPARE(out["chart"].toObject()["series"].toArray()[1].toArray()[2].toDouble(), 290.0);

        // Equity has no months: an empty list and a zero series, whatever was shown before,
        // and its export holds no other account's months.
        const QString equity = f.env.path("equity.csv");
        r = reportTool({"yearly", f.folder, "--year", "2024", "--tab", "1", "--account1", "Equity",
                        "--today", "2025/06/01", "--export", equity});
        out = json(r);
        QVERIFY(out["lists"].toArray()[0].toObject()["rows"].toArray().isEmpty());
        for (const QJsonValue& v : out["chart"].toObject()["series"].toArray()[0].toArray())
            QCOMPARE(v.toDouble(), 0.0);
        QCOMPARE(Ansi::decode(TestFiles::get(equity)),
                 QStringLiteral("Equity\r\n月份,金額,預算\r\n"));

        // A year that is no whole year from 1601 to 9999 is the current one.
        for (const char* year : {"2024.5", "12345", "1600"}) {
            r = reportTool({"yearly", f.folder, "--year", year, "--tab", "3", "--today",
                            "2025/06/01", "--export", f.env.path("x.csv")});
            QCOMPARE(json(r)["exports"].toArray()[0].toObject()["defaultName"].toString(),
                     QStringLiteral("Home_2025年_收入支出統計"));
        }
    }

    // The days of a calendar month with their income, expense and red negative balance.
    void daily() {
        Fixture f;
        const QString page = f.env.path("daily.html");
        ToolProcess r = reportTool({"daily", f.folder, "--year", "2024", "--month", "03",
                                    "--export", page, "--set", "DayState=25"});
        QCOMPARE(r.exitCode, 0);
        QJsonObject out = json(r);
        const QJsonArray rows = out["rows"].toArray();
        QCOMPARE(rows.size(), 31);
        QCOMPARE(cells(rows[4]), QStringList({"2024/03/05", "0.00", "210.00", "-210.00"}));
        QVERIFY(rows[4].toObject()["red"].toBool());
        QCOMPARE(cells(rows[9]), QStringList({"2024/03/10", "4,000.00", "0.00", "4,000.00"}));
        QVERIFY(!rows[9].toObject()["red"].toBool());
        QCOMPARE(out["exports"].toArray()[0].toObject()["defaultName"].toString(),
                 QStringLiteral("Home_2024年03月_每日收支"));
        QVERIFY(Ansi::decode(TestFiles::get(page))
                    .contains(QStringLiteral("<td>2024/03/05</td><td>0.00</td>")));
        r = reportTool({"daily", f.folder, "--year", "2024", "--month", "2"});
        QCOMPARE(json(r)["rows"].toArray().size(), 29);
    }

    void step_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("entry");
        QTest::newRow("budget 整年 back")
            << QStringList{"budget", "2024", "整年", "month-up"} << "2023"
            << "12月";
        QTest::newRow("budget 12月 on")
            << QStringList{"budget", "2024", "12月", "month-down"} << "2025"
            << "01月";
        QTest::newRow("budget year") << QStringList{"budget", "2024", "03月", "year-up"} << "2025"
                                     << "03月";
        QTest::newRow("budget none on")
            << QStringList{"budget", "2024", "-", "month-down"} << "2024"
            << "整年";
        QTest::newRow("ie 01月 back") << QStringList{"ie", "2024", "01月", "month-up"} << "2023"
                                      << "12月";
        QTest::newRow("ie no year") << QStringList{"ie", "abc", "05月", "year-down"} << "2023"
                                    << "05月";
        QTest::newRow("ie at 9999") << QStringList{"ie", "9999", "12月", "month-down"} << "9999"
                                    << "12月";
        QTest::newRow("ibs still") << QStringList{"ibs", "2024", "全部", "month-up"} << "2023"
                                   << "12月";
    }

    void step() {
        QFETCH(QStringList, args);
        QFETCH(QString, year);
        QFETCH(QString, entry);
        const ToolProcess r =
            reportTool(QStringList{"step"} + args + QStringList{"--today", "2024/06/15"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(json(r)["year"].toString(), year);
        QCOMPARE(json(r)["entry"].toString(), entry);
    }

    void badArguments_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        const QString folder = QStringLiteral("FOLDER");
        QTest::newRow("budget no period") << QStringList{"budget", folder} << 2;
        QTest::newRow("budget 全部") << QStringList{"budget", folder, "--period", "全部"} << 2;
        QTest::newRow("budget rollup 2")
            << QStringList{"budget", folder, "--period", "整年", "--rollup", "2"} << 2;
        QTest::newRow("budget-set 12 boxes")
            << QStringList{"budget-set", folder, "E-餐飲", "1", "2",  "3",  "4", "5",
                           "6",          "7",    "8",      "9", "10", "11", "12"}
            << 2;
        QTest::newRow("budget-set no row")
            << QStringList{"budget-set", folder, "Equity", "0", "0", "0", "0", "0",
                           "0",          "0",    "0",      "0", "0", "0", "0", "0"}
            << 2;
        QTest::newRow("budget-set bad button")
            << QStringList{"budget-set", folder, "E-餐飲", "0", "0", "0", "0", "0",        "0",
                           "0",          "0",    "0",      "0", "0", "0", "0", "--before", "完成"}
            << 2;
        QTest::newRow("budget-clear 13月")
            << QStringList{"budget-clear", folder, "--period", "13月"} << 2;
        QTest::newRow("yearly tab 4")
            << QStringList{"yearly", folder, "--year", "2024", "--tab", "4"} << 2;
        QTest::newRow("yearly no year") << QStringList{"yearly", folder, "--tab", "1"} << 2;
        QTest::newRow("yearly no account")
            << QStringList{"yearly", folder, "--year", "2024", "--tab", "1", "--account2", "E-無"}
            << 2;
        QTest::newRow("daily month 13")
            << QStringList{"daily", folder, "--year", "2024", "--month", "13"} << 2;
        QTest::newRow("daily export without path")
            << QStringList{"daily", folder, "--year", "2024", "--month", "1", "--export"} << 2;
        QTest::newRow("budget-clear export")
            << QStringList{"budget-clear", folder, "--period", "整年", "--export", "x.csv"} << 2;
        QTest::newRow("step window") << QStringList{"step", "year", "2024", "01月", "year-up"} << 2;
        QTest::newRow("step ie 整年") << QStringList{"step", "ie", "2024", "整年", "year-up"} << 2;
        QTest::newRow("step budget 全部")
            << QStringList{"step", "budget", "2024", "全部", "year-up"} << 2;
        QTest::newRow("step arrow") << QStringList{"step", "budget", "2024", "整年", "up"} << 2;
        QTest::newRow("no ledger folder")
            << QStringList{"daily", "/nonexistent/u/l", "--year", "2024", "--month", "1"} << 1;
    }

    void badArguments() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        Fixture f;
        const QByteArray accounts = TestFiles::get(f.folder + "Accounts.qvd");
        args.replaceInStrings(QStringLiteral("FOLDER"), f.folder);
        const ToolProcess r = reportTool(args);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(TestFiles::get(f.folder + "Accounts.qvd"), accounts);
    }
};

QTEST_MAIN(BudgetToolTest)
#include "tst_budgettool.moc"
