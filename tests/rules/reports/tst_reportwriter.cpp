// The export writer: the save dialog, the kind chosen by the file name, the page frame byte
// for byte, escaping and CSV quoting, cancel, and a failed write that keeps the old file.
#include <QTest>

#include "platform/codec.h"
#include "rules/reports/reportwriter.h"
#include "support/storeenv.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>

namespace {
// The 21 head lines of a page of title "T&<x>", width 80, heading level 3.
QByteArray expectedHead(const QByteArray& titleEscaped, const QByteArray& width,
                        const QByteArray& headingLine) {
    return "<html><head><meta http-equiv=Content-Type content=text/html; charset=big5><title>" +
           titleEscaped +
           "</title>\r\n"
           "<style type='text/css'>\r\n"
           "table {\r\n"
           "color:#222222;\r\n"
           "font-size:11pt;\r\n"
           "border:1px solid #DBDBDB;\r\n"
           "border-collapse: collapse;\r\n" +
           width +
           "\r\n"
           "}\r\n"
           "th,td {\r\n"
           "border-right:1px solid #DBDBDB;\r\n"
           "border-bottom:1px solid #DBDBDB;\r\n"
           "padding:4px;\r\n"
           "}\r\n"
           "th {\r\n"
           "background: #EFEFEF;\r\n"
           "font-weight:bold;\r\n"
           "}\r\n"
           "-->\r\n"
           "</style>\r\n" +
           headingLine + "\r\n";
}
} // namespace

class ReportWriterTest : public QObject {
    Q_OBJECT
private slots:
    void pageBytes() {
        StoreEnv env;
        env.clock.setToday(QDate(2024, 3, 10));
        const QString path = env.path(QStringLiteral("out.htm"));
        env.prompts.answerPath(path);
        ReportWriter w(env.prompts, env.clock);
        const std::optional<QString> chosen =
            w.PickExportFile(QStringLiteral("帳本_資產負債表"), ReportWriter::SaveTitle);
        QCOMPARE(chosen, std::optional<QString>(path));
        QCOMPARE(env.prompts.shown.size(), 1);
        QCOMPARE(env.prompts.shown[0].kind, QStringLiteral("saveFile"));
        QCOMPARE(env.prompts.shown[0].text, QStringLiteral("儲存檔案"));
        QCOMPARE(env.prompts.shown[0].filter,
                 QStringLiteral("網頁檔案(*.Htm)|*.htm|CSV檔案|*.csv"));
        QCOMPARE(env.prompts.shown[0].defaultText, QStringLiteral("帳本_資產負債表"));

        w.OpenReport(*chosen);
        QVERIFY(!w.isCsv());
        w.WritePageHead(QStringLiteral("a&<b>\"c"), 80, 3, QStringLiteral("標題<i>"));
        w.WriteReportLine(QStringLiteral("<table>"));
        w.WritePageRow(
            {QStringLiteral("<b>x & \"y\""), QStringLiteral("1,000"), QStringLiteral(" 5% ")});
        w.WritePageFoot(QStringLiteral("</table>"), 4);
        QVERIFY(w.CloseReport());

        const QByteArray expected =
            expectedHead(
                "a&amp;&lt;b&gt;&quot;c", "width: 80%;",
                Ansi::encode(QStringLiteral("</head><body><center><h3>標題&lt;i&gt;</h3>"))) +
            "<table>\r\n<tr>\r\n<td>&lt;b&gt;x &amp; &quot;y&quot;</td><td>1,000</td><td> 5% "
            "</td>\r\n</tr>\r\n" +
            Ansi::encode(QStringLiteral("</table><h4>2024/3/10 匯出</h4></center></body></html>")) +
            "\r\n";
        QCOMPARE(TestFiles::get(path), expected);
        QCOMPARE(env.prompts.texts(QStringLiteral("warning")), QStringList());
    }

    void wideHeadLevelOne() {
        StoreEnv env;
        const QString path = env.path(QStringLiteral("wide"));
        ReportWriter w(env.prompts, env.clock);
        w.OpenReport(path);
        w.WritePageHead(QStringLiteral("T"), 95, 1, QStringLiteral("H"));
        QVERIFY(w.CloseReport());
        QCOMPARE(TestFiles::get(path),
                 expectedHead("T", "width: 95%;", "</head><body><center><h1>H</h1>"));
    }

