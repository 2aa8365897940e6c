// Tree totals and the status figure of panel 2.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include "mainwin/mainform.h"
#include "platform/clock.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/periods.h"
#include "store/treefigures.h"

// What UpdateTreeTotals remembers between runs. The entry cache checks itself against the
// tables. Node texts are written only by the tree build (which replaces the node and label
// lists) and here; the shared copies of both lists prove that neither changed since the
// last run (any change to a list, even a write access, detaches it from its copy), so a
// node whose figure and number format are unchanged still shows the text it was given.
struct TreeTotalsCache {
    EntryAccountCache entries;
    QList<QTreeWidgetItem*> nodeList;
    QStringList labels;
    struct NodeFigure {
        bool shown = false; // the node shows "label: figure" for this figure
        double figure = 0;
    };
    std::vector<NodeFigure> nodes; // by position
    QString dotState;
    QString moneyState;

    // Forgets every node's figure (after texts were written elsewhere).
    void forgetNodes() { nodes.assign(nodes.size(), NodeFigure{}); }
};

namespace {
const QString rootLabels[4] = {QStringLiteral("資產"), QStringLiteral("負債"),
                               QStringLiteral("收入"), QStringLiteral("支出")};
} // namespace

int MainForm::PeriodYear() {
    if (const std::optional<int> y = Periods::yearFromText(Text2->text())) return *y;
    const int current = m_ctx.services.clock().today().year();
    Text2->setText(QString::number(current));
    return current;
}

void MainForm::UpdateTreeTotals() {
    const Session& session = m_ctx.session;
    const Ledger& ledger = m_ctx.ledger;
    const SettingMirrors& set = session.Setting;
    const QDate today = m_ctx.services.clock().today();

    const int year = PeriodYear();
    if (Combo1->currentIndex() < 0)
        Combo1->setCurrentIndex(0); // runs the period handler like any change by code

    Trv1->setUpdatesEnabled(false);
    struct Restore {
        QTreeWidget* t;
        ~Restore() { t->setUpdatesEnabled(true); }
    } restore{Trv1};

    auto dayFigureText = [&](const QDate& day) {
        const DayFigures d = StoredDayFigures(ledger, Runtime::dateText(day));
        return FormatAmount(d.income, session) + QStringLiteral(" / ") +
               FormatAmount(d.expense, session);
    };

    if (!m_totalsCache) m_totalsCache = std::make_shared<TreeTotalsCache>();
    TreeTotalsCache& cache = *m_totalsCache;

    if (set.AccState.mid(1, 1) == QLatin1String("0")) {
        cache.forgetNodes();
        for (int p = 6; p <= NodeCount(); ++p)
            setNodeText(p, m_nodeLabels[p - 1]);
        for (int r = 0; r < 4 && r < NodeCount(); ++r)
            setNodeText(r + 1, rootLabels[r]);
        if (View_Today->isChecked())
            SetPanelText(2, dayFigureText(today));
        else if (View_Yesterday->isChecked())
            SetPanelText(2, dayFigureText(today.addDays(-1)));
        else
            SetPanelText(2, QStringLiteral("--"));
        return;
    }

    Periods::Bounds bounds =
        Periods::periodBounds(Combo1->currentIndex(), year, Periods::monthStartDay(set.DayState),
                              set.DayState2 != QLatin1String("0"));
    const QString todayKey = Periods::dateKey(today);
    if (set.AftState == QLatin1String("0") && bounds.end > todayKey) bounds.end = todayKey;

    const TreeFigures f =
        ComputeTreeFigures(ledger, session, bounds, Runtime::dateText(today), &cache.entries);

    // Node amounts: each account into its own node, or with View_Add into every
    // ancestor up to its level-0 node.
    std::vector<double> nodeAmount(size_t(NodeCount()) + 1, 0.0);
    const bool rollUp = View_Add->isChecked();
    for (int i = 1; i < ledger.AccountCount; ++i) {
        const double figure = f.account[size_t(i)];
        const AccountNodes& nodes = accountNodes(i);
        if (nodes.own) nodeAmount[size_t(nodes.own)] += figure;
        if (rollUp)
            for (int p : nodes.ancestors)
                nodeAmount[size_t(p)] += figure;
    }

    // "label: figure"; formatting only what changed since the last run.
    const bool trusted =
        cache.nodeList.isSharedWith(m_nodes) && cache.labels.isSharedWith(m_nodeLabels) &&
        cache.dotState == session.DotState && cache.moneyState == session.Setting.MoneyState &&
        cache.nodes.size() == size_t(NodeCount()) + 1;
    if (!trusted) {
        cache.dotState = session.DotState;
        cache.moneyState = session.Setting.MoneyState;
        cache.nodes.assign(size_t(NodeCount()) + 1, TreeTotalsCache::NodeFigure{});
    }
    auto showFigure = [&](int p, const QString& label, double figure) {
        TreeTotalsCache::NodeFigure& known = cache.nodes[size_t(p)];
        if (known.shown && known.figure == figure) return;
        known.shown = false;
        setNodeText(p, label + QStringLiteral(": ") + FormatAmount(figure, session));
        known = {true, figure};
    };
    for (int p = 6; p <= NodeCount(); ++p)
        showFigure(p, m_nodeLabels.at(p - 1), nodeAmount[size_t(p)]); // at(): no detach
    for (int r = 0; r < 4 && r < NodeCount(); ++r)
        showFigure(r + 1, rootLabels[r], f.kindTotal[size_t(r + 1)]);
    // Taken last: writing a text may have detached the window's lists from older copies.
    cache.nodeList = m_nodes;
    cache.labels = m_nodeLabels;

    if (View_Today->isChecked())
        SetPanelText(2, FormatAmount(f.todayIncome, session) + QStringLiteral(" / ") +
                            FormatAmount(f.todayExpense, session));
    else if (View_Yesterday->isChecked())
        SetPanelText(2, dayFigureText(today.addDays(-1)));
    else if (View_Balance->isChecked())
        SetPanelText(2, FormatAmount(f.kindTotal[KindIncome] - f.kindTotal[KindExpense], session));
}
