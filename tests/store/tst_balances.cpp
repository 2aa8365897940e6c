#include <QtTest>

#include "store/amounts.h"
#include "store/balances.h"
#include "support/ledgerbuilder.h"

// The balance rule: signs by the kinds of both sides, date limits, whole units.
class TestBalances : public QObject {
    Q_OBJECT

    static void accounts(LedgerBuilder& b) {
        b.account(QStringLiteral("A-現金"))
            .account(QStringLiteral("A-銀行"))
            .account(QStringLiteral("L-信用卡"))
            .account(QStringLiteral("I-薪資"))
            .account(QStringLiteral("E-餐飲費"))
            .account("Equity");
    }

private slots:
    void signs_data() {
        QTest::addColumn<QString>("account1");
        QTest::addColumn<QString>("account2");
        QTest::addColumn<QString>("account");
        QTest::addColumn<double>("balance");
        QTest::newRow("opening asset") << "A-現金"
                                       << "Equity"
                                       << "A-現金" << 500000.0;
        QTest::newRow("opening asset, equity") << "A-現金"
                                               << "Equity"
                                               << "Equity" << 500000.0;
        QTest::newRow("opening liability") << "L-信用卡"
                                           << "Equity"
                                           << "L-信用卡" << 500000.0;
        QTest::newRow("opening liability, equity") << "L-信用卡"
                                                   << "Equity"
                                                   << "Equity" << -500000.0;
        QTest::newRow("income") << "I-薪資"
                                << "A-現金"
                                << "I-薪資" << 500000.0;
        QTest::newRow("income, cash") << "I-薪資"
                                      << "A-現金"
                                      << "A-現金" << 500000.0;
        QTest::newRow("expense") << "E-餐飲費"
                                 << "A-現金"
                                 << "E-餐飲費" << 500000.0;
        QTest::newRow("expense, cash") << "E-餐飲費"
                                       << "A-現金"
                                       << "A-現金" << -500000.0;
        QTest::newRow("expense on credit") << "E-餐飲費"
                                           << "L-信用卡"
                                           << "L-信用卡" << 500000.0;
        QTest::newRow("card payment, card") << "L-信用卡"
                                            << "A-現金"
                                            << "L-信用卡" << -500000.0;
        QTest::newRow("card payment, cash") << "L-信用卡"
                                            << "A-現金"
                                            << "A-現金" << -500000.0;
        QTest::newRow("transfer, receiving") << "A-銀行"
                                             << "A-現金"
                                             << "A-銀行" << 500000.0;
        QTest::newRow("transfer, paying") << "A-銀行"
                                          << "A-現金"
                                          << "A-現金" << -500000.0;
        QTest::newRow("same account both sides") << "A-現金"
                                                 << "A-現金"
                                                 << "A-現金" << 0.0;
        QTest::newRow("account not named") << "E-餐飲費"
                                           << "A-現金"
                                           << "A-銀行" << 0.0;
    }
    void signs() {
        QFETCH(QString, account1);
        QFETCH(QString, account2);
        QFETCH(QString, account);
        QFETCH(double, balance);
        Ledger ledger;
        LedgerBuilder b(ledger);
        accounts(b);
        b.entry("2024/01/10", account1, account2, 500000);
        Session s;
        const int i = FindAccountIndex(ledger, account);
        QVERIFY(i > 0);
        QCOMPARE(AccountBalanceTo(ledger, s, i, "20240110"), balance);
    }

    void signFunctionTables() {
        // Account1 side, other side's kind code 0..2; codes 3 and 4 change nothing.
        const int first[5][3] = {{0, 0, 0}, {1, 1, 1}, {1, -1, 1}, {1, 1, 1}, {1, 1, 1}};
        const int second[5][5] = {{0, 1, -1, -1, 1},
                                  {0, -1, -1, 1, -1},
                                  {-1, 1, -1, -1, 1},
                                  {0, 0, 0, 0, 0},
                                  {0, 0, 0, 0, 0}};
        for (int k = 0; k < 5; ++k) {
            for (int t = 0; t < 5; ++t) {
                QCOMPARE(EntrySign(k, t, true), t < 3 ? first[k][t] : 0);
                QCOMPARE(EntrySign(k, t, false), second[k][t]);
            }
        }
        QCOMPARE(EntrySign(1, -1, false), 0);
    }

