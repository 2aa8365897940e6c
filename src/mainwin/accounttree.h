#pragma once
// The account tree (Trv1) as drawn. A node's text is "name: figure"; where the tree is too
// narrow for the whole text, the name gives way ("很長的名…: 27,143,560") and the figure
// stays whole. The name keeps a readable start: where that and the whole figure do not fit,
// the figure is cut instead ("現金: -987,5…"), and the whole text is the node's tooltip. The text a
// node shows is fitted when the view asks for it, so a resize or a scroll bar that comes or goes
// costs nothing until the nodes are drawn.
#include <QTreeWidget>
#include <QTreeWidgetItem>

class QFontMetricsF;

class AccountTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit AccountTree(QWidget* parent = nullptr);

    // The width the text of a node at depth (0 for a root) may take before the view cuts
    // it; -1 when the tree is not shown (an unshown tree draws nothing and keeps its texts).
    int textWidth(int depth) const;
    // Changes whenever the texts must be fitted anew (font or style changed).
    int fitGeneration() const { return m_generation; }

protected:
    void changeEvent(QEvent* event) override;

private:
    int textMargins() const;
    mutable int m_margins = -1; // icon and text margins of a node, measured once per style
    int m_generation = 0;
};

// A node of the account tree: it keeps the text it was given and shows it fitted to the tree.
class AccountNode : public QTreeWidgetItem {
public:
    AccountNode() = default;
    QVariant data(int column, int role) const override;
    void setData(int column, int role, const QVariant& value) override;

    // The text a node was given (the shown text may have its name cut).
    static QString fullText(const QTreeWidgetItem* node);
    // text fitted into width: the figure after the last ": " whole, the name before it cut
    // with "…" as far as needed but never to nothing (a name of up to two characters is
    // whole, else its first is kept); where that leaves no room for the figure, the figure
    // is cut at its end. A plain name is cut at its end.
    static QString fitted(const QString& text, const QFontMetricsF& metrics, int width);

private:
    mutable QString m_shown;
    mutable int m_shownWidth = -1;
    mutable int m_shownGeneration = -1;
};
