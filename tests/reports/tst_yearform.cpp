#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>

#include "../mainwin/mainform_fixture.h"
#include "reports/reportchart.h"
#include "reports/yearform.h"
#include "support/testfiles.h"

namespace {

struct Fixture : MainFormFixture {
    std::unique_ptr<YearForm> year;

    Fixture() {
        env.clock.setToday(QDate(2024, 3, 10));
        b.account("A-現金").account("L-卡").account("I-薪資").account("E-餐飲費");
        b.account("E-餐飲費.早餐").account("E-餐飲費用").account("Equity");
        b.budget("E-餐飲費", 1, 480000)
            .budget("E-餐飲費", 2, 480000)
            .budget("E-餐飲費", 0, 5000000);
        b.budget("E-餐飲費.早餐", 1, 20000).budget("I-薪資", 2, 6000000);
        b.entry("2023/12/31", "A-現金", "Equity", 2000000);
        b.entry("2024/01/10", "E-餐飲費", "A-現金", 600000);
        b.entry("2024/01/11", "E-餐飲費.早餐", "A-現金", 25000);
        b.entry("2024/01/12", "E-餐飲費用", "A-現金", 99900); // not a sub-account
        b.entry("2024/02/10", "E-餐飲費", "A-現金", 390000);
        b.entry("2024/01/25", "I-薪資", "A-現金", 5000000);
        b.entry("2024/02/25", "I-薪資", "A-現金", 5000000);
        b.entry("2024/02/26", "L-卡", "Equity", 30000);
        b.entry("2024/03/05", "E-餐飲費", "A-現金", 10000);
    }
    YearForm& openYear(int year = 2024) {
        open(Periods::All, year);
        this->year = std::make_unique<YearForm>(env.ctx, *form, form.get());
        this->year->show();
        return *this->year;
    }
    QStringList column(int list, int c) const {
        QStringList texts;
        QTreeWidget* l = year->Liv1[size_t(list)];
        for (int r = 0; r < l->topLevelItemCount(); ++r)
            texts << l->topLevelItem(r)->text(c);
        return texts;
    }
    QStringList rowCells(int list, int r) const {
        QStringList texts;
        for (int c = 0; c < 5; ++c)
            texts << year->Liv1[size_t(list)]->topLevelItem(r)->text(c);
        return texts;
    }
    bool red(int list, int r, int c) const {
        return year->Liv1[size_t(list)]->topLevelItem(r)->foreground(c).color() ==
               QColor(255, 0, 0);
    }
    void choose(int chooser, const QString& name) {
        year->Combo1[size_t(chooser)]->setCurrentIndex(
            year->Combo1[size_t(chooser)]->findText(name));
    }
};

} // namespace

class TestYearForm : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheFirstAccount();
    void accountMonthsAgainstBudgets();
    void rollUpAndAverages();
    void surplusOfIncomeAndExpense();
    void equityEmptiesItsList();
    void choosersFollowTheAccountTable();
    void balanceAndIncomeTabs();
    void arrows();
    void exportsEachTab();
    void mainWindowKeepsOneWindow();
};

void TestYearForm::opensOnTheFirstAccount() {
    Fixture f;
    f.open(Periods::All, 2024);
    f.form->Text2->setText("");
    YearForm w(f.env.ctx, *f.form);
    QCOMPARE(f.form->Text2->text(), QStringLiteral("2024")); // the main box got the year too
    QCOMPARE(w.Text1->text(), QStringLiteral("2024"));
    QCOMPARE(w.Combo1[0]->count(), f.env.ctx.ledger.AccountCount - 1);
    QCOMPARE(w.Combo1[0]->itemText(6), QStringLiteral("Equity"));
    QCOMPARE(w.Combo1[0]->currentText(), QStringLiteral("A-現金"));
    QCOMPARE(w.Combo1[1]->currentIndex(), -1);
    QCOMPARE(w.windowTitle(), QStringLiteral("整年度圖表 - 各項科目"));
    QVERIFY(w.Check1->isChecked());
    QCOMPARE(w.Liv1[0]->columnWidth(0), 45);
    QCOMPARE(w.Liv1[0]->topLevelItemCount(), 14); // 12 months, "--", 平均 (an asset: no 總合)
    QCOMPARE(w.MSChart1->value(3, 2), 0.0);
    QCOMPARE(w.MSChart1->rowText(1), QStringLiteral("1月"));
}

