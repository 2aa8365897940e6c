#include "mainwin/accounttree.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <algorithm>
#include <cmath>

namespace {
const QString figureSeparator = QStringLiteral(": ");
const QString ellipsis(QChar(0x2026));

int depthOf(const QTreeWidgetItem* node) {
    int depth = 0;
    for (const QTreeWidgetItem* p = node->parent(); p; p = p->parent())
        ++depth;
    return depth;
}
} // namespace

AccountTree::AccountTree(QWidget* parent) : QTreeWidget(parent) {
    // The column's width is the tree's own: the viewport's, or the widest node's.
    header()->setStretchLastSection(false);
}

void AccountTree::changeEvent(QEvent* event) {
    QTreeWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_margins = -1;
        ++m_generation;
        requestMeasure();
    }
}

int AccountTree::textMargins() const {
    if (m_margins >= 0) return m_margins;
    // What the view's item painter keeps of a node's rectangle for its text: the icon and
    // its margins before it, then a margin on either side of the text itself.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
    constexpr int probe = 1000;
    option.rect = QRect(0, 0, probe, fontMetrics().height() + 4);
    const QRect text = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    const int textMargin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    m_margins = probe - text.width() + 2 * textMargin;
    return m_margins;
}

int AccountTree::indentOf(int depth) const {
    return indentation() * (depth + (rootIsDecorated() ? 1 : 0));
}

int AccountTree::textWidth(int depth) const {
    if (!isVisible()) return -1;
    return std::max(0, columnWidth(0) - indentOf(depth) - textMargins());
}

void AccountTree::nodeTextChanged() {
    requestMeasure();
}

void AccountTree::scrollTo(const QModelIndex& index, ScrollHint hint) {
    // The view would show the start of a node wider than the viewport, taking the figures the
    // user scrolled to out of view again at every step between nodes.
    const int sideways = horizontalScrollBar()->value();
    QTreeWidget::scrollTo(index, hint);
    horizontalScrollBar()->setValue(sideways);
}

void AccountTree::updateGeometries() {
    // A new viewport width is followed at once; which nodes are shown may have changed too
    // (an expand or collapse, a new tree), which the measure after this event finds.
    fitColumn();
    QTreeWidget::updateGeometries();
    requestMeasure();
}

void AccountTree::requestMeasure() {
    // Many changes in one go (a tree expanded node by node, every figure written anew) are
    // measured once.
    if (m_measureRequested) return;
    m_measureRequested = true;
    QMetaObject::invokeMethod(this, &AccountTree::measureColumn, Qt::QueuedConnection);
}

void AccountTree::measureColumn() {
    m_measureRequested = false;
    if (!m_widths || m_widthsGeneration != m_generation) {
        m_widths.emplace(font());
        m_widthsGeneration = m_generation;
    }
    const int margins = textMargins();
    int widest = 0;
    // The nodes shown: the roots and the children of expanded nodes, with their depths.
    std::vector<std::pair<const QTreeWidgetItem*, int>> pending;
    pending.emplace_back(invisibleRootItem(), -1);
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        for (int i = 0; i < node->childCount(); ++i) {
            const QTreeWidgetItem* child = node->child(i);
            if (child->type() == AccountNode::Type) {
                const int text =
                    static_cast<const AccountNode*>(child)->shortestWidth(*m_widths, m_generation);
                if (text > 0) widest = std::max(widest, indentOf(depth + 1) + margins + text);
            }
            if (child->childCount() > 0 && child->isExpanded())
                pending.emplace_back(child, depth + 1);
        }
    }
    if (widest == m_widest) return;
    m_widest = widest;
    const int before = columnWidth(0);
    fitColumn();
    if (columnWidth(0) != before) QTreeWidget::updateGeometries(); // the scroll range with it
}

void AccountTree::fitColumn() {
    const int width = std::max(viewport()->width(), m_widest);
    if (header()->sectionSize(0) != width) header()->resizeSection(0, width);
}

