// The chart adapter: pie slices with the palette, negative slices, the twelve-row chart.
#include <QTest>

#include "reports/reportchart.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QPieSeries>
#include <QtCharts/QPieSlice>

#include <QPointer>

class ReportChartTest : public QObject {
    Q_OBJECT
private slots:
    void pie() {
        ReportChart chart;
        QStringList labels;
        QList<double> values;
        for (int i = 0; i < 16; ++i) {
            labels << QStringLiteral("s%1").arg(i);
            values << (i == 1 ? -5.0 : double(i + 1));
        }
        chart.ShowPie(QStringLiteral("2024/3/10 資產狀況"), labels, values);
        QCOMPARE(chart.rowLabel(), QStringLiteral("2024/3/10 資產狀況"));
        QCOMPARE(chart.sliceCount(), 16);
        QCOMPARE(chart.sliceLabel(1), QStringLiteral("s1"));
        QCOMPARE(chart.sliceValue(1), -5.0);
        // The negative slice is drawn with size 0; the next slice keeps colour 3.
        auto* series = qobject_cast<QPieSeries*>(chart.chart()->series().at(0));
        QVERIFY(series);
        QCOMPARE(series->slices().at(1)->value(), 0.0);
        QCOMPARE(series->slices().at(2)->value(), 3.0);
        QCOMPARE(chart.sliceColour(0), std::optional<QColor>(QColor(255, 160, 160)));
        QCOMPARE(chart.sliceColour(2), std::optional<QColor>(QColor(255, 255, 64)));
        QCOMPARE(chart.sliceColour(13), std::optional<QColor>(QColor(0, 0, 0)));
        QVERIFY(!chart.sliceColour(14));

        chart.SetRowLabel(QStringLiteral("x"));
        QCOMPARE(chart.rowLabel(), QStringLiteral("x"));
        chart.ShowPie(QStringLiteral("empty"), {}, {});
        QCOMPARE(chart.sliceCount(), 0);
    }

    // A pie shown over another one draws exactly what a new chart draws with it: slices,
    // colours (the palette's and the chart's own beyond it), legend texts and title.
    void pieOverPie_data() {
        QTest::addColumn<QStringList>("firstLabels");
        QTest::addColumn<QList<double>>("firstValues");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QList<double>>("values");
        auto names = [](const QString& stem, int n) {
            QStringList l;
            for (int i = 0; i < n; ++i)
                l << QStringLiteral("%1%2 %3%").arg(stem).arg(i).arg(i * 3);
            return l;
        };
        auto sizes = [](int n, double step) {
            QList<double> v;
            for (int i = 0; i < n; ++i)
                v << 10 + i * step;
            return v;
        };
        QTest::newRow("same count, beyond the palette")
            << names(QStringLiteral("a"), 20) << sizes(20, 1) << names(QStringLiteral("b"), 20)
            << sizes(20, 7);
        QList<double> negative = sizes(20, 2);
        negative[3] = -40;
        QTest::newRow("same count, a slice turned negative")
            << names(QStringLiteral("a"), 20) << sizes(20, 1) << names(QStringLiteral("a"), 20)
            << negative;
        QList<double> lastKept = sizes(20, 1);
        lastKept[0] = 90;
        QTest::newRow("same count, only the first size changed")
            << names(QStringLiteral("a"), 20) << sizes(20, 1) << names(QStringLiteral("a"), 20)
            << lastKept;
        QTest::newRow("same count, markup in a name")
            << QStringList{QStringLiteral("x"), QStringLiteral("y")} << QList<double>{1, 2}
            << QStringList{QStringLiteral("<b>x"), QStringLiteral("y&amp;")} << QList<double>{2, 1};
        QTest::newRow("more slices") << names(QStringLiteral("a"), 5) << sizes(5, 1)
                                     << names(QStringLiteral("c"), 18) << sizes(18, 3);
        QTest::newRow("one slice fewer") << names(QStringLiteral("a"), 16) << sizes(16, 1)
                                         << names(QStringLiteral("c"), 15) << sizes(15, 3);
        QTest::newRow("one slice more, into the palette")
            << names(QStringLiteral("a"), 3) << sizes(3, 1) << names(QStringLiteral("c"), 4)
            << sizes(4, 3);
        QTest::newRow("from none")
            << QStringList() << QList<double>() << names(QStringLiteral("c"), 15) << sizes(15, 3);
        QTest::newRow("fewer slices") << names(QStringLiteral("a"), 18) << sizes(18, 1)
                                      << names(QStringLiteral("c"), 4) << sizes(4, 3);
        QTest::newRow("two slices fewer") << names(QStringLiteral("a"), 16) << sizes(16, 1)
                                          << names(QStringLiteral("c"), 14) << sizes(14, 3);
        QTest::newRow("many fewer, from beyond the palette into it")
            << names(QStringLiteral("a"), 40) << sizes(40, 1) << names(QStringLiteral("c"), 9)
            << sizes(9, 3);
        QList<double> lastNegative = sizes(12, 2);
        lastNegative.last() = -8;
        QTest::newRow("three fewer, the last one negative")
            << names(QStringLiteral("a"), 15) << sizes(15, 1) << names(QStringLiteral("a"), 12)
            << lastNegative;
        QTest::newRow("down to one slice") << names(QStringLiteral("a"), 6) << sizes(6, 1)
                                           << names(QStringLiteral("c"), 1) << sizes(1, 3);
        QTest::newRow("down to none")
            << names(QStringLiteral("a"), 5) << sizes(5, 1) << QStringList() << QList<double>();
    }
    void pieOverPie() {
        QFETCH(QStringList, firstLabels);
        QFETCH(QList<double>, firstValues);
        QFETCH(QStringList, labels);
        QFETCH(QList<double>, values);
        ReportChart redrawn;
        ReportChart fresh;
        for (ReportChart* chart : {&redrawn, &fresh}) {
            chart->resize(640, 420);
            chart->show();
        }
        QVERIFY(QTest::qWaitForWindowExposed(&redrawn));
        QVERIFY(QTest::qWaitForWindowExposed(&fresh));
        redrawn.ShowPie(QStringLiteral("01月"), firstLabels, firstValues);
        QCoreApplication::processEvents();
        // The pie is updated in place, whatever the change of its slice count: the slices it
        // keeps are the ones it had.
        auto slices = [](const ReportChart& chart) {
            auto* series = qobject_cast<QPieSeries*>(chart.chart()->series().value(0));
            return series ? series->slices() : QList<QPieSlice*>();
        };
        const QPointer<QPieSlice> first = slices(redrawn).value(0);
        redrawn.ShowPie(QStringLiteral("02月"), labels, values);
        if (!firstValues.isEmpty() && !values.isEmpty()) {
            QVERIFY2(first, "the pie was built again");
            QCOMPARE(slices(redrawn).value(0), first.data());
        }
        fresh.ShowPie(QStringLiteral("02月"), labels, values);
        QCoreApplication::processEvents();
        QCOMPARE(redrawn.sliceCount(), int(values.size()));
        for (int i = 0; i < values.size(); ++i) {
            QCOMPARE(redrawn.sliceLabel(i), labels[i]);
            QCOMPARE(redrawn.sliceValue(i), values[i]);
            QCOMPARE(redrawn.sliceColour(i), fresh.sliceColour(i));
        }
        QCOMPARE(redrawn.rowLabel(), QStringLiteral("02月"));
        QCOMPARE(redrawn.grab().toImage(), fresh.grab().toImage());
    }

