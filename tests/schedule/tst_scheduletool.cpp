#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "rules/schedule/memofiles.h"
#include "support/ledgerbuilder.h"
#include "support/testenv.h"
#include "support/testfiles.h"
#include "support/toolprocess.h"

// schedule-tool on folders written by the program's own savers: what it prints and what it
// leaves on disk.
class TestScheduleTool : public QObject {
    Q_OBJECT
private slots:
    void dueThenPostThenNothingDue();
    void reminders();
    void memosAndMemoBook();
    void badArguments();
};

namespace {

QJsonDocument json(const ToolProcess& p) {
    return QJsonDocument::fromJson(p.out.toUtf8());
}

QString writeLedger(TestEnv& env) {
    const QString folder = env.makeLedger("Amy", "Home");
    LedgerBuilder b(env.ctx.ledger);
    b.account("A-現金").account("E-房租").account("Equity");
    b.recurring(1, "05", "E-房租", "A-現金", 1500050, "房租", true);
    b.recurring(3, "0", "E-不存在", "A-現金", 100, "gone");
    b.entry("2026/12/12", "E-房租", "A-現金", 700, "soon").note("n").remind(3);
    if (!LedgerBuilder::writeFolder(env.ctx)) return {};
    return folder;
}

} // namespace

void TestScheduleTool::dueThenPostThenNothingDue() {
    TestEnv env;
    const QString ledger = writeLedger(env);
    QVERIFY(!ledger.isEmpty());
    const ToolProcess due = RunTool("schedule-tool", {"due", ledger, "--today", "2026/12/10"});
    QCOMPARE(due.exitCode, 0);
    const QJsonArray rows = json(due).array();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0].toObject().value("date").toString(), QString("2026/12/05"));
    QCOMPARE(rows[0].toObject().value("record").toInt(), 1);
    QCOMPARE(rows[0].toObject().value("amount").toDouble(), 1500050.0);
    QCOMPARE(rows[0].toObject().value("detail").toString(), QString("房租"));

    const ToolProcess post = RunTool("schedule-tool", {"post", ledger, "--today", "2026/12/10"});
    QCOMPARE(post.exitCode, 0);
    const QJsonObject out = json(post).object();
    QCOMPARE(out.value("statuses").toArray(), QJsonArray({"成功", "失敗"}));
    QCOMPARE(out.value("message").toString(),
             QString("1 筆資料新增成功!\r\n1 筆資料格式出錯，新增失敗!"));
    QVERIFY(out.value("warning").isNull());
    QCOMPARE(out.value("status").toString(), QString("1 筆資料新增成功，1 筆資料新增失敗"));

    const ToolProcess again = RunTool("schedule-tool", {"due", ledger, "--today", "2026/12/10"});
    QCOMPARE(json(again).array().size(), 1); // only the refused record
}

void TestScheduleTool::reminders() {
    TestEnv env;
    const QString ledger = writeLedger(env);
    const ToolProcess p = RunTool("schedule-tool", {"reminders", ledger, "--today", "2026/12/09"});
    QCOMPARE(p.exitCode, 0);
    const QJsonArray rows = json(p).array();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].toObject().value("head").toString(), QString("(前3天提醒)"));
    QCOMPARE(rows[0].toObject().value("index").toInt(), 1);
    QCOMPARE(rows[0].toObject().value("note").toString(), QString("n"));
    const ToolProcess late =
        RunTool("schedule-tool", {"reminders", ledger, "--today", "2026/12/13"});
    QCOMPARE(json(late).array().size(), 0);
}

void TestScheduleTool::memosAndMemoBook() {
    TestEnv env;
    const QString user = env.makeUser("Amy");
    MemoBook book;
    book.addMemo({"2026/12/10", -1, 0, "today"});
    book.addFixedMemo({2, "32", 2, "month end"});
    QVERIFY(SaveMemoFile(book, user));
    QVERIFY(SaveFixedMemoFile(book, user));
    const ToolProcess p = RunTool("schedule-tool", {"memos", user, "--today", "2026/12/29"});
    QCOMPARE(p.exitCode, 0);
    const QJsonObject out = json(p).object();
    QCOMPARE(out.value("caption").toString(), QString("備忘提醒 2026/12/29 (星期二)"));
    const QJsonArray rows = out.value("rows").toArray();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].toObject().value("date").toString(), QString("每月 月底"));
    QCOMPARE(rows[0].toObject().value("type").toString(), QString("定期備忘 (前2天提醒)"));

    const QByteArray before = TestFiles::get(user + "Memo.dat");
    const ToolProcess mb = RunTool("schedule-tool", {"memobook", user});
    QCOMPARE(mb.exitCode, 0);
    QCOMPARE(json(mb).object(), QJsonObject({{"memos", 1}, {"fixed", 1}}));
    QCOMPARE(TestFiles::get(user + "Memo.dat"), before);
}

void TestScheduleTool::badArguments() {
    TestEnv env;
    QCOMPARE(RunTool("schedule-tool", {"due"}).exitCode, 2);
    QCOMPARE(RunTool("schedule-tool", {"fly", env.path()}).exitCode, 2);
    QCOMPARE(RunTool("schedule-tool", {"due", env.path(), "--today", "2026/13/01"}).exitCode, 2);
    QCOMPARE(RunTool("schedule-tool", {"due", env.path("missing")}).exitCode, 1);
}

QTEST_MAIN(TestScheduleTool)
#include "tst_scheduletool.moc"
