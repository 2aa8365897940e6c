// What the account tree shows: every node's figure whole in the room its column gives it, the
// name giving way first down to its first character, and where even that does not fit, the
// column as wide as its widest node with the tree scrolling sideways.
#include <QtTest>

#include <QAction>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QToolTip>
#include <QTreeWidgetItemIterator>

#include "mainform_fixture.h"
#include "mainwin/accounttree.h"

namespace {

const QString ellipsis(QChar(0x2026));

int depthOf(const QTreeWidgetItem* node) {
    int depth = 0;
    for (const QTreeWidgetItem* p = node->parent(); p; p = p->parent())
        ++depth;
    return depth;
}

bool shownInTree(const QTreeWidgetItem* node) {
    for (const QTreeWidgetItem* p = node->parent(); p; p = p->parent())
        if (!p->isExpanded()) return false;
    return true;
}

// The room the tree's item painter leaves a node's text: the node's rectangle in the column
// (the column less the indentation of its depth and of the root decoration), less the icon
// and the margins the style keeps on either side of the text.
int textRoom(const QTreeWidget* tree, const QTreeWidgetItem* node) {
    const int indent = tree->indentation() * (depthOf(node) + (tree->rootIsDecorated() ? 1 : 0));
    QStyleOptionViewItem option;
    option.initFrom(tree);
    option.font = tree->font();
    option.fontMetrics = QFontMetrics(tree->font());
    option.rect =
        QRect(0, 0, tree->header()->sectionSize(0) - indent, option.fontMetrics.height() + 4);
    option.decorationSize = tree->iconSize();
    option.features = QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
    option.text = node->text(0); // the painter lays out a text area only for a text
    const QStyle* style = tree->style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree) + 1;
    return style->subElementRect(QStyle::SE_ItemViewItemText, &option, tree).width() - 2 * margin;
}

