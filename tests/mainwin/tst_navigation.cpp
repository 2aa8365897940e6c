// Navigation: tree selection, year and month arrows, 本月, the search bar, column sort and
// the view switches.
#include <QAction>
#include <QPushButton>
#include <QTest>

#include "journal/diaryform.h"
#include "mainform_fixture.h"

namespace {
// Entries over two years; today is 2024/01/15.
void fill(LedgerBuilder& b) {
    b.account("E-餐飲費").account("A-現金").account("E-交通費");
    b.entry("2023/12/30", "E-餐飲費", "A-現金", 1000, "宵夜")
        .entry("2024/01/02", "E-餐飲費", "A-現金", 30000, "午餐")
        .entry("2024/01/03", "E-餐飲費", "A-現金", 200, "早餐")
        .entry("2024/02/03", "E-餐飲費", "A-現金", 4000, "晚餐")
        .entry("2024/01/04", "E-交通費", "A-現金", 500, "公車");
}

bool lastRowSelected(const MainForm& w) {
    const int n = w.EntryRowCount();
    return n > 0 && EntryListRowRef{w.Liv1, n - 1}.isSelected() &&
           SelectedEntryRows(w.Liv1).size() == 1;
}
} // namespace

class NavigationTest : public QObject {
    Q_OBJECT
private slots:
    void yearArrows_data() {
        QTest::addColumn<QString>("yearState");
        QTest::addColumn<QString>("year");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("result");
        QTest::newRow("up goes forward")
            << QStringLiteral("0") << QStringLiteral("2023") << true << QStringLiteral("2024");
        QTest::newRow("down goes back")
            << QStringLiteral("0") << QStringLiteral("2024") << false << QStringLiteral("2023");
        QTest::newRow("reversed up goes back")
            << QStringLiteral("1") << QStringLiteral("2024") << true << QStringLiteral("2023");
        QTest::newRow("upper bound")
            << QStringLiteral("0") << QStringLiteral("9999") << true << QStringLiteral("9999");
        QTest::newRow("lower bound")
            << QStringLiteral("0") << QStringLiteral("1601") << false << QStringLiteral("1601");
        QTest::newRow("reversed lower bound")
            << QStringLiteral("1") << QStringLiteral("1601") << true << QStringLiteral("1601");
        QTest::newRow("letters count as this year")
            << QStringLiteral("0") << QStringLiteral("abc") << true << QStringLiteral("2025");
        QTest::newRow("a year beyond 9999 counts as this year")
            << QStringLiteral("0") << QStringLiteral("12345") << false << QStringLiteral("2023");
    }
    void yearArrows() {
        QFETCH(QString, yearState);
        QFETCH(QString, year);
        QFETCH(bool, up);
        QFETCH(QString, result);
        MainFormFixture f;
        fill(f.b);
        f.env.ctx.session.Setting.YearState = yearState;
        MainForm& w = f.open(Periods::WholeYear, 2024);
        w.Combo2->setEditText("餐");
        w.Text2->setText(year);
        if (up)
            w.UpDown1_UpClick();
        else
            w.UpDown1_DownClick();
        QCOMPARE(w.Text2->text(), result);
        QCOMPARE(w.Combo2->currentText(), QString());
        QVERIFY(f.env.prompts.shown.isEmpty());
    }

    void yearArrowRelists() {
        MainFormFixture f;
        fill(f.b);
        MainForm& w = f.open(Periods::WholeYear, 2024);
        QCOMPARE(f.column(8), (QStringList{"2", "3", "4"}));
        w.UpDown1_DownClick();
        QCOMPARE(f.column(8), QStringList{"1"});
        QVERIFY(lastRowSelected(w));
    }

