// Tree figures with a remembered entry-to-account cache: after any change of the entry
// or account tables the figures must equal those of a plain search from the start of the
// account table; and the node texts must follow figure, format and tree changes.
#include <QAction>
#include <QTest>
#include <cstring>

#include "mainform_fixture.h"
#include "store/balances.h"
#include "store/session.h"
#include "store/treefigures.h"

namespace {

// The figures as the rules state them, with a linear search for every name.
TreeFigures referenceFigures(const Ledger& l, const Session& s, const Periods::Bounds& bounds,
                             const QString& today) {
    TreeFigures f;
    f.account.assign(size_t(std::max(l.AccountCount, 1)), 0.0);
    auto indexOf = [&](const FixedText<32>& name) {
        for (int i = 1; i < l.AccountCount; ++i)
            if (std::memcmp(l.Accounts[size_t(i)].Name.data(), name.data(), 32) == 0) return i;
        return 0;
    };
    const quint32 start = bounds.start.isEmpty() ? 0 : Periods::dateNumber(bounds.start);
    const quint32 end = Periods::dateNumber(bounds.end);
    auto counts = [&](int kind, quint32 key) {
        if (kind == KindIncome || kind == KindExpense) return key >= start && key <= end;
        return key <= end;
    };
    const bool whole = s.DotState == QLatin1String("0");
    for (int i = 1; i < l.EntryCount; ++i) {
        const EntryCore& e = l.Entries[size_t(i)];
        const double a = whole ? WholeUnitsAmount(e.Amount.value()) : e.Amount.value();
        const int x = indexOf(e.Account1);
        const int y = indexOf(e.Account2);
        const int kx = PrefixKindCode(e.Account1, true);
        const int ky = PrefixKindCode(e.Account2, true);
        const quint32 key = Periods::dateNumber(e.Date.bytes());
        const EntryChange c = TreeEntryChange(kx, ky);
        if (x && c.first && counts(kx, key)) f.account[size_t(x)] += c.first * a;
        if (y && c.second && counts(ky, key)) f.account[size_t(y)] += c.second * a;
        if (e.Date.bytes() == QByteArrayView(today.toLatin1())) {
            if (kx == KindIncome) f.todayIncome += a;
            if (kx == KindExpense) f.todayExpense += a;
        }
    }
    for (int i = 1; i < l.AccountCount; ++i) {
        const int k = PrefixKindCode(l.Accounts[size_t(i)].Name, true);
        if (k >= KindAsset && k <= KindExpense) f.kindTotal[size_t(k)] += f.account[size_t(i)];
    }
    return f;
}

enum Change {
    EntryNamesOtherAccount,
    AccountRenamed,
    EarlierAccountTakesName,
    EntriesSwapped,
    EntryAdded,
    EntriesCompacted,
    UnknownNameBecomesAccount,
    DateMadeInvalid,
    AccountRemoved,
};

void applyChange(Ledger& l, int change) {
    switch (change) {
    case EntryNamesOtherAccount:
        l.Entries[2].Account2 = QStringLiteral("A-銀行");
        break;
    case AccountRenamed:
        l.Accounts[1].Name = QStringLiteral("A-零用金");
        break;
    case EarlierAccountTakesName: // two accounts of one name: the first one counts
        l.Accounts[1].Name = l.Accounts[3].Name;
        break;
    case EntriesSwapped:
        l.swapEntries(1, 4);
        break;
    case EntryAdded: {
        LedgerEntry e;
        e.core.Date = QStringLiteral("2024/03/01");
        e.core.Account1 = QStringLiteral("E-餐飲費");
        e.core.Account2 = QStringLiteral("A-銀行");
        e.core.Amount = TaggedNumber::fromDouble(700);
        l.addEntry(e);
        break;
    }
    case EntriesCompacted:
        l.markEntryDeleted(1);
        l.markEntryDeleted(3);
        l.compactEntries();
        break;
    case UnknownNameBecomesAccount: {
        AccountRecord a;
        a.Name = QStringLiteral("A-新帳戶");
        a.Kind = KindAsset;
        l.addAccount(a);
        break;
    }
    case DateMadeInvalid:
        l.Entries[3].Date.setBytes("2024-01-09");
        break;
    case AccountRemoved: // the last account of the table goes away
        l.Accounts[size_t(l.AccountCount - 1)] = AccountRecord();
        --l.AccountCount;
        break;
    }
}

void compareFigures(const TreeFigures& actual, const TreeFigures& expected) {
    QCOMPARE(actual.account, expected.account);
    QCOMPARE(actual.kindTotal, expected.kindTotal);
    QCOMPARE(actual.todayIncome, expected.todayIncome);
    QCOMPARE(actual.todayExpense, expected.todayExpense);
}

} // namespace

