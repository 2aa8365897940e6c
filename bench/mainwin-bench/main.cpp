// mainwin-bench: times the main window's tree build, tree totals and entry listing on a
// full-size generated ledger, offscreen, each against one pass over the entries that only
// sums their amounts (median of five runs).
#include "timing.h"
#include "windowbench.h"

#include "journal/diaryform.h"
#include "mainwin/mainform.h"
#include "platform/runtime.h"
#include "rules/schedule/entryreminders.h"
#include "rules/schedule/recurringdue.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/periods.h"
#include "store/treefigures.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Bench::g_sink;
using Bench::medianMs;
using Bench::report;

// Makes one asset account the second account of every third entry, so that the largest
// account lists 10000 rows.
int makeLargestAccount(Ledger& ledger) {
    const int index = FindAccountIndex(ledger, QStringLiteral("A-現金"));
    for (int i = 1; i < ledger.EntryCount; i += 3)
        ledger.Entries[size_t(i)].Account2 = ledger.Accounts[size_t(index)].Name;
    return index;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    Bench::WindowBench bench;
    AppContext& ctx = bench.ctx;
    const Bench::SilentPrompts& prompts = bench.prompts;
    const int largest = makeLargestAccount(ctx.ledger);

    MainForm w(ctx);
    w.EndProcess = [] {};
    for (QAction* on : {w.View_Add, w.View_Show, w.View_Balance, w.View_Budget})
        on->setChecked(true);
    w.resize(1280, 800);
    w.show();
    auto setPeriod = [&](int period) {
        w.SuppressPeriodClick = -1;
        w.Text2->setText(QStringLiteral("2024"));
        w.Combo1->setCurrentIndex(period);
        w.SuppressPeriodClick = 0;
    };
    setPeriod(Periods::All);

    const Ledger& ledger = ctx.ledger;
    const double baseline = Bench::entryPassBaseline(ledger, "baseline: one pass summing amounts");

    report("BuildAccountTree", medianMs([&] { w.BuildAccountTree(); }), baseline);
    report("UpdateTreeTotals (全部)", medianMs([&] { w.UpdateTreeTotals(); }), baseline);
    {
        // The one pass over the entries alone, without the node texts.
        const Periods::Bounds bounds = Periods::periodBounds(Periods::All, 2024, 1, false);
        const QString today = Runtime::dateText(bench.clock.today());
        EntryAccountCache cache; // kept between passes, as the window keeps it
        report("  of which ComputeTreeFigures (全部)", medianMs([&] {
                   g_sink =
                       ComputeTreeFigures(ledger, ctx.session, bounds, today, &cache).todayIncome;
               }),
               baseline);
    }
    {
        // The whole tree shown: every node expanded from the tree's menu, laid out and drawn.
        auto collapse = [&] {
            w.MenuTools2_Close->trigger();
            QCoreApplication::processEvents();
        };
        report("全部展開, tree drawn",
               medianMs(
                   [&] {
                       w.MenuTools2_Open->trigger();
                       QCoreApplication::processEvents();
                       w.Trv1->viewport()->repaint();
                   },
                   collapse),
               baseline);
        // Every node shown, the figures of another period written into every node.
        int period = Periods::All;
        report("UpdateTreeTotals, every node shown, drawn",
               medianMs(
                   [&] {
                       w.UpdateTreeTotals();
                       QCoreApplication::processEvents();
                       w.Trv1->viewport()->repaint();
                   },
                   [&] {
                       period = period == Periods::All ? 7 : Periods::All;
                       setPeriod(period);
                   }),
               baseline);
        collapse();
        setPeriod(Periods::All);
        w.UpdateTreeTotals();
    }
    int rows = 0;
    const double all = medianMs([&] {
        w.ListAccountRecords(largest);
        w.Liv1->viewport()->repaint(); // the rows shown are formatted when drawn
        QCoreApplication::processEvents();
        rows = w.EntryRowCount();
    });
    report("ListAccountRecords largest (全部)", all, baseline);
    std::printf("  rows listed: %d\n", rows);
    setPeriod(7); // 06月
    report("UpdateTreeTotals (06月)", medianMs([&] { w.UpdateTreeTotals(); }), baseline);
    const double month = medianMs([&] {
        w.ListAccountRecords(largest);
        w.Liv1->viewport()->repaint(); // the rows shown are formatted when drawn
        QCoreApplication::processEvents();
        rows = w.EntryRowCount();
    });
    report("ListAccountRecords largest (06月)", month, baseline);
    std::printf("  rows listed: %d\n", rows);

    // The checks of an opening: 200 recurring records (every code, half of them posting
    // missed occurrences) against the whole entry table, and the entry reminders.
    Ledger& book = ctx.ledger;
    book.RecurringRecords.assign(size_t(Ledger::RecurringCapacity + 1), RecurringRecord());
    book.RecurringCount = 1;
    for (int i = 0; i < Ledger::RecurringCapacity; ++i) {
        const EntryCore& e = book.Entries[size_t(1 + i * 97 % (book.EntryCount - 1))];
        RecurringRecord r;
        r.Period = quint8(i % 6);
        r.When = i % 6 == 0 ? QStringLiteral("06/15") : QStringLiteral("15");
        r.Overdue = quint8(i % 2);
        r.Account1 = e.Account1;
        r.Account2 = e.Account2;
        r.Amount = e.Amount;
        r.Detail = e.Detail;
        book.addRecurring(r);
    }
    for (int i = 1; i < book.EntryCount; i += 50)
        book.EntryNotes[size_t(i)].RemindOn = -1;
    const QDate today(2024, 6, 20);
    size_t due = 0, reminders = 0;
    report("DueRecurring (200 records)", medianMs([&] { due = DueRecurring(book, today).size(); }),
           baseline);
    std::printf("  occurrences due: %zu\n", due);
    report("DueEntryReminders",
           medianMs([&] { reminders = DueEntryReminders(book, today).size(); }), baseline);
    std::printf("  reminders due: %zu\n", reminders);

    // The journal over the whole ledger, shown offscreen: listing, rows laid out and drawn.
    setPeriod(Periods::All);
    DiaryForm& journal = *w.Diary();
    journal.show();
    auto journalListing = [&] {
        journal.Combo1_Click();
        journal.Liv1->viewport()->repaint();
        QCoreApplication::processEvents();
        rows = journal.RowCount();
    };
    report("DiaryForm listing (全部)", medianMs(journalListing), baseline);
    std::printf("  rows listed: %d\n", rows);
    journal.Text2->setText(QStringLiteral("zzq")); // a keyword few entries hold
    report("DiaryForm keyword listing (全部)", medianMs(journalListing), baseline);
    std::printf("  rows listed: %d\n", rows);
    if (prompts.boxes) std::printf("boxes shown: %d\n", prompts.boxes);
    return 0;
}
