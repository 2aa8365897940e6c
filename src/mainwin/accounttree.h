#pragma once
// The account tree (Trv1) as drawn. A node's text is "name: figure", and the figure is what the
// node is for: it is never cut. Where the tree is too narrow for the whole text, the name gives
// way ("很長的名…: 27,143,560"), down to its first character ("很…: 27,143,560"); where even
// that does not fit, the column is as wide as the widest node shown needs and the tree scrolls
// sideways. A node whose name is cut shows its whole text as its tooltip. The text a node shows
// is fitted when the view asks for it, so a resize or a scroll bar that comes or goes costs
// nothing until the nodes are drawn.
#include <QFontMetricsF>
#include <QHash>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <array>
#include <optional>

// The widths of the nodes' texts in their shortest forms, for one font. Where the font sets no
// two of a figure's characters closer or further apart than their own widths (no kerning among
// them), a text is as wide as its name's start with ": " (measured once per start) and its
// figure's characters (measured once each): a few additions instead of laying out every text.
class ShortestWidths {
public:
    explicit ShortestWidths(const QFont& font);
    // Whole pixels for a text "start: figure".
    int width(const QString& text);

private:
    QFontMetricsF m_metrics;
    bool m_byParts = true;
    std::array<qreal, 128> m_figureChars; // -1 for a character no figure holds
    QHash<QString, qreal> m_starts;
};

class AccountTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit AccountTree(QWidget* parent = nullptr);

    // The width the text of a node at depth (0 for a root) has in the column; -1 when the
    // tree is not shown (an unshown tree draws nothing and keeps its texts).
    int textWidth(int depth) const;
    // Changes whenever the texts must be fitted anew (font or style changed).
    int fitGeneration() const { return m_generation; }
    // A node's text changed: the column's width is measured again before the next paint.
    void nodeTextChanged();
    // Brings a node into view upwards or downwards and keeps the sideways scroll.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

protected:
    void changeEvent(QEvent* event) override;
    // Every change of the nodes shown or of the viewport's size passes here.
    void updateGeometries() override;

private:
    int textMargins() const;
    int indentOf(int depth) const;
    // Measures the widest node shown (expanded nodes' children only) and fits the column.
    void measureColumn();
    // The column as wide as the viewport, or as the widest node where that is wider.
    void fitColumn();
    void requestMeasure();

    mutable int m_margins = -1; // icon and text margins of a node, measured once per style
    int m_generation = 0;
    int m_widest = 0; // the width the widest node shown needs in the column
    bool m_measureRequested = false;
    std::optional<ShortestWidths> m_widths; // for the font of m_widthsGeneration
    int m_widthsGeneration = -1;
};

// A node of the account tree: it keeps the text it was given and shows it fitted to the tree.
class AccountNode : public QTreeWidgetItem {
public:
    static constexpr int Type = QTreeWidgetItem::UserType + 1;
    AccountNode() : QTreeWidgetItem(Type) {}
    QVariant data(int column, int role) const override;
    void setData(int column, int role, const QVariant& value) override;

    // The text a node was given (the shown text may have its name cut).
    static QString fullText(const QTreeWidgetItem* node);
    // text fitted into width: the figure after the last ": " whole, the name before it cut
    // with "…" as far as needed, but not below its shortest form (shortest()); a plain name is
    // cut at its end.
    static QString fitted(const QString& text, const QFontMetricsF& metrics, int width);
    // The narrowest form of text that keeps its figure whole: a name of up to two characters
    // whole, a longer one its first character and "…"; empty for a text without a figure.
    static QString shortest(const QString& text);
    // The width the shortest form of this node's text takes (0 for a plain name), measured
    // once per text and font.
    int shortestWidth(ShortestWidths& widths, int generation) const;

private:
    mutable QString m_shown;
    mutable int m_shownWidth = -1;
    mutable int m_shownGeneration = -1;
    mutable int m_shortestWidth = -1;
    mutable int m_shortestGeneration = -1;
};
