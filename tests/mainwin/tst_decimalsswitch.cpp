// The figures every window shows after 顯示小數點, or another option by which figures are
// counted or written, is switched in 一般設定: those a fresh listing gives, with cents or in
// whole units, never the other unit's left over; the rows the user had selected stay so.
#include <QAction>
#include <QCheckBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>
#include <functional>

#include "mainform_fixture.h"
#include "mainwin/entrylistmodel.h"
#include "setup/setform.h"
#include "support/ledgerwindows.h"

namespace {

// 現金 pays four meals whose amounts carry cents: in whole units they count 1 + 2 + 100 +
// 999 = 1,102, with their cents 1,104.07. The ledger opens with the decimals off.
struct CentsFixture : MainFormFixture {
    CentsFixture() {
        env.ctx.session.DotState = QStringLiteral("0");
        b.account(QStringLiteral("A-現金")).account(QStringLiteral("E-餐飲費"));
        b.account(QStringLiteral("Equity"));
        b.entry("2024/01/02", "E-餐飲費", "A-現金", 125, "早餐");
        b.entry("2024/01/03", "E-餐飲費", "A-現金", 250, "午餐");
        b.entry("2024/01/04", "E-餐飲費", "A-現金", 10033, "晚餐");
        b.entry("2024/01/05", "E-餐飲費", "A-現金", 99999, "宴客");
    }

    MainForm& show() {
        MainForm& w = open(Periods::All, 2024);
        w.resize(1024, 768);
        w.show();
        QCoreApplication::processEvents();
        return w;
    }

    // A click on a node of the tree, where it is drawn.
    void clickNode(const QString& key) {
        QTreeWidgetItem* node = form->NodeByKey(key);
        QVERIFY(node);
        form->Trv1->scrollToItem(node);
        const QRect at = form->Trv1->visualItemRect(node);
        QVERIFY(at.isValid());
        QTest::mouseClick(form->Trv1->viewport(), Qt::LeftButton, {}, at.center());
    }

    // 一般設定 from the menu: a click on the page named `page`, `act` on it, then 確定.
    void confirmSettings(const QString& page = QStringLiteral("數字格式"),
                         const std::function<void(SetForm&)>& act = {}) {
        ChangeGeneralSettings(env, *form, page, act);
    }
    void switchOption(QCheckBox* SetForm::*box, const QString& page = QStringLiteral("數字格式")) {
        confirmSettings(page, [box](SetForm& s) { ClickCheckBox(s.*box); });
    }
    void switchDecimals() { switchOption(&SetForm::Check1); }
    // A click on a row of the entry list, with the keys held.
    void clickRow(int r, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(form->Liv1->viewport(), Qt::LeftButton, keys, row(r).rect().center());
    }

    // What the entry list and the status bar show.
    QStringList mainShown() const {
        QStringList shown;
        for (const QStringList& row : form->ListedRows())
            shown << row.join(u'|');
        shown << form->PanelText(3) + u'|' + form->PanelText(4);
        return shown;
    }
};

// What a main window counted when it last counted: the tree's texts and the panels.
QStringList countedShown(const MainForm& w) {
    QStringList shown;
    for (int p = 1; p <= w.NodeCount(); ++p)
        shown << w.Node(p)->text(0);
    for (int n = 1; n <= 9; ++n)
        shown << w.PanelText(n);
    return shown;
}

// Everything a main window shows of the ledger: that and the list's rows.
QStringList everythingShown(const MainForm& w) {
    QStringList shown = countedShown(w);
    for (const QStringList& row : w.ListedRows())
        shown << row.join(u'|');
    return shown;
}

} // namespace

class DecimalsSwitchTest : public QObject {
    Q_OBJECT
private slots:
    // The list's amounts and running totals, the status bar's 金額累計 and the tree: each
    // step of the switch shows the figures of its unit, the same a fresh listing shows, on
    // the row the user had selected.
    void mainWindowAfterTheSwitch() {
        CentsFixture f;
        MainForm& w = f.show();
        f.clickNode(QStringLiteral("A-現金"));
        QCOMPARE(f.column(4), QStringList({"-1", "-3", "-103", "-1,102"}));
        QCOMPARE(w.PanelText(4), QStringLiteral("-1,102"));
        QTest::mouseClick(w.Liv1->viewport(), Qt::LeftButton, {}, f.row(1).rect().center());
        QCOMPARE(f.selectedRows(), QList<EntryListRowRef>{f.row(1)});

        struct Step {
            QString dotState;
            QStringList amounts;
            QStringList running;
            QString total;
        };
        const Step steps[] = {
            {"1",
             {"-1.25", "-2.50", "-100.33", "-999.99"},
             {"-1.25", "-3.75", "-104.08", "-1,104.07"},
             "-1,104.07"},
            {"0", {"-1", "-2", "-100", "-999"}, {"-1", "-3", "-103", "-1,102"}, "-1,102"},
        };
        for (const Step& step : steps) {
            f.switchDecimals();
            QCOMPARE(f.env.ctx.session.DotState, step.dotState);
            QCOMPARE(f.column(3), step.amounts);
            QCOMPARE(f.column(4), step.running);
            QCOMPARE(w.PanelText(3), QStringLiteral("金額累計"));
            QCOMPARE(w.PanelText(4), step.total);
            QVERIFY2(f.nodeText("A-現金").endsWith(": " + step.total),
                     qPrintable(f.nodeText("A-現金")));
            QCOMPARE(f.selectedRows(), QList<EntryListRowRef>{f.row(1)});

            // Listed afresh: another account, then 現金 again.
            const QStringList shown = f.mainShown();
            f.clickNode(QStringLiteral("E-餐飲費"));
            QCOMPARE(w.ListedAccount, QStringLiteral("E-餐飲費"));
            f.clickNode(QStringLiteral("A-現金"));
            QCOMPARE(w.ListedAccount, QStringLiteral("A-現金"));
            QCOMPARE(f.mainShown(), shown);
            QTest::mouseClick(w.Liv1->viewport(), Qt::LeftButton, {}, f.row(1).rect().center());
        }
    }

