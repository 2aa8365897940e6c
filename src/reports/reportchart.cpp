#include "reports/reportchart.h"

#include <QSignalBlocker>

#include "rules/setup/settingsfile.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QPieSeries>
#include <QtCharts/QPieSlice>
#include <QtCharts/QValueAxis>

#include <QGraphicsLayout>
#include <QGraphicsTextItem>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <utility>

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

namespace {
// The labels shrink to fit no further than the smallest type a list can have: smaller, they
// could not be read.
double smallestPoints() {
    return SettingsFile::FontSizes().first().toDouble();
}

// Slice i of a pie: the palette's colour for the first ones, the chart's own after them.
QPieSlice* paletteSlice(qsizetype i, const QString& label, double value) {
    // Chart labels take markup: a name such as "<b>x" is shown as typed.
    auto* slice = new QPieSlice(label.toHtmlEscaped(), std::max(value, 0.0));
    if (i < qsizetype(ChartPalette.size())) {
        slice->setColor(ChartPalette[size_t(i)]);
        slice->setBorderColor(Qt::white);
    }
    return slice;
}
} // namespace

void ReportChart::ShowPie(const QString& rowLabel, const QStringList& sliceLabels,
                          const QList<double>& values) {
    // Another month shows about as many slices: the slices and their legend markers are
    // kept and take the new labels and sizes, as building sixty slices and markers again
    // costs most of a redraw. Only the difference is added or removed, at once: every
    // announced change of the slice count builds all the legend's markers again. A slice's
    // colour depends only on its place.
    if (m_pie) {
        const QList<QPieSlice*> slices = m_pie->slices();
        const qsizetype kept = std::min(slices.size(), values.size());
        if (kept < slices.size()) {
            // The series has no call that removes several slices; taken quietly, they are
            // announced together to the pie's drawing and its legend, as a removal is.
            const QList<QPieSlice*> gone = slices.mid(kept);
            {
                const QSignalBlocker quiet(m_pie);
                for (QPieSlice* slice : gone)
                    m_pie->take(slice);
            }
            emit m_pie->removed(gone);
            emit m_pie->countChanged();
            qDeleteAll(gone);
        }
        for (qsizetype i = 0; i < kept; ++i)
            slices[i]->setLabel(sliceLabels.value(i).toHtmlEscaped());
        // Each new value would lay the whole pie out again: the values go in unannounced,
        // and the last one announced lays it out once with all of them.
        for (qsizetype i = 0; i + 1 < kept; ++i) {
            const QSignalBlocker quiet(slices[i]);
            slices[i]->setValue(std::max(values[i], 0.0));
        }
        if (kept > 0) {
            QPieSlice* last = slices[kept - 1];
            const double value = std::max(values[kept - 1], 0.0);
            if (last->value() == value) {
                const QSignalBlocker quiet(last);
                last->setValue(value + 1);
            }
            last->setValue(value);
        }
        QList<QPieSlice*> added;
        for (qsizetype i = kept; i < values.size(); ++i)
            added << paletteSlice(i, sliceLabels.value(i), values[i]);
        if (!added.isEmpty()) m_pie->append(added);
        m_values = values;
        m_labels = sliceLabels;
        m_coloured = int(std::min<qsizetype>(values.size(), qsizetype(ChartPalette.size())));
        SetRowLabel(rowLabel);
        return;
    }
    QChart* c = chart();
    clearChart();
    m_pie = new QPieSeries(c);
    m_values = values;
    m_labels = sliceLabels;
    m_coloured = int(std::min<qsizetype>(values.size(), qsizetype(ChartPalette.size())));
    for (qsizetype i = 0; i < values.size(); ++i)
        m_pie->append(paletteSlice(i, sliceLabels.value(i), values[i]));
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
    m_labelPoints = 0;
    m_labelsWidth = -1;
    m_slotWidth = -1;
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
    m_rowTexts.clear();
    for (int r = 1; r <= 12; ++r)
        m_rowTexts << QStringLiteral("R%1").arg(r);
    m_rows->append(m_rowTexts);
    c->addAxis(m_rows, Qt::AlignBottom);
    m_bars->attachAxis(m_rows);
    auto* values = new QValueAxis(c);
    // Whole currency units, grouped as every other figure of the program is.
    values->setLabelFormat(QStringLiteral("%.0f"));
    c->setLocalizeNumbers(true);
    c->setLocale(QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan));
    c->addAxis(values, Qt::AlignLeft);
    m_bars->attachAxis(values);
    c->legend()->setVisible(false);
    c->legend()->setAlignment(Qt::AlignBottom);
}