    void dateLimits() {
        Ledger ledger;
        LedgerBuilder b(ledger);
        accounts(b);
        b.entry("2024/01/09", "E-餐飲費", "A-現金", 100)
            .entry("2024/01/10", "E-餐飲費", "A-現金", 20)
            .entry("2024/01/11", "E-餐飲費", "A-現金", 3);
        Session s;
        const int food = FindAccountIndex(ledger, "E-餐飲費");
        QCOMPARE(AccountBalanceTo(ledger, s, food, "20240110"), 120.0);
        QCOMPARE(AccountBalanceBefore(ledger, s, food, "20240110"), 100.0);
        QCOMPARE(AccountBalanceTo(ledger, s, food, "20240110") -
                     AccountBalanceBefore(ledger, s, food, "20240110"),
                 20.0);
        QCOMPARE(AccountBalanceTo(ledger, s, food, "20231231"), 0.0);
        QCOMPARE(AccountBalanceTo(ledger, s, food, "99991231"), 123.0);
    }

    // A date's key compared as a number orders as the byte comparison does, in every byte,
    // the bytes past 0x7f of a damaged date included.
    void dateKeyNumbersOrderAsBytes_data() {
        QTest::addColumn<QByteArray>("date");
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("same day") << QByteArray("2024/03/05") << QByteArray("20240305");
        QTest::newRow("a day later") << QByteArray("2024/03/06") << QByteArray("20240305");
        QTest::newRow("a year earlier") << QByteArray("2023/12/31") << QByteArray("20240101");
        QTest::newRow("the last byte only") << QByteArray("2024/03/05") << QByteArray("20240309");
        QTest::newRow("the first byte only") << QByteArray("1024/03/05") << QByteArray("20240305");
        QTest::newRow("separators ignored") << QByteArray("2024-03-05") << QByteArray("20240305");
        QTest::newRow("a byte past 0x7f") << QByteArray("2024/\xa4@/05") << QByteArray("20240305");
        QTest::newRow("against a byte past 0x7f")
            << QByteArray("2024/03/05") << QByteArray("2024\xa4@05");
        QTest::newRow("blank date") << QByteArray("          ") << QByteArray("20240305");
    }
    void dateKeyNumbersOrderAsBytes() {
        QFETCH(QByteArray, date);
        QFETCH(QByteArray, key);
        const int bytes = CompareDateKey(date.constData(), key);
        const std::optional<quint64> keyNumber = DateKeyNumber(key);
        QVERIFY(keyNumber);
        const quint64 dateNumber = DateKeyNumber(date.constData());
        QCOMPARE(int(dateNumber > *keyNumber) - int(dateNumber < *keyNumber),
                 (bytes > 0) - (bytes < 0));
        // Other key lengths compare as bytes only.
        QVERIFY(!DateKeyNumber(QByteArray("202403")));
    }

    void wholeUnitsCutCents() {
        Ledger ledger;
        LedgerBuilder b(ledger);
        accounts(b);
        b.entry("2024/01/10", "E-餐飲費", "A-現金", 199)
            .entry("2024/01/10", "E-餐飲費", "A-現金", -199)
            .entry("2024/01/10", "E-餐飲費", "A-現金", 99)
            .entry("2024/01/10", "E-餐飲費", "A-現金", 12399);
        Session s;
        s.DotState = "0";
        const int food = FindAccountIndex(ledger, "E-餐飲費");
        QCOMPARE(AccountBalanceTo(ledger, s, food, "20240110"), 100.0 - 100.0 + 0.0 + 12300.0);
        s.DotState = "1";
        QCOMPARE(AccountBalanceTo(ledger, s, food, "20240110"), 199.0 - 199.0 + 99.0 + 12399.0);
    }

    void emptyLedgerAndTags() {
        Ledger ledger;
        LedgerBuilder b(ledger);
        accounts(b);
        Session s;
        QCOMPARE(AccountBalanceTo(ledger, s, 1, "20240110"), 0.0);
        b.entryTagged("2024/01/10", "A-現金", "Equity", TaggedNumber::fromInt16(0))
            .entryTagged("2024/01/10", "A-現金", "Equity", TaggedNumber::fromInt32(70000))
            .entryTagged("2024/01/10", "A-現金", "Equity", TaggedNumber::empty());
        QCOMPARE(AccountBalanceTo(ledger, s, 1, "20240110"), 70000.0);
    }

    void unknownPrefixKeepsLastKindCode() {
        // The other side of the second entry carries no known prefix: the kind code of the
        // last recognised side (liability, from the first entry) applies.
        Ledger ledger;
        LedgerBuilder b(ledger);
        accounts(b);
        b.account("X-odd", 1);
        b.entry("2024/01/10", "L-信用卡", "A-現金", 1000)
            .entry("2024/01/10", "X-odd", "A-現金", 10);
        Session s;
        const int cash = FindAccountIndex(ledger, QStringLiteral("A-現金"));
        QCOMPARE(AccountBalanceTo(ledger, s, cash, "20240110"), -1000.0 - 10.0);
    }
};

QTEST_GUILESS_MAIN(TestBalances)
#include "tst_balances.moc"
