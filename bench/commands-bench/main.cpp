// commands-bench: everyday commands inside open windows on a full-size generated ledger,
// offscreen, each from the mouse click or key press to the result painted (median of five
// after a warm-up), against one pass over the entries that only sums their amounts: the
// statements' month arrow, the yearly report's first two tabs, the journal's keyword search
// and the closing of the entry window (with the rewrites of the settings file it costs).
// A line over its limit says "over" and the run ends with exit code 1.
#include "timing.h"
#include "userinput.h"
#include "windowbench.h"

#include "entry/inputform.h"
#include "journal/diaryform.h"
#include "mainwin/mainform.h"
#include "reports/ibsform.h"
#include "reports/yearform.h"
#include "store/appcontext.h"
#include "store/periods.h"
#include "windowparts/formwidgets.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include <sys/stat.h>

#include <cstdio>

using Bench::g_sink;
using Bench::medianMs;
using Bench::report;
using Bench::reportWithin;

namespace {

// The settings file, counting its rewrites (each one a new file in its place).
class CountedSettings : public IniSettingsStore {
public:
    using IniSettingsStore::IniSettingsStore;
    int rewrites = 0;

protected:
    bool writeValue(const QString& section, const QString& key, const QString& value) override {
        return counted([&] { return IniSettingsStore::writeValue(section, key, value); });
    }
    bool removeValue(const QString& section, const QString& key) override {
        return counted([&] { return IniSettingsStore::removeValue(section, key); });
    }
    bool flush() override {
        return counted([&] { return IniSettingsStore::flush(); });
    }

private:
    struct Stamp {
        ino_t inode = 0;
        timespec modified{};
        bool operator==(const Stamp& o) const {
            return inode == o.inode && modified.tv_sec == o.modified.tv_sec &&
                   modified.tv_nsec == o.modified.tv_nsec;
        }
    };
    Stamp stamp() const {
        struct stat s {};
        if (::stat(fileName().toLocal8Bit().constData(), &s) != 0) return {};
        return {s.st_ino, s.st_mtim};
    }
    template <typename Write> bool counted(Write write) {
        const Stamp before = stamp();
        const bool ok = write();
        if (!(stamp() == before)) ++rewrites;
        return ok;
    }
};

// The keyword of the journal's search: a character 7,041 of the generated entries hold.
const QString SearchKeyword = QStringLiteral("油");

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    Bench::WindowBench bench;
    AppContext& ctx = bench.ctx;
    CountedSettings settings(bench.tmp.path() + QStringLiteral("/counted.ini"));
    ctx.services.setSettings(settings);
    Bench::PaintedModalRunner modal;
    ctx.services.setModal(modal);

    const Ledger& ledger = ctx.ledger;
    const double baseline = Bench::entryPassBaseline(ledger, "baseline: one pass over the entries");

    MainForm main(ctx);
    main.EndProcess = [] {};
    main.resize(1280, 800);
    main.show();
    main.BuildAccountTree();
    QCoreApplication::processEvents();
    // The main window's period, which the report windows start from.
    auto setPeriod = [&](int period) {
        main.SuppressPeriodClick = -1;
        main.Text2->setText(QStringLiteral("2024"));
        main.Combo1->setCurrentIndex(period);
        main.SuppressPeriodClick = 0;
    };
    auto openFromMenu = [&](QAction* item) {
        QMenu& menu = Bench::popUpMenuOf(item);
        Bench::clickMenuItem(menu, item);
        QCoreApplication::processEvents();
    };
    auto openWindow = [&](QAction* item, auto* window) {
        openFromMenu(item);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* found = qobject_cast<decltype(window)>(w); found && found->isVisible())
                window = found;
        Bench::inputUntilPainted(*window, [] {});
        return window;
    };

    constexpr double LimitMs = 20;
    bool within = true;
    auto line = [&](const char* name, double ms) {
        within &= reportWithin(name, ms, baseline, LimitMs);
    };

    // The statements on the income statement, one month forward per click from 01月.
    {
        setPeriod(Periods::FirstMonth);
        IBSForm* form = openWindow(main.Statement_IBS, static_cast<IBSForm*>(nullptr));
        Bench::click(form->TabStrip1, form->TabStrip1->tabRect(1).center());
        QCoreApplication::processEvents();
        line("statements: month arrow (損益表)", Bench::medianOfRuns([&] {
                 return Bench::msUntilPainted(*form->ListView3,
                                              [&] { Bench::click(form->UpDown1->downButton()); });
             }));
        std::printf("  shows: %s\n", qPrintable(form->Combo1->currentText()));
        form->close();
    }

    // The yearly report: each tab clicked from the other one.
    {
        YearForm* year = openWindow(main.Statement_Year, static_cast<YearForm*>(nullptr));
        QTabBar* tabs = year->TabStrip1;
        auto clickTab = [&](int index) {
            return Bench::msUntilPainted(
                *year, [&] { Bench::click(tabs, tabs->tabRect(index).center()); });
        };
        line("yearly report: tab 1 (各項科目統計)",
             Bench::medianOfRuns([&] { return clickTab(0); }, [&] { clickTab(1); }));
        line("yearly report: tab 2 (資產負債統計)",
             Bench::medianOfRuns([&] { return clickTab(1); }, [&] { clickTab(0); }));
        year->close();
    }

    // The journal over the whole ledger: the keyword typed, then Enter.
    {
        setPeriod(Periods::All);
        DiaryForm* journal = openWindow(main.Statement_Note, static_cast<DiaryForm*>(nullptr));
        line("journal: keyword search (Enter)",
             Bench::medianOfRuns(
                 [&] {
                     return Bench::msUntilPainted(
                         *journal->Liv1, [&] { QTest::keyClick(journal->Text2, Qt::Key_Return); });
                 },
                 [&] {
                     Bench::click(journal->Command2);
                     QTest::sendKeyEvent(QTest::Click, journal->Text2, Qt::Key_unknown,
                                         SearchKeyword, Qt::NoModifier);
                 }));
        std::printf("  rows listed: %d\n", journal->RowCount());
        journal->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The entry window closed with 結束, from the click until the main window has it back.
    // A full table offers no new entry: the last one makes room.
    {
        ctx.ledger.truncateEntries(ctx.ledger.EntryCount - 1);
        setPeriod(Periods::FirstMonth);
        QElapsedTimer closing;
        int rewrites = 0;
        QList<int> perClose;
        modal.whileOpen = [&](QDialog& d) {
            auto* entry = qobject_cast<InputForm*>(&d);
            if (!entry) {
                d.reject();
                return d.result();
            }
            QCoreApplication::processEvents();
            rewrites = settings.rewrites;
            closing.start();
            Bench::click(entry->Cmd2);
            return d.result();
        };
        line("entry window: close (結束)", Bench::medianOfRuns([&] {
                 openFromMenu(main.Data_New);
                 const double ms = double(closing.nsecsElapsed()) / 1e6;
                 perClose.append(settings.rewrites - rewrites);
                 return ms;
             }));
        std::printf("  settings file rewrites per close (first one changes the window's "
                    "settings):");
        for (int n : perClose)
            std::printf(" %d", n);
        std::printf("\n");
        modal.whileOpen = {};
    }

    if (bench.prompts.boxes) std::printf("boxes shown: %d\n", bench.prompts.boxes);
    return within ? 0 : 1;
}
