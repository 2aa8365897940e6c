#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "../mainwin/mainform_fixture.h"
#include "reports/budgetform.h"
#include "reports/budgetshowform.h"
#include "support/testfiles.h"

namespace {

// Accounts of every kind, a sub-account two levels down, a sub-account whose parent account
// does not exist (E-孤兒.子), an income account named like an expense one.
struct Fixture : MainFormFixture {
    std::unique_ptr<BudgetShowForm> table;

    Fixture() {
        env.clock.setToday(QDate(2024, 6, 15));
        b.account("A-現金").account("L-卡").account("I-餐飲").account("I-薪資");
        b.account("E-餐飲").account("E-餐飲.早餐").account("E-餐飲.早餐.麵包").account("Equity");
        b.account("E-孤兒.子");
        b.entry("2024/01/05", "A-現金", "Equity", 1000000);
        b.entry("2024/03/02", "E-餐飲", "A-現金", 21000);
        b.entry("2024/03/03", "E-餐飲.早餐", "A-現金", 3000);
        b.entry("2024/03/04", "E-餐飲.早餐.麵包", "A-現金", 1000);
        b.entry("2024/03/05", "E-孤兒.子", "A-現金", 5000);
        b.entry("2024/03/10", "I-薪資", "A-現金", 40000);
        b.entry("2024/03/11", "L-卡", "E-餐飲", 45000);
        b.entry("2024/04/01", "E-餐飲", "A-現金", 99900);
        b.budget("E-餐飲", 3, 80000).budget("E-餐飲.早餐", 3, 10000).budget("E-孤兒.子", 3, 2000);
        b.budget("I-薪資", 3, 50000).budget("L-卡", 3, 30000).budget("A-現金", 0, 100);
        b.budget("E-餐飲", 0, 1200000);
    }
    BudgetShowForm& openTable(int period = 4, int year = 2024) { // 4: "03月" in the main list
        open(period, year);
        table = std::make_unique<BudgetShowForm>(env.ctx, *form, form.get());
        table->show();
        return *table;
    }
    // An account row by its full name; other rows by their text.
    QTreeWidgetItem* row(const QString& name) const {
        for (int r = 0; r < table->Liv1->topLevelItemCount(); ++r) {
            QTreeWidgetItem* item = table->Liv1->topLevelItem(r);
            const QString prefix = item->text(BudgetShowForm::ColPrefix);
            if ((prefix.size() == 2 && prefix != "--" ? prefix : QString()) + item->text(0) == name)
                return item;
        }
        return nullptr;
    }
    QStringList cells(const QString& name) const {
        const QTreeWidgetItem* r = row(name);
        if (!r) return {"<no row>"};
        return {r->text(1), r->text(2), r->text(3)};
    }
    QString colour(const QString& name) const {
        return row(name)->foreground(3).color().name().toUpper();
    }
    bool bold(const QString& name) const { return row(name)->font(0).bold(); }
    void select(const QString& name) {
        table->Liv1->setCurrentItem(row(name));
        row(name)->setSelected(true);
    }
};

} // namespace

class TestBudgetShowForm : public QObject {
    Q_OBJECT
private slots:
    void rowsOfEveryKind();
    void figuresOfAMonth();
    void totalsAgainstKindTotals();
    void rollUpWithAnOrphan();
    void accountNamedLikeASeparator();
    void wholeYearAndArrows();
    void clearsTheShownMonth();
    void opensTheBudgetWindow();
    void exportsPageAndCsv();
    void mainWindowShowsItModally();
};

void TestBudgetShowForm::rowsOfEveryKind() {
    Fixture f;
    BudgetShowForm& w = f.openTable();
    QStringList names, prefixes;
    for (int r = 0; r < w.Liv1->topLevelItemCount(); ++r) {
        names << w.Liv1->topLevelItem(r)->text(0);
        prefixes << w.Liv1->topLevelItem(r)->text(BudgetShowForm::ColPrefix);
    }
    QCOMPARE(names,
             QStringList({"現金", "---", "卡", "---", "餐飲", "薪資", "---", "餐飲", "餐飲.早餐",
                          "餐飲.早餐.麵包", "孤兒.子", "---", "收入總和", "支出總和"}));
    QCOMPARE(prefixes.mid(0, 4), QStringList({"A-", "--", "L-", "--"}));
    QCOMPARE(f.row("收入總和")->text(BudgetShowForm::ColIndex), QStringLiteral("-3"));
    QCOMPARE(w.Combo1->currentText(), QStringLiteral("03月"));
    QCOMPARE(w.Text1->text(), QStringLiteral("2024"));
    QCOMPARE(w.Command3->text(), QStringLiteral("清除本月預算"));
    QVERIFY(w.Liv1->selectedItems().isEmpty());
}