// The tooltip the tree shows when the mouse rests on a node, "" for none.
QString nodeTooltip(QTreeWidget* tree, QTreeWidgetItem* node) {
    QToolTip::hideText();
    tree->scrollToItem(node);
    const QPoint at = tree->visualItemRect(node).intersected(tree->viewport()->rect()).center();
    QHelpEvent help(QEvent::ToolTip, at, tree->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(tree->viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

// The nodes shown whose drawn text the view cuts, whose figure is not the whole figure they
// were given, whose name is not the given one or its start with "…", whose name is cut where
// the whole text fits, or whose cut name leaves the whole text out of the tooltip.
QStringList faultyNodes(QTreeWidget* tree, bool tooltips) {
    const QFontMetricsF metrics(tree->font());
    QStringList faults;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        QTreeWidgetItem* node = *it;
        if (!shownInTree(node)) continue;
        const QString given = AccountNode::fullText(node);
        const QString shown = node->text(0);
        const int room = textRoom(tree, node);
        auto fault = [&](const QString& why) {
            faults
                << QStringLiteral("%1 shown as %2 in %3 (%4)").arg(given, shown).arg(room).arg(why);
        };
        if (metrics.horizontalAdvance(shown) > room) fault(QStringLiteral("cut by the view"));
        const qsizetype split = given.lastIndexOf(QStringLiteral(": "));
        if (split < 0) continue; // a plain name
        const QString figure = given.mid(split);
        if (!shown.endsWith(figure)) {
            fault(QStringLiteral("figure cut"));
            continue;
        }
        const QString name = given.left(split);
        const QString shownName = shown.chopped(figure.size());
        if (shownName == name) continue;
        if (!shownName.endsWith(ellipsis) || shownName.size() < 2 ||
            !name.startsWith(shownName.chopped(1)))
            fault(QStringLiteral("name not its start"));
        if (metrics.horizontalAdvance(given) <= room) fault(QStringLiteral("cut without need"));
        if (tooltips && nodeTooltip(tree, node) != given) fault(QStringLiteral("tooltip"));
    }
    return faults;
}

// What is wrong with the column's width: narrower than the viewport, wider without a scroll
// range to its end, or wider than its widest node needs (no node's text fills its room).
QString columnFault(QTreeWidget* tree) {
    const int column = tree->header()->sectionSize(0);
    const int view = tree->viewport()->width();
    if (column < view) return QStringLiteral("column %1 < viewport %2").arg(column).arg(view);
    const int range = tree->horizontalScrollBar()->maximum();
    if (range != column - view)
        return QStringLiteral("scroll range %1 for column %2 in %3")
            .arg(range)
            .arg(column)
            .arg(view);
    if (column == view) return QString();
    const QFontMetricsF metrics(tree->font());
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if (shownInTree(*it) && textRoom(tree, *it) - metrics.horizontalAdvance((*it)->text(0)) < 1)
            return QString();
    return QStringLiteral("column %1 wider than any node needs").arg(column);
}

// A ledger with the figures a full-size ledger reaches, on nodes up to four levels deep, some
// with long names.
struct LongFiguresFixture : MainFormFixture {
    explicit LongFiguresFixture(bool decimals, int more = 0) {
        env.ctx.session.DotState = decimals ? QStringLiteral("1") : QStringLiteral("0");
        b.account("A-現金").account("A-銀行.外幣.美元帳戶").account("A-很長的名稱的外幣存款帳戶");
        b.account("E-交通費.火車.自強號").account("E-機車.保養.輪胎.米其林");
        b.account("I-遊戲.點數").account("E-餐飲費").account("Equity");
        b.entry("2024/01/02", "A-現金", "Equity", -98753237925)
            .entry("2024/01/03", "A-銀行.外幣.美元帳戶", "Equity", -132812111418)
            .entry("2024/01/03", "A-很長的名稱的外幣存款帳戶", "Equity", 100000)
            .entry("2024/01/04", "E-交通費.火車.自強號", "A-現金", 100551234)
            .entry("2024/01/05", "E-機車.保養.輪胎.米其林", "A-現金", -7522312345)
            .entry("2024/01/06", "I-遊戲.點數", "A-現金", -136471299)
            .entry("2024/01/07", "E-餐飲費", "A-現金", 10000000);
        for (int i = 0; i < more; ++i) {
            const QString name = QStringLiteral("E-雜支%1").arg(i);
            b.account(name).entry("2024/01/08", name, "A-現金", 100000000 + i);
        }
    }

    MainForm& show(const QSize& size) {
        MainForm& w = open(Periods::All, 2024);
        w.SetListFontSize(11); // MainFontSize as a start without stored settings reads it
        if (size.isValid()) w.resize(size);
        w.show();
        QCoreApplication::processEvents();
        return w;
    }
};

} // namespace

class TreeLookTest : public QObject {
    Q_OBJECT
private slots:
    // Every node shown, every node expanded, at the default size and at 1024 by 768, with
    // decimals and without.
    void everyFigureWhole_data() {
        QTest::addColumn<QSize>("size"); // invalid: the window's default size
        QTest::addColumn<bool>("decimals");
        QTest::addColumn<int>("more"); // further accounts: enough make a vertical scroll bar
        QTest::newRow("default size, decimals") << QSize() << true << 0;
        QTest::newRow("1024x768, decimals") << QSize(1024, 768) << true << 0;
        QTest::newRow("1024x768, whole units") << QSize(1024, 768) << false << 0;
        QTest::newRow("1024x768, decimals, scroll bar") << QSize(1024, 768) << true << 60;
    }
    void everyFigureWhole() {
        QFETCH(QSize, size);
        QFETCH(bool, decimals);
        QFETCH(int, more);
        LongFiguresFixture f(decimals, more);
        MainForm& w = f.show(size);
        const QSize window = w.size();
        const QRect tree = w.Trv1->geometry();
        QCOMPARE(AccountNode::fullText(w.NodeByKey("A-銀行.外幣.美元帳戶")),
                 decimals ? QStringLiteral("美元帳戶: -1,328,121,114.18")
                          : QStringLiteral("美元帳戶: -1,328,121,114"));
        QCOMPARE(AccountNode::fullText(w.NodeByKey("E-機車.保養.輪胎.米其林")),
                 decimals ? QStringLiteral("米其林: -75,223,123.45")
                          : QStringLiteral("米其林: -75,223,123"));

        QStringList faults = faultyNodes(w.Trv1, true);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
        QVERIFY2(columnFault(w.Trv1).isEmpty(), qPrintable(columnFault(w.Trv1)));

        w.Trv1->expandAll();
        QCoreApplication::processEvents();
        faults = faultyNodes(w.Trv1, true);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
        QVERIFY2(columnFault(w.Trv1).isEmpty(), qPrintable(columnFault(w.Trv1)));
        // The tree scrolls inside its own place: the window and the tree keep their sizes.
        QCOMPARE(w.size(), window);
        QCOMPARE(w.Trv1->geometry(), tree);
    }

    // The column is as wide as the nodes shown need: it widens when the context menu
    // expands every node or a figure grows, and comes back to the viewport when they go.
    // Scrolled sideways, the tree stays there while the keys move between nodes.
    void columnFollowsTheNodesShown() {
        MainFormFixture f;
        f.env.ctx.session.DotState = QStringLiteral("1");
        f.b.account("A-現金").account("E-機車.保養.輪胎.米其林").account("E-餐飲費");
        f.b.account("Equity");
        f.b.entry("2024/01/05", "E-機車.保養.輪胎.米其林", "A-現金", -752231234);
        MainForm& w = f.open(Periods::All, 2024);
        w.SetListFontSize(11);
        w.resize(1024, 768);
        w.show();
        QCoreApplication::processEvents();
        QTreeWidget* tree = w.Trv1;
        // The roots and their children have room for their whole texts.
        QCOMPARE(tree->header()->sectionSize(0), tree->viewport()->width());
        QCOMPARE(tree->horizontalScrollBar()->maximum(), 0);

        w.MenuTools2_Open->trigger(); // 全部展開
        QCoreApplication::processEvents();
        QVERIFY2(tree->header()->sectionSize(0) > tree->viewport()->width(),
                 qPrintable(QString::number(tree->header()->sectionSize(0))));
        QVERIFY2(columnFault(tree).isEmpty(), qPrintable(columnFault(tree)));
        QStringList faults = faultyNodes(tree, true);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
        // Scrolled to the figures' ends; a click on a node and a step up keep them in view.
        QScrollBar* sideways = tree->horizontalScrollBar();
        sideways->triggerAction(QAbstractSlider::SliderToMaximum);
        const int scrolled = sideways->value();
        QVERIFY(scrolled > 0);
        QTreeWidgetItem* node = w.NodeByKey("E-機車.保養.輪胎.米其林");
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(node).center());
        QCOMPARE(w.SelectedNodeKey(), QStringLiteral("E-機車.保養.輪胎.米其林"));
        QTest::keyClick(tree, Qt::Key_Up);
        QCOMPARE(w.SelectedNodeKey(), QStringLiteral("E-機車.保養.輪胎"));
        QCOMPARE(sideways->value(), scrolled);

        w.MenuTools2_Close->trigger(); // 全部閉合
        QCoreApplication::processEvents();
        QCOMPARE(tree->header()->sectionSize(0), tree->viewport()->width());
        QCOMPARE(tree->horizontalScrollBar()->maximum(), 0);

        // A figure that grows past the room of its node widens the column.
        f.b.entry("2024/02/01", "E-餐飲費", "A-現金", 9e15 - 1);
        w.UpdateTreeTotals();
        QCoreApplication::processEvents();
        QCOMPARE(AccountNode::fullText(w.NodeByKey("E-餐飲費")),
                 QStringLiteral("餐飲費: 89,999,999,999,999.99"));
        QVERIFY(tree->header()->sectionSize(0) > tree->viewport()->width());
        QVERIFY2(columnFault(tree).isEmpty(), qPrintable(columnFault(tree)));
        faults = faultyNodes(tree, true);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(TreeLookTest)
#include "tst_treelook.moc"
