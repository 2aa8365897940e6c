#include <QtTest>

#include "rules/reports/dailyfigures.h"
#include "rules/reports/yearfigures.h"
#include "store/treefigures.h"
#include "support/ledgerbuilder.h"

using namespace YearFigures;

// Month figures of the yearly and daily windows, without the windows.
class TestYearFigures : public QObject {
    Q_OBJECT

    struct Books {
        Ledger ledger;
        Session session;
        LedgerBuilder b{ledger};
        EntryAccountCache cache;
        Books() {
            b.account("A-現金").account("L-卡").account("I-薪資").account("E-餐飲").account(
                "Equity");
        }
        void settings(const QString& day, const QString& before, const QString& aft = "1") {
            session.Setting.DayState = day;
            session.Setting.DayState2 = before;
            session.Setting.AftState = aft;
        }
    };

private slots:
    void incomeExpenseMonths_data();
    void incomeExpenseMonths();
    void monthEndsHeldToToday();
    void accountMonthsHeldToToday();
    void averages_data();
    void averages();
    void dailyMonths_data();
    void dailyMonths();
};

void TestYearFigures::incomeExpenseMonths_data() {
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("month"); // 0: not in the year 2024
    QTest::newRow("D25 next January early") << "25"
                                            << "0"
                                            << "2025/01/10" << 12;
    QTest::newRow("D25 January early") << "25"
                                       << "0"
                                       << "2024/01/10" << 0;
    QTest::newRow("D25 January late") << "25"
                                      << "0"
                                      << "2024/01/25" << 1;
    QTest::newRow("D25 before, December late") << "25"
                                               << "1"
                                               << "2024/12/26" << 0;
    QTest::newRow("D25 before, last December") << "25"
                                               << "1"
                                               << "2023/12/26" << 1;
    QTest::newRow("D25 before, December early") << "25"
                                                << "1"
                                                << "2024/12/24" << 12;
    QTest::newRow("D1 calendar") << "1"
                                 << "0"
                                 << "2024/03/31" << 3;
    // Months starting in the month before: January is the December before.
    QTest::newRow("D1 before, last December") << "1"
                                              << "1"
                                              << "2023/12/05" << 1;
    QTest::newRow("D1 before, January") << "1"
                                        << "1"
                                        << "2024/01/05" << 2;
    QTest::newRow("D1 before, December") << "1"
                                         << "1"
                                         << "2024/12/05" << 0;
}

void TestYearFigures::incomeExpenseMonths() {
    QFETCH(QString, day);
    QFETCH(QString, before);
    QFETCH(QString, date);
    QFETCH(int, month);
    Books k;
    k.settings(day, before);
    k.b.entry(date, "I-薪資", "A-現金", 30000);
    k.b.entry(date, "E-餐飲", "A-現金", 1200);
    k.b.entry(date, "A-現金", "I-薪資", 999); // its first account decides: not counted
    const IncomeExpense r = incomeExpense(k.ledger, k.session, 2024, QDate(2030, 1, 1));
    for (int m = 1; m <= 12; ++m) {
        QCOMPARE(r.income[size_t(m)], m == month ? 30000.0 : 0.0);
        QCOMPARE(r.expense[size_t(m)], m == month ? 1200.0 : 0.0);
    }
}

void TestYearFigures::monthEndsHeldToToday() {
    Books k;
    k.b.entry("2024/01/05", "A-現金", "Equity", 10000);
    k.b.entry("2024/03/05", "L-卡", "Equity", 500);
    k.b.entry("2024/03/20", "A-現金", "Equity", 2000); // after today
    k.b.entry("2024/05/02", "A-現金", "Equity", 7000);
    const QDate today(2024, 3, 10);
    k.settings("1", "0", "0");
    AssetsLiabilities r = assetsLiabilities(k.ledger, k.session, 2024, today, k.cache);
    QCOMPARE(r.assets[2], 10000.0);
    QCOMPARE(r.assets[3], 10000.0); // today's balance
    QCOMPARE(r.liabilities[3], 500.0);
    QCOMPARE(r.assets[4], 0.0); // not begun
    QCOMPARE(r.liabilities[12], 0.0);
    k.settings("1", "0", "1");
    r = assetsLiabilities(k.ledger, k.session, 2024, today, k.cache);
    QCOMPARE(r.assets[3], 12000.0);
    QCOMPARE(r.assets[5], 19000.0);
    QCOMPARE(r.liabilities[12], 500.0);
}