void TestBudgetShowForm::figuresOfAMonth() {
    Fixture f;
    f.openTable();
    // Unticked: each account alone.
    QCOMPARE(f.cells("E-餐飲.早餐"), QStringList({"30.00", "100.00", "30% 尚可花費 70.00"}));
    QCOMPARE(f.colour("E-餐飲.早餐"), QStringLiteral("#007000"));
    QCOMPARE(f.cells("I-薪資"), QStringList({"400.00", "500.00", "80% 未達目標 100.00"}));
    QCOMPARE(f.colour("I-薪資"), QStringLiteral("#FF0000"));
    QCOMPARE(f.cells("L-卡"), QStringList({"450.00", "300.00", "負債超過 150.00"}));
    // A zero budget shows "--" and no text while ZeroState is "1".
    QCOMPARE(f.cells("E-餐飲.早餐.麵包"), QStringList({"10.00", "--", ""}));
    // The asset's balance at the month's end, not its change.
    QCOMPARE(f.row("A-現金")->text(1), QStringLiteral("10,100.00"));
    QVERIFY(!f.bold("E-餐飲"));

    f.env.ctx.session.Setting.ZeroState = "0";
    f.table->Combo1_Click();
    QCOMPARE(f.cells("E-餐飲.早餐.麵包"), QStringList({"10.00", "0.00", "支出超過 10.00"}));
}

void TestBudgetShowForm::totalsAgainstKindTotals() {
    Fixture f;
    f.openTable();
    // The accounts' own budgets add up: 收入 500, 支出 800 + 100 + 20.
    QCOMPARE(f.cells("收入總和"), QStringList({"400.00", "500.00", "80% 未達目標 100.00"}));
    QCOMPARE(f.cells("支出總和"), QStringList({"300.00", "920.00", "32.6% 尚可花費 620.00"}));
    QCOMPARE(f.colour("支出總和"), QStringLiteral("#007000"));
    // A stored total budget replaces the sum on the total row only.
    f.b.totalBudget(4, 3, 20000);
    f.table->Combo1_Click();
    QCOMPARE(f.cells("支出總和"), QStringList({"300.00", "200.00", "支出超過 100.00"}));
    QCOMPARE(f.cells("E-餐飲").mid(1, 1), QStringList{"800.00"});
    f.b.totalBudget(4, 3, 30000); // exactly on budget: no text
    f.table->Combo1_Click();
    QCOMPARE(f.cells("支出總和"), QStringList({"300.00", "300.00", ""}));
}

// An account whose name goes on with "--" after its prefix is an account row like any
// other: its figures show and count in the total.
void TestBudgetShowForm::accountNamedLikeASeparator() {
    Fixture f;
    f.b.account("E---雜").entry("2024/03/06", "E---雜", "A-現金", 1000).budget("E---雜", 3, 5000);
    f.openTable();
    QCOMPARE(f.cells("E---雜").mid(0, 2), QStringList({"10.00", "50.00"}));
    QCOMPARE(f.cells("支出總和").mid(0, 2), QStringList({"310.00", "970.00"}));
}

void TestBudgetShowForm::rollUpWithAnOrphan() {
    Fixture f;
    BudgetShowForm& w = f.openTable();
    const QStringList totalsBefore = f.cells("支出總和");
    w.Check1->click();
    QCOMPARE(f.cells("E-餐飲"), QStringList({"250.00", "900.00", "27.7% 尚可花費 650.00"}));
    QCOMPARE(f.cells("E-餐飲.早餐"), QStringList({"40.00", "100.00", "40% 尚可花費 60.00"}));
    // E-餐飲 and I-餐飲 share a name, not a kind: nothing crosses.
    QCOMPARE(f.cells("I-薪資")[0], QStringLiteral("400.00"));
    QCOMPARE(f.row("I-餐飲")->text(1), QStringLiteral("0.00"));
    // Top-level rows are bold and make the totals; the orphan is one of them.
    QVERIFY(f.bold("A-現金") && !f.bold("E-餐飲.早餐") && !f.bold("E-餐飲.早餐.麵包"));
    QVERIFY(f.bold("E-孤兒.子"));
    QVERIFY(!f.bold("---"));
    QCOMPARE(f.cells("支出總和"), totalsBefore);
    w.Check1->click();
    QVERIFY(!f.bold("A-現金"));
    QCOMPARE(f.cells("支出總和"), totalsBefore);
}