    // Rows picked with the mouse stay picked, the one clicked last current, also when the
    // entry of one of them has a second row (a meal moved from 餐飲費 to its sub-account
    // 午餐 is listed under 餐飲費 from either side).
    void pickedRowsStayPicked() {
        CentsFixture f;
        f.b.account(QStringLiteral("E-餐飲費.午餐"));
        f.b.entry("2024/01/06", "E-餐飲費.午餐", "E-餐飲費", 300, "改列");
        f.show();
        f.clickNode(QStringLiteral("E-餐飲費"));
        QCOMPARE(f.column(5), QStringList({"早餐", "午餐", "晚餐", "宴客", "改列", "改列"}));
        f.clickRow(5);
        f.clickRow(1, Qt::ControlModifier);
        f.clickRow(2, Qt::ControlModifier);
        const QList<EntryListRowRef> picked{f.row(1), f.row(2), f.row(5)};
        QCOMPARE(f.selectedRows(), picked);
        QCOMPARE(f.currentRow(), f.row(2));

        for (int k = 0; k < 2; ++k) {
            f.switchDecimals();
            QCOMPARE(f.column(5), QStringList({"早餐", "午餐", "晚餐", "宴客", "改列", "改列"}));
            QCOMPARE(f.selectedRows(), picked);
            QCOMPARE(f.currentRow(), f.row(2));
        }
        // Clicked off again, the row stays the current one, unselected.
        f.clickRow(2, Qt::ControlModifier);
        f.switchDecimals();
        QCOMPARE(f.selectedRows(), (QList<EntryListRowRef>{f.row(1), f.row(5)}));
        QCOMPARE(f.currentRow(), f.row(2));
    }

