// Tree totals and the status figure of panel 2.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>
#include <exception>

#include "mainwin/mainform.h"
#include "mainwin/periods.h"
#include "mainwin/treefigures.h"
#include "platform/clock.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "store/amounts.h"
#include "store/appcontext.h"

// What UpdateTreeTotals remembers between runs. Nothing here is trusted blindly: the
// entry cache checks itself against the tables, and a node's remembered text is reused
// only while the node still shows it and label, figure and number format are the same.
struct TreeTotalsCache {
    EntryAccountCache entries;
    struct NodeText {
        const QTreeWidgetItem* node = nullptr;
        QString label;
        double figure = 0;
        QString text;
    };
    std::vector<NodeText> nodes; // by position
    QString dotState;
    QString moneyState;
};

namespace {
const QString rootLabels[4] = {QStringLiteral("資產"), QStringLiteral("負債"),
                               QStringLiteral("收入"), QStringLiteral("支出")};
} // namespace

int MainForm::PeriodYear() {
    if (const std::optional<int> y = Periods::yearFromText(Text2->text())) return *y;
    const int current = m_ctx.services.clock->today().year();
    Text2->setText(QString::number(current));
    return current;
}

void MainForm::UpdateTreeTotals() {
    try {
        const Session& session = m_ctx.session;
        const Ledger& ledger = m_ctx.ledger;
        const SettingMirrors& set = session.Setting;
        const QDate today = m_ctx.services.clock->today();

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

        if (set.AccState.mid(1, 1) == QLatin1String("0")) {
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

        Periods::Bounds bounds = Periods::periodBounds(Combo1->currentIndex(), year,
                                                       Periods::monthStartDay(set.DayState),
                                                       set.DayState2 != QLatin1String("0"));
        const QString todayKey = Periods::dateKey(today);
        if (set.AftState == QLatin1String("0") && bounds.end > todayKey) bounds.end = todayKey;

        if (!m_totalsCache) m_totalsCache = std::make_shared<TreeTotalsCache>();
        TreeTotalsCache& cache = *m_totalsCache;
        const TreeFigures f = ComputeTreeFigures(ledger, session, bounds, Runtime::dateText(today),
                                                 &cache.entries);

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

        // "label: figure"; formatting only a figure, label or format that changed.
        const bool sameFormat =
            cache.dotState == session.DotState && cache.moneyState == session.Setting.MoneyState;
        cache.dotState = session.DotState;
        cache.moneyState = session.Setting.MoneyState;
        cache.nodes.resize(size_t(NodeCount()) + 1);
        auto showFigure = [&](int p, const QString& label, double figure) {
            TreeTotalsCache::NodeText& known = cache.nodes[size_t(p)];
            QTreeWidgetItem* node = m_nodes[p - 1];
            const QString shown = node->text(0);
            if (sameFormat && known.node == node && known.figure == figure &&
                known.label == label && shown == known.text)
                return;
            known = {node, label, figure,
                     label + QStringLiteral(": ") + FormatAmount(figure, session)};
            if (shown != known.text) node->setText(0, known.text);
        };
        for (int p = 6; p <= NodeCount(); ++p)
            showFigure(p, m_nodeLabels[p - 1], nodeAmount[size_t(p)]);
        for (int r = 0; r < 4 && r < NodeCount(); ++r)
            showFigure(r + 1, rootLabels[r], f.kindTotal[size_t(r + 1)]);

        if (View_Today->isChecked())
            SetPanelText(2, FormatAmount(f.todayIncome, session) + QStringLiteral(" / ") +
                                FormatAmount(f.todayExpense, session));
        else if (View_Yesterday->isChecked())
            SetPanelText(2, dayFigureText(today.addDays(-1)));
        else if (View_Balance->isChecked())
            SetPanelText(2,
                         FormatAmount(f.kindTotal[KindIncome] - f.kindTotal[KindExpense], session));
    } catch (const std::exception&) {
        m_ctx.services.prompts->warning(QStringLiteral("列表發生錯誤!"));
    }
}