void TestYearFigures::accountMonthsHeldToToday() {
    Books k;
    k.b.entry("2024/03/02", "E-餐飲", "A-現金", 100);
    k.b.entry("2024/03/10", "E-餐飲", "A-現金", 200);
    k.b.entry("2024/03/11", "E-餐飲", "A-現金", 400);
    k.b.entry("2024/04/01", "E-餐飲", "A-現金", 800);
    k.settings("1", "0", "0");
    auto r = accountMonths(k.ledger, k.session, 2024, QDate(2024, 3, 10), k.cache);
    QCOMPARE(r[4][3], 300.0);
    QCOMPARE(r[4][4], 0.0);
    QCOMPARE(r[1][3], -300.0); // the asset's balance today
    QCOMPARE(r[1][4], 0.0);    // a month after today shows 0, balances too
    k.settings("15", "1", "1");
    k.b.entry("2023/12/15", "E-餐飲", "A-現金", 1600);
    k.b.entry("2024/01/15", "E-餐飲", "A-現金", 3200);
    r = accountMonths(k.ledger, k.session, 2024, QDate(2024, 3, 10), k.cache);
    QCOMPARE(r[4][1], 1600.0); // 2023/12/15 to 2024/01/14
    QCOMPARE(r[4][2], 3200.0);
    QCOMPARE(r[4][3], 300.0 + 400); // 2024/02/15 to 2024/03/14, future days included
    QCOMPARE(r[1][12], -(100.0 + 200 + 400 + 800 + 1600 + 3200));
}

void TestYearFigures::averages_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("months");
    QTest::newRow("past year") << 2023 << QDate(2024, 3, 10) << 12;
    QTest::newRow("current year in March") << 2024 << QDate(2024, 3, 10) << 2;
    QTest::newRow("January") << 2024 << QDate(2024, 1, 31) << 0;
    QTest::newRow("later year") << 2025 << QDate(2024, 3, 10) << 0;
}

void TestYearFigures::averages() {
    QFETCH(int, year);
    QFETCH(QDate, today);
    QFETCH(int, months);
    QCOMPARE(averageMonths(year, today), months);
    QCOMPARE(averageOf(-5, 12), -1.0); // rounded down, away from zero
    QCOMPARE(averageOf(35, 12), 2.0);
}

void TestYearFigures::dailyMonths_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("days");
    QTest::newRow("March") << 2024 << 3 << 31;
    QTest::newRow("leap February") << 2024 << 2 << 29;
    QTest::newRow("February") << 2023 << 2 << 28;
    QTest::newRow("April") << 2024 << 4 << 30;
    QTest::newRow("no month") << 2024 << 0 << 0;
}

void TestYearFigures::dailyMonths() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, days);
    Books k;
    k.settings("25", "1"); // the daily window keeps calendar months whatever these say
    k.b.entry("2024/02/29", "I-薪資", "A-現金", 10000);
    k.b.entry("2024/02/29", "I-薪資", "A-現金", 500);
    k.b.entry("2024/02/29", "E-餐飲", "A-現金", 25000);
    k.b.entry("2024/02/29", "A-現金", "E-餐飲", 777);
    k.b.entry("2024/04/30", "E-餐飲", "A-現金", 100);
    const auto rows = DailyIncomeExpense(k.ledger, year, month);
    QCOMPARE(int(rows.size()), days);
    if (days == 0) return;
    QCOMPARE(rows.front().date, QDate(year, month, 1));
    QCOMPARE(rows.back().date, QDate(year, month, days));
    if (year == 2024 && month == 2) {
        QCOMPARE(rows[28].income, 10500.0);
        QCOMPARE(rows[28].expense, 25000.0);
        QCOMPARE(rows[27].income, 0.0);
    }
    if (month == 4) QCOMPARE(rows[29].expense, 100.0);
}

QTEST_MAIN(TestYearFigures)
#include "tst_yearfigures.moc"