    // Month labels too wide for a narrow chart lose their "月", whether the chart was made
    // narrow during a hold or before its figures were set one by one.
    void twelveRowsFitted() {
        ReportChart held;
        ReportChart single;
        for (ReportChart* chart : {&held, &single}) {
            chart->resize(640, 420);
            chart->MakeRowChart();
            chart->show();
        }
        QVERIFY(QTest::qWaitForWindowExposed(&held));
        QVERIFY(QTest::qWaitForWindowExposed(&single));
        auto fill = [](ReportChart& chart) {
            for (int m = 1; m <= 12; ++m) {
                chart.SetRowText(m, QStringLiteral("%1月").arg(m));
                chart.SetValue(m, 1, m * 123456.0);
                chart.SetValue(m, 2, -m * 2000.0);
            }
        };
        fill(held);
        {
            const ReportChart::Hold once(held);
            held.resize(260, 300);
        }
        single.resize(260, 300);
        fill(single);
        QCoreApplication::processEvents();
        auto shown = [](const ReportChart& chart) {
            auto* rows =
                qobject_cast<QBarCategoryAxis*>(chart.chart()->axes(Qt::Horizontal).value(0));
            return rows ? rows->categories() : QStringList();
        };
        QCOMPARE(shown(held).value(11), QStringLiteral("12"));
        QCOMPARE(shown(held), shown(single));
        QCOMPARE(held.grab().toImage(), single.grab().toImage());
    }

    void twelveRows() {
        ReportChart chart;
        chart.MakeRowChart();
        QCOMPARE(chart.rowText(1), QStringLiteral("R1"));
        QCOMPARE(chart.value(12, 2), 0.0);
        for (int m = 1; m <= 12; ++m) {
            chart.SetRowText(m, QStringLiteral("%1月").arg(m));
            chart.SetValue(m, 1, m * 10.5);
        }
        chart.SetValue(3, 2, -7);
        QCOMPARE(chart.rowText(12), QStringLiteral("12月"));
        QCOMPARE(chart.value(2, 1), 21.0);
        QCOMPARE(chart.value(3, 2), -7.0);
        // A pie after the rows replaces them.
        chart.ShowPie(QStringLiteral("p"), {QStringLiteral("a")}, {1});
        QCOMPARE(chart.sliceCount(), 1);
        QCOMPARE(chart.rowText(1), QString());
    }
};

QTEST_MAIN(ReportChartTest)
#include "tst_reportchart.moc"