QVariant AccountNode::data(int column, int role) const {
    if (column == 0 && role == Qt::ToolTipRole) {
        // The whole text where the node shows it cut.
        const QString shown = data(0, Qt::DisplayRole).toString();
        const QString text = fullText(this);
        return shown != text ? QVariant(text) : QTreeWidgetItem::data(column, role);
    }
    if (column != 0 || role != Qt::DisplayRole) return QTreeWidgetItem::data(column, role);
    const auto* tree = qobject_cast<const AccountTree*>(treeWidget());
    const int width = tree ? tree->textWidth(depthOf(this)) : -1;
    if (width < 0) return QTreeWidgetItem::data(column, role);
    if (width != m_shownWidth || tree->fitGeneration() != m_shownGeneration) {
        m_shown = fitted(fullText(this), QFontMetricsF(tree->font()), width);
        m_shownWidth = width;
        m_shownGeneration = tree->fitGeneration();
    }
    return m_shown;
}

void AccountNode::setData(int column, int role, const QVariant& value) {
    const bool text = column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole);
    if (text) {
        m_shownWidth = -1;
        m_shortestWidth = -1;
    }
    QTreeWidgetItem::setData(column, role, value);
    if (auto* tree = qobject_cast<AccountTree*>(treeWidget()); tree && text)
        tree->nodeTextChanged();
}

QString AccountNode::fullText(const QTreeWidgetItem* node) {
    return node ? node->QTreeWidgetItem::data(0, Qt::DisplayRole).toString() : QString();
}

QString AccountNode::shortest(const QString& text) {
    const qsizetype split = text.lastIndexOf(figureSeparator);
    if (split < 0) return QString();
    // "…" alone names nothing: the name keeps a readable start.
    const QString start = split <= 2 ? text.left(split) : text.left(1) + ellipsis;
    return start + text.mid(split);
}

int AccountNode::shortestWidth(ShortestWidths& widths, int generation) const {
    if (m_shortestWidth < 0 || m_shortestGeneration != generation) {
        const QString text = shortest(fullText(this));
        m_shortestWidth = text.isEmpty() ? 0 : widths.width(text);
        m_shortestGeneration = generation;
    }
    return m_shortestWidth;
}

ShortestWidths::ShortestWidths(const QFont& font) : m_metrics(font) {
    m_figureChars.fill(-1);
    // What follows the start's ": ", and the blank before it.
    const QString figureChars = QStringLiteral("0123456789,.- ");
    for (const QChar c : figureChars)
        m_figureChars[c.unicode()] = m_metrics.horizontalAdvance(c);
    for (const QChar a : figureChars)
        for (const QChar b : figureChars)
            if (m_metrics.horizontalAdvance(QString(a) + b) !=
                m_figureChars[a.unicode()] + m_figureChars[b.unicode()])
                m_byParts = false;
}

int ShortestWidths::width(const QString& text) {
    // Whole pixels: a text that fits only when rounded is cut by the view.
    const qsizetype figure = text.lastIndexOf(figureSeparator) + figureSeparator.size();
    if (!m_byParts || figure < figureSeparator.size())
        return int(std::ceil(m_metrics.horizontalAdvance(text)));
    const QString start = text.left(figure);
    auto known = m_starts.constFind(start);
    if (known == m_starts.cend())
        known = m_starts.insert(start, m_metrics.horizontalAdvance(start));
    qreal width = *known;
    for (const QChar c : QStringView(text).mid(figure)) {
        const qreal advance = c.unicode() < m_figureChars.size() ? m_figureChars[c.unicode()] : -1;
        if (advance < 0) return int(std::ceil(m_metrics.horizontalAdvance(text)));
        width += advance;
    }
    return int(std::ceil(width));
}

QString AccountNode::fitted(const QString& text, const QFontMetricsF& metrics, int width) {
    // Measured as the view lays the text out, in fractions of a pixel: a text that fits only
    // when rounded is cut by the view.
    if (metrics.horizontalAdvance(text) <= width) return text;
    const qsizetype split = text.lastIndexOf(figureSeparator);
    if (split < 0) return metrics.elidedText(text, Qt::ElideRight, width);
    const QString figure = text.mid(split);
    const QString name = text.left(split);
    // Cut the name until the whole text fits (the two parts measured apart may differ from
    // the text measured whole), but not below its readable start; a name of up to two
    // characters is that start.
    const qreal start = name.size() > 2 ? width - metrics.horizontalAdvance(figure) : 0;
    for (qreal room = start; room > 0; room -= 1) {
        const QString cut = metrics.elidedText(name, Qt::ElideRight, room);
        if (cut.isEmpty() || cut == ellipsis) break;
        const QString shown = cut + figure;
        if (metrics.horizontalAdvance(shown) <= width) return shown;
    }
    // The column widens to the shortest form (AccountTree::measureColumn).
    return shortest(text);
}
