#pragma once
#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtCharts/QChartView>
#include <array>
#include <optional>

class QPieSeries;
class QBarSeries;
class QBarCategoryAxis;

// Fill colours of pie slices 1 to 14; later slices keep the chart's own colours.
extern const std::array<QColor, 14> ChartPalette;

// The report windows' chart, with only what they use of it: a pie of one row (the
// statements window) or twelve rows of two series (the yearly window). Slices and bars
// receive numbers, never shown texts.
class ReportChart : public QChartView {
public:
    explicit ReportChart(QWidget* parent = nullptr);

    // ---- Pie of one row --------------------------------------------------------------
    // Slice i gets ChartPalette[i] for i < 14. A negative value gets size 0 (a pie cannot
    // show it); its label stays, so later slices keep their colours.
    void ShowPie(const QString& rowLabel, const QStringList& sliceLabels,
                 const QList<double>& values);
    void SetRowLabel(const QString& label);
    QString rowLabel() const;
    int sliceCount() const;
    QString sliceLabel(int i) const;                // i from 0
    double sliceValue(int i) const;                 // the value as given
    std::optional<QColor> sliceColour(int i) const; // nullopt: the chart's own colour

    // ---- Twelve rows of two series -----------------------------------------------------
    // Rows "R1".."R12" and two series "C1" and "C2", all values 0.
    void MakeRowChart();
    // Month labels too wide for the chart are shown without their "月", then in a smaller type
    // down to the smallest a list can have; rowText gives the label as set.
    void SetRowText(int row, const QString& label);   // row 1..12
    void SetValue(int row, int series, double value); // series 1 or 2
    // The legend names the two series; empty names hide it.
    void SetSeriesNames(const QString& first, const QString& second);
    QString seriesName(int series) const; // as the legend shows it, "" without one
    QString rowText(int row) const;
    double value(int row, int series) const;
    // The narrowest width, at the given height, at which the twelve row labels read whole in
    // their shorter form and the smallest type a list can have; 0 without rows. Measured by laying
    // the chart out, once per height and change of the labels or values.
    int RowLabelsWidth(int height);

    // The row texts and values set and the sizes taken while a hold lasts lay the chart out
    // once, when the outermost hold ends: a layout pass costs more than all twelve rows'
    // figures.
    class Hold {
    public:
        explicit Hold(ReportChart& chart);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        ReportChart& m_chart;
    };

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void clearChart();
    void fitValueRange();
    void fitRowLabels();
    int m_holds = 0;
    bool m_rangeHeld = false;                       // values changed during a hold
    bool m_fitHeld = false;                         // row texts changed during a hold
    QStringList cutLabels() const;                  // drawn labels cut short, without their "..."
    bool rowLabelCut(const QStringList& cut) const; // a row label among them
    QStringList shorterRowTexts() const;            // the labels without their "月"
    int m_labelsWidth = -1;                         // RowLabelsWidth, -1 unknown
    int m_labelsHeight = -1;                        // the height it was measured at
    qreal m_slotWidth = -1; // the room of one row label in RowLabelsWidth's type, -1 unknown
    qreal m_slotPoints = 0; // that type's size
    QStringList m_rowTexts;
    double m_labelPoints = 0; // the month labels' own size, before any fitting
    QPieSeries* m_pie = nullptr;
    QString m_rowLabel;
    QStringList m_labels;   // as given (shown escaped)
    QList<double> m_values; // as given, a negative one included
    int m_coloured = 0;
    QBarSeries* m_bars = nullptr;
    QBarCategoryAxis* m_rows = nullptr;
};
