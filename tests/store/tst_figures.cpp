#include "store/figures.h"

#include <QTest>
#include <array>

// The sign and kind rules, one table each. Rows: the account's kind, -1 (none) to 4
// (expense); columns: the other side's kind, -1 to 4.
using Row = std::array<int, 6>;
using Table = std::array<Row, 6>;

namespace {

// Balances and statements, the account on the first side.
const Table BalanceFirst = {{{0, 0, 0, 0, 0, 0},
                             {0, 0, 0, 0, 0, 0},
                             {0, 1, 1, 1, 0, 0},
                             {0, 1, -1, 1, 0, 0},
                             {0, 1, 1, 1, 0, 0},
                             {0, 1, 1, 1, 0, 0}}};
// ... on the second side.
const Table BalanceSecond = {{{0, 0, 0, 0, 0, 0},
                              {0, 0, 1, -1, -1, 1},
                              {0, 0, -1, -1, 1, -1},
                              {0, -1, 1, -1, -1, 1},
                              {0, 0, 0, 0, 0, 0},
                              {0, 0, 0, 0, 0, 0}}};
// Tree totals: the factor for the first account (row: its kind; column: the second's).
const Table TreeFirst = {{{0, 0, 0, 0, 0, 0},
                          {0, 0, 0, 0, 0, 0},
                          {1, 1, 1, 1, 1, 1},
                          {1, 1, -1, 1, 1, 1},
                          {1, 1, 1, 1, 1, 1},
                          {1, 1, 1, 1, 1, 1}}};
// ... and for the second account.
const Table TreeSecond = {{{0, 0, 0, 0, 0, 0},
                           {0, 0, 0, 0, 0, 0},
                           {1, 1, -1, 1, 1, 1},
                           {-1, -1, -1, -1, -1, -1},
                           {-1, -1, 1, -1, -1, -1},
                           {1, 1, -1, 1, 1, 1}}};
// The main list, the listed account on the first side.
const Table ListFirst = {{{1, 1, 1, 1, 1, 1},
                          {0, 0, 0, 0, 0, 0},
                          {1, 1, 1, 1, 1, 1},
                          {1, 1, -1, 1, 1, 1},
                          {1, 1, 1, 1, 1, 1},
                          {1, 1, 1, 1, 1, 1}}};
// ... on the second side.
const Table ListSecond = {{{-1, -1, -1, -1, -1, -1},
                           {-1, -1, 1, -1, -1, 1},
                           {-1, -1, -1, -1, 1, -1},
                           {-1, -1, 1, -1, -1, 1},
                           {0, 0, 0, 0, 0, 0},
                           {0, 0, 0, 0, 0, 0}}};
// The entry window's provisional rows (row: first account's kind; column: the second's).
const Table Provisional = {{{-1, -1, -1, -1, -1, -1},
                            {-1, 1, -1, 1, -1, -1},
                            {-1, -1, -1, -1, -1, -1},
                            {-1, -1, -1, -1, -1, -1},
                            {-1, -1, 1, -1, -1, -1},
                            {-1, 1, -1, 1, -1, -1}}};

enum Rule {
    BalanceOnFirst,
    BalanceOnSecond,
    TreeOnFirst,
    TreeOnSecond,
    ListOnFirst,
    ListOnSecond,
    ProvisionalRow
};

int sign(Rule rule, int kind, int other) {
    switch (rule) {
    case BalanceOnFirst:
        return EntrySign(kind, other, true);
    case BalanceOnSecond:
        return EntrySign(kind, other, false);
    case TreeOnFirst:
        return TreeEntryChange(kind, other).first;
    case TreeOnSecond:
        return TreeEntryChange(kind, other).second;
    case ListOnFirst:
        return ListRowSign(kind, true, other);
    case ListOnSecond:
        return ListRowSign(kind, false, other);
    case ProvisionalRow:
        return ProvisionalRowSign(kind, other);
    }
    return 99;
}

} // namespace

