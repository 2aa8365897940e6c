// openings-bench: every window the main window opens from its menus, on a full-size
// generated ledger, offscreen: from the mouse click on the menu item to the window painted
// (median of five after a warm-up), each against one pass over the entries that only sums
// their amounts. A line over its limit says "over" and the run ends with exit code 1.
#include "timing.h"
#include "userinput.h"
#include "windowbench.h"

#include "entry/inputform.h"
#include "mainwin/mainform.h"
#include "store/appcontext.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeWidget>

#include <cstdio>
#include <functional>
#include <set>

using Bench::g_sink;
using Bench::medianMs;
using Bench::report;
using Bench::reportWithin;

namespace {

std::set<const QWidget*> visibleWindows() {
    std::set<const QWidget*> shown;
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) shown.insert(w);
    return shown;
}

// The window a click opened and left open, if any.
QWidget* newWindow(const std::set<const QWidget*>& before) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !before.count(w) && !qobject_cast<QMenu*>(w)) return w;
    return nullptr;
}

// A window left open goes as the user closes it; its deletion is part of the close.
void closeWindow(QWidget* window) {
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    Bench::WindowBench bench;
    AppContext& ctx = bench.ctx;
    Bench::PaintedModalRunner modal;
    ctx.services.setModal(modal);

    const Ledger& ledger = ctx.ledger;
    const double baseline = Bench::entryPassBaseline(ledger, "baseline: one pass over the entries");

    QDir().mkpath(ctx.session.userFolder()); // where the windows keep their lists
    MainForm main(ctx);
    main.EndProcess = [] {};
    InstallUsers(main);
    main.resize(1280, 800);
    main.show();
    main.Text2->setText(QStringLiteral("2024"));
    main.BuildAccountTree();
    QCoreApplication::processEvents();

    // From the click on `item` (in its popped-up menu, or on the menu bar) to the window it
    // opens painted: a modal window is closed at once, a window left open is closed after.
    auto openingMs = [&](QAction* item) {
        QMenu* menu = Bench::menuOf(item);
        if (menu) Bench::popUpMenuOf(item);
        const std::set<const QWidget*> before = visibleWindows();
        const Bench::PaintCounter newPaints(
            [&before](const QWidget* w) { return !before.count(w->window()); });
        modal.paintedMs = -1;
        modal.started.start();
        if (menu)
            Bench::clickMenuItem(*menu, item);
        else
            Bench::click(main.menuBar(), main.menuBar()->actionGeometry(item).center());
        if (modal.paintedMs >= 0) return modal.paintedMs;
        QWidget* opened = newWindow(before);
        if (!opened) {
            std::fprintf(stderr, "warning: %s opened no window\n", qPrintable(item->text()));
            return -1.0;
        }
        Bench::untilPainted(newPaints);
        const double ms = double(modal.started.nsecsElapsed()) / 1e6;
        closeWindow(opened);
        return ms;
    };

    constexpr double LimitMs = 100;
    bool within = true;
    // A line is named by what opens and the menu item's caption.
    auto named = [](const char* what, const QString& caption) {
        return QByteArray(what) + " (" + QString(caption).remove(u'&').toUtf8() + ")";
    };
    auto line = [&](const char* what, QAction* item) {
        const double ms = Bench::medianOfRuns([&] { return openingMs(item); });
        within &= Bench::reportWithin(named(what, item->text()).constData(), ms, baseline, LimitMs);
    };

    // 記錄 (a full table offers no new entry: the entry window's lines come last)
    line("clear entries", main.Data_Clear);
    line("recurring records", main.Data_Fixure);
    line("pay off", main.Data_Payoff);
    // 設定
    line("accounts", main.Set_Acc);
    line("detail texts", main.Set_Note);
    line("settings", main.Set_General);
    // 財務報表
    line("statements", main.Statement_IBS);
    line("yearly report", main.Statement_Year);
    line("budget show", main.Statement_Budget);
    line("daily report", main.Statement_IE);
    line("journal", main.Statement_Note);
    // 工具
    line("download", main.Tools_Download);
    line("memo book", main.Tools_Note);
    line("invoice lottery", main.Tools_Number);
    line("paper invoices", main.Tools_NumberList);
    // 檔案, 說明 (帳號's commands ask in boxes)
    line("ledger list", main.File_SetDataBase);
    line("merge ledger", main.File_Add);
    line("about", main.Help_About);
    line("calendar", main.Menu_Date);

    // The tree's menu: the budget of the account the user clicked.
    {
        QTreeWidgetItem* node = main.NodeByKey(QStringLiteral("A-現金"));
        main.Trv1->scrollToItem(node);
        Bench::click(main.Trv1->viewport(), main.Trv1->visualItemRect(node).center());
        QCoreApplication::processEvents();
        line("budget", main.MenuTools2_Budget);
    }

    // The entry window, once the last entry has made room for a new one; then the windows
    // it opens, from the click on its button to the window painted.
    ctx.ledger.truncateEntries(ctx.ledger.EntryCount - 1);
    line("entry window", main.Data_New);
    auto fromEntryWindow = [&](const char* what, QPushButton* InputForm::*button) {
        double ms = -1;
        QString caption;
        modal.whileOpen = [&](QDialog& d) {
            auto* entry = qobject_cast<InputForm*>(&d);
            if (!entry) {
                d.reject();
                return d.result();
            }
            modal.paintedMs = -1;
            modal.started.start();
            caption = (entry->*button)->text();
            Bench::click(entry->*button);
            ms = modal.paintedMs;
            d.reject();
            return d.result();
        };
        const double median = Bench::medianOfRuns([&] {
            openingMs(main.Data_New);
            return ms;
        });
        modal.whileOpen = {};
        within &= Bench::reportWithin(named(what, caption).constData(), median, baseline, LimitMs);
    };
    fromEntryWindow("  quick entries", &InputForm::Command2);
    fromEntryWindow("  installments", &InputForm::Command8);
    fromEntryWindow("  note editor", &InputForm::Command1);

    if (bench.prompts.boxes) std::printf("boxes shown: %d\n", bench.prompts.boxes);
    return within ? 0 : 1;
}
