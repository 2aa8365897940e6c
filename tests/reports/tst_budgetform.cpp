#include <QtTest>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "../mainwin/mainform_fixture.h"
#include "reports/budgetform.h"
#include "support/ledgerbuilder.h"
#include "support/testenv.h"

namespace {

struct Fixture {
    TestEnv env;
    LedgerBuilder b{env.ctx.ledger};
    std::unique_ptr<BudgetForm> form;

    Fixture() {
        // Equity between two accounts and at the end of the table.
        b.account("A-現金").account("Equity").account("E-餐飲費").account("I-薪資");
        b.budget("E-餐飲費", 0, 123450).budget("E-餐飲費", 3, 29);
    }
    BudgetForm& open(int bi) {
        form = std::make_unique<BudgetForm>(env.ctx);
        form->OpenRecord(bi);
        form->show();
        return *form;
    }
    const AccountRecord& account(int i) const { return env.ctx.ledger.Accounts[size_t(i)]; }
    QStringList boxes() const {
        QStringList texts;
        for (QLineEdit* box : form->Text1)
            texts << box->text();
        return texts;
    }
    void type(const QStringList& texts) {
        for (int i = 0; i < texts.size(); ++i)
            form->Text1[size_t(i)]->setText(texts[i]);
    }
};

QStringList zeros() {
    return QStringList(13, QStringLiteral("0"));
}

} // namespace

class TestBudgetForm : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheCells();
    void storesTypedBoxes_data();
    void storesTypedBoxes();
    void refusesABoxInOrder();
    void stepsPassOverEquity();
    void stepsStopAtTheEnds();
    void totalsStoreIntoKindTotals();
    void monthSumAndSplit();
    void clearEmptiesTheBoxesOnly();
    void enterFinishesAndEscDoesNothing();
    void treeCommandOpensTheSelectedAccount();
};

void TestBudgetForm::opensWithTheCells() {
    Fixture f;
    BudgetForm& w = f.open(3);
    QCOMPARE(w.windowTitle(), QStringLiteral("編列預算：E-餐飲費"));
    QCOMPARE(f.boxes().mid(0, 4), QStringList({"1234.5", "0", "0", "0.29"}));
    QCOMPARE(w.Label1[0]->text(), QStringLiteral("年度預算"));
    QCOMPARE(w.Label1[12]->text(), QStringLiteral("十二月份"));
    QVERIFY(w.Command3->isEnabled() && w.Command4->isEnabled());
    QCOMPARE(w.bi, short(3));
    QVERIFY(w.Command1->isDefault());
}

void TestBudgetForm::storesTypedBoxes_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("shown"); // the box after validation
    QTest::addColumn<double>("cell");   // hundredths
    QTest::newRow("negative") << "-500" << true << "500" << 50000.0;
    QTest::newRow("cents") << "0.29" << true << "0.29" << 29.0;
    QTest::newRow("half") << "1234.5" << true << "1234.5" << 123450.0;
    QTest::newRow("grouped") << "1,500" << true << "1500" << 150000.0;
    QTest::newRow("blanks") << " 7 " << true << "7" << 700.0;
    QTest::newRow("letters") << "abc" << false << "abc" << 0.0;
    QTest::newRow("empty") << "" << false << "" << 0.0;
    QTest::newRow("huge") << "1e20" << false << "1e20" << 0.0;
    QTest::newRow("limit") << "90000000000000" << true << "90000000000000" << 9e15;
    QTest::newRow("beyond limit") << "90000000000001" << false << "90000000000001" << 0.0;
}

