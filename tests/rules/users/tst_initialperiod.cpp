#include "rules/users/initialperiod.h"

#include <QtTest>

class InitialPeriodTest : public QObject {
    Q_OBJECT

private slots:
    void choose_data();
    void choose();
};

void InitialPeriodTest::choose_data() {
    QTest::addColumn<int>("entryCount");
    QTest::addColumn<QString>("lastDate");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("monState");
    QTest::addColumn<QString>("dayState");
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("year");

    const QDate jan10(2026, 1, 10);
    QTest::newRow("no entries") << 1 << "" << jan10 << "1"
                                << "1" << 0 << 2026;
    QTest::newRow("earlier year") << 5 << "2024/12/31" << jan10 << "1"
                                  << "1" << 0 << 2024;
    QTest::newRow("later year") << 5 << "2027/01/01" << jan10 << "1"
                                << "1" << 0 << 2027;
    QTest::newRow("whole year") << 5 << "2026/01/03" << jan10 << "0"
                                << "1" << 1 << 2026;
    QTest::newRow("this month") << 5 << "2026/01/03" << jan10 << "1"
                                << "1" << 2 << 2026;
    QTest::newRow("before month start rolls into December") << 5 << "2026/01/03" << jan10 << "1"
                                                            << "25" << 13 << 2025;
    QTest::newRow("on the month start") << 5 << "2026/01/03" << QDate(2026, 1, 25) << "1"
                                        << "25" << 2 << 2026;
    QTest::newRow("mid year roll back") << 5 << "2026/03/01" << QDate(2026, 7, 4) << "1"
                                        << "5" << 7 << 2026;
    QTest::newRow("fixed text blanks") << 2 << "2026/07/01" << QDate(2026, 7, 4) << "1"
                                       << "1" << 8 << 2026;
}

void InitialPeriodTest::choose() {
    QFETCH(int, entryCount);
    QFETCH(QString, lastDate);
    QFETCH(QDate, today);
    QFETCH(QString, monState);
    QFETCH(QString, dayState);
    QFETCH(int, item);
    QFETCH(int, year);
    const InitialPeriod p = ChooseInitialPeriod(entryCount, lastDate, today, monState, dayState);
    QCOMPARE(p.item, item);
    QCOMPARE(p.year, year);
}

QTEST_GUILESS_MAIN(InitialPeriodTest)
#include "tst_initialperiod.moc"
