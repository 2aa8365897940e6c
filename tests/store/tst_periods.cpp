// Period bounds of the tree totals and the entry list, the report periods, and the year
// box's accepted years.
#include <QTest>

#include "store/periods.h"
#include "store/session.h"

class PeriodsTest : public QObject {
    Q_OBJECT
private slots:
    void bounds_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("day");
        QTest::addColumn<bool>("monthBefore");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::newRow("all") << 0 << 2024 << 5 << false << QStringLiteral("")
                             << QStringLiteral("99999999");
        QTest::newRow("month 03, day 5")
            << 4 << 2024 << 5 << false << QStringLiteral("20240305") << QStringLiteral("20240404");
        QTest::newRow("month 03, day 5, month before")
            << 4 << 2024 << 5 << true << QStringLiteral("20240205") << QStringLiteral("20240304");
        QTest::newRow("month 01, month before crosses the year")
            << 2 << 2024 << 5 << true << QStringLiteral("20231205") << QStringLiteral("20240104");
        QTest::newRow("month 12 crosses the year")
            << 13 << 2024 << 5 << false << QStringLiteral("20241205") << QStringLiteral("20250104");
        QTest::newRow("month 12, day 1")
            << 13 << 2024 << 1 << false << QStringLiteral("20241201") << QStringLiteral("20241231");
        QTest::newRow("month 01, day 25, month before")
            << 2 << 2024 << 25 << true << QStringLiteral("20231225") << QStringLiteral("20240124");
        QTest::newRow("whole year ignores month before")
            << 1 << 2024 << 5 << true << QStringLiteral("20240105") << QStringLiteral("20250104");
        QTest::newRow("whole year, day 1")
            << 1 << 2024 << 1 << false << QStringLiteral("20240101") << QStringLiteral("20241231");
        QTest::newRow("february of a leap year")
            << 3 << 2024 << 1 << false << QStringLiteral("20240201") << QStringLiteral("20240229");
        QTest::newRow("last year ends within four digits")
            << 1 << 9999 << 5 << false << QStringLiteral("99990105") << QStringLiteral("99991231");
        QTest::newRow("first year, month before")
            << 2 << 1601 << 1 << true << QStringLiteral("16001201") << QStringLiteral("16001231");
    }
    void bounds() {
        QFETCH(int, index);
        QFETCH(int, year);
        QFETCH(int, day);
        QFETCH(bool, monthBefore);
        const Periods::Bounds b = Periods::periodBounds(index, year, day, monthBefore);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QCOMPARE(b.start, start);
        QCOMPARE(b.end, end);
        // The list's excluded limit is the day after the end; past year 9999, after every date.
        const QDate after = QDate::fromString(end, QStringLiteral("yyyyMMdd")).addDays(1);
        QCOMPARE(b.next, after.isValid() && after.year() <= 9999
                             ? after.toString(QStringLiteral("yyyyMMdd"))
                             : QStringLiteral("99999999"));
    }

    void years_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("year"); // 0: no year
        QTest::newRow("plain") << QStringLiteral("2024") << 2024;
        QTest::newRow("blanks around") << QStringLiteral(" 2024 ") << 2024;
        QTest::newRow("lowest") << QStringLiteral("1601") << 1601;
        QTest::newRow("highest") << QStringLiteral("9999") << 9999;
        QTest::newRow("empty") << QStringLiteral("") << 0;
        QTest::newRow("zero") << QStringLiteral("0") << 0;
        QTest::newRow("too early") << QStringLiteral("1600") << 0;
        QTest::newRow("five digits") << QStringLiteral("12345") << 0;
        QTest::newRow("fraction") << QStringLiteral("2024.5") << 0;
        QTest::newRow("letters") << QStringLiteral("abc") << 0;
        QTest::newRow("negative") << QStringLiteral("-2024") << 0;
    }
    void years() {
        QFETCH(QString, text);
        QFETCH(int, year);
        const std::optional<int> y = Periods::yearFromText(text);
        QCOMPARE(y.value_or(0), year);
    }

    void monthStartDay_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("day");
        QTest::newRow("1") << QStringLiteral("1") << 1;
        QTest::newRow("28") << QStringLiteral("28") << 28;
        QTest::newRow("31 is limited") << QStringLiteral("31") << 28;
        QTest::newRow("0 is limited") << QStringLiteral("0") << 1;
        QTest::newRow("not a number") << QStringLiteral("x") << 1;
    }
    void monthStartDay() {
        QFETCH(QString, text);
        QFETCH(int, day);
        QCOMPARE(Periods::monthStartDay(text), day);
    }

    // Report periods of a choice: what the computation gets and what the pickers show.
    void reportPeriods_data() {
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("day2");
        QTest::addColumn<QString>("aft");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("shown");
        // Today is 2024/06/15 throughout.
        QTest::newRow("D 1, 03月") << 4 << 2024 << "1"
                                   << "0"
                                   << "1"
                                   << "20240301"
                                   << "20240331"
                                   << "20240331";
        QTest::newRow("D 25, 03月") << 4 << 2024 << "25"
                                    << "0"
                                    << "1"
                                    << "20240325"
                                    << "20240424"
                                    << "20240424";
        QTest::newRow("D 25, month before, 03月") << 4 << 2024 << "25"
                                                  << "1"
                                                  << "1"
                                                  << "20240225"
                                                  << "20240324"
                                                  << "20240324";
        QTest::newRow("D 1, month before, 01月") << 2 << 2024 << "1"
                                                 << "1"
                                                 << "1"
                                                 << "20231201"
                                                 << "20231231"
                                                 << "20231231";
        QTest::newRow("D 1, 12月") << 13 << 2024 << "1"
                                   << "0"
                                   << "1"
                                   << "20241201"
                                   << "20241231"
                                   << "20241231";
        QTest::newRow("D 28, 01月") << 2 << 2024 << "28"
                                    << "0"
                                    << "1"
                                    << "20240128"
                                    << "20240227"
                                    << "20240227";
        QTest::newRow("D 28, 12月") << 13 << 2024 << "28"
                                    << "0"
                                    << "1"
                                    << "20241228"
                                    << "20250127"
                                    << "20250127";
        QTest::newRow("leap February") << 3 << 2024 << "1"
                                       << "0"
                                       << "1"
                                       << "20240201"
                                       << "20240229"
                                       << "20240229";
        QTest::newRow("整年 ignores month before") << 1 << 2024 << "1"
                                                   << "1"
                                                   << "1"
                                                   << "20240101"
                                                   << "20241231"
                                                   << "20241231";
        QTest::newRow("AftState 0, current month") << 7 << 2024 << "1"
                                                   << "0"
                                                   << "0"
                                                   << "20240601"
                                                   << "20240615"
                                                   << "20240630";
        QTest::newRow("AftState 0, past month") << 6 << 2024 << "1"
                                                << "0"
                                                << "0"
                                                << "20240501"
                                                << "20240531"
                                                << "20240531";
        QTest::newRow("AftState 0, later year: start after end") << 1 << 2025 << "1"
                                                                 << "0"
                                                                 << "0"
                                                                 << "20250101"
                                                                 << "20240615"
                                                                 << "20251231";
        QTest::newRow("全部 ends today") << 0 << 2024 << "1"
                                         << "0"
                                         << "1"
                                         << ""
                                         << "20240615"
                                         << "20240615";
        QTest::newRow("整年 9999 ends within four digits") << 1 << 9999 << "5"
                                                           << "0"
                                                           << "1"
                                                           << "99990105"
                                                           << "99991231"
                                                           << "99991231";
        QTest::newRow("12月 9999") << 13 << 9999 << "5"
                                   << "0"
                                   << "1"
                                   << "99991205"
                                   << "99991231"
                                   << "99991231";
    }
    void reportPeriods() {
        QFETCH(int, choice);
        QFETCH(int, year);
        QFETCH(QString, day);
        QFETCH(QString, day2);
        QFETCH(QString, aft);
        SettingMirrors s;
        s.DayState = day;
        s.DayState2 = day2;
        s.AftState = aft;
        const Periods::ReportPeriod p = Periods::reportPeriod(choice, year, s, QDate(2024, 6, 15));
        QTEST(p.start, "start");
        QTEST(p.end, "end");
        QTEST(p.lastShown, "shown");
    }

    void reportYear() {
        const QDate today(2024, 6, 15);
        QCOMPARE(Periods::reportYear(QStringLiteral("2020"), today), 2020);
        QCOMPARE(Periods::reportYear(QStringLiteral("abc"), today), 2024);
        QCOMPARE(Periods::reportYear(QStringLiteral("10000"), today), 2024);
        QCOMPARE(Periods::reportYear(QStringLiteral("1600"), today), 2024);
    }

    void budgetCell() {
        QCOMPARE(Periods::budgetCell(0), -1);
        QCOMPARE(Periods::budgetCell(1), 0);
        QCOMPARE(Periods::budgetCell(2), 1);
        QCOMPARE(Periods::budgetCell(13), 12);
    }
};

QTEST_GUILESS_MAIN(PeriodsTest)
#include "tst_periods.moc"