    // Each option by which figures are counted or written, switched in 一般設定: the tree,
    // the list and the panels show what a main window opened afresh shows (here on 01月, whose
    // budget is zero).
    void everyOptionOfFigures_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("box");
        QTest::newRow("科目欄顯示金額") << "科目欄"
                                        << "Check8";
        QTest::newRow("顯示千位符號") << "數字格式"
                                      << "Check3";
        QTest::newRow("以上個月日期為本月起始日") << "日期相關"
                                                  << "Check16";
        QTest::newRow("未來日期的記錄也列入計算") << "日期相關"
                                                  << "Check9";
        QTest::newRow("預算為零顯示 --") << "預算"
                                         << "Check10";
    }

    void everyOptionOfFigures() {
        QFETCH(QString, page);
        QFETCH(QString, box);
        CentsFixture f;
        f.b.entry("2024/01/20", "E-餐飲費", "A-現金", 1000000, "年菜");
        f.env.clock.setToday(QDate(2024, 1, 10));
        MainForm& w = f.show();
        f.setPeriod(Periods::FirstMonth, 2024);
        f.clickNode(QStringLiteral("E-餐飲費"));
        const QStringList before = everythingShown(w);

        f.confirmSettings(page, [&](SetForm& s) {
            QCheckBox* shown = s.findChild<QCheckBox*>(box);
            QVERIFY(shown && shown->isVisible());
            ClickCheckBox(shown);
        });
        const QStringList shown = everythingShown(w);
        QVERIFY(shown != before);

        // A main window opened afresh on the same period and account.
        f.open(Periods::FirstMonth, 2024);
        f.list(QStringLiteral("E-餐飲費"));
        QCOMPARE(everythingShown(*f.form), shown);
    }

    // 確定 with every option as it was tells nothing and counts nothing anew: an amount
    // written into the table without a word (as a tool writes it) is in no figure yet, of
    // the tree or of the panels.
    void unchangedOptionsCountNothingAnew() {
        CentsFixture f;
        MainForm& w = f.show();
        f.clickNode(QStringLiteral("A-現金"));
        const QStringList before = countedShown(w);

        f.env.ctx.ledger.Entries[1].Amount = TaggedNumber::fromDouble(777700);
        QSignalSpy told(&f.env.ctx.ledger.Notifier, &LedgerNotifier::changed);
        f.confirmSettings();
        QCOMPARE(told.count(), 0);
        QCOMPARE(countedShown(w), before);
        // A switch of an option of figures is told once, and counts the new amount in.
        f.switchDecimals();
        QCOMPARE(told.count(), 1);
        QVERIFY(countedShown(w) != before);
        QVERIFY2(f.nodeText("A-現金").endsWith(": -8,879.82"), qPrintable(f.nodeText("A-現金")));
    }

    // A long list stays where the user had scrolled it, its selected row still selected.
    void longListStaysInPlace() {
        CentsFixture f;
        for (int day = 1; day <= 28; ++day)
            for (int k = 0; k < 5; ++k)
                f.b.entry(QStringLiteral("2024/02/%1").arg(day, 2, 10, QChar(u'0')), "E-餐飲費",
                          "A-現金", 101, "二月");
        MainForm& w = f.show();
        f.clickNode(QStringLiteral("A-現金"));
        const int last = w.EntryRowCount() - 1;
        QCOMPARE(f.selectedRows(), QList<EntryListRowRef>{f.row(last)});
        w.Liv1->verticalScrollBar()->setValue(40); // the bar dragged up, away from that row
        QCoreApplication::processEvents();
        const int top = w.Liv1->indexAt(QPoint(1, 1)).row();
        QVERIFY(top > 0 && top < last - 40);

        f.switchDecimals();
        QCoreApplication::processEvents();
        QCOMPARE(w.EntryRowText(last, EntryListModel::Running), QStringLiteral("-1,245.47"));
        QCOMPARE(w.Liv1->indexAt(QPoint(1, 1)).row(), top);
        QCOMPARE(f.selectedRows(), QList<EntryListRowRef>{f.row(last)});
    }

    // An open window that shows amounts shows, after either switch, what the same window
    // opened afresh shows.
    void openWindowsAfterTheSwitch_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("figure"); // the sum of the meals, as shown with cents
        QTest::newRow("journal") << "journal"
                                 << "1,104.07";
        QTest::newRow("statements") << "statements"
                                    << "-1,104.07";
        QTest::newRow("yearly") << "yearly"
                                << "-1,104.07";
    }

    void openWindowsAfterTheSwitch() {
        QFETCH(QString, window);
        QFETCH(QString, figure);
        CentsFixture f;
        MainForm& w = f.show();
        f.clickNode(QStringLiteral("A-現金"));
        QPointer<QWidget> open = OpenLedgerWindow(w, window);
        QVERIFY(open);
        QVERIFY(!LedgerWindowFigures(open).join(u'\n').contains(figure));

        for (const QString& dotState : {QStringLiteral("1"), QStringLiteral("0")}) {
            f.switchDecimals();
            QCOMPARE(f.env.ctx.session.DotState, dotState);
            const QStringList shown = LedgerWindowFigures(open);
            QCOMPARE(shown.join(u'\n').contains(figure), dotState == "1");
            open->close();
            DeleteClosedWindows();
            QVERIFY(!open);
            open = OpenLedgerWindow(w, window);
            QVERIFY(open);
            QCOMPARE(LedgerWindowFigures(open), shown);
        }
    }

    // 顯示千位符號 switched off: the list, the status bar and an open journal read as listed
    // afresh, without the separator.
    void thousandsSeparatorSwitch() {
        CentsFixture f;
        MainForm& w = f.show();
        f.clickNode(QStringLiteral("A-現金"));
        QPointer<QWidget> journal = OpenLedgerWindow(w, "journal");
        QVERIFY(journal);
        f.switchOption(&SetForm::Check3);
        QCOMPARE(f.env.ctx.session.Setting.MoneyState, QStringLiteral("0"));
        QCOMPARE(f.column(4), QStringList({"-1", "-3", "-103", "-1102"}));
        QCOMPARE(w.PanelText(4), QStringLiteral("-1102"));
        const QStringList shown = f.mainShown();
        f.clickNode(QStringLiteral("E-餐飲費"));
        f.clickNode(QStringLiteral("A-現金"));
        QCOMPARE(f.mainShown(), shown);

        const QStringList journalShown = LedgerWindowFigures(journal);
        QVERIFY2(journalShown.last().contains(QStringLiteral("支出總計 1104，")),
                 qPrintable(journalShown.last()));
        journal->close();
        DeleteClosedWindows();
        QCOMPARE(LedgerWindowFigures(OpenLedgerWindow(w, "journal")), journalShown);
    }
};

QTEST_MAIN(DecimalsSwitchTest)
#include "tst_decimalsswitch.moc"
