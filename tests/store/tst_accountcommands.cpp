#include <QtTest>

#include "store/accountcommands.h"
#include "store/accountnames.h"
#include "support/accountsfixture.h"

using namespace AccountCommands;

namespace {

QString cjk(int n) {
    return QString(n, QChar(0x4E2D)); // 中, two bytes in cp950
}

QStringList names(const Ledger& l) {
    QStringList out;
    for (int i = 1; i < l.AccountCount; ++i)
        out << l.Accounts[size_t(i)].Name.trimmed();
    return out;
}

int indexOf(const Ledger& l, const QString& name) {
    return AccountNames::findOther(l, name);
}

} // namespace

// The account editor's commands on the tables: name rules, add, rename through every
// table, delete with compaction, ordering.
class TestAccountCommands : public QObject {
    Q_OBJECT

private slots:
    void compose_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        QTest::newRow("16 Chinese keep 15") << 1 << "<無>" << cjk(16) << "A-" + cjk(15);
        QTest::newRow("30 letters fit")
            << 1 << "<無>" << QString(30, 'x') << "A-" + QString(30, 'x');
        QTest::newRow("31 letters keep 30")
            << 1 << "<無>" << QString(31, 'x') << "A-" + QString(30, 'x');
        QTest::newRow("trailing blanks dropped") << 4 << "<無>"
                                                 << "x  "
                                                 << "E-x";
        QTest::newRow("leading and inner blanks stay") << 4 << "<無>"
                                                       << " a b"
                                                       << "E- a b";
        QTest::newRow("final dot stays") << 4 << "<無>"
                                         << "x."
                                         << "E-x.";
        QTest::newRow("under a parent") << 4 << "E-交通費"
                                        << "公車"
                                        << "E-交通費.公車";
        QTest::newRow("cut inside the own name") << 2 << "L-" + QString(28, 'p') << "abc"
                                                 << "L-" + QString(28, 'p') + ".a";
    }
    void compose() {
        QFETCH(int, kind);
        QFETCH(QString, parent);
        QFETCH(QString, typed);
        QFETCH(QString, name);
        QCOMPARE(AccountNames::compose(kind, parent, typed), name);
    }

    void addRefusals_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << 1 << "<無>"
                               << ""
                               << "科目名稱尚未輸入!";
        QTest::newRow("blanks only") << 1 << "<無>"
                                     << "   "
                                     << "科目名稱尚未輸入!";
        QTest::newRow("dot first") << 4 << "<無>"
                                   << ".x"
                                   << "科目名稱第一個字元不可以是 . (點)";
        QTest::newRow("no kind") << 0 << "<無>"
                                 << "x"
                                 << "請選擇科目類型!";
        QTest::newRow("outside cp950") << 4 << "<無>"
                                       << "café"
                                       << "科目名稱不可以包含軟體不支援的文字!";
        // A line break would split the account's lines in the side files; U+0001 is the
        // separator of detail texts; a NUL would end the stored field.
        for (const auto& [row, typed] : {std::pair{"pasted CR LF", QString("計程車\r\n")},
                                         std::pair{"tab", QString("計程\t車")},
                                         std::pair{"separator", QString("計程車\u0001")},
                                         std::pair{"NUL", QString("計程車") + QChar(0)}})
            QTest::addRow("%s refused", row)
                << 4 << "<無>" << typed << "科目名稱不可以包含軟體不支援的文字!";
        QTest::newRow("duplicate") << 1 << "<無>"
                                   << "現金"
                                   << "已有相同名稱的科目!";
        QTest::newRow("duplicate after trailing blanks") << 1 << "<無>"
                                                         << "現金 "
                                                         << "已有相同名稱的科目!";
        QTest::newRow("duplicate sub-account") << 4 << "E-交通費"
                                               << "公車"
                                               << "已有相同名稱的科目!";
        QTest::newRow("other case passes") << 4 << "<無>"
                                           << "x"
                                           << "";
        QTest::newRow("final dot passes") << 4 << "<無>"
                                          << "x."
                                          << "";
    }
    void addRefusals() {
        QFETCH(int, kind);
        QFETCH(QString, parent);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        Ledger ledger;
        AccountsFixture::build(ledger);
        LedgerBuilder(ledger).account("E-X");
        QString name;
        QCOMPARE(CheckAdd(ledger, kind, parent, typed, name), message);
    }

    void addChecksTableLimits() {
        Ledger ledger;
        AccountsFixture::build(ledger);
        QString name;
        ledger.AccountCount = Ledger::AccountCapacity + 1;
        QCOMPARE(CheckAdd(ledger, 4, "<無>", "x", name),
                 QString("科目數量已經到達2000個上限，無法再新增!"));
        ledger.AccountCount = 12;
        // A full entry table refuses an asset or liability before its question; an expense
        // account needs no entry.
        ledger.EntryCount = Ledger::EntryCapacity + 1;
        QCOMPARE(CheckAdd(ledger, 1, "<無>", "x", name), QString("新增科目發生錯誤!"));
        QCOMPARE(CheckAdd(ledger, 2, "<無>", "x", name), QString("新增科目發生錯誤!"));
        QCOMPARE(CheckAdd(ledger, 4, "<無>", "x", name), QString());
        const QStringList before = AccountsFixture::picture(ledger);
        QVERIFY(!AddAccount(ledger, "A-x", 1, 0, "2024/01/15"));
        QCOMPARE(AccountsFixture::picture(ledger), before);
    }

    void addWritesOpeningEntryInEveryPart() {
        Ledger ledger;
        AccountsFixture::build(ledger);
        // A deletion leaves the last account's budgets in the slot beyond the table.
        DeleteAccount(ledger, indexOf(ledger, "I-薪資"));
        const int slot = ledger.AccountCount;
        QVERIFY(!ledger.Accounts[size_t(slot)].Budget[2].isEmpty());
        ledger.NoteList.clear(); // fewer rows than entries: grown on append
        const int entries = ledger.EntryCount;

        QVERIFY(AddAccount(ledger, "L-房貸", 2, 800, "2024/01/15"));
        QCOMPARE(ledger.EntryCount, entries + 1);
        QCOMPARE(ledger.AccountCount, slot + 1);
        const AccountRecord& a = ledger.Accounts[size_t(slot)];
        QCOMPARE(a.Name.trimmed(), QString("L-房貸"));
        QCOMPARE(a.Kind, qint16(2));
        for (const TaggedNumber& cell : a.Budget)
            QVERIFY(cell.isEmpty());
        const EntryCore& e = ledger.Entries[size_t(entries)];
        QCOMPARE(e.Date.trimmed(), QString("2024/01/15"));
        QCOMPARE(e.Account1.trimmed(), QString("L-房貸"));
        QCOMPARE(e.Account2.trimmed(), QString("Equity"));
        QCOMPARE(e.Amount.tag(), quint16(TaggedNumber::Double));
        QCOMPARE(e.Amount.value(), 800.0);
        QCOMPARE(e.Detail.trimmed(), QString("[初值]"));
        QCOMPARE(ledger.EntryNotes[size_t(entries)].RemindOn, qint16(0));
        QCOMPARE(ledger.EntryNotes[size_t(entries)].Note.trimmed(), QString());
        QCOMPARE(ledger.EntryInvoices[size_t(entries)].Checked, qint16(0));
        QCOMPARE(int(ledger.EntryStyles[size_t(entries)].ColourIndex), 0);
        QVERIFY(ledger.NoteList.size() > entries);
        QCOMPARE(ledger.noteRow(entries), QString());
        QVERIFY(ledger.AccountsChanged && ledger.LedgerChangedFlag.isSet());

        // Income and expense accounts get no entry.
        QVERIFY(AddAccount(ledger, "E-新", 4, 0, "2024/01/15"));
        QCOMPARE(ledger.EntryCount, entries + 1);
    }

    void renameCarriesIntoEveryTable() {
        Ledger ledger;
        AccountsFixture::build(ledger);
        NameMapping mapping;
        const int index = indexOf(ledger, "E-交通費");
        QCOMPARE(PlanRename(ledger, index, 4, "<無>", "交通", mapping), QString());
        ApplyRename(ledger, mapping);

        QCOMPARE(names(ledger), QStringList({"A-現金", "A-銀行", "L-信用卡", "I-薪資", "E-交通",
                                             "E-交通.公車", "E-交通.火車", "E-交通.火車.自強號",
                                             "E-交通費用", "E-餐飲費", "Equity"}));
        // No field of any table names the old branch; the look-alike keeps every field.
        const QStringList after = AccountsFixture::picture(ledger);
        for (const QString& line : after)
            for (const QString& field : line.section(' ', 1).split(QRegularExpression("[|\\x01]")))
                QVERIFY2(field != "E-交通費" && !field.startsWith("E-交通費."), qPrintable(line));
        QCOMPARE(after.filter("E-交通費用").size(), 4); // account, entry, text, quick entry
        QCOMPARE(ledger.Entries[1].Account1.trimmed(), QString("E-交通"));
        QCOMPARE(ledger.Entries[3].Account2.trimmed(), QString("E-交通"));
        QCOMPARE(ledger.Entries[4].Account1.trimmed(), QString("E-交通"));
        QCOMPARE(ledger.Entries[4].Account2.trimmed(), QString("E-交通"));
        QCOMPARE(ledger.Entries[5].Account1.trimmed(), QString("E-交通.火車.自強號"));
        QCOMPARE(ledger.Entries[6].Account1.trimmed(), QString("E-交通費用"));
        QCOMPARE(ledger.DetailTexts[1], QString("E-交通") + QChar(1) + "公車票");
        QCOMPARE(ledger.DetailTexts[3], QString("E-交通費用") + QChar(1) + "油錢");
        QCOMPARE(ledger.DetailTexts[4], QString("E-交通.公車") + QChar(1) + "悠遊卡");
        QCOMPARE(ledger.QuickEntries[1].Account1, QString("E-交通"));
        QCOMPARE(ledger.QuickEntries[1].Account2, QString("E-交通"));
        QCOMPARE(ledger.QuickEntries[2].Account1, QString("E-交通費用"));
        QCOMPARE(ledger.RecurringRecords[1].Account1.trimmed(), QString("E-交通"));
        QCOMPARE(ledger.RecurringRecords[2].Account2.trimmed(), QString("E-交通.火車"));
        QVERIFY(ledger.AccountsChanged && ledger.DetailTextsChanged && ledger.QuickEntriesChanged &&
                ledger.RecurringChanged && ledger.LedgerChangedFlag.isSet());
    }

    void renameUnderOwnNameAppliesOnce() {
        // E-A to E-A.B: carried one after another, E-A.C would become E-A.B.C and then
        // E-A.B.B.C; as one mapping it becomes E-A.B.C.
        Ledger ledger;
        LedgerBuilder(ledger).account("E-A").account("E-A.C").account("E-AB");
        LedgerBuilder(ledger)
            .entry("2024/01/01", "E-A.C", "E-A", 1)
            .entry("2024/01/02", "E-AB", "E-A.C", 2);
        NameMapping mapping;
        QCOMPARE(PlanRename(ledger, 1, 4, "E-A", "B", mapping), QString());
        ApplyRename(ledger, mapping);
        QCOMPARE(names(ledger), QStringList({"E-A.B", "E-A.B.C", "E-AB"}));
        QCOMPARE(ledger.Entries[1].Account1.trimmed(), QString("E-A.B.C"));
        QCOMPARE(ledger.Entries[1].Account2.trimmed(), QString("E-A.B"));
        QCOMPARE(ledger.Entries[2].Account1.trimmed(), QString("E-AB"));
        QCOMPARE(ledger.Entries[2].Account2.trimmed(), QString("E-A.B.C"));
    }

    void renameMovesUnderAnotherParent() {
        Ledger ledger;
        AccountsFixture::build(ledger);
        LedgerBuilder(ledger).account("E-計程車").account("E-計程車.夜間");
        NameMapping mapping;
        QCOMPARE(PlanRename(ledger, indexOf(ledger, "E-計程車"), 4, "E-交通費", "計程車", mapping),
                 QString());
        ApplyRename(ledger, mapping);
        QVERIFY(indexOf(ledger, "E-交通費.計程車") > 0);
        QVERIFY(indexOf(ledger, "E-交通費.計程車.夜間") > 0);
    }

    void renameRefusalsChangeNothing_data() {
        QTest::addColumn<QString>("account");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("blanks only") << "E-交通費" << 4 << "<無>"
                                     << "  "
                                     << "科目名稱尚未輸入";
        QTest::newRow("kind") << "E-交通費" << 3 << "<無>"
                              << "交通"
                              << "不能更改科目類型!";
        QTest::newRow("dot first") << "E-交通費" << 4 << "<無>"
                                   << ".交通"
                                   << "科目名稱第一個字元不可以是 . (點)";
        QTest::newRow("outside cp950") << "E-交通費" << 4 << "<無>"
                                       << "café"
                                       << "科目名稱不可以包含軟體不支援的文字!";
        QTest::newRow("line break") << "E-交通費" << 4 << "<無>"
                                    << "交通\n費"
                                    << "科目名稱不可以包含軟體不支援的文字!";
        QTest::newRow("separator") << "E-交通費" << 4 << "<無>"
                                   << "交通\u0001"
                                   << "科目名稱不可以包含軟體不支援的文字!";
        QTest::newRow("duplicate") << "E-交通費" << 4 << "<無>"
                                   << "餐飲費"
                                   << "已有相同名稱的科目";
        QTest::newRow("onto own sub-account") << "E-交通費" << 4 << "E-交通費"
                                              << "公車"
                                              << "已有相同名稱的科目";
        // E-交通費.公車 would become E-餐飲.公車, which exists outside the branch.
        QTest::newRow("collision in the branch") << "E-交通費" << 4 << "<無>"
                                                 << "餐飲"
                                                 << "已有相同名稱的科目";
        QTest::newRow("sub-account too long")
            << "E-交通費" << 4 << "<無>" << cjk(13) << "子科目名稱超過長度上限，無法更改!";
    }
    void renameRefusalsChangeNothing() {
        QFETCH(QString, account);
        QFETCH(int, kind);
        QFETCH(QString, parent);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        Ledger ledger;
        AccountsFixture::build(ledger);
        LedgerBuilder(ledger).account("E-餐飲.公車");
        const QStringList before = AccountsFixture::picture(ledger);
        NameMapping mapping;
        QCOMPARE(PlanRename(ledger, indexOf(ledger, account), kind, parent, typed, mapping),
                 message);
        QVERIFY(mapping.empty());
        QCOMPARE(AccountsFixture::picture(ledger), before);
    }

    void renameToOwnNameOnlySetsFlags() {
        Ledger ledger;
        AccountsFixture::build(ledger);
        QStringList before = AccountsFixture::picture(ledger);
        NameMapping mapping;
        QCOMPARE(
            PlanRename(ledger, indexOf(ledger, "E-交通費.公車"), 4, "E-交通費", "公車", mapping),
            QString());
        ApplyRename(ledger, mapping);
        before.last() = "flags 11111";
        QCOMPARE(AccountsFixture::picture(ledger).join('\n'), before.join('\n'));
    }

    void deleteRemovesEntriesKeepingPartsAligned() {
        Ledger ledger;
        AccountsFixture::build(ledger);
        const int index = indexOf(ledger, "E-交通費");
        QVERIFY(AccountInUse(ledger, index));
        QVERIFY(!AccountInUse(ledger, indexOf(ledger, "E-交通費.公車")));
        const QStringList before = AccountsFixture::picture(ledger);
        DeleteAccount(ledger, index);
        const QStringList after = AccountsFixture::picture(ledger);

        // Entries 1, 3 and 4 (the one to itself) go; 2, 5 and 6 keep every part together.
        QCOMPARE(ledger.EntryCount, 4);
        QCOMPARE(after.filter(QRegularExpression("^entry ")),
                 QStringList({before.at(11 + 1), before.at(11 + 4), before.at(11 + 5)}));
        QCOMPARE(ledger.DetailTexts[1], QString("未分類") + QChar(1) + "公車票");
        QCOMPARE(ledger.DetailTexts[3], QString("E-交通費用") + QChar(1) + "油錢");
        // Sub-accounts, quick entries and recurring records keep the name; budgets stay
        // with their accounts.
        QCOMPARE(
            names(ledger),
            QStringList({"A-現金", "A-銀行", "L-信用卡", "I-薪資", "E-交通費.公車", "E-交通費.火車",
                         "E-交通費.火車.自強號", "E-交通費用", "E-餐飲費", "Equity"}));
        QCOMPARE(after.filter("E-交通費用|4|-,500,").size(), 1);
        QCOMPARE(after.filter("Equity").first().section('|', 2),
                 QString("-,-,7,-,-,-,-,-,-,-,-,-,-"));
        QCOMPARE(ledger.QuickEntries[1].Account1, QString("E-交通費"));
        QCOMPARE(ledger.RecurringRecords[1].Account1.trimmed(), QString("E-交通費"));
        QCOMPARE(after.last(), QString("flags 11001"));
    }

    void sortOrders_data() {
        QTest::addColumn<QStringList>("table");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("kinds") << QStringList{"A-銀行存款", "E-餐飲費", "Equity",
                                              "A-現金",     "L-信用卡", "I-薪資"}
                               << QStringList{"A-現金", "A-銀行存款", "L-信用卡",
                                              "I-薪資", "E-餐飲費",   "Equity"};
        QTest::newRow("levels") << QStringList{"E-AB", "E-A.x", "E-A-1", "E-A"}
                                << QStringList{"E-A", "E-A-1", "E-A.x", "E-AB"};
    }
    void sortOrders() {
        QFETCH(QStringList, table);
        QFETCH(QStringList, sorted);
        Ledger ledger;
        LedgerBuilder b(ledger);
        for (const QString& name : table)
            b.account(name).budget(name, 1, name.size());
        SortAccounts(ledger);
        QCOMPARE(names(ledger), sorted);
        for (int i = 1; i < ledger.AccountCount; ++i)
            QCOMPARE(ledger.Accounts[size_t(i)].Budget[1].value(),
                     double(ledger.Accounts[size_t(i)].Name.trimmed().size()));
        QVERIFY(ledger.AccountsChanged && ledger.LedgerChangedFlag.isSet());
    }

    void sortEqualsBubbleSort() {
        // Equal names, blanks and punctuation right after a name, full-width letters: the
        // order of exchanging neighbours while the first is greater.
        Ledger ledger;
        LedgerBuilder b(ledger);
        const QStringList table{"E-b",   "E-a",   "E-b",
                                "E-中",  "E-a.b", "E-" + QString::fromUtf16(u"\uFF21"),
                                "E-a b", "E-a!"};
        for (int i = 0; i < table.size(); ++i)
            b.account(table[i]).budget(table[i], 0, i);
        std::vector<AccountRecord> bubble(ledger.Accounts.begin() + 1,
                                          ledger.Accounts.begin() + ledger.AccountCount);
        for (size_t j = bubble.size() - 1; j >= 1; --j)
            for (size_t i = 0; i < j; ++i)
                if (bubble[i].Name.trimmed().leftJustified(32) >
                    bubble[i + 1].Name.trimmed().leftJustified(32))
                    std::swap(bubble[i], bubble[i + 1]);
        SortAccounts(ledger);
        for (size_t i = 0; i < bubble.size(); ++i) {
            QCOMPARE(ledger.Accounts[i + 1].Name.trimmed(), bubble[i].Name.trimmed());
            QCOMPARE(ledger.Accounts[i + 1].Budget[0].value(), bubble[i].Budget[0].value());
        }
    }

    void movesToKindEnds() {
        Ledger ledger;
        LedgerBuilder(ledger)
            .account("E-1")
            .account("A-1")
            .account("E-2")
            .account("L-1")
            .account("E-3")
            .account("Equity")
            .account("A-2");
        MoveAccountToKindEnd(ledger, 5, true); // E-3, the third expense account
        QCOMPARE(names(ledger), QStringList({"A-1", "A-2", "L-1", "E-3", "E-1", "E-2", "Equity"}));
        MoveAccountToKindEnd(ledger, 1, false);
        QCOMPARE(names(ledger), QStringList({"A-2", "A-1", "L-1", "E-3", "E-1", "E-2", "Equity"}));
    }

    void movesByOne() {
        Ledger ledger;
        LedgerBuilder(ledger).account("A-1").account("L-1").account("E-1").budget("L-1", 3, 9);
        QCOMPARE(MoveAccount(ledger, 2, true), 1); // the first liability above the last asset
        QCOMPARE(names(ledger), QStringList({"L-1", "A-1", "E-1"}));
        QCOMPARE(ledger.Accounts[1].Budget[3].value(), 9.0);
        // At either end nothing moves, the flags are set all the same.
        ledger.AccountsChanged = false;
        ledger.LedgerChangedFlag.clear();
        QCOMPARE(MoveAccount(ledger, 1, true), 1);
        QCOMPARE(MoveAccount(ledger, 3, false), 3);
        QCOMPARE(names(ledger), QStringList({"L-1", "A-1", "E-1"}));
        QVERIFY(ledger.AccountsChanged && ledger.LedgerChangedFlag.isSet());
    }
};

QTEST_GUILESS_MAIN(TestAccountCommands)
#include "tst_accountcommands.moc"
