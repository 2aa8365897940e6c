// The journal's exports and the main list's export: exact bytes of page and CSV, the form
// chosen by the file name, cancel, and a write that fails.
#include <QDir>
#include <QTest>

#include "journal/listexport.h"
#include "journal_fixture.h"
#include "platform/codec.h"
#include "rules/journal/exportcells.h"
#include "support/testfiles.h"

namespace {

// The frame's first 21 lines, escaped title and heading given.
QByteArray pageHead(const QString& title, const QString& heading) {
    const char* const style[] = {"<style type='text/css'>",
                                 "table {",
                                 "color:#222222;",
                                 "font-size:11pt;",
                                 "border:1px solid #DBDBDB;",
                                 "border-collapse: collapse;",
                                 "width: 95%;",
                                 "}",
                                 "th,td {",
                                 "border-right:1px solid #DBDBDB;",
                                 "border-bottom:1px solid #DBDBDB;",
                                 "padding:4px;",
                                 "}",
                                 "th {",
                                 "background: #EFEFEF;",
                                 "font-weight:bold;",
                                 "}",
                                 "-->",
                                 "</style>"};
    QByteArray out =
        Ansi::encode(QStringLiteral("<html><head><meta http-equiv=Content-Type content=text/html; "
                                    "charset=big5><title>") +
                     title + QStringLiteral("</title>\r\n"));
    for (const char* line : style)
        out += QByteArray(line) + "\r\n";
    out += Ansi::encode(QStringLiteral("</head><body><center><h3>") + heading +
                        QStringLiteral("</h3>\r\n"));
    return out;
}

QByteArray lines(const QStringList& texts) {
    QByteArray out;
    for (const QString& t : texts)
        out += Ansi::encode(t) + "\r\n";
    return out;
}

// Two entries whose texts hold every character the exports treat specially.
void awkwardEntries(LedgerBuilder& b) {
    b.entry("2024/03/05", "E-餐飲費", "A-現金", 123456, " 午餐,咖啡 \"大\"")
        .note(QStringLiteral("line1\r\nline2, \"q\""))
        .invoice("AB", "12345678");
    b.entry("2024/03/06", "I-薪水", "A-銀行", 5000000, "<b>&").note(QStringLiteral("a\nb\rc"));
}

const QString journalHeader =
    QStringLiteral("<table><tr><th width=7%>日期</th><th width=15%>分類</th><th width=15%>科目</th>"
                   "<th width=7%>金額</th><th width=24%>明細</th><th width=24%>備註</th><th "
                   "width=8%>發票</th></tr>");

} // namespace

class JournalExportTest : public QObject {
    Q_OBJECT
private slots:
    void journalCsv() {
        JournalFixture f;
        awkwardEntries(f.b);
        DiaryForm& d = f.journal();
        const QString path = f.env.path(QStringLiteral("out.CSV"));
        f.env.prompts.answerPath(path);
        d.Export_All_Click();
        QCOMPARE(f.env.prompts.shown.size(), 1);
        QCOMPARE(f.env.prompts.shown[0].text, QStringLiteral("儲存檔案"));
        QCOMPARE(f.env.prompts.shown[0].defaultText, QStringLiteral("Home_2024年全部"));
        QCOMPARE(f.env.prompts.shown[0].filter,
                 QStringLiteral("網頁檔案(*.Htm)|*.htm|CSV檔案|*.csv"));
        QCOMPARE(TestFiles::get(path),
                 lines({"日期,分類,科目,金額,明細,備註,發票",
                        "2024/03/05,E-餐飲費,A-現金,1234.56, 午餐 咖啡 大,line1 line2  q,"
                        "AB12345678",
                        "2024/03/06,I-薪水,A-銀行,50000.00,<b>&,a b c,"}));
    }

    void journalCsvQuotesAccountsThatNeedIt() {
        JournalFixture f;
        f.b.account(QStringLiteral("E-a,b")).account(QStringLiteral("A-\"q\""));
        f.b.entry("2024/03/05", "E-a,b", "A-\"q\"", 100);
        DiaryForm& d = f.journal();
        const QString path = f.env.path(QStringLiteral("q.csv"));
        f.env.prompts.answerPath(path);
        d.Export_All_Click();
        QCOMPARE(TestFiles::get(path), lines({"日期,分類,科目,金額,明細,備註,發票",
                                              "2024/03/05,\"E-a,b\",\"A-\"\"q\"\"\",1.00,,,"}));
    }

