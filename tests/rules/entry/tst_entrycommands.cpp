#include <QtTest>

#include "rules/entry/entrycommands.h"
#include "support/entryfields.h"
#include "support/ledgerbuilder.h"

namespace {

const QStringList firstList{"A-現金", "L-信用卡", "I-薪水", "E-餐飲費"};
const QStringList secondList{"A-現金", "L-信用卡", "Equity"};

EntryFields fields() {
    return ChosenFields("E-餐飲費", "A-現金", "100", "午餐");
}

} // namespace

class TestEntryCommands : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void swap_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QStringList>("secondItems");
        QTest::addColumn<int>("newFirst"); // -1: refused
        QTest::addColumn<int>("newSecond");
        QTest::newRow("cash and card") << "A-現金" << "L-信用卡" << secondList << 1 << 0;
        QTest::newRow("expense first") << "E-餐飲費" << "A-現金" << secondList << -1 << -1;
        QTest::newRow("income first") << "I-薪水" << "A-現金" << secondList << -1 << -1;
        QTest::newRow("equity second") << "A-現金" << "Equity" << secondList << -1 << -1;
        QTest::newRow("no first") << "" << "A-現金" << secondList << -1 << -1;
        QTest::newRow("no second") << "A-現金" << "" << secondList << -1 << -1;
        QTest::newRow("filtered second list") << "L-信用卡" << "A-現金" << QStringList{"A-現金"} << -1 << -1;
    }
    // clang-format on
    void swap() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QStringList, secondItems);
        QFETCH(int, newFirst);
        QFETCH(int, newSecond);
        const auto choice = EntryCommands::swapAccounts(first, second, firstList, secondItems);
        QCOMPARE(choice.has_value(), newFirst >= 0);
        if (choice) {
            QCOMPARE(choice->first, newFirst);
            QCOMPARE(choice->second, newSecond);
        }
    }

    void quickEntryStored() {
        Ledger ledger;
        EntryFields f = fields();
        f.rate = "";
        f.amount = "1,000";
        f.detail = "午\"餐”";
        f.note = QString(2600, QChar(u'長')) + "\"\r\n”x"; // over 5000 bytes: kept whole
        QCOMPARE(EntryCommands::storeQuickEntry(ledger, f), std::nullopt);
        QCOMPARE(f.rate, QString("1"));
        QCOMPARE(ledger.QuickEntryCount, 2);
        const QuickEntry& q = ledger.QuickEntries[1];
        QCOMPARE(q.Account1, QString("E-餐飲費"));
        QCOMPARE(q.Account2, QString("A-現金"));
        QCOMPARE(q.Amount, QString("1000"));
        QCOMPARE(q.Detail, QString("午餐"));
        QCOMPARE(q.Note, QString(2600, QChar(u'長')) + "\r\nx");
        QVERIFY(ledger.QuickEntriesChanged);
        QVERIFY(ledger.LedgerChangedFlag.isSet());
    }

    void quickEntryAmountTimesRate() {
        Ledger ledger;
        EntryFields f = fields();
        f.rate = "1.5";
        QCOMPARE(EntryCommands::storeQuickEntry(ledger, f), std::nullopt);
        QCOMPARE(ledger.QuickEntries[1].Amount, QString("150"));
    }

    // clang-format off
    void quickEntryRefusals_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message");
        QTest::newRow("table full") << "full" << "快速入帳已經到達500筆上限，無法再新增!";
        QTest::newRow("nothing chosen") << "none" << "選擇的科目不能重複";
        QTest::newRow("one side chosen") << "one" << "您還沒選擇科目";
        QTest::newRow("same account") << "same" << "選擇的科目不能重複";
        QTest::newRow("fee without account") << "fee" << "您還沒選擇手續費的科目";
        QTest::newRow("empty amount") << "empty" << "金額部分不是數字格式";
        QTest::newRow("overflowing amount") << "overflow" << "金額部分不是數字格式";
    }
    // clang-format on
    void quickEntryRefusals() {
        QFETCH(QString, change);
        Ledger ledger;
        EntryFields f = fields();
        if (change == "full") {
            ledger.QuickEntryCount = 501;
        } else if (change == "none") {
            f.account1Chosen = f.account2Chosen = false;
            f.account1 = f.account2 = QString();
        } else if (change == "one") {
            f.account1Chosen = false;
            f.account1 = QString();
        } else if (change == "same") {
            f.account1 = f.account2;
        } else if (change == "fee") {
            f.fee = true;
        } else if (change == "empty") {
            f.amount = QString();
        } else if (change == "overflow") {
            f.amount = "1e300";
            f.rate = "1e300";
        }
        const int before = ledger.QuickEntryCount;
        const auto refusal = EntryCommands::storeQuickEntry(ledger, f);
        QVERIFY(refusal.has_value());
        QCOMPARE(refusal->kind, EntryMessage::Kind::Warning);
        QTEST(refusal->text, "message");
        QCOMPARE(ledger.QuickEntryCount, before);
        QVERIFY(!ledger.QuickEntriesChanged);
    }

    void fiveHundredthQuickEntryAccepted() {
        Ledger ledger;
        ledger.QuickEntryCount = 500; // 499 stored
        EntryFields f = fields();
        QCOMPARE(EntryCommands::storeQuickEntry(ledger, f), std::nullopt);
        QCOMPARE(ledger.QuickEntryCount, 501);
    }
};

QTEST_MAIN(TestEntryCommands)
#include "tst_entrycommands.moc"
