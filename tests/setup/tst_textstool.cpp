// setup-tool texts on a ledger folder: one command of the detail-text editor, what it showed,
// and Note.qvd as the save leaves it; and the tool's exit codes.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "platform/codec.h"
#include "support/ledgerbuilder.h"
#include "support/testenv.h"
#include "support/testfiles.h"
#include "support/toolprocess.h"

using namespace TestFiles;

namespace {

// Four texts of three accounts, written as the ledger folder Amy/Home.
QString writeFixture(TestEnv& env) {
    const QString folder = env.makeLedger("Amy", "Home");
    env.ctx.session.LedgerNames = {"Home"};
    LedgerBuilder(env.ctx.ledger)
        .account("A-現金")
        .account("E-餐飲費")
        .account("Equity")
        .detailText("未分類", "早餐")
        .detailText("E-餐飲費", "午餐")
        .detailText("A-現金", "提款")
        .detailText("E-餐飲費", "晚餐");
    return LedgerBuilder::writeFolder(env.ctx) ? folder : QString();
}

const QByteArray Fixture = Ansi::encode("未分類\x01早餐\r\nE-餐飲費\x01午餐\r\n"
                                        "A-現金\x01提款\r\nE-餐飲費\x01晚餐\r\n");

QJsonObject input(const QString& text) {
    return {{"kind", "input"}, {"text", text}, {"default", ""}};
}
QJsonObject warning(const QString& text) {
    return {{"kind", "warning"}, {"text", text}};
}

} // namespace

class TestTextsTool : public QObject {
    Q_OBJECT
private slots:
    void commands_data() {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("importFile"); // UTF-8 text of the file to import
        QTest::addColumn<QJsonArray>("boxes");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("noteFile"); // Note.qvd afterwards, decoded; "" unchanged

        const QString added = "未分類\x01早餐\r\nE-餐飲費\x01午餐\r\nA-現金\x01提款\r\n"
                              "E-餐飲費\x01晚餐\r\n";
        QTest::newRow("add") << QStringList{"add", "E-餐飲費", "宵夜"} << QString()
                             << QJsonArray{input("請輸入您要新增的明細內容")}
                             << QStringList{"午餐", "晚餐", "宵夜"} << "3 / 5" << 5
                             << added + "E-餐飲費\x01宵夜\r\n";
        QTest::newRow("add of an existing text")
            << QStringList{"add", "E-餐飲費", "晚餐"} << QString()
            << QJsonArray{input("請輸入您要新增的明細內容"), warning("這筆明細已經存在，無法新增!")}
            << QStringList{"午餐", "晚餐"} << "2 / 4" << 4 << QString();
        QTest::newRow("copy appends")
            << QStringList{"copy", "未分類", "早餐", "A-現金"} << QString() << QJsonArray{}
            << QStringList{"早餐"} << "1 / 5" << 5 << added + "A-現金\x01早餐\r\n";
        QTest::newRow("copy onto its own account")
            << QStringList{"copy", "E-餐飲費", "午餐", "E-餐飲費"} << QString()
            << QJsonArray{warning("來源科目與目的科目相同，請重新選擇")}
            << QStringList{"午餐", "晚餐"} << "2 / 4" << 4 << QString();
        QTest::newRow("move keeps the place")
            << QStringList{"move", "E-餐飲費", "午餐", "未分類"} << QString() << QJsonArray{}
            << QStringList{"晚餐"} << "1 / 4" << 4
            << "未分類\x01早餐\r\n未分類\x01午餐\r\nA-現金\x01提款\r\nE-餐飲費\x01晚餐\r\n";
        QTest::newRow("import, LF and CR LF")
            << QStringList{"import", "FILE"} << "A-現金 存款\nEquity 期初\r\n\r\n點心"
            << QJsonArray{} << QStringList{"早餐", "點心"} << "2 / 6" << 6
            << added + "A-現金\x01存款\r\n未分類\x01點心\r\n";
        QTest::newRow("clear then import an empty file")
            << QStringList{"import", "FILE", "--clear"} << "" << QJsonArray{} << QStringList{}
            << "0 / 0" << 0 << "";
    }
    void commands() {
        QFETCH(QStringList, command);
        QFETCH(QString, importFile);
        QFETCH(QJsonArray, boxes);
        QFETCH(QStringList, list);
        QFETCH(QString, status);
        QFETCH(int, count);
        QFETCH(QString, noteFile);
        TestEnv env;
        const QString folder = writeFixture(env);
        QVERIFY(!folder.isEmpty());
        QCOMPARE(get(folder + "Note.qvd"), Fixture);
        const QString file = env.path("paste.txt");
        put(file, importFile.toUtf8());
        command.replaceInStrings(QRegularExpression("^FILE$"), file);

        const ToolProcess run = RunTool("setup-tool", QStringList{"texts", folder} + command);
        QCOMPARE(run.exitCode, 0);
        const QJsonObject out = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(out.value("boxes").toArray(), boxes);
        QCOMPARE(out.value("list").toVariant().toStringList(), list);
        QCOMPARE(out.value("status").toString(), status);
        QCOMPARE(out.value("count").toInt(), count);
        const bool changed = !noteFile.isNull();
        QCOMPARE(out.value("saved").toBool(), changed);
        QCOMPARE(get(folder + "Note.qvd"), changed ? Ansi::encode(noteFile) : Fixture);
    }

    void exportText() {
        TestEnv env;
        const QString folder = writeFixture(env);
        const ToolProcess run =
            RunTool("setup-tool", {"texts", "--today", "2024/01/15", folder, "export"});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject out = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(out.value("text").toString(),
                 QString("早餐\r\nE-餐飲費 午餐\r\nA-現金 提款\r\nE-餐飲費 晚餐"));
        QCOMPARE(out.value("list").toVariant().toStringList(), QStringList{"早餐"});
        QCOMPARE(out.value("saved").toBool(), false);
    }

    void exitCodes_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("unknown command") << QStringList{"texts", "LEDGER", "sort"} << 2;
        QTest::newRow("missing operand") << QStringList{"texts", "LEDGER", "add", "A-現金"} << 2;
        QTest::newRow("unknown account")
            << QStringList{"texts", "LEDGER", "add", "Equity", "x"} << 2;
        QTest::newRow("text not listed")
            << QStringList{"texts", "LEDGER", "move", "A-現金", "早餐", "未分類"} << 2;
        QTest::newRow("unreadable import file")
            << QStringList{"texts", "LEDGER", "import", "/nonexistent/x.txt"} << 2;
        QTest::newRow("option without value")
            << QStringList{"texts", "LEDGER", "export", "--today"} << 2;
        QTest::newRow("no ledger folder") << QStringList{"texts", "MISSING", "export"} << 1;
    }
    void exitCodes() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        TestEnv env;
        const QString folder = writeFixture(env);
        args.replaceInStrings(QRegularExpression("^LEDGER$"), folder);
        args.replaceInStrings(QRegularExpression("^MISSING$"), env.path("DataBase/Amy/None"));
        const ToolProcess run = RunTool("setup-tool", args);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(get(folder + "Note.qvd"), Fixture);
        QVERIFY(!QFileInfo::exists(env.path("DataBase/Amy/None")));
    }
};

QTEST_MAIN(TestTextsTool)
#include "tst_textstool.moc"