void TestYearForm::accountMonthsAgainstBudgets() {
    Fixture f;
    YearForm& w = f.openYear();
    w.Check1->click(); // the account alone
    f.choose(0, "E-餐飲費");
    QCOMPARE(f.rowCells(0, 0),
             QStringList({"01月", "6,000.00", "4,800.00", "支出超過 1,200.00", ""}));
    QVERIFY(f.red(0, 0, 1) && f.red(0, 0, 3) && !f.red(0, 0, 0));
    QCOMPARE(f.rowCells(0, 1), QStringList({"02月", "3,900.00", "4,800.00", "", ""}));
    QVERIFY(!f.red(0, 1, 1));
    QCOMPARE(f.rowCells(0, 2), QStringList({"03月", "100.00", "--", "", ""}));
    QCOMPARE(f.rowCells(0, 12), QStringList({"--", "--", "--", "", ""}));
    QCOMPARE(f.rowCells(0, 13), QStringList({"總合", "10,000.00", "50,000.00", "", ""}));
    QCOMPARE(w.MSChart1->value(1, 1), 6000.0);
    // An income account below its budget.
    f.choose(0, "I-薪資");
    QCOMPARE(f.rowCells(0, 1),
             QStringList({"02月", "50,000.00", "60,000.00", "未達目標 10,000.00", ""}));
    f.env.ctx.session.Setting.ZeroState = "0";
    f.choose(0, "L-卡");
    QCOMPARE(f.rowCells(0, 0)[2], QStringLiteral("0.00"));
    QCOMPARE(f.rowCells(0, 1)[1], QStringLiteral("300.00")); // a balance at the month's end
    QCOMPARE(f.column(0, 0).last(), QStringLiteral("平均"));
    QVERIFY(!f.column(0, 0).contains("總合"));
}

void TestYearForm::rollUpAndAverages() {
    Fixture f;
    YearForm& w = f.openYear();
    f.choose(0, "E-餐飲費"); // the box is ticked: 早餐 is added in, 餐飲費用 is not
    QCOMPARE(f.rowCells(0, 0),
             QStringList({"01月", "6,250.00", "5,000.00", "支出超過 1,250.00", ""}));
    // March of the current year: the average of January and February, rounded down.
    QCOMPARE(f.rowCells(0, 14), QStringList({"平均", "5,075.00", "", "", ""}));
    w.Text1->setText("2023");
    w.Combo1_Click(0);
    QCOMPARE(f.rowCells(0, 14)[1], QStringLiteral("0.00")); // a past year: over 12 months
    w.Text1->setText("2025");
    w.Combo1_Click(0);
    QCOMPARE(w.Liv1[0]->topLevelItemCount(), 14); // a later year: no average
    f.env.clock.setToday(QDate(2024, 1, 20));
    w.Text1->setText("2024");
    w.Combo1_Click(0);
    QCOMPARE(w.Liv1[0]->topLevelItemCount(), 14); // January: no average
}

void TestYearForm::surplusOfIncomeAndExpense() {
    Fixture f;
    YearForm& w = f.openYear();
    f.choose(0, "I-薪資");
    f.choose(1, "E-餐飲費");
    QVERIFY(!w.Liv1[1]->isColumnHidden(4));
    QCOMPARE(f.column(1, 4).mid(0, 4), QStringList({"43750", "46100", "-100", "0"}));
    QVERIFY(f.red(1, 2, 4) && !f.red(1, 1, 4));
    QCOMPARE(f.column(1, 4)[12], QStringLiteral("--"));
    QCOMPARE(f.column(1, 4)[13], QStringLiteral("89750"));
    QCOMPARE(f.column(1, 4)[14], QString()); // the average row gets nothing
    QCOMPARE(w.MSChart1->value(2, 2), 3900.0);
    // Back from tab 3 with the pair chosen: both lists complete again.
    w.SelectTab(3);
    QCOMPARE(w.Liv1[1]->topLevelItemCount(), 0);
    w.SelectTab(1);
    QCOMPARE(f.column(1, 4)[13], QStringLiteral("89750"));
    f.choose(0, "A-現金");
    QVERIFY(w.Liv1[1]->isColumnHidden(4));
}