class TstFigures : public QObject {
    Q_OBJECT
private slots:
    void signs_data();
    void signs();
    void kindFromName_data();
    void kindFromName();
};

void TstFigures::signs_data() {
    QTest::addColumn<int>("rule");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<int>>("expected");
    const std::pair<Rule, const Table*> tables[] = {
        {BalanceOnFirst, &BalanceFirst}, {BalanceOnSecond, &BalanceSecond},
        {TreeOnFirst, &TreeFirst},       {TreeOnSecond, &TreeSecond},
        {ListOnFirst, &ListFirst},       {ListOnSecond, &ListSecond},
        {ProvisionalRow, &Provisional}};
    const char* names[] = {"balance first", "balance second", "tree first", "tree second",
                           "list first",    "list second",    "provisional"};
    for (const auto& [rule, table] : tables)
        for (int kind = -1; kind <= 4; ++kind)
            QTest::addRow("%s, kind %d", names[rule], kind)
                << int(rule) << kind
                << QList<int>((*table)[size_t(kind + 1)].begin(), (*table)[size_t(kind + 1)].end());
}

void TstFigures::signs() {
    QFETCH(int, rule);
    QFETCH(int, kind);
    QFETCH(QList<int>, expected);
    for (int other = -1; other <= 4; ++other)
        QVERIFY2(sign(Rule(rule), kind, other) == expected[other + 1],
                 qPrintable(QStringLiteral("other side of kind %1").arg(other)));
}

void TstFigures::kindFromName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("withIncomeExpense");
    QTest::addColumn<int>("withoutIncomeExpense");
    QTest::newRow("equity") << QStringLiteral("Eq期初") << 0 << 0;
    QTest::newRow("asset") << QStringLiteral("A-現金") << 1 << 1;
    QTest::newRow("liability") << QStringLiteral("L-信用卡") << 2 << 2;
    QTest::newRow("income") << QStringLiteral("I-薪水") << 3 << -1;
    QTest::newRow("expense") << QStringLiteral("E-餐費") << 4 << -1;
    QTest::newRow("lower case") << QStringLiteral("a-現金") << -1 << -1;
    QTest::newRow("no dash") << QStringLiteral("AB") << -1 << -1;
    QTest::newRow("one character") << QStringLiteral("A") << -1 << -1;
    QTest::newRow("empty") << QString() << -1 << -1;
    QTest::newRow("deleted") << QStringLiteral("DeleteData") << -1 << -1;
    QTest::newRow("full-width dash") << QStringLiteral("A－現金") << -1 << -1;
}

// The stored name and the typed name read the same kind.
void TstFigures::kindFromName() {
    QFETCH(QString, name);
    QFETCH(int, withIncomeExpense);
    QFETCH(int, withoutIncomeExpense);
    QCOMPARE(PrefixKindCode(QStringView(name), true), withIncomeExpense);
    QCOMPARE(PrefixKindCode(QStringView(name), false), withoutIncomeExpense);
    const FixedText<32> stored(name);
    QCOMPARE(PrefixKindCode(stored, true), withIncomeExpense);
    QCOMPARE(PrefixKindCode(stored, false), withoutIncomeExpense);
    const bool balanceKind = withoutIncomeExpense == 1 || withoutIncomeExpense == 2;
    QCOMPARE(IsAssetOrLiabilityName(QStringView(name)), balanceKind);
    QCOMPARE(IsAssetOrLiabilityName(stored), balanceKind);
    // The prefix of the kind read is the name's own start, and reads back as that kind.
    const QString prefix = KindPrefix(withIncomeExpense);
    QCOMPARE(prefix.isEmpty(), withIncomeExpense < 0);
    if (!prefix.isEmpty()) {
        QVERIFY(name.startsWith(prefix));
        QCOMPARE(PrefixKindCode(QStringView(prefix), true), withIncomeExpense);
    }
}

QTEST_GUILESS_MAIN(TstFigures)
#include "tst_figures.moc"
