// Runs the built ledger-tool (tests/tools/ledger-tool beside this test) on small ledgers made
// with the store itself.
#include "store/ledgerfiles.h"
#include "store/loadledger.h"
#include "store/saveledger.h"
#include "support/storeenv.h"
#include "support/testfiles.h"
#include "support/toolprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using TestFiles::get;
using TestFiles::put;

namespace {

using Run = ToolProcess;

Run tool(const QStringList& args) {
    return RunTool("ledger-tool", args);
}

QMap<QString, QByteArray> filesOf(const QString& folder) {
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        files.insert(name, get(folder + name));
    return files;
}

const QString kLongNote = QString(60, QChar(0x8A18)); // 120 bytes in cp950

// A new ledger "Test/Home" as the program seeds it (today 2024/01/15), its first entry
// given an amount, a long note, an invoice and a colour, saved.
QString makeSavedLedger(StoreEnv& env) {
    const QString folder = env.makeLedger("Test", "Home");
    env.ctx.session.LedgerNames = {"Home"};
    if (!LoadLedger(env.ctx)) return QString();
    Ledger& ledger = env.ctx.ledger;
    ledger.Entries[1].Amount = TaggedNumber::fromInt32(12345);
    ledger.setFullNote(1, kLongNote);
    ledger.EntryInvoices[1].InvoiceDigits = QString("12345678");
    ledger.EntryStyles[1].InvoiceLetters = QString("AB");
    ledger.EntryStyles[1].ColourIndex = 3;
    ledger.AccountsChanged = true;
    if (!WriteLedgerFiles(env.ctx)) return QString();
    return folder;
}

} // namespace

class TestLedgerTool : public QObject {
    Q_OBJECT

private slots:
    void formatAndParse_data();
    void formatAndParse();
    void dumpShowsTheOpenedLedger();
    void dumpOfDamagedLedgerFails();
    void roundtripWritesTheSameBytes();
    void balance();
    void packAndUnpack();
};

void TestLedgerTool::formatAndParse_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("expected");

    QTest::newRow("format grouped")
        << QStringList{"format", "-123456789", "1", "1"} << "-1,234,567.89\n";
    QTest::newRow("format whole units") << QStringList{"format", "-5", "0", "1"} << "-0\n";
    QTest::newRow("parse") << QStringList{"parse", "1,050.00", "1", "1"} << "105000\t105000\n";
}

void TestLedgerTool::formatAndParse() {
    QFETCH(QStringList, args);
    QFETCH(QString, expected);
    const Run run = tool(args);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(run.out, expected);
}

void TestLedgerTool::dumpShowsTheOpenedLedger() {
    StoreEnv env;
    const QString folder = makeSavedLedger(env);
    QVERIFY(!folder.isEmpty());

    const Run run = tool({"dump", folder});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    QCOMPARE(json.value("opened").toBool(), true);
    QCOMPARE(json.value("entryCount").toInt(), 3);
    QCOMPARE(json.value("warnings").toArray(), QJsonArray());
    const QJsonObject first = json.value("entries").toArray().at(0).toObject();
    const QJsonObject expected{{"date", "2024/01/15"},
                               {"account1", "A-現金"},
                               {"account2", "Equity"},
                               {"amount", 12345},
                               {"tag", 3},
                               {"detail", "[現金初值]"},
                               {"remindOn", 0},
                               {"remindDays", 0},
                               {"note", kLongNote},
                               {"invoiceDigits", "12345678"},
                               {"checked", 0},
                               {"invoiceLetters", "AB"},
                               {"colour", 3}};
    QCOMPARE(first, expected);
    QCOMPARE(json.value("accounts").toArray().size(), 9);
    const QJsonObject cash = json.value("accounts").toArray().at(0).toObject();
    QCOMPARE(cash.value("name").toString(), QString("A-現金"));
    QCOMPARE(cash.value("budget").toArray().size(), 13);
    QVERIFY(cash.value("budget").toArray().at(0).isNull());
    QCOMPARE(json.value("kindTotals").toArray().at(3).toObject().value("name").toString(),
             QString("支出總和"));
}

void TestLedgerTool::dumpOfDamagedLedgerFails() {
    StoreEnv env;
    const QString folder = makeSavedLedger(env);
    QByteArray main = get(folder + "Main.qvd");
    main[74] = 9; // the amount's tag of the first record: unknown
    put(folder + "Main.qvd", main);

    const Run run = tool({"dump", folder});
    QCOMPARE(run.exitCode, 1);
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    QCOMPARE(json.value("opened").toBool(true), false);
    QCOMPARE(json.value("warnings").toArray(), QJsonArray{"Main.qvd 檔案讀取失敗!"});
    QCOMPARE(get(folder + "Main.qvd"), main); // nothing written over the damaged ledger
}

void TestLedgerTool::roundtripWritesTheSameBytes() {
    StoreEnv env;
    const QString folder = makeSavedLedger(env);
    const QString copy = env.path("Copy/User/Home/");
    const Run run = tool({"roundtrip", folder, copy});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(filesOf(copy), filesOf(folder));
}

void TestLedgerTool::balance() {
    StoreEnv env;
    const QString folder = makeSavedLedger(env);
    // Without DotState.qvd the ledger shows whole units, and balances count them so.
    QCOMPARE(tool({"balance", folder, "A-現金", "20240115"}).out, QString("12300 0\n"));
    QCOMPARE(tool({"balance", folder, "A-現金", "20240116"}).out, QString("12300 12300\n"));
    QCOMPARE(tool({"balance", folder, "A-無此科目", "20240116"}).exitCode, 1);
}

void TestLedgerTool::packAndUnpack() {
    StoreEnv env;
    const QString folder = makeSavedLedger(env);
    const QString package = env.path("Test-backup.qvk");
    Run run = tool({"pack", env.ctx.session.DataRoot, "Test", package});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(env.ctx.session.DataRoot + "Test.qvk"));

    run = tool({"unpack", package, env.path("Other/"), "test"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(filesOf(env.path("Other/test/Home/")), filesOf(folder));

    run = tool({"unpack", package, env.path("Other/"), "Someone"});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.contains("這個備份資料的所屬帳號並不是 Someone，無法還原"));
    QVERIFY(!QFileInfo::exists(env.path("Other/Someone")));
}

QTEST_GUILESS_MAIN(TestLedgerTool)
#include "tst_ledgertool.moc"