void ReportChart::SetSeriesNames(const QString& first, const QString& second) {
    if (!m_bars) return;
    const QStringList names{first, second};
    for (int i = 0; i < 2; ++i)
        m_bars->barSets().at(i)->setLabel(names[i].toHtmlEscaped());
    QLegend* legend = chart()->legend();
    legend->setVisible(!first.isEmpty() || !second.isEmpty());
    // A series without a name (no second account chosen) has no bars to name.
    for (QLegendMarker* marker : legend->markers(m_bars))
        marker->setVisible(!marker->label().isEmpty());
}

QString ReportChart::seriesName(int series) const {
    if (!m_bars || series < 1 || series > 2 || !chart()->legend()->isVisible()) return QString();
    return m_bars->barSets().at(series - 1)->label();
}

void ReportChart::SetRowText(int row, const QString& label) {
    if (!m_rows || row < 1 || row > 12) return;
    if (m_rowTexts[row - 1] != label) m_slotWidth = -1;
    m_rowTexts[row - 1] = label;
    m_labelsWidth = -1;
    if (m_holds > 0)
        m_fitHeld = true;
    else
        fitRowLabels();
}

ReportChart::Hold::Hold(ReportChart& chart) : m_chart(chart) {
    ++m_chart.m_holds;
}

ReportChart::Hold::~Hold() {
    if (--m_chart.m_holds > 0) return;
    const bool range = std::exchange(m_chart.m_rangeHeld, false);
    const bool fit = std::exchange(m_chart.m_fitHeld, false);
    if (range) m_chart.fitValueRange();
    if (range || fit) m_chart.fitRowLabels();
}

void ReportChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    // A window that lays itself out during a hold fits the labels once, to the last size.
    if (m_holds > 0)
        m_fitHeld = true;
    else
        fitRowLabels();
}

QStringList ReportChart::cutLabels() const {
    // The chart cuts a label that does not fit with "..." as it lays its axes out.
    QChart* c = chart();
    if (c->layout()) {
        c->layout()->invalidate();
        c->layout()->activate();
    }
    QStringList cut;
    if (!scene()) return cut;
    for (QGraphicsItem* item : scene()->items()) {
        const auto* text = dynamic_cast<const QGraphicsTextItem*>(item);
        if (!text || !text->isVisible()) continue;
        const QString drawn = text->toPlainText();
        if (drawn.endsWith(QStringLiteral("..."))) cut << drawn.chopped(3);
    }
    return cut;
}

bool ReportChart::rowLabelCut(const QStringList& cut) const {
    for (const QString& part : cut)
        for (const QString& label : m_rows->categories())
            if (label.startsWith(part) && label != part) return true;
    return false;
}

QStringList ReportChart::shorterRowTexts() const {
    QStringList shown = m_rowTexts;
    for (QString& text : shown)
        if (text.endsWith(QStringLiteral("月"))) text.chop(1);
    return shown;
}

int ReportChart::RowLabelsWidth(int height) {
    if (!m_rows) return 0;
    if (m_labelsWidth >= 0 && m_labelsHeight == height) return m_labelsWidth;
    // Laid out at trial widths with the labels in their shorter form and the smallest type
    // they take; the chart then takes its own size and labels again.
    QChart* c = chart();
    const QSizeF size = c->size();
    const QFont font = m_rows->labelsFont();
    QAbstractAxis* values = c->axes(Qt::Vertical).value(0);
    const QFont valuesFont = values ? values->labelsFont() : font;
    const QStringList categories = m_rows->categories();
    QFont small = font;
    small.setPointSizeF(
        std::min(m_labelPoints > 0 ? m_labelPoints : font.pointSizeF(), smallestPoints()));
    m_rows->setLabelsFont(small);
    if (values) values->setLabelsFont(small);
    m_rows->setCategories(shorterRowTexts());
    auto fits = [&](int width) {
        c->resize(QSizeF(width, height));
        return !rowLabelCut(cutLabels());
    };
    // The plot is divided among the labels alike; the rest of the width (the value axis'
    // figures, the margins) follows the values. The room a label needs is searched for once,
    // by trial layouts; after that, one layout tells the rest and a second one confirms.
    const qsizetype labelCount = std::max<qsizetype>(categories.size(), 1);
    int wide = -1;
    if (m_slotWidth > 0 && m_slotPoints == small.pointSizeF()) {
        constexpr int trial = 4096;
        c->resize(QSizeF(trial, height));
        if (c->layout()) c->layout()->activate();
        const qreal rest = trial - c->plotArea().width();
        const int guess = int(std::ceil(rest + labelCount * m_slotWidth)) + 1;
        if (fits(guess)) wide = guess;
    }
    if (wide < 0) {
        int narrow = 0; // known too narrow
        wide = 4096;    // known wide enough (or the widest tried)
        for (int w = 256; w < wide; w *= 2) {
            if (fits(w)) {
                wide = w;
                break;
            }
            narrow = w;
        }
        while (wide - narrow > 4) {
            const int middle = (narrow + wide) / 2;
            (fits(middle) ? wide : narrow) = middle;
        }
        c->resize(QSizeF(wide, height));
        if (c->layout()) c->layout()->activate();
        m_slotWidth = c->plotArea().width() / qreal(labelCount);
        m_slotPoints = small.pointSizeF();
    }
    m_rows->setLabelsFont(font);
    if (values) values->setLabelsFont(valuesFont);
    m_rows->setCategories(categories);
    c->resize(size);
    m_labelsWidth = wide;
    m_labelsHeight = height;
    return wide;
}