void TestYearForm::equityEmptiesItsList() {
    Fixture f;
    YearForm& w = f.openYear();
    f.choose(1, "E-餐飲費");
    QCOMPARE(w.MSChart1->value(1, 2), 6250.0);
    f.choose(1, "Equity");
    QCOMPARE(w.Liv1[1]->topLevelItemCount(), 0);
    QCOMPARE(w.MSChart1->value(1, 2), 0.0);
}

void TestYearForm::choosersFollowTheAccountTable() {
    Fixture f;
    YearForm& w = f.openYear();
    f.choose(0, "E-餐飲費");
    f.choose(1, "L-卡");
    // While the window is open: an account added at the front, L-卡 renamed.
    Ledger& l = f.env.ctx.ledger;
    l.addAccount(l.Accounts[1]);
    std::rotate(l.Accounts.begin() + 1, l.Accounts.begin() + l.AccountCount - 1,
                l.Accounts.begin() + l.AccountCount);
    l.Accounts[1].Name = QStringLiteral("A-新帳戶");
    l.Accounts[3].Name = QStringLiteral("L-信用卡");
    w.Combo1_Click(0);
    QCOMPARE(w.Combo1[0]->itemText(0), QStringLiteral("A-新帳戶"));
    QCOMPARE(w.Combo1[0]->currentText(), QStringLiteral("E-餐飲費"));
    QCOMPARE(f.rowCells(0, 0)[1], QStringLiteral("6,250.00"));
    QCOMPARE(w.Combo1[1]->currentIndex(), -1); // its name is gone
    QCOMPARE(w.Liv1[1]->topLevelItemCount(), 0);
}

void TestYearForm::balanceAndIncomeTabs() {
    Fixture f;
    f.env.ctx.session.Setting.AftState = "0";
    f.b.entry("2024/03/11", "I-薪資", "A-現金", 100); // tomorrow: not counted
    YearForm& w = f.openYear();
    w.SelectTab(2);
    QCOMPARE(w.windowTitle(), QStringLiteral("整年度圖表 - 資產負債統計"));
    QVERIFY(!w.Combo1[0]->isVisible() && !w.Liv1[1]->isVisible() && !w.Check1->isVisible());
    QCOMPARE(w.Liv1[0]->headerItem()->text(3), QStringLiteral("財產淨值"));
    QCOMPARE(f.rowCells(0, 1), QStringList({"02月", "108,851.00", "300.00", "108,551.00", ""}));
    QCOMPARE(f.rowCells(0, 3), QStringList({"04月", "0.00", "0.00", "0.00", ""}));
    QCOMPARE(f.rowCells(0, 13)[0], QStringLiteral("平均"));
    QCOMPARE(w.MSChart1->value(2, 2), 300.0);

    w.SelectTab(3);
    QCOMPARE(w.windowTitle(), QStringLiteral("整年度圖表 - 收入支出統計"));
    QVERIFY(!w.Liv1[0]->isColumnHidden(4));
    QCOMPARE(f.rowCells(0, 0),
             QStringList({"01月", "50,000.00", "7,249.00", "42,751.00", "85.5%"}));
    QCOMPARE(f.rowCells(0, 2), QStringList({"03月", "0.00", "100.00", "-100.00", "0%"}));
    QVERIFY(f.red(0, 2, 3));
    QCOMPARE(f.rowCells(0, 13), QStringList({"總合", "100,000.00", "11,249.00", "88,751.00", ""}));
    QCOMPARE(f.rowCells(0, 14)[3], QStringLiteral("44,425.50"));
    QCOMPARE(w.MSChart1->value(1, 2), 7249.0);
}

void TestYearForm::arrows() {
    Fixture f;
    YearForm& w = f.openYear();
    w.UpDown2_UpClick(0); // on the first account: nothing
    QCOMPARE(w.Combo1[0]->currentIndex(), 0);
    w.UpDown2_DownClick(1); // none selected: the first
    QCOMPARE(w.Combo1[1]->currentText(), QStringLiteral("A-現金"));
    QCOMPARE(w.Liv1[1]->topLevelItemCount(), 14);
    w.Combo1[0]->setCurrentIndex(w.Combo1[0]->count() - 1);
    w.UpDown2_DownClick(0); // the last: never wraps
    QCOMPARE(w.Combo1[0]->currentIndex(), w.Combo1[0]->count() - 1);
    w.SelectTab(3);
    w.UpDown1_DownClick();
    QCOMPARE(w.Text1->text(), QStringLiteral("2023"));
    QCOMPARE(f.rowCells(0, 0)[1], QStringLiteral("0.00"));   // tab 3 of 2023
    QCOMPARE(f.form->Text2->text(), QStringLiteral("2024")); // the main window keeps its year
}

