// setup-tool account on a ledger folder: the commands run in one window, the boxes answered
// from the command line, the result saved in place; and its exit codes.
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "store/loadledger.h"
#include "support/accountsfixture.h"
#include "support/testenv.h"
#include "support/testfiles.h"
#include "support/toolprocess.h"

using namespace TestFiles;

namespace {

// The shared fixture written as the ledger folder Amy/Home.
QString writeFixture(TestEnv& env) {
    const QString folder = env.makeLedger("Amy", "Home");
    env.ctx.session.LedgerNames = {"Home"};
    AccountsFixture::build(env.ctx.ledger);
    return LedgerBuilder::writeFolder(env.ctx) ? folder : QString();
}

QJsonObject json(const ToolProcess& run) {
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

} // namespace

class TestSetupTool : public QObject {
    Q_OBJECT
private slots:
    void commandsRunInOneWindowAndSave() {
        TestEnv env;
        const QString folder = writeFixture(env);
        QVERIFY(!folder.isEmpty());
        const ToolProcess run =
            RunTool("setup-tool", {"account", folder, "--answer", "12.5", "rename", "E-交通費", "E",
                                   "<無>", "交通", "+", "add", "A", "<無>", "零用金", "--today",
                                   "2024/02/03", "+", "export"});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject out = json(run);
        QCOMPARE(out.value("boxes").toArray(),
                 QJsonArray({QJsonObject{{"kind", "input"},
                                         {"text", "請設定 A-零用金 科目的初始金額。"},
                                         {"default", "0"}}}));
        QCOMPARE(out.value("list").toArray().at(4).toString(), QString("E-交通"));
        QCOMPARE(out.value("selected").toInt(), 11);
        QCOMPARE(out.value("status").toString(), QString("共有 12 個科目"));
        QCOMPARE(out.value("fields").toObject(),
                 (QJsonObject{{"kind", 1}, {"parent", "<無>"}, {"name", "零用金"}}));
        QVERIFY(out.value("exportText").toString().startsWith("A-現金\r\nA-銀行\r\n"));
        QVERIFY(out.value("exportText").toString().endsWith("Equity\r\nA-零用金"));
        QCOMPARE(out.value("saved").toBool(), true);

        TestEnv reopened;
        reopened.makeLedger("Amy", "Home");
        reopened.ctx.session.DataRoot = env.ctx.session.DataRoot;
        reopened.ctx.session.LedgerNames = {"Home"};
        QVERIFY(LoadLedger(reopened.ctx));
        const Ledger& l = reopened.ctx.ledger;
        QCOMPARE(l.Entries[4].Account1.trimmed(), QString("E-交通"));
        QCOMPARE(l.RecurringRecords[1].Account1.trimmed(), QString("E-交通"));
        QCOMPARE(l.QuickEntries[1].Account2, QString("E-交通"));
        QCOMPARE(l.Entries[7].Account1.trimmed(), QString("A-零用金"));
        QCOMPARE(l.Entries[7].Amount.value(), 1250.0);
        QCOMPARE(l.Entries[7].Date.trimmed(), QString("2024/02/03"));
    }

    void exitCodes_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("box without an answer") << QStringList{"add", "L", "<無>", "房貸"} << 3;
        QTest::newRow("unknown command") << QStringList{"rename", "E-交通費"} << 2;
        QTest::newRow("unknown kind") << QStringList{"add", "X", "<無>", "x"} << 2;
        QTest::newRow("missing account") << QStringList{"delete", "E-無"} << 2;
        QTest::newRow("bad date") << QStringList{"sort", "--today", "2024/13/01"} << 2;
    }
    void exitCodes() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        TestEnv env;
        const QString folder = writeFixture(env);
        const QByteArray accounts = get(folder + "Accounts.qvd");
        const ToolProcess run = RunTool("setup-tool", QStringList{"account", folder} + args);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(get(folder + "Accounts.qvd"), accounts); // nothing saved
    }

    void unreadableLedger() {
        TestEnv env;
        const QString folder = writeFixture(env);
        QByteArray main = get(folder + "Main.qvd");
        main[74] = 9; // an unknown amount tag
        put(folder + "Main.qvd", main);
        QCOMPARE(RunTool("setup-tool", {"account", folder, "sort"}).exitCode, 1);
    }
};

QTEST_MAIN(TestSetupTool)
#include "tst_setuptool.moc"
