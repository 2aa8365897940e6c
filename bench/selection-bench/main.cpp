// selection-bench: commands on 14,000 selected rows of the main window's entry list, on a
// generated ledger whose cash account lists 14,000 entries, offscreen, each from the click
// that runs it to the list painted (median of five after a warm-up): the rows selected with
// Ctrl+A, then 編輯 of every selected entry with 確定, 複製, and 一般設定 with 顯示小數點
// switched and 確定 (the selection kept). The work of each is linear in the rows; a line over
// its limit says "over" and the run ends with exit code 1.
#include "timing.h"
#include "userinput.h"
#include "windowbench.h"

#include "entry/editform.h"
#include "mainwin/mainform.h"
#include "setup/setform.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/periods.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTreeView>
#include <QTreeWidget>

#include <cstdio>
#include <optional>

using Bench::medianOfRuns;
using Bench::reportWithin;

namespace {

constexpr int ListedRows = 14000;
// Room for a copy of every listed entry below the table's capacity.
constexpr int KeptEntries = Ledger::EntryCapacity - ListedRows;

// Keeps the first entries and makes the cash account the second account of ListedRows of
// them (never both accounts of one entry), and of no other.
int makeCashAccount(Ledger& ledger) {
    ledger.truncateEntries(KeptEntries + 1);
    const int cash = FindAccountIndex(ledger, QStringLiteral("A-現金"));
    const FixedText<32> cashName = ledger.Accounts[size_t(cash)].Name;
    FixedText<32> otherAsset;
    for (int a = 1; a < ledger.AccountCount; ++a)
        if (a != cash && ledger.Accounts[size_t(a)].Kind == KindAsset)
            otherAsset = ledger.Accounts[size_t(a)].Name;
    int listed = 0;
    for (int i = 1; i < ledger.EntryCount; ++i) {
        EntryCore& e = ledger.Entries[size_t(i)];
        if (e.Account1 == cashName) e.Account1 = otherAsset;
        if (listed < ListedRows) {
            e.Account2 = cashName;
            ++listed;
        } else if (e.Account2 == cashName) {
            e.Account2 = otherAsset;
        }
    }
    return cash;
}

// Where a click on a check box lands: on its box.
QPoint boxSpot(const QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    return box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    Bench::WindowBench bench;
    AppContext& ctx = bench.ctx;
    Bench::PaintedModalRunner modal;
    ctx.services.setModal(modal);
    // The decimals' marker file lives in the ledger's folder.
    QDir().mkpath(ctx.session.ledgerFolder());
    // The yardstick over the full table, as the other window benchmarks take it.
    const double baseline =
        Bench::entryPassBaseline(ctx.ledger, "baseline: one pass over the entries");
    makeCashAccount(ctx.ledger);

    MainForm main(ctx);
    main.EndProcess = [] {};
    main.resize(1280, 800);
    main.show();
    main.SuppressPeriodClick = -1;
    main.Text2->setText(QStringLiteral("2024"));
    main.Combo1->setCurrentIndex(Periods::All);
    main.SuppressPeriodClick = 0;
    main.BuildAccountTree();
    QCoreApplication::processEvents();
    {
        QTreeWidgetItem* cash = main.NodeByKey(QStringLiteral("A-現金"));
        main.Trv1->scrollToItem(cash);
        Bench::click(main.Trv1->viewport(), main.Trv1->visualItemRect(cash).center());
        QCoreApplication::processEvents();
    }
    std::printf("rows listed: %d\n", main.EntryRowCount());

    QTreeView* list = main.Liv1;
    auto selectAll = [&] {
        list->setFocus();
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        QCoreApplication::processEvents();
    };
    auto selected = [&] { return int(main.SelectedRows().size()); };
    // A command of the list's pop-up menu chosen with the mouse.
    auto chooseFromList = [&](QAction* item) {
        QMenu& menu = Bench::popUpMenuOf(item);
        Bench::clickMenuItem(menu, item);
    };

    constexpr double LimitMs = 1000;
    bool within = true;
    auto line = [&](const char* name, double ms) {
        within &= reportWithin(name, ms, baseline, LimitMs);
    };

    // A click on a modal window's button that ends it, timed from the click to the list
    // painted after the window has gone.
    QElapsedTimer clicked;
    std::optional<Bench::PaintCounter> painted;
    auto clickClosing = [&](QPushButton* button) {
        painted.emplace(*list);
        clicked.start();
        Bench::click(button);
    };
    auto msUntilListPainted = [&] {
        Bench::untilPainted(*painted);
        const double ms = double(clicked.nsecsElapsed()) / 1e6;
        painted.reset();
        return ms;
    };

    // 編輯 with every row selected: 明細 set for all of them, 確定.
    {
        modal.whileOpen = [&](QDialog& d) {
            auto& edit = static_cast<EditForm&>(d);
            edit.Text2->setText(QStringLiteral("同一明細"));
            edit.Check1[size_t(MultiEdit::Detail)]->setChecked(true);
            clickClosing(edit.Command1);
            return d.result();
        };
        line("編輯 every selected entry, 確定", medianOfRuns(
                                                    [&] {
                                                        chooseFromList(main.MenuTools_Edit);
                                                        return msUntilListPainted();
                                                    },
                                                    selectAll));
        std::printf("  rows selected after: %d\n", selected());
        modal.whileOpen = {};
    }

    // 複製 of every row: the copies are listed and selected.
    {
        auto fresh = [&] {
            if (ctx.ledger.EntryCount > KeptEntries + 1)
                ctx.ledger.truncateEntries(KeptEntries + 1);
            QCoreApplication::processEvents();
            selectAll();
        };
        line("複製 every selected row", medianOfRuns(
                                            [&] {
                                                QMenu& menu =
                                                    Bench::popUpMenuOf(main.MenuTools_Copy);
                                                return Bench::msUntilPainted(*list, [&] {
                                                    Bench::clickMenuItem(menu, main.MenuTools_Copy);
                                                });
                                            },
                                            fresh));
        std::printf("  rows listed after: %d, selected: %d\n", main.EntryRowCount(), selected());
        fresh();
    }

    // 一般設定: the page 數字格式, 顯示小數點 switched, 確定; the rows stay selected.
    {
        modal.whileOpen = [&](QDialog& d) {
            auto& s = static_cast<SetForm&>(d);
            QListWidgetItem* page =
                s.List1->findItems(QStringLiteral("數字格式"), Qt::MatchExactly).value(0);
            Bench::click(s.List1->viewport(), s.List1->visualItemRect(page).center());
            Bench::click(s.Check1, boxSpot(s.Check1));
            clickClosing(s.Command1);
            return d.result();
        };
        line("一般設定 顯示小數點, 確定 (kept)",
             medianOfRuns(
                 [&] {
                     QMenu& menu = Bench::popUpMenuOf(main.Set_General);
                     Bench::clickMenuItem(menu, main.Set_General);
                     return msUntilListPainted();
                 },
                 selectAll));
        std::printf("  decimals: %s, rows selected after: %d\n", qPrintable(ctx.session.DotState),
                    selected());
        modal.whileOpen = {};
    }

    if (bench.prompts.boxes) std::printf("boxes shown: %d\n", bench.prompts.boxes);
    return within ? 0 : 1;
}
