// Year and month arrows of the report windows, on a real year box and period list.
#include <QTest>

#include "reports/periodarrows.h"

#include <QComboBox>
#include <QLineEdit>

namespace {
QStringList entriesOf(const QString& list) {
    QStringList months;
    for (int m = 1; m <= 12; ++m)
        months << QStringLiteral("%1月").arg(m, 2, 10, QLatin1Char('0'));
    if (list == QLatin1String("ibs")) return QStringList{"全部", "整年"} + months;
    if (list == QLatin1String("budget")) return QStringList{"整年"} + months;
    return months;
}
const PeriodArrows::PeriodList& layoutOf(const QString& list) {
    if (list == QLatin1String("ibs")) return PeriodArrows::StatementsList;
    if (list == QLatin1String("budget")) return PeriodArrows::BudgetList;
    return PeriodArrows::DailyList;
}
const QDate today(2024, 6, 15);
} // namespace

class PeriodArrowsTest : public QObject {
    Q_OBJECT
private slots:
    void years_data() {
        QTest::addColumn<QString>("year");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("yearState");
        QTest::addColumn<QString>("result");
        QTest::newRow("up") << "2020" << true << "0"
                            << "2021";
        QTest::newRow("down") << "2020" << false << "0"
                              << "2019";
        QTest::newRow("reversed up") << "2020" << true << "1"
                                     << "2019";
        QTest::newRow("reversed down") << "2020" << false << "1"
                                       << "2021";
        QTest::newRow("other state: down goes forward") << "2020" << false << "2"
                                                        << "2021";
        QTest::newRow("9999 stays") << "9999" << true << "0"
                                    << "9999";
        QTest::newRow("1601 stays") << "1601" << false << "0"
                                    << "1601";
        QTest::newRow("letters: current year, then the step") << "abc" << true << "0"
                                                              << "2025";
        QTest::newRow("out of range counts as no year") << "12345" << false << "0"
                                                        << "2023";
        QTest::newRow("empty") << "" << false << "0"
                               << "2023";
    }
    void years() {
        QFETCH(QString, year);
        QFETCH(bool, up);
        QFETCH(QString, yearState);
        QLineEdit box(year);
        PeriodArrows::StepYear(&box, up, yearState, today);
        QTEST(box.text(), "result");
    }

    void months_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("year");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("down");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("newYear");
        QTest::addColumn<QString>("entry"); // "-" when none
        QTest::newRow("ibs 12月 down") << "ibs"
                                       << "2024" << 13 << true << true << "2025"
                                       << "01月";
        QTest::newRow("ibs 全部 up") << "ibs"
                                     << "2024" << 0 << false << true << "2023"
                                     << "12月";
        QTest::newRow("ibs 01月 up") << "ibs"
                                     << "2024" << 2 << false << true << "2023"
                                     << "12月";
        QTest::newRow("ibs 整年 up") << "ibs"
                                     << "2024" << 1 << false << true << "2024"
                                     << "全部";
        QTest::newRow("ibs 全部 down") << "ibs"
                                       << "2024" << 0 << true << true << "2024"
                                       << "整年";
        QTest::newRow("ibs 整年 down") << "ibs"
                                       << "2024" << 1 << true << true << "2024"
                                       << "01月";
        QTest::newRow("ibs none down") << "ibs"
                                       << "2024" << -1 << true << true << "2024"
                                       << "全部";
        QTest::newRow("ibs none up") << "ibs"
                                     << "2024" << -1 << false << false << "2024"
                                     << "-";
        QTest::newRow("budget 整年 up") << "budget"
                                        << "2024" << 0 << false << true << "2023"
                                        << "12月";
        QTest::newRow("budget 整年 down") << "budget"
                                          << "2024" << 0 << true << true << "2024"
                                          << "01月";
        QTest::newRow("daily 02月 up") << "daily"
                                       << "2024" << 1 << false << true << "2024"
                                       << "01月";
        QTest::newRow("daily 01月 up") << "daily"
                                       << "2024" << 0 << false << true << "2023"
                                       << "12月";
        QTest::newRow("9999/12 down does nothing") << "ibs"
                                                   << "9999" << 13 << true << false << "9999"
                                                   << "12月";
        QTest::newRow("1601/01 up does nothing") << "daily"
                                                 << "1601" << 0 << false << false << "1601"
                                                 << "01月";
        QTest::newRow("letters at a wrap: from the current year")
            << "ibs"
            << "abc" << 13 << true << true << "2025"
            << "01月";
    }
    void months() {
        QFETCH(QString, list);
        QFETCH(QString, year);
        QFETCH(int, index);
        QFETCH(bool, down);
        QComboBox combo;
        combo.addItems(entriesOf(list));
        combo.setCurrentIndex(index);
        QLineEdit box(year);
        QTEST(PeriodArrows::StepMonth(&combo, &box, down, layoutOf(list), today), "changed");
        QTEST(box.text(), "newYear");
        QTEST(combo.currentIndex() < 0 ? QStringLiteral("-") : combo.currentText(), "entry");
    }
};

QTEST_MAIN(PeriodArrowsTest)
#include "tst_periodarrows.moc"
