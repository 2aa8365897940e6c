#include <QtTest>

#include "rules/schedule/entryreminders.h"
#include "rules/schedule/recurringdue.h"
#include "store/ledger.h"
#include "support/ledgerbuilder.h"

// The due rules of recurring records and the posted test, on a ledger built in memory.
class TestRecurringDue : public QObject {
    Q_OBJECT
private slots:
    void occurrence_data();
    void occurrence();
    void postedTest();
    void rowsInTableOrder();
    void entryReminders_data();
    void entryReminders();
};

void TestRecurringDue::occurrence_data() {
    QTest::addColumn<int>("period");
    QTest::addColumn<QString>("when");
    QTest::addColumn<bool>("overdue");
    QTest::addColumn<QString>("today");
    QTest::addColumn<QString>("expected"); // "" when nothing is due

    // Monthly.
    QTest::newRow("31 in a 30-day month") << 1 << "31" << true << "2026/04/30"
                                          << "";
    QTest::newRow("31 on the 31st") << 1 << "31" << false << "2026/05/31"
                                    << "2026/05/31";
    QTest::newRow("month end in January") << 1 << "32" << false << "2026/01/31"
                                          << "2026/01/31";
    QTest::newRow("month end in February") << 1 << "32" << false << "2026/02/28"
                                           << "2026/02/28";
    QTest::newRow("month end, leap February") << 1 << "32" << true << "2024/02/28"
                                              << "";
    QTest::newRow("month end, leap day") << 1 << "32" << true << "2024/02/29"
                                         << "2024/02/29";
    QTest::newRow("05 overdue on the 20th") << 1 << "05" << true << "2026/03/20"
                                            << "2026/03/05";
    QTest::newRow("05 on the 3rd") << 1 << "05" << true << "2026/03/03"
                                   << "";
    QTest::newRow("05 passed, no overdue") << 1 << "05" << false << "2026/03/20"
                                           << "";
    // Weekly (2026/12/09 is a Wednesday).
    QTest::newRow("Monday on Wednesday") << 2 << "1" << true << "2026/12/09"
                                         << "2026/12/07";
    QTest::newRow("Wednesday on Wednesday") << 2 << "3" << false << "2026/12/09"
                                            << "2026/12/09";
    QTest::newRow("Saturday on Sunday") << 2 << "6" << true << "2026/12/13"
                                        << "";
    QTest::newRow("Monday, no overdue") << 2 << "1" << false << "2026/12/09"
                                        << "";
    // Daily.
    QTest::newRow("daily") << 3 << "0" << false << "2026/12/09"
                           << "2026/12/09";
    // Yearly.
    QTest::newRow("12/25 on the day") << 0 << "12/25" << false << "2026/12/25"
                                      << "2026/12/25";
    QTest::newRow("12/25 overdue") << 0 << "12/25" << true << "2026/12/30"
                                   << "2026/12/25";
    QTest::newRow("12/25 in January") << 0 << "12/25" << true << "2026/01/02"
                                      << "";
    QTest::newRow("02/29 overdue, common year") << 0 << "02/29" << true << "2026/03/01"
                                                << "2026/02/28";
    QTest::newRow("02/30 overdue, leap year") << 0 << "02/30" << true << "2024/03/01"
                                              << "2024/02/29";
    // Every other month.
    QTest::newRow("even 15 in January") << 5 << "15" << true << "2026/01/10"
                                        << "2025/12/15";
    QTest::newRow("even 32 in January") << 5 << "32" << true << "2026/01/10"
                                        << "2025/12/31";
    QTest::newRow("even 15 in March") << 5 << "15" << true << "2026/03/10"
                                      << "2026/02/15";
    QTest::newRow("even 30 in March") << 5 << "30" << true << "2026/03/10"
                                      << "2026/02/28";
    QTest::newRow("even 31 in March, leap") << 5 << "31" << true << "2024/03/10"
                                            << "2024/02/29";
    QTest::newRow("even 15 in March, no overdue") << 5 << "15" << false << "2026/03/10"
                                                  << "";
    QTest::newRow("odd 32 in April") << 4 << "32" << true << "2026/04/12"
                                     << "2026/03/31";
    QTest::newRow("odd 31 in May") << 4 << "31" << true << "2026/05/31"
                                   << "2026/05/31";
    QTest::newRow("odd 31 in May, earlier") << 4 << "31" << true << "2026/05/20"
                                            << "";
    QTest::newRow("odd 31 in July overdue") << 4 << "31" << true << "2026/07/02"
                                            << "";
    QTest::newRow("odd 31 in June overdue") << 4 << "31" << true << "2026/06/02"
                                            << "2026/05/31";
    QTest::newRow("odd 31 in October") << 4 << "31" << true << "2026/10/02"
                                       << "2026/09/30";
    // Unknown code.
    QTest::newRow("code 9") << 9 << "01" << true << "2026/01/01"
                            << "";
}

