#include "mainwin/accounttree.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <algorithm>

namespace {
const QString figureSeparator = QStringLiteral(": ");
const QString ellipsis(QChar(0x2026));
} // namespace

AccountTree::AccountTree(QWidget* parent) : QTreeWidget(parent) {}

void AccountTree::changeEvent(QEvent* event) {
    QTreeWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_margins = -1;
        ++m_generation;
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

int AccountTree::textWidth(int depth) const {
    if (!isVisible()) return -1;
    const int column = std::min(columnWidth(0), viewport()->width());
    const int indent = indentation() * (depth + (rootIsDecorated() ? 1 : 0));
    return std::max(0, column - indent - textMargins());
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
    int depth = 0;
    for (const QTreeWidgetItem* p = parent(); p; p = p->parent())
        ++depth;
    const int width = tree ? tree->textWidth(depth) : -1;
    if (width < 0) return QTreeWidgetItem::data(column, role);
    if (width != m_shownWidth || tree->fitGeneration() != m_shownGeneration) {
        m_shown = fitted(fullText(this), QFontMetricsF(tree->font()), width);
        m_shownWidth = width;
        m_shownGeneration = tree->fitGeneration();
    }
    return m_shown;
}

void AccountNode::setData(int column, int role, const QVariant& value) {
    if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole)) m_shownWidth = -1;
    QTreeWidgetItem::setData(column, role, value);
}

QString AccountNode::fullText(const QTreeWidgetItem* node) {
    return node ? node->QTreeWidgetItem::data(0, Qt::DisplayRole).toString() : QString();
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
    // the text measured whole), but not below a readable start: "…" alone names nothing.
    for (qreal room = width - metrics.horizontalAdvance(figure); room > 0; room -= 1) {
        const QString cut = metrics.elidedText(name, Qt::ElideRight, room);
        if (cut.isEmpty() || cut == ellipsis) break;
        const QString shown = cut + figure;
        if (metrics.horizontalAdvance(shown) <= width) return shown;
    }
    // Too narrow for a readable name and the whole figure: the name's start, the figure cut.
    const QString start = name.size() <= 2 ? name : name.left(1) + ellipsis;
    return metrics.elidedText(start + figure, Qt::ElideRight, width);
}
