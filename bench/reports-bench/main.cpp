// reports-bench: times the report windows on a full-size generated ledger, offscreen, from the
// button to the filled lists and pies (painting not counted), each against one pass over the
// entries that only sums their amounts (median of five runs). Lines with a limit say "over"
// when the median passes it, and the run then ends with exit code 1.
#include "timing.h"
#include "windowbench.h"

#include "mainwin/mainform.h"
#include "reports/budgetshowform.h"
#include "reports/ibsform.h"
#include "reports/ieform.h"
#include "reports/yearform.h"
#include "store/appcontext.h"
#include "store/periods.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <cstdio>

using Bench::g_sink;
using Bench::medianMs;
using Bench::report;
using Bench::reportWithin;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    Bench::WindowBench bench;
    AppContext& ctx = bench.ctx;

    const Ledger& ledger = ctx.ledger;
    const double baseline = Bench::entryPassBaseline(ledger, "baseline: one pass over the entries");

    MainForm main(ctx);
    main.EndProcess = [] {};
    IBSForm form(ctx, main);
    form.resize(1280, 800);
    form.Form_Load();
    form.show();

    form.DTPicker1->setDate(QDate(2024, 6, 30));
    report("statements: balance sheet (顯示)", medianMs([&] { form.Cmd3->click(); }), baseline);
    form.Text1->setText(QStringLiteral("2024"));
    form.Combo1->setCurrentIndex(1);
    report("statements: income statement 整年", medianMs([&] { form.Combo1_Click(); }), baseline);

    // The budget, yearly and daily windows over the main window, each from the choice to
    // the filled list; months from the 25th span two calendar months.
    constexpr double LimitMs = 100;
    bool within = true;
    ctx.session.Setting.DayState = QStringLiteral("25");
    main.ShowPeriod(Periods::WholeYear, 2024);
    {
        BudgetShowForm table(ctx, main);
        table.Check1->setChecked(true);
        table.Combo1->setCurrentIndex(0);
        within &= reportWithin("budget table 整年 (budget, BudgetShow)",
                               medianMs([&] { table.Combo1_Click(); }), baseline, LimitMs);
        std::printf("  rows: %d\n", table.Liv1->topLevelItemCount());
    }
    {
        YearForm year(ctx, main);
        year.show();
        report("yearly tab 1 (one account)", medianMs([&] { year.Combo1_Click(0); }), baseline);
        within &= reportWithin("yearly tab 2 (ShowAL)", medianMs([&] { year.SelectTab(2); }),
                               baseline, LimitMs);
        within &= reportWithin("yearly tab 3 (ShowIE)", medianMs([&] { year.SelectTab(3); }),
                               baseline, LimitMs);
    }
    {
        main.ShowPeriod(Periods::FirstMonth + 2, 2024);
        IEForm daily(ctx, main);
        within &= reportWithin("daily 03月 (IEShow)", medianMs([&] { daily.Combo1_Click(); }),
                               baseline, LimitMs);
        std::printf("  rows: %d\n", daily.Liv1->topLevelItemCount());
    }
    return within ? 0 : 1;
}
