// Every account's balance from one pass gives what the per-account balance routines give,
// odd entries included (unknown prefixes, one account on both sides, cut cents).
#include <QTest>

#include "rules/reports/statementbalances.h"
#include "store/balances.h"
#include "store/treefigures.h"
#include "support/ledgerbuilder.h"
#include "support/storeenv.h"

class StatementBalancesTest : public QObject {
    Q_OBJECT
private slots:
    void sameAsPerAccount_data() {
        QTest::addColumn<QString>("dotState");
        QTest::newRow("decimals") << "1";
        QTest::newRow("whole units") << "0";
    }
    void sameAsPerAccount() {
        QFETCH(QString, dotState);
        StoreEnv env;
        env.ctx.session.DotState = dotState;
        LedgerBuilder b(env.ctx.ledger);
        b.account("A-現金").account("A-銀行").account("A-銀行.活存").account("L-卡債");
        b.account("I-薪資").account("E-餐飲").account("Equity").account("X-怪");
        b.account("A-重複", 1).account("A-重複", 2); // one name twice, other kinds
        b.entry("2024/01/01", "A-現金", "Equity", 100050);
        b.entry("2024/01/02", "E-餐飲", "A-現金", 12099);
        b.entry("2024/01/02", "E-餐飲", "X-怪", 500); // other side unknown: the last kind
        b.entry("2024/01/03", "A-銀行.活存", "A-現金", 30000);
        b.entry("2024/01/03", "L-卡債", "A-銀行", -2575);
        b.entry("2024/01/04", "A-現金", "A-現金", 777); // both sides the same account
        b.entry("2024/01/04", "I-薪資", "A-銀行", 5000000);
        b.entry("2024/01/05", "X-怪", "A-現金", 1234); // first side unknown
        b.entry("2024/01/05", "A-重複", "I-薪資", 4200);
        b.entry("2024/01/06", "E-餐飲", "L-卡債", 9999);
        b.entry("2024/01/06", "沒有", "也沒有", 1);
        EntryAccountCache cache;
        // All the dates in one pass give what each date gives alone.
        std::vector<std::pair<QString, bool>> cuts;
        for (const char* key :
             {"", "20231231", "20240101", "20240103", "20240104", "20240106", "20240107", "2024"})
            for (bool includeDay : {true, false})
                cuts.push_back({QString::fromLatin1(key), includeDay});
        const std::vector<std::vector<double>> together =
            AllAccountBalancesAt(env.ctx.ledger, env.ctx.session, cuts, cache);
        QCOMPARE(together.size(), cuts.size());
        // Only dates, latest first.
        std::vector<std::pair<QString, bool>> dates;
        for (auto c = cuts.rbegin(); c != cuts.rend(); ++c)
            if (c->first.size() == 8) dates.push_back(*c);
        const std::vector<std::vector<double>> datesTogether =
            AllAccountBalancesAt(env.ctx.ledger, env.ctx.session, dates, cache);
        for (size_t c = 0; c < cuts.size(); ++c) {
            const auto& [key, includeDay] = cuts[c];
            const std::vector<double> all =
                AllAccountBalances(env.ctx.ledger, env.ctx.session, key, includeDay, cache);
            QCOMPARE(together[c], all);
            const auto date = std::find(dates.begin(), dates.end(), cuts[c]);
            if (date != dates.end()) QCOMPARE(datesTogether[size_t(date - dates.begin())], all);
            for (int i = 1; i < env.ctx.ledger.AccountCount; ++i) {
                const double one =
                    includeDay ? AccountBalanceTo(env.ctx.ledger, env.ctx.session, i, key)
                               : AccountBalanceBefore(env.ctx.ledger, env.ctx.session, i, key);
                if (all[size_t(i)] != one)
                    QFAIL(qPrintable(QStringLiteral("key %1 %2 account %3: %4 != %5")
                                         .arg(key)
                                         .arg(includeDay)
                                         .arg(i)
                                         .arg(all[size_t(i)])
                                         .arg(one)));
            }
        }
        // A renamed account is seen by the next pass with the same cache.
        env.ctx.ledger.Accounts[1].Name = QStringLiteral("A-零用");
        const std::vector<double> after =
            AllAccountBalances(env.ctx.ledger, env.ctx.session, "20241231", true, cache);
        QCOMPARE(after[1], 0.0);
    }
};

QTEST_MAIN(StatementBalancesTest)
#include "tst_statementbalances.moc"