void ReportChart::fitRowLabels() {
    if (!m_rows) return;
    // Labels too wide for their room: month labels are shown without "月" ("10", not
    // "1..."), then in a smaller type, as are the figures of the value axis.
    QFont font = m_rows->labelsFont();
    if (m_labelPoints <= 0) m_labelPoints = font.pointSizeF();
    font.setPointSizeF(m_labelPoints);
    m_rows->setLabelsFont(font);
    m_rows->setCategories(m_rowTexts);
    QAbstractAxis* values = chart()->axes(Qt::Vertical).value(0);
    if (values) values->setLabelsFont(font);
    auto monthCut = [this](const QStringList& cut) { return rowLabelCut(cut); };
    auto figureCut = [](const QStringList& cut) {
        static const QRegularExpression figure(QStringLiteral("^-?[\\d,.]+$"));
        for (const QString& part : cut)
            if (figure.match(part).hasMatch()) return true;
        return false;
    };
    // Each look at the drawn labels lays the chart out: it is looked at again only after a
    // change.
    QStringList cut = cutLabels();
    if (monthCut(cut)) {
        m_rows->setCategories(shorterRowTexts());
        cut = cutLabels();
    }
    // The value axis' figures take their width from the months' room: they shrink alike.
    QFont rowsFont = font;
    while (monthCut(cut) && rowsFont.pointSizeF() - 0.5 >= smallestPoints()) {
        rowsFont.setPointSizeF(rowsFont.pointSizeF() - 0.5);
        m_rows->setLabelsFont(rowsFont);
        if (values) values->setLabelsFont(rowsFont);
        cut = cutLabels();
    }
    QFont valuesFont = rowsFont;
    while (values && figureCut(cut) && valuesFont.pointSizeF() - 0.5 >= smallestPoints()) {
        valuesFont.setPointSizeF(valuesFont.pointSizeF() - 0.5);
        values->setLabelsFont(valuesFont);
        cut = cutLabels();
    }
}

void ReportChart::SetValue(int row, int series, double value) {
    if (!m_bars || row < 1 || row > 12 || series < 1 || series > 2) return;
    m_bars->barSets().at(series - 1)->replace(row - 1, value);
    if (m_holds > 0) {
        m_rangeHeld = true;
        return;
    }
    fitValueRange();
    fitRowLabels(); // the value axis' figures changed
}

void ReportChart::fitValueRange() {
    if (!m_bars) return;
    m_labelsWidth = -1; // the value axis' figures may take another width
    // The value axis follows the values shown, on round steps.
    double low = 0, high = 0;
    for (QBarSet* set : m_bars->barSets())
        for (int r = 0; r < set->count(); ++r) {
            low = std::min(low, set->at(r));
            high = std::max(high, set->at(r));
        }
    for (QAbstractAxis* axis : chart()->axes(Qt::Vertical)) {
        axis->setRange(low, high > low ? high : low + 1);
        if (auto* values = qobject_cast<QValueAxis*>(axis)) values->applyNiceNumbers();
    }
}

QString ReportChart::rowText(int row) const {
    return m_rows && row >= 1 && row <= 12 ? m_rowTexts.value(row - 1) : QString();
}

double ReportChart::value(int row, int series) const {
    if (!m_bars || row < 1 || row > 12 || series < 1 || series > 2) return 0;
    return m_bars->barSets().at(series - 1)->at(row - 1);
}
