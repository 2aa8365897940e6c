#include "reports/reportchart.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QPieSeries>
#include <QtCharts/QPieSlice>
#include <QtCharts/QValueAxis>

#include <algorithm>

const std::array<QColor, 14> ChartPalette = {
    QColor(255, 160, 160), QColor(255, 160, 50),  QColor(255, 255, 64), QColor(180, 255, 180),
    QColor(192, 255, 255), QColor(180, 180, 255), QColor(160, 98, 122), QColor(128, 5, 5),
    QColor(128, 80, 0),    QColor(10, 128, 10),   QColor(10, 100, 100), QColor(0, 0, 112),
    QColor(128, 0, 128),   QColor(0, 0, 0)};

ReportChart::ReportChart(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    chart()->setBackgroundRoundness(0);
    chart()->setMargins(QMargins(2, 2, 2, 2));
}

void ReportChart::ShowPie(const QString& rowLabel, const QStringList& sliceLabels,
                          const QList<double>& values) {
    QChart* c = chart();
    clearChart();
    m_pie = new QPieSeries(c);
    m_values = values;
    m_labels = sliceLabels;
    m_coloured = int(std::min<qsizetype>(values.size(), qsizetype(ChartPalette.size())));
    for (qsizetype i = 0; i < values.size(); ++i) {
        // Chart labels take markup: a name such as "<b>x" is shown as typed.
        QPieSlice* slice =
            m_pie->append(sliceLabels.value(i).toHtmlEscaped(), std::max(values[i], 0.0));
        if (i < m_coloured) {
            slice->setColor(ChartPalette[size_t(i)]);
            slice->setBorderColor(Qt::white);
        }
    }
    c->addSeries(m_pie);
    c->legend()->setAlignment(Qt::AlignRight);
    c->legend()->setVisible(true);
    SetRowLabel(rowLabel);
}

void ReportChart::clearChart() {
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    m_pie = nullptr;
    m_values.clear();
    m_labels.clear();
    m_coloured = 0;
    m_bars = nullptr;
    m_rows = nullptr;
}

void ReportChart::SetRowLabel(const QString& label) {
    m_rowLabel = label;
    chart()->setTitle(label.toHtmlEscaped());
}

QString ReportChart::rowLabel() const {
    return m_rowLabel;
}

int ReportChart::sliceCount() const {
    return m_pie ? int(m_pie->count()) : 0;
}

QString ReportChart::sliceLabel(int i) const {
    return m_labels.value(i);
}

double ReportChart::sliceValue(int i) const {
    return m_values.value(i);
}

std::optional<QColor> ReportChart::sliceColour(int i) const {
    if (!m_pie || i < 0 || i >= m_coloured) return std::nullopt;
    return m_pie->slices().at(i)->color();
}

void ReportChart::MakeRowChart() {
    QChart* c = chart();
    clearChart();
    m_bars = new QBarSeries(c);
    for (const char* name : {"C1", "C2"}) {
        auto* set = new QBarSet(QString::fromLatin1(name));
        for (int r = 0; r < 12; ++r)
            set->append(0.0);
        m_bars->append(set);
    }
    c->addSeries(m_bars);
    m_rows = new QBarCategoryAxis(c);
    QStringList rows;
    for (int r = 1; r <= 12; ++r)
        rows << QStringLiteral("R%1").arg(r);
    m_rows->append(rows);
    c->addAxis(m_rows, Qt::AlignBottom);
    m_bars->attachAxis(m_rows);
    auto* values = new QValueAxis(c);
    c->addAxis(values, Qt::AlignLeft);
    m_bars->attachAxis(values);
    c->legend()->setVisible(false);
}

void ReportChart::SetRowText(int row, const QString& label) {
    if (!m_rows || row < 1 || row > 12) return;
    QStringList rows = m_rows->categories();
    rows[row - 1] = label;
    m_rows->setCategories(rows);
}

void ReportChart::SetValue(int row, int series, double value) {
    if (!m_bars || row < 1 || row > 12 || series < 1 || series > 2) return;
    m_bars->barSets().at(series - 1)->replace(row - 1, value);
    // The value axis follows the values shown.
    double low = 0, high = 0;
    for (QBarSet* set : m_bars->barSets())
        for (int r = 0; r < set->count(); ++r) {
            low = std::min(low, set->at(r));
            high = std::max(high, set->at(r));
        }
    for (QAbstractAxis* axis : chart()->axes(Qt::Vertical))
        axis->setRange(low, high > low ? high : low + 1);
}

QString ReportChart::rowText(int row) const {
    return m_rows && row >= 1 && row <= 12 ? m_rows->categories().value(row - 1) : QString();
}

double ReportChart::value(int row, int series) const {
    if (!m_bars || row < 1 || row > 12 || series < 1 || series > 2) return 0;
    return m_bars->barSets().at(series - 1)->at(row - 1);
}