    void monthArrows_data() {
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("next");
        QTest::addColumn<int>("newPeriod");
        QTest::addColumn<int>("newYear");
        QTest::newRow("12月 to next January") << 13 << 2023 << true << 2 << 2024;
        QTest::newRow("01月 to last December") << 2 << 2024 << false << 13 << 2023;
        QTest::newRow("全部 back to last December") << 0 << 2024 << false << 13 << 2023;
        QTest::newRow("整年 back to 全部") << 1 << 2024 << false << 0 << 2024;
        QTest::newRow("全部 on to 整年") << 0 << 2024 << true << 1 << 2024;
        QTest::newRow("03月 on to 04月") << 4 << 2024 << true << 5 << 2024;
        QTest::newRow("no year beyond 9999") << 13 << 9999 << true << 2 << 9999;
    }
    void monthArrows() {
        QFETCH(int, period);
        QFETCH(int, year);
        QFETCH(bool, next);
        QFETCH(int, newPeriod);
        QFETCH(int, newYear);
        MainFormFixture f;
        fill(f.b);
        MainForm& w = f.open(period, year);
        w.Combo2->setEditText("餐");
        if (next)
            w.UpDown2_DownClick();
        else
            w.UpDown2_UpClick();
        QCOMPARE(w.Combo1->currentIndex(), newPeriod);
        QCOMPARE(w.Text2->text(), QString::number(newYear));
        QCOMPARE(w.Combo2->currentText(), QString());
    }

    void monthArrowRelistsTheNewMonth() {
        MainFormFixture f;
        fill(f.b);
        MainForm& w = f.open(2, 2024);
        QCOMPARE(f.column(8), (QStringList{"2", "3"}));
        w.UpDown2_DownClick();
        QCOMPARE(f.column(8), QStringList{"4"});
        QVERIFY(lastRowSelected(w));
        // A period set with the suppression flag lists nothing anew.
        w.SuppressPeriodClick = -1;
        w.Combo1->setCurrentIndex(0);
        w.SuppressPeriodClick = 0;
        QCOMPARE(f.column(8), QStringList{"4"});
    }

    void thisMonth() {
        MainFormFixture f;
        fill(f.b);
        f.env.clock.setToday(QDate(2024, 3, 10));
        MainForm& w = f.open(0, 2020);
        w.Command2_Click();
        QCOMPARE(w.Text2->text(), QString("2024"));
        QCOMPARE(w.Combo1->currentIndex(), 4);
        QCOMPARE(w.Combo1->currentText(), QString("03月"));
        QCOMPARE(f.column(8), QStringList());
    }