void TestBudgetForm::storesTypedBoxes() {
    QFETCH(QString, typed);
    QFETCH(bool, stored);
    QFETCH(QString, shown);
    QFETCH(double, cell);
    Fixture f;
    BudgetForm& w = f.open(3);
    // The box under test is month 5; month 2 before it holds a negative amount.
    w.Text1[2]->setText("-12");
    w.Text1[5]->setText(typed);
    w.Command1->click();
    const AccountRecord& a = f.account(3);
    QCOMPARE(w.Text1[2]->text(), QStringLiteral("12")); // normalised before box 5 was read
    QCOMPARE(w.Text1[5]->text(), shown);
    if (stored) {
        QVERIFY(f.env.prompts.shown.isEmpty());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(a.Budget[5].tag(), quint16(TaggedNumber::Double));
        QCOMPARE(a.Budget[5].value(), cell);
        QCOMPARE(a.Budget[2].value(), 1200.0);
        // Every cell is written as a double, the untouched ones included.
        QCOMPARE(a.Budget[12].tag(), quint16(TaggedNumber::Double));
        QCOMPARE(a.Budget[0].value(), 123450.0);
        QVERIFY(f.env.ctx.ledger.AccountsChanged);
        QVERIFY(f.env.ctx.ledger.LedgerChangedFlag.isSet());
    } else {
        QCOMPARE(f.env.prompts.texts("warning"), QStringList{"五月份的金額部分不是數字格式"});
        QVERIFY(w.isVisible());
        QCOMPARE(a.Budget[2].tag(), quint16(TaggedNumber::Empty)); // nothing stored
        QVERIFY(!f.env.ctx.ledger.AccountsChanged);
        QVERIFY(!f.env.ctx.ledger.LedgerChangedFlag.isSet());
    }
}

void TestBudgetForm::refusesABoxInOrder() {
    Fixture f;
    BudgetForm& w = f.open(3);
    f.type({"x", "y"});
    w.Command4->click(); // a step validates the same way
    QCOMPARE(f.env.prompts.texts("warning"), QStringList{"年度預算的金額部分不是數字格式"});
    QCOMPARE(w.bi, short(3));
    QCOMPARE(f.account(3).Budget[0].value(), 123450.0);
}

void TestBudgetForm::stepsPassOverEquity() {
    Fixture f;
    f.env.ctx.ledger.Accounts[2].Budget[1] = TaggedNumber::fromInt16(7); // equity's own cell
    BudgetForm& w = f.open(3);
    f.type({"100"});
    w.Command3->click(); // back over Equity to A-現金
    QCOMPARE(w.bi, short(1));
    QCOMPARE(w.windowTitle(), QStringLiteral("編列預算：A-現金"));
    QCOMPARE(f.boxes(), zeros());
    QCOMPARE(f.account(3).Budget[0].value(), 10000.0);
    // Stepping sets no flag; 完成 does.
    QVERIFY(!f.env.ctx.ledger.AccountsChanged);
    w.Command4->click(); // forward over Equity again
    QCOMPARE(w.bi, short(3));
    QCOMPARE(f.boxes()[0], QStringLiteral("100"));
    QCOMPARE(f.account(2).Budget[1].tag(), quint16(TaggedNumber::Int16));
    QCOMPARE(f.account(2).Budget[1].value(), 7.0);
    QCOMPARE(f.account(2).Budget[0].tag(), quint16(TaggedNumber::Empty));
}

void TestBudgetForm::stepsStopAtTheEnds() {
    Fixture f;
    BudgetForm& w = f.open(1);
    f.type({"bad"});
    w.Command3->click(); // the first account: nothing at all, not even the check
    QVERIFY(f.env.prompts.shown.isEmpty());
    QCOMPARE(w.bi, short(1));

    // Only Equity lies beyond: stored, and the window stays on the account.
    f.env.ctx.ledger.Accounts[4].Name = QStringLiteral("Equity2");
    f.open(3);
    f.type({"55"});
    f.form->Command4->click();
    QCOMPARE(f.form->bi, short(3));
    QCOMPARE(f.form->windowTitle(), QStringLiteral("編列預算：E-餐飲費"));
    QCOMPARE(f.account(3).Budget[0].value(), 5500.0);
}

void TestBudgetForm::totalsStoreIntoKindTotals() {
    Fixture f;
    f.b.totalBudget(4, 6, 80000);
    BudgetForm& w = f.open(-4);
    QCOMPARE(w.windowTitle(), QStringLiteral("編列預算：支出總和"));
    QCOMPARE(f.boxes()[6], QStringLiteral("800"));
    QVERIFY(!w.Command3->isEnabled() && !w.Command4->isEnabled());
    w.Text1[6]->setText("900");
    w.Command1->click();
    QCOMPARE(f.env.ctx.ledger.KindTotals[4].Budget[6].value(), 90000.0);
    QCOMPARE(f.env.ctx.ledger.KindTotals[3].Budget[6].tag(), quint16(TaggedNumber::Empty));
}

