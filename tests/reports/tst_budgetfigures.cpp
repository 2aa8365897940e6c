#include <QtTest>

#include "reports/budgetfigures.h"
#include "store/session.h"
#include "store/treefigures.h"
#include "support/ledgerbuilder.h"

using BudgetFigures::Progress;

// The budget table's actual figures, progress texts and colours.
class TestBudgetFigures : public QObject {
    Q_OBJECT
private slots:
    void actualsByKind();
    void accountRows_data();
    void accountRows();
    void totalRows_data();
    void totalRows();
};

namespace {
const QColor Red(255, 0, 0);
const QColor Green(0, 112, 0);
const QColor Black(0, 0, 0);
} // namespace

void TestBudgetFigures::actualsByKind() {
    Ledger ledger;
    Session session;
    EntryAccountCache cache;
    LedgerBuilder b(ledger);
    b.account("A-現金").account("L-卡").account("I-薪資").account("E-餐飲費").account("Equity");
    b.entry("2024/02/28", "A-現金", "Equity", 100000);
    b.entry("2024/03/01", "E-餐飲費", "A-現金", 2000);
    b.entry("2024/03/31", "E-餐飲費", "L-卡", 3000);
    b.entry("2024/04/01", "E-餐飲費", "A-現金", 4000);
    b.entry("2024/03/10", "I-薪資", "A-現金", 50000);
    const auto f = BudgetFigures::actuals(ledger, session, "20240301", "20240331", cache);
    QCOMPARE(f[1], 100000.0 - 2000 + 50000); // balances at the end
    QCOMPARE(f[2], 3000.0);
    QCOMPARE(f[4], 5000.0); // totals of the period
    QCOMPARE(f[3], 50000.0);
    // A period whose end was held back before its start: no totals, balances as they are.
    const auto early = BudgetFigures::actuals(ledger, session, "20240301", "20240229", cache);
    QCOMPARE(early[4], 0.0);
    QCOMPARE(early[1], 100000.0);
}

void TestBudgetFigures::accountRows_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("actual"); // hundredths
    QTest::addColumn<double>("budget");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("expense below") << 4 << 21000.0 << 80000.0 << "26.2% 尚可花費 590.00" << Green;
    QTest::newRow("expense a quarter") << 4 << 20000.0 << 80000.0 << "25% 尚可花費 600.00" << Green;
    QTest::newRow("expense above") << 4 << 90000.0 << 80000.0 << "支出超過 100.00" << Red;
    QTest::newRow("expense on budget") << 4 << 80000.0 << 80000.0 << "支出已達預算" << Black;
    QTest::newRow("expense tiny") << 4 << 1.0 << 500000.0 << "0.0% 尚可花費 4,999.99" << Green;
    QTest::newRow("income nothing yet") << 3 << 0.0 << 50000.0 << "0% 未達目標 500.00" << Red;
    QTest::newRow("income above") << 3 << 60000.0 << 50000.0 << "" << Black;
    QTest::newRow("asset below") << 1 << 50000.0 << 200000.0 << "25% 未達目標 1,500.00" << Red;
    QTest::newRow("asset above") << 1 << 300000.0 << 200000.0 << "" << Black;
    QTest::newRow("liability below") << 2 << 10000.0 << 30000.0 << "33.3%" << Black;
    QTest::newRow("liability above") << 2 << 45000.0 << 30000.0 << "負債超過 150.00" << Red;
    QTest::newRow("liability on budget") << 2 << 30000.0 << 30000.0 << "" << Black;
    // A zero budget reaches the table only while ZeroState is not "1".
    QTest::newRow("zero budget, nothing spent") << 4 << 0.0 << 0.0 << "支出已達預算" << Black;
    QTest::newRow("zero budget, spent") << 4 << 1250.0 << 0.0 << "支出超過 12.50" << Red;
    QTest::newRow("negative expense") << 4 << -500.0 << 80000.0 << "" << Black;
    QTest::newRow("overpaid liability") << 2 << -500.0 << 30000.0 << "" << Black;
}

void TestBudgetFigures::accountRows() {
    QFETCH(int, kind);
    QFETCH(double, actual);
    QFETCH(double, budget);
    Session session;
    const Progress p = BudgetFigures::accountProgress(kind, actual, budget, session);
    QTEST(p.text, "text");
    QTEST(p.colour, "colour");
}

void TestBudgetFigures::totalRows_data() {
    QTest::addColumn<bool>("income");
    QTest::addColumn<double>("actual");
    QTest::addColumn<double>("budget");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("income below") << true << 100000.0 << 200000.0 << "50% 未達目標 1,000.00" << Red;
    QTest::newRow("income above") << true << 300000.0 << 200000.0 << "" << Black;
    QTest::newRow("expense below")
        << false << 50000.0 << 200000.0 << "25% 尚可花費 1,500.00" << Green;
    QTest::newRow("expense above") << false << 250000.0 << 200000.0 << "支出超過 500.00" << Red;
    QTest::newRow("expense on budget") << false << 200000.0 << 200000.0 << "" << Black;
}

void TestBudgetFigures::totalRows() {
    QFETCH(bool, income);
    QFETCH(double, actual);
    QFETCH(double, budget);
    Session session;
    const Progress p = income ? BudgetFigures::incomeTotalProgress(actual, budget, session)
                              : BudgetFigures::expenseTotalProgress(actual, budget, session);
    QTEST(p.text, "text");
    QTEST(p.colour, "colour");
}

QTEST_MAIN(TestBudgetFigures)
#include "tst_budgetfigures.moc"
