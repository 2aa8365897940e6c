// Runs the built report-tool on a small ledger folder: the statements as JSON, an export,
// and the exit codes.
#include <QTest>

#include "support/ledgerbuilder.h"
#include "support/testenv.h"
#include "support/testfiles.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {
struct Run {
    int exitCode = -1;
    QJsonObject json;
    QString out;
};

Run tool(const QStringList& args) {
    const QString program = QCoreApplication::applicationDirPath() + "/tools/report-tool";
    Run run;
    if (!QFileInfo(program).isExecutable()) return run;
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    return run;
}
} // namespace

class ReportToolTest : public QObject {
    Q_OBJECT
private slots:
    void statements() {
        TestEnv env;
        const QString folder = env.makeLedger("Amy", "Home");
        LedgerBuilder b(env.ctx.ledger);
        b.account("A-現金").account("A-銀行").account("A-銀行.活存").account("Equity");
        b.account("I-薪資").account("E-餐飲");
        b.entry("2024/01/01", "A-銀行", "Equity", 100000);
        b.entry("2024/01/02", "A-銀行.活存", "Equity", 50000);
        b.entry("2024/03/05", "E-餐飲", "A-現金", 12000);
        QVERIFY(LedgerBuilder::writeFolder(env.ctx)); // no DotState.qvd: whole units

        const QString csv = env.path("bs.csv");
        Run r = tool({"balance", folder, "20240331", "--view-add", "0", "--export", csv, "--today",
                      "2024/04/01"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.json["title"].toString(), QStringLiteral("Home_20240331資產負債表"));
        QCOMPARE(r.json["status"].toString(), QStringLiteral("財產淨值  1,380"));
        const QJsonArray assets = r.json["lists"].toArray()[0].toObject()["rows"].toArray();
        QCOMPARE(assets.size(), 5);
        QCOMPARE(assets[2].toArray()[0].toString(), QStringLiteral("銀行.活存"));
        const QJsonObject pie = r.json["pies"].toArray()[0].toObject();
        QCOMPARE(pie["label"].toString(), QStringLiteral("2024/3/31 資產狀況"));
        const QJsonObject slice = pie["slices"].toArray()[0].toObject();
        QCOMPARE(slice["label"].toString(), QStringLiteral("現金 0.0%"));
        QCOMPARE(slice["value"].toDouble(), -120.0);
        QCOMPARE(slice["colour"].toString(), QStringLiteral("#FFA0A0"));
        const QJsonObject exported = r.json["exports"].toArray()[0].toObject();
        QCOMPARE(exported["defaultName"].toString(), QStringLiteral("Home_20240331資產負債表"));
        QVERIFY(exported["warning"].isNull());
        QVERIFY(TestFiles::get(csv).startsWith("\xb8\xea\xb2\xa3,")); // 資產, in cp950

        r = tool({"income", folder, "--year", "2024", "--period", "03月", "--set", "AftState=0",
                  "--today", "2024/03/20"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.json["start"].toString(), QStringLiteral("20240301"));
        QCOMPARE(r.json["end"].toString(), QStringLiteral("20240320"));
        QCOMPARE(r.json["pickers"].toObject()["end"].toString(), QStringLiteral("2024/03/31"));
        QCOMPARE(r.json["status"].toString(), QStringLiteral("結餘  -120"));
    }

    void exitCodes() {
        QCOMPARE(tool({"balance", "/nonexistent/u/l", "20240101"}).exitCode, 1);
        QCOMPARE(tool({"balance", "/nonexistent/u/l"}).exitCode, 2);
        QCOMPARE(tool({"income", "/x", "--year", "2024"}).exitCode, 2);
        QCOMPARE(tool({"nothing"}).exitCode, 2);
        const Run share = tool({"share", "-500", "2"});
        QCOMPARE(share.exitCode, 0);
        QCOMPARE(share.out, QStringLiteral("0.0%\n"));
        QCOMPARE(tool({"share", "500", "2"}).out, QStringLiteral("25000%\n"));
        const Run step = tool({"step", "ibs", "2024", "全部", "month-up"});
        QCOMPARE(step.json["year"].toString(), QStringLiteral("2023"));
        QCOMPARE(step.json["entry"].toString(), QStringLiteral("12月"));
    }
};

QTEST_MAIN(ReportToolTest)
#include "tst_reporttool.moc"
