// reports-bench: times the report windows on a full-size generated ledger, offscreen, from the
// button to the filled lists and pies (painting not counted), each against one pass over the
// entries that only sums their amounts (median of five runs). Lines with a limit say "over"
// when the median passes it, and the run then ends with exit code 1.
#include "generate.h"
#include "timing.h"

#include "mainwin/mainform.h"
#include "platform/clock.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"
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
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>

namespace {

using Bench::g_sink;
using Bench::medianMs;

// Boxes would block a timed run: every one is counted and answered "no".
class SilentPrompts : public Prompts {
public:
    void information(const QString&, const QString&) override {}
    void warning(const QString& text, const QString&) override {
        std::fprintf(stderr, "warning: %s\n", qPrintable(text));
    }
    void plain(const QString&, const QString&) override {}
    Answer question(const QString&, Buttons, const QString&) override { return Answer::No; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return {};
    }
    std::optional<QString> password(const QString&, const QString&) override { return {}; }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return {}; }
    QString browseFolder(const QString&) override { return {}; }
};

class BenchClock : public Clock {
public:
    QDate today() const override { return QDate(2024, 12, 31); }
    QDateTime now() const override { return QDateTime(today(), QTime(12, 0)); }
};

void report(const char* name, double ms, double baseline) {
    std::printf("%-40s %9.2f ms %8.1fx\n", name, ms, ms / baseline);
}

// A line with its limit; false when the median passed it.
bool reportWithin(const char* name, double ms, double baseline, double limitMs) {
    std::printf("%-40s %9.2f ms %8.1fx  limit %.0f ms%s\n", name, ms, ms / baseline, limitMs,
                ms > limitMs ? "  over" : "");
    return ms <= limitMs;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir tmp;
    IniSettingsStore settings(tmp.path() + QStringLiteral("/settings.ini"));
    SilentPrompts prompts;
    BenchClock clock;
    AppContext ctx;
    ctx.services.settings = &settings;
    ctx.services.prompts = &prompts;
    ctx.services.clock = &clock;
    ctx.session.AppFolder = tmp.path() + QStringLiteral("/");
    ctx.session.DataRoot = tmp.path() + QStringLiteral("/DataBase/");
    ctx.session.CurrentUser = QStringLiteral("Bench");
    ctx.session.LedgerName = QStringLiteral("Full");

    GenerateFullLedger(ctx.ledger);
    std::printf("ledger: %d entries, %d accounts\n", ctx.ledger.EntryCount - 1,
                ctx.ledger.AccountCount - 1);

    const Ledger& ledger = ctx.ledger;
    const double baseline = medianMs([&] {
        double sum = 0;
        for (int i = 1; i < ledger.EntryCount; ++i)
            sum += ledger.Entries[size_t(i)].Amount.value();
        g_sink = sum;
    });
    report("baseline: one pass over the entries", baseline, baseline);

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