    void searchBar() {
        MainFormFixture f;
        fill(f.b);
        MainForm& w = f.open(0, 2024);
        QStringList journal;
        w.SetJournalSearch([&](const QString& text) { journal << text; });

        w.Command1_Click();
        QCOMPARE(f.env.prompts.texts("warning"), QStringList{"請先輸入要搜尋的字串"});

        w.Combo2->setEditText("餐");
        QTest::keyClick(w.Combo2->lineEdit(), Qt::Key_Return);
        QCOMPARE(f.column(8), (QStringList{"2", "3", "4"}));
        w.Combo2->setEditText("午");
        QTest::keyClick(w.Combo2->lineEdit(), Qt::Key_Return,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.column(8), QStringList{"2"});
        QVERIFY(journal.isEmpty());
        QTest::keyClick(w.Combo2->lineEdit(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(journal, QStringList{"午"});

        // On a root node the search does nothing.
        w.SelectNode(w.Node(1));
        w.Combo2->setEditText("早");
        w.Command1_Click();
        QCOMPARE(f.column(8), QStringList{"2"});
    }

    // Ctrl+Enter in the filter box is the whole-ledger search: the journal opens on 全部 with
    // the filter text as its keyword.
    void wholeSearchKey() {
        MainFormFixture f;
        fill(f.b);
        MainForm& w = f.open(0, 2024);
        f.list("E-餐飲費");
        QVERIFY(w.Command4->isEnabled());
        w.Combo2->setEditText("午");
        QTest::keyClick(w.Combo2->lineEdit(), Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(w.OpenDiary());
        QCOMPARE(w.OpenDiary()->Text2->text(), QStringLiteral("午"));
        QVERIFY(w.OpenDiary()->isVisible());
    }

    void columnSort() {
        MainFormFixture f;
        fill(f.b);
        MainForm& w = f.open(0, 2024);
        w.Liv1_ColumnClick(4);
        QCOMPARE(f.env.prompts.texts("warning"), QStringList{"這個欄位無法排序!"});
        QCOMPARE(f.column(8), (QStringList{"1", "2", "3", "4"}));
        w.Liv1_ColumnClick(3); // amount texts: "10.00" "2.00" "300.00" "40.00"
        QCOMPARE(f.column(3), (QStringList{"10.00", "2.00", "300.00", "40.00"}));
        QCOMPARE(f.column(4), (QStringList{"10.00", "12.00", "312.00", "352.00"}));
        w.Liv1_ColumnClick(3);
        QCOMPARE(f.column(3), (QStringList{"40.00", "300.00", "2.00", "10.00"}));
        w.Liv1_ColumnClick(1);
        QCOMPARE(f.column(1),
                 (QStringList{"2024/02/03", "2024/01/03", "2024/01/02", "2023/12/30"}));
        QCOMPARE(f.column(4), (QStringList{"40.00", "42.00", "342.00", "352.00"}));
    }

    void treeClicks() {
        MainFormFixture f;
        fill(f.b);
        MainForm& w = f.open(0, 2024);
        QCOMPARE(w.ListedAccount, QString("E-餐飲費"));
        // A root returns the selection to the listed account and keeps the list.
        w.SelectNode(w.Node(1));
        w.Trv1Click();
        QCOMPARE(w.SelectedNodeKey(), QString("E-餐飲費"));
        QCOMPARE(f.column(8).size(), 4);
        // The arrow keys onto a root empty the list and leave the selection there.
        w.SelectNode(w.Node(4));
        w.Trv1_KeyUp(Qt::Key_Up);
        QCOMPARE(w.EntryRowCount(), 0);
        QCOMPARE(w.SelectedNodeKey(), QString("支出"));
        // Back on the listed account, a click lists it again.
        w.SelectNode(w.NodeByKey("E-餐飲費"));
        w.Trv1Click();
        QCOMPARE(f.column(8).size(), 4);
        // Another account: filter cleared, listed, last row chosen.
        w.Combo2->setEditText("x");
        f.list("E-交通費");
        QCOMPARE(f.column(8), QStringList{"5"});
        QCOMPARE(w.Combo2->currentText(), QString());
        QVERIFY(lastRowSelected(w));
        // Double-click is off: nothing opens (an unscripted window would fail the test).
        f.env.ctx.session.Setting.DblClickState = "0";
        w.Trv1_DblClick();
    }

    void viewSwitches() {
        MainFormFixture f;
        fill(f.b);
        MainForm& w = f.open(0, 2024);
        w.View_Yesterday_Click();
        QVERIFY(w.View_Yesterday->isChecked() && !w.View_Today->isChecked() &&
                !w.View_Balance->isChecked());
        QCOMPARE(w.PanelText(1), QString("昨日收支"));
        w.View_Balance_Click();
        QCOMPARE(w.PanelText(1), QString("收支結餘"));
        QCOMPARE(w.PanelText(2), QString("-357.00"));
        w.View_BudgetE_Click();
        QVERIFY(w.View_BudgetE->isChecked() && !w.View_Budget->isChecked());
        QCOMPARE(w.PanelText(3), QString("支出總和"));
        w.View_Budget_Click();
        QCOMPARE(w.PanelText(3), QString("科目金額"));
        const bool before = w.View_Add->isChecked();
        w.View_Add_Click();
        QCOMPARE(w.View_Add->isChecked(), !before);
        // The menu item toggles its mark itself and refreshes once.
        const bool shown = w.View_Show->isChecked();
        w.View_Show->trigger();
        QCOMPARE(w.View_Show->isChecked(), !shown);
    }
};

QTEST_MAIN(NavigationTest)
#include "tst_navigation.moc"