    void journalPages() {
        JournalFixture f;
        f.env.clock.setToday(QDate(2024, 3, 10));
        awkwardEntries(f.b);
        f.b.entry("2024/03/07", "E-餐飲費", "A-現金", 100, "third");
        DiaryForm& d = f.journal();
        const QString rows1 = QStringLiteral(
            "<tr>\r\n<td>2024/03/05</td><td>E-餐飲費</td><td>A-現金</td><td>1,234.56</td>"
            "<td> 午餐,咖啡 &quot;大&quot;</td><td>line1\r\nline2, &quot;q&quot;</td>"
            "<td>AB12345678</td>\r\n</tr>");
        const QString rows2 = QStringLiteral(
            "<tr>\r\n<td>2024/03/06</td><td>I-薪水</td><td>A-銀行</td><td>50,000.00</td>"
            "<td>&lt;b&gt;&amp;</td><td>a\nb\rc</td><td></td>\r\n</tr>");
        const QString rows3 = QStringLiteral(
            "<tr>\r\n<td>2024/03/07</td><td>E-餐飲費</td><td>A-現金</td><td>1.00</td>"
            "<td>third</td><td></td><td></td>\r\n</tr>");

        const QString all = f.env.path(QStringLiteral("all.txt"));
        f.env.prompts.answerPath(all);
        d.Export_All_Click();
        QCOMPARE(TestFiles::get(all),
                 pageHead(QStringLiteral("Home 記錄總覽"), QStringLiteral("Home_2024年全部")) +
                     lines({journalHeader, rows1, rows2, rows3,
                            "</table><p>共 3 筆記錄，資產轉移 0.00，收入總計 50,000.00，支出總計 "
                            "1,235.56，結餘 48,764.44</p><p style='font-size:9p; color:#555'>- "
                            "2024/3/10 -</p></center></body></html>"}));

        // Selected rows only, in list order; ticks play no part; no sums paragraph.
        f.clickCheck(0, true);
        f.select({2, 1});
        const QString sel = f.env.path(QStringLiteral("sel.htm"));
        f.env.prompts.answerPath(sel);
        d.Export_Sel_Click();
        QCOMPARE(TestFiles::get(sel),
                 pageHead(QStringLiteral("Home 記錄總覽"), QStringLiteral("Home_2024年全部")) +
                     lines({journalHeader, rows2, rows3,
                            "</table><p style='font-size:9p; color:#555'>- 2024/3/10 "
                            "-</p></center></body></html>"}));
    }

    void mainListExport() {
        JournalFixture f;
        f.env.clock.setToday(QDate(2024, 3, 10));
        awkwardEntries(f.b);
        f.b.entry("2024/03/07", "E-餐飲費", "A-現金", 100, "  plain  ").note("x\r\ny");
        f.open(Periods::All, 2024);
        f.list(QStringLiteral("E-餐飲費"));
        const QString csv = f.env.path(QStringLiteral("list.csv"));
        f.env.prompts.answerPath(csv);
        f.form->File_Export->trigger();
        QCOMPARE(f.env.prompts.shown[0].text, QStringLiteral("匯出檔案"));
        QCOMPARE(f.env.prompts.shown[0].defaultText, QStringLiteral("Home_E-餐飲費_全部"));
        QCOMPARE(TestFiles::get(csv),
                 lines({"日期,類別,金額,累計,明細,備註,發票",
                        "2024/03/05,A-現金,1234.56,1234.56,\" 午餐,咖啡 \"\"大\"\"\","
                        "\"line1 line2, \"\"q\"\"\",AB12345678",
                        "2024/03/07,A-現金,1.00,1235.56,plain,x y,"}));

        const QString page = f.env.path(QStringLiteral("list.htm"));
        f.env.prompts.answerPath(page);
        f.form->File_Export_Click();
        QCOMPARE(
            TestFiles::get(page),
            pageHead(QStringLiteral("Home_E-餐飲費_全部"), QStringLiteral("Home_E-餐飲費_全部")) +
                lines({"<table><tr><th width=9%>日期</th><th width=15%>類別</th><th "
                       "width=10%>金額</th><th width=10%>累計</th><th width=24%>明細</th><th "
                       "width=23%>備註</th><th width=8%>發票</th></tr>",
                       "<tr>\r\n<td>2024/03/05</td><td>A-現金</td><td>1,234.56</td><td>1,234.56</"
                       "td><td> 午餐,咖啡 &quot;大&quot;</td><td>line1\r\nline2, "
                       "&quot;q&quot;</td><td>AB12345678</td>\r\n</tr>",
                       "<tr>\r\n<td>2024/03/07</td><td>A-現金</td><td>1.00</td><td>1,235.56</"
                       "td><td>  plain</td><td>x\r\ny</td><td></td>\r\n</tr>",
                       "</table><h4>2024/3/10 匯出</h4></center></body></html>"}));
    }