void TestBudgetForm::monthSumAndSplit() {
    Fixture f;
    BudgetForm& w = f.open(3);
    f.type({"9", "1,500", "-250", "abc", "0.5"});
    w.Command2->click();
    // Boxes read as the check reads them: grouping allowed, absolute value, no number 0.
    QCOMPARE(w.Text1[0]->text(), QStringLiteral("1750.5"));
    QCOMPARE(w.Text1[3]->text(), QStringLiteral("abc")); // nothing validated

    // A year box that is no number as a whole: the number at its start is split.
    w.Text1[0]->selectAll();
    QTest::keyClicks(w.Text1[0], "12a000");
    w.Command5->click();
    for (int m = 1; m <= 12; ++m)
        QCOMPARE(w.Text1[size_t(m)]->text(), QStringLiteral("1"));

    w.Text1[0]->setText("1000");
    w.Command5->click();
    for (int m = 1; m <= 12; ++m)
        QCOMPARE(w.Text1[size_t(m)]->text(), QStringLiteral("83.3333333333333"));
    w.Command1->click();
    QCOMPARE(f.account(3).Budget[0].value(), 100000.0);
    QCOMPARE(f.account(3).Budget[7].value(), 8333.0);
}

void TestBudgetForm::clearEmptiesTheBoxesOnly() {
    Fixture f;
    BudgetForm& w = f.open(3);
    w.Command6->click();
    QCOMPARE(f.boxes(), zeros());
    QCOMPARE(f.account(3).Budget[0].value(), 123450.0);
    w.Command1->click();
    QCOMPARE(f.account(3).Budget[0].value(), 0.0);
    QCOMPARE(f.account(3).Budget[0].tag(), quint16(TaggedNumber::Double));
}

void TestBudgetForm::enterFinishesAndEscDoesNothing() {
    Fixture f;
    BudgetForm& w = f.open(3);
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.Text1[4]->setFocus();
    QCOMPARE(w.Text1[4]->selectedText(), QStringLiteral("0")); // a box selects its text
    QTest::keyClick(w.Text1[4], Qt::Key_Escape);
    QVERIFY(w.isVisible());
    w.Text1[4]->setText("12");
    QTest::keyClick(w.Text1[4], Qt::Key_Return);
    QVERIFY(!w.isVisible());
    QCOMPARE(f.account(3).Budget[4].value(), 1200.0);
}

void TestBudgetForm::treeCommandOpensTheSelectedAccount() {
    MainFormFixture f;
    f.b.account("A-現金").account("E-餐飲費").account("Equity");
    f.b.budget("E-餐飲費", 2, 4550);
    MainForm& w = f.open(Periods::All, 2024);
    QVERIFY(w.MenuTools2_Budget->isEnabled());
    QStringList seen;
    f.env.modal.on<BudgetForm>([&](BudgetForm& d) {
        seen << d.windowTitle() << d.Text1[2]->text() << QString::number(d.bi);
        d.Text1[2]->setText("60");
        d.Command1->click();
        return d.result();
    });
    f.list("E-餐飲費");
    w.MenuTools2_Budget->trigger();
    QCOMPARE(seen, QStringList({"編列預算：E-餐飲費", "45.5", "2"}));
    QCOMPARE(f.env.ctx.ledger.Accounts[2].Budget[2].value(), 6000.0);
    QVERIFY(w.LedgerChanged());

    // Kind roots and Equity open nothing.
    for (const QString key : {"支出", "Equity"}) {
        f.form->SelectNode(f.form->NodeByKey(key));
        w.MenuTools2_Budget->trigger();
    }
    QCOMPARE(f.env.modal.shown.size(), 1);
}

QTEST_MAIN(TestBudgetForm)
#include "tst_budgetform.moc"