    // The content follows the extension of the name written; a name chosen without one gets
    // that of the type chosen in the dialog, a name with one keeps it whatever the type.
    void kind_data() {
        const QString page = QStringLiteral("網頁檔案 (*.htm)");
        const QString csv = QStringLiteral("CSV檔案 (*.csv)");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("type"); // as the dialog lists it; "" the first
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("csv");
        QTest::newRow(".CSV") << "r.CSV" << QString() << "r.CSV" << true;
        QTest::newRow(".csv") << "r.csv" << csv << "r.csv" << true;
        QTest::newRow(".cSv") << "報表.cSv" << QString() << "報表.cSv" << true;
        QTest::newRow(".csv, page type") << "r.csv" << page << "r.csv" << true;
        QTest::newRow(".htm") << "r.htm" << QString() << "r.htm" << false;
        QTest::newRow(".html") << "r.html" << csv << "r.html" << false;
        QTest::newRow(".txt, CSV type") << "r.txt" << csv << "r.txt" << false;
        QTest::newRow(".csv.htm") << "r.csv.htm" << csv << "r.csv.htm" << false;
        QTest::newRow("none, first type") << "r" << QString() << "r.htm" << false;
        QTest::newRow("none, page type") << "報表" << page << "報表.htm" << false;
        QTest::newRow("none, CSV type") << "報表" << csv << "報表.csv" << true;
        QTest::newRow("rcsv, page type") << "rcsv" << page << "rcsv.htm" << false;
    }
    void kind() {
        QFETCH(QString, name);
        QFETCH(QString, type);
        QFETCH(QString, written);
        QFETCH(bool, csv);
        StoreEnv env;
        env.prompts.answerPath(env.path(name), type);
        ReportWriter w(env.prompts, env.clock);
        const std::optional<QString> chosen =
            w.PickExportFile(QStringLiteral("x"), ReportWriter::ExportTitle);
        QCOMPARE(chosen, std::optional<QString>(env.path(written)));
        w.OpenReport(*chosen);
        QCOMPARE(w.isCsv(), csv);
        QCOMPARE(env.prompts.shown[0].text, QStringLiteral("匯出檔案"));
        w.WriteReportLine(QStringLiteral("line"));
        QVERIFY(w.CloseReport());
        QCOMPARE(QDir(env.path()).entryList(QDir::Files), QStringList{written});
    }

    void csvFields_data() {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("plain") << QStringList{"銀行", "-1200.50", "33.3%"}
                               << Ansi::encode(QStringLiteral("銀行,-1200.50,33.3%"));
        QTest::newRow("comma") << QStringList{"a,b", "1"} << QByteArray("\"a,b\",1");
        QTest::newRow("quote") << QStringList{"say \"hi\"", ""}
                               << QByteArray("\"say \"\"hi\"\"\",");
        QTest::newRow("line break")
            << QStringList{"a\r\nb", "c\nd"} << QByteArray("\"a\r\nb\",\"c\nd\"");
        QTest::newRow("markup stays") << QStringList{"<b>&"} << QByteArray("<b>&");
        QTest::newRow("stripped amount")
            << QStringList{ReportWriter::StripCommas(QStringLiteral("-1,234,567.00"))}
            << QByteArray("-1234567.00");
    }
    void csvFields() {
        QFETCH(QStringList, fields);
        QFETCH(QByteArray, line);
        StoreEnv env;
        const QString path = env.path(QStringLiteral("r.csv"));
        ReportWriter w(env.prompts, env.clock);
        w.OpenReport(path);
        w.WriteCsvRow(fields);
        QVERIFY(w.CloseReport());
        QCOMPARE(TestFiles::get(path), line + "\r\n");
    }

    void cancelWritesNothing() {
        StoreEnv env;
        const QString existing = env.path(QStringLiteral("x"));
        TestFiles::put(existing, "old");
        env.prompts.answerPath(QString());
        ReportWriter w(env.prompts, env.clock);
        QVERIFY(!w.PickExportFile(QStringLiteral("x"), ReportWriter::SaveTitle));
        QCOMPARE(TestFiles::get(existing), QByteArray("old"));
        QCOMPARE(env.prompts.shown.size(), 1); // the dialog alone, no box
    }

    void failedWriteKeepsOldFile() {
        StoreEnv env;
        // The longest name a folder holds: the old file fits, the temporary file beside it
        // (the name and a suffix) cannot be made, so the write fails before the rename.
        const QString name = QString(248, QLatin1Char('r')) + QStringLiteral(".csv");
        const QString path = env.path(name);
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            QCOMPARE(old.write("old,content\r\n"), qint64(13));
        }
        ReportWriter w(env.prompts, env.clock);
        w.OpenReport(path);
        w.WriteCsvRow({QStringLiteral("new")});
        QVERIFY(!w.CloseReport());
        QCOMPARE(TestFiles::get(path), QByteArray("old,content\r\n"));
        QCOMPARE(env.prompts.texts(QStringLiteral("warning")),
                 QStringList{QStringLiteral("匯出檔案發生錯誤!")});

        // A folder that does not exist: no file, the same warning.
        env.prompts.clear();
        w.OpenReport(env.path(QStringLiteral("missing/r.htm")));
        w.WriteReportLine(QStringLiteral("x"));
        QVERIFY(!w.CloseReport());
        QVERIFY(!QFile::exists(env.path(QStringLiteral("missing/r.htm"))));
        QCOMPARE(env.prompts.texts(QStringLiteral("warning")),
                 QStringList{QStringLiteral("匯出檔案發生錯誤!")});
    }

    void shorterReportReplacesLongerFile() {
        StoreEnv env;
        const QString path = env.path(QStringLiteral("r.csv"));
        TestFiles::put(path, QByteArray(4000, 'x'));
        ReportWriter w(env.prompts, env.clock);
        w.OpenReport(path);
        w.WriteCsvRow({QStringLiteral("a")});
        QVERIFY(w.CloseReport());
        QCOMPARE(TestFiles::get(path), QByteArray("a\r\n"));
    }
};

QTEST_MAIN(ReportWriterTest)
#include "tst_reportwriter.moc"