void TestYearForm::exportsEachTab() {
    Fixture f;
    f.env.ctx.session.LedgerName = "家";
    YearForm& w = f.openYear();
    f.choose(0, "E-餐飲費");
    const QString csv = f.env.path("y.csv");
    f.env.prompts.answerPath(csv);
    w.Command1->click();
    QCOMPARE(f.env.prompts.shown.last().defaultText, QStringLiteral("家_2024年_各項科目統計"));
    QStringList lines = Ansi::decode(TestFiles::get(csv)).split("\r\n");
    QCOMPARE(lines.mid(0, 4),
             QStringList({"E-餐飲費", "月份,金額,預算", "01月,6250.00,5000.00,支出超過 1250.00",
                          "02月,3900.00,4800.00,"}));
    QCOMPARE(lines.size(), 2 + 15 + 1); // one block: the second chooser is empty

    f.choose(1, "I-薪資");
    f.env.prompts.answerPath(csv);
    w.Command1->click();
    lines = Ansi::decode(TestFiles::get(csv)).split("\r\n");
    QCOMPARE(lines[17], QStringLiteral("I-薪資"));
    QCOMPARE(lines.size(), 2 * (2 + 15) + 1);

    w.SelectTab(3);
    const QString page = f.env.path("y.htm");
    f.env.prompts.answerPath(page);
    w.Command1->click();
    QCOMPARE(f.env.prompts.shown.last().defaultText, QStringLiteral("家_2024年_收入支出統計"));
    lines = Ansi::decode(TestFiles::get(page)).split("\r\n");
    QCOMPARE(lines[7], QStringLiteral("width: 80%;"));
    QCOMPARE(lines[20], QStringLiteral("</head><body><center><h1>家_2024年_收入支出統計</h1>"));
    QCOMPARE(lines[21], QStringLiteral("<table><tr><th width=12%>月份</th><th width=25%>收入</th>"
                                       "<th width=25%>支出</th><th width=25%>結餘</th><th "
                                       "width=13%>結餘比例</th></tr>"));
    QCOMPARE(lines[23], QStringLiteral("<td>01月</td><td>50,000.00</td><td>7,249.00</td><td>42,"
                                       "751.00</td><td>85.5%</td>"));
    QCOMPARE(lines[lines.size() - 3], QStringLiteral("</table>"));
    QCOMPARE(lines[lines.size() - 2],
             QStringLiteral("<h4>2024/3/10 匯出</h4></center></body></html>"));

    f.env.prompts.answerPath(csv);
    w.Command1->click();
    lines = Ansi::decode(TestFiles::get(csv)).split("\r\n");
    QCOMPARE(lines.mid(0, 2),
             QStringList({"月份,收入,支出,結餘,結餘比例", "01月,50000.00,7249.00,42751.00,85.5%"}));
}

void TestYearForm::mainWindowKeepsOneWindow() {
    Fixture f;
    MainForm& w = f.open(Periods::All, 2024);
    QVERIFY(w.Statement_Year->isEnabled());
    w.Toolbar1_ButtonClick(14);
    YearForm* first = w.findChild<YearForm*>();
    QVERIFY(first && first->isVisible());
    first->Text1->setText("2020");
    w.Statement_Year->trigger();
    QCOMPARE(w.findChildren<YearForm*>().size(), 1);
    QCOMPARE(first->Text1->text(), QStringLiteral("2020")); // only brought to the front
    first->close();
    QCOMPARE(f.env.settings.GetSetting("YearForm", "L0W1", "-"), QStringLiteral("45"));
    QCOMPARE(f.env.settings.GetSetting("YearForm", "Width", "-"), QStringLiteral("12000"));
    QTRY_COMPARE(w.findChildren<YearForm*>().size(), 0);
    w.Statement_Year->trigger();
    QCOMPARE(w.findChild<YearForm*>()->Text1->text(), QStringLiteral("2024"));
}

QTEST_MAIN(TestYearForm)
#include "tst_yearform.moc"