void TestBudgetShowForm::wholeYearAndArrows() {
    Fixture f;
    f.env.ctx.session.Setting.DayState = "25";
    f.env.ctx.session.Setting.DayState2 = "1";
    BudgetShowForm& w = f.openTable(Periods::All);
    // 全部 in the main window opens 整年, which runs 2024/01/25 to 2025/01/24 whatever
    // DayState2 says.
    QCOMPARE(w.Combo1->currentText(), QStringLiteral("整年"));
    QCOMPARE(w.Command3->text(), QStringLiteral("清除整年預算"));
    QCOMPARE(f.cells("E-餐飲")[0], QStringLiteral("1,209.00"));
    QCOMPARE(f.cells("E-餐飲")[1], QStringLiteral("12,000.00"));
    w.UpDown2_UpClick(); // 整年 wraps back to 12月 of the year before
    QCOMPARE(w.Text1->text(), QStringLiteral("2023"));
    QCOMPARE(w.Combo1->currentText(), QStringLiteral("12月"));
    QCOMPARE(f.cells("E-餐飲")[0], QStringLiteral("0.00"));
    w.UpDown2_DownClick();
    QCOMPARE(w.Text1->text(), QStringLiteral("2024"));
    QCOMPARE(w.Combo1->currentText(), QStringLiteral("01月"));
    w.Text1->setText("abc"); // no year: the current one
    w.UpDown1_UpClick();
    QCOMPARE(w.Text1->text(), QStringLiteral("2025"));
    w.Text1->setText("20245");
    w.Combo1_Click();
    QCOMPARE(w.Text1->text(), QStringLiteral("2024"));
}

void TestBudgetShowForm::clearsTheShownMonth() {
    Fixture f;
    f.b.totalBudget(3, 3, 7700).totalBudget(4, 2, 8800);
    f.env.ctx.ledger.Accounts[8].Budget[3] = TaggedNumber::fromDouble(123); // Equity's
    BudgetShowForm& w = f.openTable();
    f.env.prompts.answer(Prompts::Answer::No);
    w.Command3->click();
    QCOMPARE(f.env.ctx.ledger.Accounts[5].Budget[3].value(), 80000.0);
    f.env.prompts.answer(Prompts::Answer::Yes);
    w.Command3->click();
    QCOMPARE(f.env.prompts.texts("question"), QStringList(2, "您確定要清除嗎？"));
    const Ledger& l = f.env.ctx.ledger;
    for (int i : {1, 2, 3, 4, 5, 6, 7, 9}) {
        QCOMPARE(l.Accounts[size_t(i)].Budget[3].tag(), quint16(TaggedNumber::Int16));
        QCOMPARE(l.Accounts[size_t(i)].Budget[3].value(), 0.0);
    }
    QCOMPARE(l.Accounts[8].Budget[3].value(), 123.0); // Equity is never touched
    QCOMPARE(l.Accounts[5].Budget[0].value(), 1200000.0);
    QCOMPARE(l.KindTotals[3].Budget[3].tag(), quint16(TaggedNumber::Int16));
    QCOMPARE(l.KindTotals[4].Budget[2].value(), 8800.0);
    QVERIFY(l.AccountsChanged);
    QVERIFY(f.form->LedgerChanged());
    QCOMPARE(f.cells("E-餐飲")[1], QStringLiteral("--"));
}

void TestBudgetShowForm::opensTheBudgetWindow() {
    Fixture f;
    BudgetShowForm& w = f.openTable();
    w.Command2->click(); // no current row: nothing
    QVERIFY(f.env.modal.shown.isEmpty() && f.env.prompts.shown.isEmpty());

    f.select("---");
    w.Command2->click();
    QCOMPARE(f.env.prompts.texts("plain"), QStringList{"此項目無法編列預算"});
    w.Liv1_DblClick(); // silently nothing on a separator
    QVERIFY(f.env.modal.shown.isEmpty());

    QStringList seen;
    f.env.modal.on<BudgetForm>([&](BudgetForm& d) {
        seen << d.windowTitle() << QString::number(d.bi) << d.Text1[3]->text()
             << QString::number(d.Command3->isEnabled());
        d.Text1[3]->setText("600");
        d.Command1->click();
        return d.result();
    });
    f.select("E-餐飲.早餐");
    w.Command2->click();
    QCOMPARE(seen, QStringList({"編列預算：E-餐飲.早餐", "6", "100", "1"}));
    QCOMPARE(f.cells("E-餐飲.早餐")[1], QStringLiteral("600.00")); // refreshed
    seen.clear();
    f.select("支出總和");
    w.MenuTools_Budget->trigger();
    QCOMPARE(seen, QStringList({"編列預算：支出總和", "-4", "0", "0"}));
    QCOMPARE(f.env.ctx.ledger.KindTotals[4].Budget[3].value(), 60000.0);
    QCOMPARE(f.cells("支出總和")[1], QStringLiteral("600.00"));
}