    void listExportTitle_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("period");
        QTest::addColumn<QString>("title");
        QTest::newRow("sub-account") << "E-餐飲費.早餐"
                                     << "03月"
                                     << "家用_E-餐飲費-早餐_03月";
        QTest::newRow("group node") << "資產"
                                    << "整年"
                                    << "家用_資產_整年";
        QTest::newRow("trailing blanks of the key") << "A-現金  "
                                                    << "全部"
                                                    << "家用_A-現金_全部";
    }
    void listExportTitle() {
        QFETCH(QString, key);
        QFETCH(QString, period);
        QTEST(ListExportTitle(QStringLiteral("家用"), key, period), "title");
    }

    // The form follows the extension of the name written: the name chosen, or with the
    // extension of the type chosen when it had none.
    void formByName_data() {
        const QString csvType = QStringLiteral("CSV檔案 (*.csv)");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("type"); // "" the dialog's first
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("csv");
        QTest::newRow(".CSV") << "a.CSV" << QString() << "a.CSV" << true;
        QTest::newRow("csv without dot") << "acsv" << QString() << "acsv.htm" << false;
        QTest::newRow(".txt, CSV type") << "a.txt" << csvType << "a.txt" << false;
        QTest::newRow("no extension") << "a" << QString() << "a.htm" << false;
        QTest::newRow("no extension, CSV type") << "a" << csvType << "a.csv" << true;
    }
    void formByName() {
        QFETCH(QString, name);
        QFETCH(QString, type);
        QFETCH(QString, written);
        QFETCH(bool, csv);
        JournalFixture f;
        DiaryForm& d = f.journal();
        f.env.prompts.answerPath(f.env.path(name), type);
        d.Export_Sel_Click();
        // No selection: the header alone, or a page without rows.
        const QByteArray bytes = TestFiles::get(f.env.path(written));
        QCOMPARE(bytes.startsWith(Ansi::encode(QStringLiteral("日期,分類"))), csv);
        QCOMPARE(bytes.startsWith("<html>"), !csv);
    }

    void cancelAndFailure() {
        JournalFixture f;
        f.b.entry("2024/03/05", "E-餐飲費", "A-現金", 100);
        DiaryForm& d = f.journal();
        const QString old = f.env.path(QStringLiteral("Home_2024年全部"));
        TestFiles::put(old, "old");
        f.env.prompts.answerPath(QString());
        d.Export_All_Click();
        QCOMPARE(TestFiles::get(old), QByteArray("old"));
        QCOMPARE(f.env.prompts.texts(QStringLiteral("warning")), QStringList());

        // A folder where the file should go: the write fails, the folder stays, a warning.
        const QString blocked = f.env.path(QStringLiteral("blocked.csv"));
        QVERIFY(QDir().mkpath(blocked));
        TestFiles::put(blocked + QStringLiteral("/inside"), "kept");
        f.env.prompts.answerPath(blocked);
        d.Export_All_Click();
        QCOMPARE(f.env.prompts.texts(QStringLiteral("warning")), QStringList{"匯出檔案發生錯誤!"});
        QCOMPARE(TestFiles::get(blocked + QStringLiteral("/inside")), QByteArray("kept"));

        f.env.prompts.clear();
        f.form->ListAccountRecords(1);
        f.env.prompts.answerPath(blocked);
        f.form->File_Export_Click();
        QCOMPARE(f.env.prompts.texts(QStringLiteral("warning")), QStringList{"匯出檔案發生錯誤!"});
    }
};

QTEST_MAIN(JournalExportTest)
#include "tst_journalexport.moc"
