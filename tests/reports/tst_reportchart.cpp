// The chart adapter: pie slices with the palette, negative slices, the twelve-row chart.
#include <QTest>

#include "reports/reportchart.h"

#include <QtCharts/QPieSeries>
#include <QtCharts/QPieSlice>

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