void TestBudgetShowForm::exportsPageAndCsv() {
    Fixture f;
    f.env.ctx.session.LedgerName = "家<用>";
    BudgetShowForm& w = f.openTable();
    f.env.clock.setToday(QDate(2024, 7, 1));
    const QString page = f.env.path("b.htm");
    const QString csv = f.env.path("b.CSV");
    f.env.prompts.answerPath(page);
    w.Command1->click();
    f.env.prompts.answerPath(csv);
    w.Command1->click();
    QCOMPARE(f.env.prompts.shown[0].defaultText, QStringLiteral("家<用>_2024年03月預算表"));
    QCOMPARE(f.env.prompts.shown[0].text, QStringLiteral("儲存檔案"));

    const QString pageText = Ansi::decode(TestFiles::get(page));
    const QStringList lines = pageText.split("\r\n");
    QCOMPARE(lines[0], QStringLiteral("<html><head><meta http-equiv=Content-Type "
                                      "content=text/html; charset=big5><title>家&lt;用&gt; "
                                      "預算表</title>"));
    QCOMPARE(lines[7], QStringLiteral("width: 95%;"));
    QCOMPARE(lines[20],
             QStringLiteral("</head><body><center><h1>家&lt;用&gt;_2024年03月預算表</h1>"));
    QCOMPARE(lines[21], QStringLiteral("<table><tr><th width=33%>科目</th><th width=17%>實際</th>"
                                       "<th width=17%>預算</th><th width=33%></th></tr>"));
    QCOMPARE(lines.mid(22, 6),
             QStringList({"<tr>", "<td>A-現金</td><td>10,100.00</td><td>--</td><td></td>", "</tr>",
                          "<tr>", "<td>---</td><td> </td><td> </td><td> </td>", "</tr>"}));
    QVERIFY(!pageText.contains("收入總和"));
    QCOMPARE(lines.last(), QString());
    QCOMPARE(lines[lines.size() - 2],
             QStringLiteral("</table><h3>2024/7/1 匯出</h3></center></body></html>"));

    const QStringList rows = Ansi::decode(TestFiles::get(csv)).split("\r\n");
    QCOMPARE(rows.mid(0, 5), QStringList({"科目,實際,預算,", "A-現金,10100.00,--,", "---,,,",
                                          "L-卡,450.00,300.00,負債超過 150.00", "---,,,"}));
    QCOMPARE(rows[8], QStringLiteral("E-餐飲,210.00,800.00,26.2% 尚可花費 590.00"));
    QCOMPARE(rows.size(), 13); // 11 rows of n - 3, the header, the final line break
}

void TestBudgetShowForm::mainWindowShowsItModally() {
    Fixture f;
    MainForm& w = f.open(4, 2024);
    QVERIFY(w.Statement_Budget->isEnabled());
    QVERIFY(w.ToolbarButton(15)->isEnabled());
    f.list("E-餐飲");
    const int listed = f.column(3).size();
    int shown = 0;
    f.env.modal.on<BudgetShowForm>([&](BudgetShowForm& t) {
        ++shown;
        // A new entry while the table is open shows in the main list afterwards.
        f.b.entry("2024/03/20", "E-餐飲", "A-現金", 700);
        t.reject();
        return t.result();
    });
    w.Toolbar1_ButtonClick(15);
    QCOMPARE(shown, 1);
    QCOMPARE(f.column(3).size(), listed + 1);
    QCOMPARE(f.env.settings.GetSetting("BudgetShowForm", "CheckState", "-"), QStringLiteral("0"));
}

QTEST_MAIN(TestBudgetShowForm)
#include "tst_budgetshowform.moc"