void TestRecurringDue::occurrence() {
    QFETCH(int, period);
    QFETCH(QString, when);
    QFETCH(bool, overdue);
    QFETCH(QString, today);
    QFETCH(QString, expected);
    RecurringRecord r;
    r.Period = quint8(period);
    r.When = when;
    r.Overdue = overdue ? 1 : 0;
    const auto got = RecurringOccurrence(r, QDate::fromString(today, "yyyy/MM/dd"));
    QCOMPARE(got.value_or(QString()), expected);
}

void TestRecurringDue::postedTest() {
    Ledger ledger;
    LedgerBuilder b(ledger);
    b.account("A-現金").account("E-房租");
    b.recurring(3, "0", "E-房租", "A-現金", 1500000, "房租");
    b.recurring(3, "0", "E-房租", "A-現金", 1500000, "房租"); // an identical record
    const QDate today(2026, 12, 9);
    QCOMPARE(DueRecurring(ledger, today).size(), size_t(2));

    // One hundredth off, or another day: still due.
    b.entry("2026/12/09", "E-房租", "A-現金", 1499999, "房租");
    b.entry("2026/12/08", "E-房租", "A-現金", 1500000, "房租");
    QCOMPARE(DueRecurring(ledger, today).size(), size_t(2));
    QVERIFY(!RecurringAlreadyPosted(ledger, "20261209", 1));

    // Blanks around the detail and an Int16-tagged equal amount count as posted, for both.
    b.entryTagged("2026/12/09", "E-房租", "A-現金", TaggedNumber::fromInt32(1500000), "  房租");
    QVERIFY(RecurringAlreadyPosted(ledger, "20261209", 1));
    QVERIFY(DueRecurring(ledger, today).empty());
}

void TestRecurringDue::rowsInTableOrder() {
    Ledger ledger;
    LedgerBuilder b(ledger);
    b.recurring(1, "09", "E-a", "A-b", 100, "x", true);
    b.recurring(1, "01", "E-a", "A-b", 100, "y");
    b.recurring(3, "0", "E-a", "A-b", 100, "z");
    const auto rows = DueRecurring(ledger, QDate(2026, 12, 9));
    QCOMPARE(rows.size(), size_t(2));
    QCOMPARE(rows[0].record, 1);
    QCOMPARE(rows[0].date, QString("2026/12/09"));
    QCOMPARE(rows[1].record, 3);
}

void TestRecurringDue::entryReminders_data() {
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("days");
    QTest::addColumn<QString>("today");
    QTest::addColumn<bool>("due");
    QTest::newRow("three days before") << "2026/12/10" << 3 << "2026/12/07" << true;
    QTest::newRow("four days before") << "2026/12/10" << 3 << "2026/12/06" << false;
    QTest::newRow("on the day") << "2026/12/10" << 3 << "2026/12/10" << true;
    QTest::newRow("the day after") << "2026/12/10" << 3 << "2026/12/11" << false;
    QTest::newRow("no lead days") << "2026/12/10" << 0 << "2026/12/10" << true;
    QTest::newRow("negative lead days") << "2026/12/10" << -1 << "2026/12/10" << false;
    QTest::newRow("across the year") << "2027/01/02" << 5 << "2026/12/30" << true;
    QTest::newRow("invalid date") << "2026/02/30" << 5 << "2026/02/27" << false;
}

void TestRecurringDue::entryReminders() {
    QFETCH(QString, date);
    QFETCH(int, days);
    QFETCH(QString, today);
    QFETCH(bool, due);
    Ledger ledger;
    LedgerBuilder b(ledger);
    b.entry("2026/12/10", "E-a", "A-b", 100); // reminder off: never listed
    b.entry(date, "E-a", "A-b", 100).remind(days);
    const auto rows = DueEntryReminders(ledger, QDate::fromString(today, "yyyy/MM/dd"));
    QCOMPARE(rows, due ? std::vector<int>{2} : std::vector<int>{});
}

QTEST_GUILESS_MAIN(TestRecurringDue)
#include "tst_recurringdue.moc"