class TreeFiguresTest : public QObject {
    Q_OBJECT

    static void fill(LedgerBuilder& b) {
        b.account("A-現金").account("A-銀行").account("L-信用卡").account("I-薪資");
        b.account("E-餐飲費").account("Equity");
        b.entry("2024/01/01", "A-現金", "Equity", 100000)
            .entry("2024/01/05", "E-餐飲費", "A-現金", 1250)
            .entry("2024/01/09", "E-餐飲費", "L-信用卡", 3300)
            .entry("2024/02/01", "I-薪資", "A-銀行", 500000)
            .entry("2024/02/03", "A-新帳戶", "A-現金", 2000) // no such account yet
            .entry("2024/12/31", "E-餐飲費", "A-現金", 999)
            .entry("2024/12/31", "I-薪資", "A-現金", 10001);
    }

private slots:
    void cacheFollowsTableChanges_data() {
        QTest::addColumn<int>("change");
        QTest::addColumn<int>("period");
        QTest::newRow("entry names another account") << int(EntryNamesOtherAccount) << 0;
        QTest::newRow("account renamed") << int(AccountRenamed) << 0;
        QTest::newRow("earlier account takes a name") << int(EarlierAccountTakesName) << 0;
        QTest::newRow("entries swapped") << int(EntriesSwapped) << 3;
        QTest::newRow("entry added") << int(EntryAdded) << 0;
        QTest::newRow("entries compacted") << int(EntriesCompacted) << 0;
        QTest::newRow("unknown name becomes an account") << int(UnknownNameBecomesAccount) << 0;
        QTest::newRow("date made invalid, whole period") << int(DateMadeInvalid) << 0;
        QTest::newRow("date made invalid, one month") << int(DateMadeInvalid) << 2;
        QTest::newRow("account removed") << int(AccountRemoved) << 1;
    }
    void cacheFollowsTableChanges() {
        QFETCH(int, change);
        QFETCH(int, period);
        TestEnv env;
        Ledger& l = env.ctx.ledger;
        LedgerBuilder b(l);
        fill(b);
        const Periods::Bounds bounds = Periods::periodBounds(period, 2024, 1, false);
        const QString today = QStringLiteral("2024/12/31");

        EntryAccountCache cache;
        compareFigures(ComputeTreeFigures(l, env.ctx.session, bounds, today, &cache),
                       referenceFigures(l, env.ctx.session, bounds, today));
        applyChange(l, change);
        compareFigures(ComputeTreeFigures(l, env.ctx.session, bounds, today, &cache),
                       referenceFigures(l, env.ctx.session, bounds, today));
        env.ctx.session.DotState = QStringLiteral("0");
        compareFigures(ComputeTreeFigures(l, env.ctx.session, bounds, today, &cache),
                       referenceFigures(l, env.ctx.session, bounds, today));
    }

    // Node texts are formatted again only when something they show changed; each change
    // below must reach the node.
    void nodeTextsFollowChanges() {
        MainFormFixture f;
        fill(f.b);
        MainForm& w = f.open();
        Ledger& l = f.env.ctx.ledger;
        QCOMPARE(f.nodeText("E-餐飲費"), QString("餐飲費: 55.49"));

        l.Entries[2].Amount = TaggedNumber::fromDouble(2250); // a figure changes
        w.UpdateTreeTotals();
        QCOMPARE(f.nodeText("E-餐飲費"), QString("餐飲費: 65.49"));
        QCOMPARE(w.Node(4)->text(0), QString("支出: 65.49"));

        f.env.ctx.session.Setting.MoneyState = QStringLiteral("0"); // the format changes
        w.UpdateTreeTotals();
        QCOMPARE(f.nodeText("A-銀行"), QString("銀行: 5000.00"));

        f.env.ctx.session.Setting.AccState = QStringLiteral("10"); // labels only
        w.UpdateTreeTotals();
        QCOMPARE(f.nodeText("A-銀行"), QString("銀行"));
        f.env.ctx.session.Setting.AccState = QStringLiteral("11"); // figures again
        w.UpdateTreeTotals();
        QCOMPARE(f.nodeText("A-銀行"), QString("銀行: 5000.00"));

        l.Accounts[2].Name = QStringLiteral("A-郵局"); // a new tree, same figures
        w.BuildAccountTree();
        QCOMPARE(f.nodeText("A-郵局"), QString("郵局: 0.00"));
        QCOMPARE(f.nodeText("A-現金"), QString("現金: 1047.52"));
    }
};

QTEST_MAIN(TreeFiguresTest)
#include "tst_treefigures.moc"
