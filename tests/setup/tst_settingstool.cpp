// setup-tool settings on a ledger folder: options given as stored keys, controls set and
// buttons pressed as a user would; what the window stored, showed and left on disk.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "support/ledgerbuilder.h"
#include "support/testenv.h"
#include "support/testfiles.h"
#include "support/toolprocess.h"

using namespace TestFiles;

namespace {

QString writeLedger(TestEnv& env) {
    const QString folder = env.makeLedger("Amy", "Home");
    LedgerBuilder(env.ctx.ledger).account("A-現金").account("Equity");
    return LedgerBuilder::writeFolder(env.ctx) ? folder : QString();
}

struct Result {
    int exitCode = -1;
    QJsonObject out;
    QJsonObject controls() const { return out.value("controls").toObject(); }
    QJsonObject stored() const { return out.value("stored").toObject(); }
    QJsonArray boxes() const { return out.value("boxes").toArray(); }
};

Result settings(const QString& folder, const QStringList& args) {
    const ToolProcess run = RunTool("setup-tool", QStringList{"settings", folder} + args);
    return {run.exitCode, QJsonDocument::fromJson(run.out.toUtf8()).object()};
}

QJsonObject box(const QString& kind, const QString& text) {
    return {{"kind", kind}, {"text", text}};
}

} // namespace

class TestSettingsTool : public QObject {
    Q_OBJECT
private slots:
    void storedKeysOpenTheWindow() {
        TestEnv env;
        const QString folder = writeLedger(env);
        const Result r =
            settings(folder, {"--set", "AccState=01", "--set", "MainFontSize=14", "--set",
                              "AutoBackupMaxCount=12", "--set", "DayState=28"});
        QCOMPARE(r.exitCode, 0);
        const QJsonObject c = r.controls();
        QCOMPARE(c.value("Check2").toString(), QString("0"));
        QCOMPARE(c.value("Check8").toString(), QString("1"));
        QCOMPARE(c.value("Combo1").toString(), QString("14"));
        QCOMPARE(c.value("Combo2").toString(), QString("12"));
        QCOMPARE(c.value("Text2").toString(), QString("28"));
        QCOMPARE(c.value("Text1").toString(), QString("20")); // a default
        QCOMPARE(c.value("Option2").toString(), QString("1"));
        QCOMPARE(r.stored(), QJsonObject()); // nothing pressed, nothing written
        QCOMPARE(r.boxes(), QJsonArray());
        QCOMPARE(r.out.value("dotStateFile").toBool(), false);
    }

    void confirmStoresTheControls() {
        TestEnv env;
        const QString folder = writeLedger(env);
        const QString backups = env.path("backups");
        QDir().mkpath(backups);
        const Result r = settings(
            folder, {"--control", "Check1=1", "--control", "Check12=0", "--control", "Text1=50",
                     "--control", "Combo2=30", "--control", "Option1=1", "--control",
                     "Label11=" + backups, "--press", "確定", "--press", "取消"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.boxes(), QJsonArray());
        const QJsonObject s = r.stored();
        QCOMPARE(s.size(), 20);
        QCOMPARE(s.value("TrvState").toString(), QString("50"));
        QCOMPARE(s.value("AutoBackupMaxCount").toString(), QString("30"));
        QCOMPARE(s.value("MonState").toString(), QString("0"));
        QCOMPARE(s.value("AutoBackupPath").toString(), backups + "/");
        QCOMPARE(s.value("MinLockState").toString(), QString("0"));
        QCOMPARE(s.value("MainFontSize").toString(), QString("11"));
        QVERIFY(!s.contains("DotState"));
        QCOMPARE(r.out.value("dotStateFile").toBool(), true);
        QVERIFY(QFileInfo::exists(folder + "DotState.qvd"));
    }

    void refusalsStoreNothing_data() {
        QTest::addColumn<QStringList>("controls");
        QTest::addColumn<QString>("warning");
        QTest::newRow("width 9") << QStringList{"Text1=9"} << "科目欄的寬度請設定10到50間的數字";
        QTest::newRow("start day 29") << QStringList{"Text2=29"} << "月份啟始日請設定1到28間的數字";
        QTest::newRow("ticked path box, no path")
            << QStringList{"Check11=1"} << "自動備份設定的路徑不存在，請重新選擇!";
    }
    void refusalsStoreNothing() {
        QFETCH(QStringList, controls);
        QFETCH(QString, warning);
        TestEnv env;
        const QString folder = writeLedger(env);
        QStringList args;
        for (const QString& c : controls)
            args << "--control" << c;
        const Result r = settings(folder, args << "--control"
                                               << "Check1=1"
                                               << "--press"
                                               << "確定");
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.boxes(), QJsonArray{box("warning", warning)});
        QCOMPARE(r.stored(), QJsonObject());
        QCOMPARE(r.out.value("dotStateFile").toBool(), false);
    }

    void saveThenLoad() {
        TestEnv env;
        const QString folder = writeLedger(env);
        const QString file = env.path("mine.csv");
        Result r = settings(folder, {"--today", "2026/12/08", "--control", "Text1=33", "--save",
                                     file, "--press", "取消"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.boxes(), (QJsonArray{QJsonObject{{"kind", "save"},
                                                    {"text", "儲存檔案"},
                                                    {"default", "qivo_20261208"}},
                                        box("information", "儲存設定完成")}));
        const QByteArray saved = get(file);
        QCOMPARE(saved.count("\r\n"), 21);
        QVERIFY(saved.startsWith("33\r\n1\r\n"));
        QCOMPARE(r.stored(), QJsonObject());

        r = settings(folder, {"--load", file, "--press", "確定"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.boxes(),
                 (QJsonArray{QJsonObject{{"kind", "open"}, {"text", "開啟檔案"}, {"default", ""}},
                             box("information", "設定載入完成")}));
        QCOMPARE(r.controls().value("Text1").toString(), QString("33"));
        QCOMPARE(r.stored().value("TrvState").toString(), QString("33"));
    }

    void restoreDefaultsAsksFirst() {
        TestEnv env;
        const QString folder = writeLedger(env);
        Result r = settings(folder, {"--set", "YearState=0", "--set", "DblClickState=0", "--press",
                                     "還原預設值", "--answer", "yes", "--press", "取消"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.boxes(), QJsonArray{box("question", "您確定要將設定值恢復到預設值嗎？")});
        QCOMPARE(r.controls().value("Check18").toString(), QString("1"));
        QCOMPARE(r.controls().value("Check4").toString(), QString("0")); // kept
        QCOMPARE(r.stored(), QJsonObject());
        // A question without an answer ends the tool.
        r = settings(folder, {"--press", "還原預設值"});
        QCOMPARE(r.exitCode, 3);
    }

    void exitCodes_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("unknown button") << QStringList{"--press", "OK"} << 2;
        QTest::newRow("set without =") << QStringList{"--set", "TrvState"} << 2;
        QTest::newRow("unknown control") << QStringList{"--control", "Check17=1"} << 2;
        QTest::newRow("no such entry") << QStringList{"--control", "Combo1=99"} << 2;
        QTest::newRow("option without value") << QStringList{"--load"} << 2;
        QTest::newRow("bad date") << QStringList{"--today", "2026/13/01"} << 2;
    }
    void exitCodes() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        TestEnv env;
        const QString folder = writeLedger(env);
        QCOMPARE(settings(folder, args).exitCode, exitCode);
        QCOMPARE(settings(env.path("DataBase/Amy/None"), {}).exitCode, 1);
    }
};

QTEST_MAIN(TestSettingsTool)
#include "tst_settingstool.moc"
