// online-tool as a process against a scripted server on 127.0.0.1: the requests as they
// arrive, the replies, the imports, the lottery and the paper-invoice list.
#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "platform/codec.h"
#include "store/amounts.h"
#include "store/loadledger.h"
#include "support/fakeserver.h"
#include "support/ledgerbuilder.h"
#include "support/testenv.h"
#include "support/testfiles.h"
#include "support/toolprocess.h"

class TestOnlineTool : public QObject {
    Q_OBJECT
private slots:
    void requests_data();
    void requests();
    void downloadReplies_data();
    void downloadReplies();
    void clearReplies_data();
    void clearReplies();
    void winningNumbers_data();
    void winningNumbers();
    void imports_data();
    void imports();
    void lottery_data();
    void lottery();
    void periods_data();
    void periods();
    void expiredInvoices_data();
    void expiredInvoices();
    void postSavesTheLedger();
    void loginRoundTrip_data();
    void loginRoundTrip();
    void paynumWriteFailure();
    void badArguments_data();
    void badArguments();
};

namespace {

using Rows = QList<QStringList>;

QByteArray ansi(const QString& text) {
    return Ansi::encode(text);
}

QJsonObject run(const QStringList& args, int exitCode = 0) {
    const ToolProcess p = RunTool("online-tool", args);
    if (p.exitCode != exitCode)
        qWarning("online-tool %s: exit %d\n%s", qPrintable(args.join(' ')), p.exitCode,
                 qPrintable(p.err));
    [&] { QCOMPARE(p.exitCode, exitCode); }();
    return QJsonDocument::fromJson(p.out.toUtf8()).object();
}

Rows rowsOf(const QJsonValue& value) {
    Rows rows;
    for (const QJsonValue& row : value.toArray()) {
        QStringList cells;
        for (const QJsonValue& cell : row.toArray())
            cells << cell.toString();
        rows << cells;
    }
    return rows;
}

// null for a JSON null, else the text.
QString textOf(const QJsonValue& value) {
    return value.isNull() ? QStringLiteral("null") : value.toString();
}

const QString Today = QStringLiteral("2026/01/15");

// Scripts the server for a table row's reply ("<refused>": the server is closed;
// "<timeout>": the request is left unanswered) and gives the --timeout-ms to use: only the
// time-out case gets a short limit, as a loaded machine may answer slowly.
QString serve(FakeServer& server, const QByteArray& body) {
    if (body == "<refused>")
        server.close();
    else if (body != "<timeout>")
        server.respond(body);
    return body == "<timeout>" ? QStringLiteral("400") : QStringLiteral("20000");
}

} // namespace

void TestOnlineTool::requests_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("query"); // empty: nothing may be sent
    QTest::newRow("plain") << "amy"
                           << "pw" << QByteArray("user=amy&pass=pw");
    QTest::newRow("trimmed") << " amy "
                             << " pw  " << QByteArray("user=amy&pass=pw");
    QTest::newRow("chinese") << "中文"
                             << "x" << QByteArray("user=%A4%A4%A4%E5&pass=x");
    QTest::newRow("reserved") << "a b"
                              << "a&b#c" << QByteArray("user=a%20b&pass=a%26b%23c");
    QTest::newRow("plus equals percent") << "+="
                                         << "%41" << QByteArray("user=%2B%3D&pass=%2541");
    // A box of blanks is filled: it goes out trimmed, as empty text.
    QTest::newRow("blank name") << "  "
                                << "pw" << QByteArray("user=&pass=pw");
    QTest::newRow("empty name") << ""
                                << "pw" << QByteArray();
    QTest::newRow("empty password") << "amy"
                                    << "" << QByteArray();
}

// The download and the clear send the same trimmed, encoded login; an empty box sends
// nothing and asks for the login.
void TestOnlineTool::requests() {
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QByteArray, query);
    FakeServer server;
    server.respond("Stop");
    server.respond("Done");
    const QJsonObject down = run({"download", server.hostPort(), name, password, "--today", Today});
    const QJsonObject clear = run({"clear", server.hostPort(), name, password});
    if (query.isEmpty()) {
        QVERIFY(server.requests().isEmpty());
        for (const QJsonObject& out : {down, clear}) {
            QVERIFY(out.value("url").isNull());
            QCOMPARE(out.value("warning").toString(), QStringLiteral("請先輸入帳號密碼!"));
        }
        QVERIFY(clear.value("info").isNull());
        return;
    }
    const QList<QByteArray> sent = server.requests();
    QCOMPARE(sent.size(), 2);
    QCOMPARE(sent.at(0), "GET /zel/zel2_qivo_getdata2.php?" + query + " HTTP/1.1");
    QCOMPARE(sent.at(1), "GET /zel/zel2_clear.php?" + query + " HTTP/1.1");
    QCOMPARE(down.value("url").toString(), server.base() + "/zel/zel2_qivo_getdata2.php?" + query);
    QCOMPARE(clear.value("url").toString(), server.base() + "/zel/zel2_clear.php?" + query);
    QCOMPARE(clear.value("info").toString(), QStringLiteral("線上資料刪除完成!"));
}

void TestOnlineTool::downloadReplies_data() {
    QTest::addColumn<QByteArray>("body"); // "<timeout>" or "<refused>" for no answer
    QTest::addColumn<QString>("warning"); // "null" for none
    QTest::addColumn<QString>("status");
    QTest::addColumn<Rows>("rows");
    const QByteArray seven = ansi("2024/01/05\nE-餐飲費\nA-現金\n120\n  午餐\n備註\n AB12345678 ");
    const QStringList first = {"2024/01/05", "E-餐飲費", "A-現金",    "120",
                               "  午餐",     "備註",     "AB12345678"};
    QByteArray crlf = seven + "\n";
    crlf.replace("\n", "\r\n");
    const QString refused = "帳號密碼錯誤，無法連線!";
    const QString noData = "沒有資料可以下載!";
    QTest::newRow("error") << QByteArray("Error") << refused << "" << Rows{};
    QTest::newRow("error crlf") << QByteArray("Error\r\n") << refused << "" << Rows{};
    // One line without a final LF starts no record: the last line never does.
    QTest::newRow("error lower") << QByteArray("error") << "null"
                                 << "共 0 筆資料" << Rows{};
    QTest::newRow("error lower lf") << QByteArray("error\n") << "null"
                                    << "共 1 筆資料" << Rows{{"error", "", "", "", "", "", ""}};
    QTest::newRow("stop") << QByteArray("Stop\n") << "網路記帳服務暫停中.."
                          << "" << Rows{};
    QTest::newRow("empty") << QByteArray() << noData << "" << Rows{};
    QTest::newRow("time-out") << QByteArray("<timeout>") << "連線失敗!"
                              << "" << Rows{};
    QTest::newRow("refused") << QByteArray("<refused>") << noData << "" << Rows{};
    QTest::newRow("seven") << seven << "null"
                           << "共 1 筆資料" << Rows{first};
    QTest::newRow("seven lf") << seven + "\n"
                              << "null"
                              << "共 1 筆資料" << Rows{first};
    QTest::newRow("seven crlf") << crlf << "null"
                                << "共 1 筆資料" << Rows{first};
    QTest::newRow("eight") << seven + "\nextra"
                           << "null"
                           << "共 1 筆資料" << Rows{first};
    QTest::newRow("nine") << seven + ansi("\n2024/01/06\nE-雜項") << "null"
                          << "共 2 筆資料"
                          << Rows{first, {"2024/01/06", "E-雜項", "", "", "", "", ""}};
    QTest::newRow("entities") << QByteArray("&amp;d\n&gt;&lt;\n&amp;quot;\n&amp;lt;\na&quot;b\n"
                                            "&amp;amp;\n&amp;1 \n")
                              << "null"
                              << "共 1 筆資料"
                              << Rows{{"&amp;d", "><", "&quot;", "&lt;", "a\"b", "&amp;", "&1"}};
}

void TestOnlineTool::downloadReplies() {
    QFETCH(QByteArray, body);
    QFETCH(QString, warning);
    QFETCH(QString, status);
    QFETCH(Rows, rows);
    FakeServer server;
    const QString limit = serve(server, body);
    const QJsonObject out =
        run({"download", server.hostPort(), "amy", "pw", "--timeout-ms", limit});
    QCOMPARE(textOf(out.value("warning")), warning);
    QCOMPARE(out.value("status").toString(), status);
    QCOMPARE(rowsOf(out.value("rows")), rows);
    QVERIFY(out.value("url").toString().startsWith(server.base()));
}

void TestOnlineTool::clearReplies_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("info");
    const QString done = "線上資料刪除完成!";
    const QString refused = "帳號密碼錯誤，無法連線!";
    QTest::newRow("done") << QByteArray("Done") << "null" << done;
    QTest::newRow("done lf") << QByteArray("Done\n") << "null" << done;
    QTest::newRow("done crlf") << QByteArray("Done\r\n") << "null" << done;
    QTest::newRow("error") << QByteArray("Error") << refused << "null";
    QTest::newRow("error crlf") << QByteArray("Error\r\n") << refused << "null";
    QTest::newRow("two lines") << QByteArray("Done\nDone") << "null"
                               << "null";
    QTest::newRow("empty") << QByteArray() << "null"
                           << "null";
    QTest::newRow("time-out") << QByteArray("<timeout>") << "連線失敗!"
                              << "null";
    QTest::newRow("refused") << QByteArray("<refused>") << "null"
                             << "null";
}

void TestOnlineTool::clearReplies() {
    QFETCH(QByteArray, body);
    QFETCH(QString, warning);
    QFETCH(QString, info);
    FakeServer server;
    const QString limit = serve(server, body);
    const QJsonObject out = run({"clear", server.hostPort(), "amy", "pw", "--timeout-ms", limit});
    QCOMPARE(textOf(out.value("warning")), warning);
    QCOMPARE(textOf(out.value("info")), info);
}

void TestOnlineTool::winningNumbers_data() {
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("period");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QString>("message"); // "warning: ..." or "plain: ..." or ""
    QTest::addColumn<QStringList>("boxes");
    const QStringList none(13, QString());
    QStringList three = none;
    three[0] = "11112222";
    three[1] = "33334444";
    three[2] = "555";
    QStringList all;
    QByteArray full = "Qivo\r\n";
    for (int i = 0; i < 13; ++i) {
        all << QString::number(10000000 + i);
        full += " " + all.last().toLatin1() + " \r\n";
    }
    QTest::newRow("three lines") << "99" << 0 << QByteArray("Qivo\n11112222\n 33334444 \n555")
                                 << QByteArray("/qivo/99-01-02.txt") << "" << three;
    QTest::newRow("crlf, fourteen lines") << " 114 " << 5 << full + "ignored\r\n"
                                          << QByteArray("/qivo/114-11-12.txt") << "" << all;
    QTest::newRow("not qivo") << "115" << 2 << QByteArray("Qivo2\n1\n2")
                              << QByteArray("/qivo/115-05-06.txt")
                              << "plain: 目前線上沒有這個月份的中獎號碼" << none;
    QTest::newRow("empty") << "abc" << 1 << QByteArray() << QByteArray("/qivo/115-03-04.txt")
                           << "warning: 沒有資料可以下載!" << none;
    QTest::newRow("time-out") << "115" << 1 << QByteArray("<timeout>")
                              << QByteArray("/qivo/115-03-04.txt") << "warning: 連線失敗!" << none;
    // A year typed with leading zeros is a year; the path carries it as typed.
    QTest::newRow("leading zeros") << "00099" << 0 << QByteArray("Qivo\n11112222\n 33334444 \n555")
                                   << QByteArray("/qivo/00099-01-02.txt") << "" << three;
    QTest::newRow("year too large")
        << "8089" << 1 << QByteArray("Qivo") << QByteArray("/qivo/115-03-04.txt") << "" << none;
}

void TestOnlineTool::winningNumbers() {
    QFETCH(QString, year);
    QFETCH(int, period);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, path);
    QFETCH(QString, message);
    QFETCH(QStringList, boxes);
    FakeServer server;
    const QString limit = serve(server, body);
    const QJsonObject out = run({"numbers", server.hostPort(), year, QString::number(period),
                                 "--today", "2026/05/02", "--timeout-ms", limit});
    QCOMPARE(server.requests(), QList<QByteArray>{"GET " + path + " HTTP/1.1"});
    QCOMPARE(out.value("url").toString(), server.base() + path);
    QString shown;
    if (!out.value("warning").isNull()) shown = "warning: " + out.value("warning").toString();
    if (!out.value("plain").isNull()) shown = "plain: " + out.value("plain").toString();
    QCOMPARE(shown, message);
    QStringList got;
    for (const QJsonValue& b : out.value("boxes").toArray())
        got << b.toString();
    QCOMPARE(got, boxes);
}

void TestOnlineTool::imports_data() {
    QTest::addColumn<QString>("verb");
    QTest::addColumn<QByteArray>("bytes"); // "<missing>": no such file
    QTest::addColumn<Rows>("rows");
    const QStringList lunch = {"2024/01/05", "E-餐飲費", "A-現金", "120", "午餐", "", "AB12345678"};
    const QStringList bus = {"2024/01/06", "E-交通", "A-現金", "15", "公車", "n", ""};
    const QByteArray a = ansi("2024/1/5,E-餐飲費,A-現金,120,午餐,,AB12345678");
    const QByteArray b = ansi("2024/01/06,E-交通,A-現金,15,公車,n");
    QTest::newRow("crlf") << "import" << a + "\r\n" + b + "\r\n" << Rows{lunch, bus};
    QTest::newRow("cr") << "import" << a + "\r" + b << Rows{lunch, bus};
    QTest::newRow("lf") << "import" << a + "\n\n" + b + "\n" << Rows{lunch, bus};
    QTest::newRow("quoted")
        << "import"
        << ansi("日期,分類,科目,金額,明細,備註,發票\r\n2024/01/05,E-餐飲費,A-現金,\"1,234\","
                "\"a,\"\"b\"\"\",x\"y,&amp;lt;,extra\r\n")
        << Rows{{"日期", "分類", "科目", "金額", "明細", "備註", "發票"},
                {"2024/01/05", "E-餐飲費", "A-現金", "1,234", "a,\"b\"", "x\"y", "&lt;"}};
    QTest::newRow("tavrix bom crlf")
        << "import-tavrix"
        << QByteArray("\xEF\xBB\xBF") + "日期,分類\r\n2024/1/5,E-餐飲費,A-現金,120,午餐,,"
                                        "AB12345678\r\n2024/01/06,E-交通,A-現金,15,公車,n\r\n"
        << Rows{lunch, bus};
    QTest::newRow("tavrix lf only header")
        << "import-tavrix" << QByteArray("2024/01/06,E-x\n") << Rows{};
    QTest::newRow("missing") << "import" << QByteArray("<missing>") << Rows{};
}

void TestOnlineTool::imports() {
    QFETCH(QString, verb);
    QFETCH(QByteArray, bytes);
    QFETCH(Rows, rows);
    QTemporaryDir dir;
    const QString file = dir.filePath("in.csv");
    if (bytes != "<missing>") TestFiles::put(file, bytes);
    const QJsonObject out = run({verb, file});
    QCOMPARE(rowsOf(out.value("rows")), rows);
    QCOMPARE(out.value("status").toString(), QStringLiteral("共 %1 筆資料").arg(rows.size()));
}

void TestOnlineTool::lottery_data() {
    QTest::addColumn<QByteArray>("winning");
    QTest::addColumn<QString>("invoices");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QString>("status");
    // Special, four grand, eight first prizes.
    const QByteArray table = "Qivo\n11111111\n22222222\n\n\n\n12345678\n 345 \n12a45678\n";
    const QString none = "很遺憾，沒有中獎的發票";
    QTest::newRow("prize table")
        << table
        << "2025/11/02,AB12345678\n2025/11/01,92345678\n2025/11/03,00345678\n"
           "2025/11/04,00045678\n2025/11/05,00005678\n2025/11/06,99999678\n"
           "2025/11/07,12345670\n2025/11/08,CD11111111\n2025/11/09,22222222\n"
           "2025/11/10,00000345\n"
        << QStringList{}
        << Rows{{"2025/11/01", "92345678", "二獎", "40,000"},
                {"2025/11/02", "AB12345678", "頭獎", "200,000"},
                {"2025/11/03", "00345678", "三獎", "10,000"},
                {"2025/11/04", "00045678", "四獎", "4,000"},
                {"2025/11/05", "00005678", "五獎", "1,000"},
                {"2025/11/06", "99999678", "六獎", "200"},
                {"2025/11/07", "12345670", "", ""},
                {"2025/11/08", "CD11111111", "特別獎", "10,000,000"},
                {"2025/11/09", "22222222", "特獎", "2,000,000"},
                {"2025/11/10", "00000345", "六獎", "200"}}
        << "恭喜中獎，共有 9 張發票中獎，總獎金 12,255,400.00 元";
    // A later first-prize box with a lower level never replaces a higher prize, nor does a
    // first prize replace the special prize.
    QTest::newRow("higher prize wins") << QByteArray("Qivo\n12345678\n\n\n\n\n12345678\n99999678\n")
                                       << "2026/01/01,12345678\n2026/01/02,00000678\n"
                                       << QStringList{}
                                       << Rows{{"2026/01/01", "12345678", "特別獎", "10,000,000"},
                                               {"2026/01/02", "00000678", "六獎", "200"}}
                                       << "恭喜中獎，共有 2 張發票中獎，總獎金 10,000,200.00 元";
    // A short number wins only levels it is long enough for, never 頭獎 or 特別獎.
    QTest::newRow("short numbers") << QByteArray("Qivo\n678\n\n\n\n\n5678\n")
                                   << "2026/01/01,678\n2026/01/02,5678\n2026/01/03,45678\n"
                                   << QStringList{}
                                   << Rows{{"2026/01/01", "678", "六獎", "200"},
                                           {"2026/01/02", "5678", "五獎", "1,000"},
                                           {"2026/01/03", "45678", "五獎", "1,000"}}
                                   << "恭喜中獎，共有 3 張發票中獎，總獎金 2,200.00 元";
    QTest::newRow("duplicates, no decimals")
        << QByteArray("Qivo\n\n\n\n\n\n99999678\n99995678\n")
        << "2026/01/03,22225678\n2026/01/01,11110678\n2026/01/01,11110678\n"
        << QStringList{"--dot-state", "0"}
        << Rows{{"2026/01/01", "11110678", "六獎", "200"},
                {"2026/01/03", "22225678", "五獎", "1,000"}}
        << "恭喜中獎，共有 2 張發票中獎，總獎金 1,200 元";
    QTest::newRow("no grouping") << QByteArray("Qivo\n\n\n\n\n\n99999678\n99995678\n")
                                 << "2026/01/01,11110678\n2026/01/03,22225678\n"
                                 << QStringList{"--money-state", "0", "--dot-state", "0"}
                                 << Rows{{"2026/01/01", "11110678", "六獎", "200"},
                                         {"2026/01/03", "22225678", "五獎", "1,000"}}
                                 << "恭喜中獎，共有 2 張發票中獎，總獎金 1200 元";
    QTest::newRow("refused reply")
        << QByteArray("Nothing\n12345678") << "2026/01/01,12345678\n"
        << QStringList{} << Rows{{"2026/01/01", "12345678", "", ""}} << none;
    QTest::newRow("no invoices") << table << "" << QStringList{} << Rows{} << none;
}

void TestOnlineTool::lottery() {
    QFETCH(QByteArray, winning);
    QFETCH(QString, invoices);
    QFETCH(QStringList, options);
    QFETCH(Rows, rows);
    QFETCH(QString, status);
    QTemporaryDir dir;
    TestFiles::put(dir.filePath("win.txt"), ansi(QString::fromUtf8(winning)));
    TestFiles::put(dir.filePath("inv.txt"), invoices.toUtf8());
    const QJsonObject out =
        run(QStringList{"lottery", dir.filePath("win.txt"), dir.filePath("inv.txt")} + options);
    QCOMPARE(rowsOf(out.value("rows")), rows);
    QCOMPARE(out.value("status").toString(), status);
    QCOMPARE(out.value("plain").isNull(), winning.startsWith("Qivo\n"));
}

void TestOnlineTool::periods_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("expected"); // year, period, start, end, path
    QTest::newRow("january") << QStringList{"--today", "2026/01/15"}
                             << QStringList{"114", "11-12月", "2025/11/01", "2025/12/31",
                                            "/qivo/114-11-12.txt"};
    QTest::newRow("march") << QStringList{"--today", "2026/03/31"}
                           << QStringList{"115", "01-02月", "2026/01/01", "2026/02/28",
                                          "/qivo/115-01-02.txt"};
    QTest::newRow("december") << QStringList{"--today", "2026/12/01"}
                              << QStringList{"115", "09-10月", "2026/09/01", "2026/10/31",
                                             "/qivo/115-09-10.txt"};
    QTest::newRow("99 11-12") << QStringList{"99", "5"}
                              << QStringList{"99", "11-12月", "2010/11/01", "2010/12/31",
                                             "/qivo/99-11-12.txt"};
    QTest::newRow("99 with leading zeros")
        << QStringList{"00099", "5"}
        << QStringList{"00099", "11-12月", "2010/11/01", "2010/12/31", "/qivo/00099-11-12.txt"};
    QTest::newRow("leap february")
        << QStringList{"113", "0"}
        << QStringList{"113", "01-02月", "2024/01/01", "2024/02/29", "/qivo/113-01-02.txt"};
    QTest::newRow("not a year") << QStringList{"1e2", "1", "--today", "2026/05/02"}
                                << QStringList{"115", "03-04月", "2026/03/01", "2026/04/30",
                                               "/qivo/115-03-04.txt"};
    QTest::newRow("last year") << QStringList{"8088", "5"}
                               << QStringList{"8088", "11-12月", "9999/11/01", "9999/12/31",
                                              "/qivo/8088-11-12.txt"};
}

void TestOnlineTool::periods() {
    QFETCH(QStringList, args);
    QFETCH(QStringList, expected);
    const QJsonObject out = run(QStringList{"period"} + args);
    QCOMPARE((QStringList{out.value("year").toString(), out.value("period").toString(),
                          out.value("start").toString(), out.value("end").toString(),
                          out.value("path").toString()}),
             expected);
}

void TestOnlineTool::expiredInvoices_data() {
    QTest::addColumn<QString>("today");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QByteArray>("left");
    const QByteArray file = "\"2010/02/28\",\"AB12345678\"\r\n\"2010/03/01\",\"12345678\"\r\n"
                            "\"2010/10/31\",\"22222222\"\r\n\"2010/11/01\",\"33333333\"\r\n";
    QTest::newRow("january") << "2011/01/10"
                             << "將刪除99年11月之前的發票，確定嗎？"
                             << QByteArray("\"2010/11/01\",\"33333333\"\r\n");
    QTest::newRow("may") << "2010/05/31"
                         << "將刪除99年3月之前的發票，確定嗎？"
                         << file.mid(file.indexOf("\"2010/03/01\""));
}

// The list as the lottery window loads it; 刪除過期發票 answered Yes and the close stores
// what is left.
void TestOnlineTool::expiredInvoices() {
    QFETCH(QString, today);
    QFETCH(QString, question);
    QFETCH(QByteArray, left);
    QTemporaryDir dir;
    const QString user = dir.filePath("Amy");
    // The last date has no number: it is dropped.
    TestFiles::put(user + "/Paynum.dat",
                   "\"2010/02/28\",\"AB12345678\"\r\n\"2010/03/01\",\"12345678\"\r\n"
                   "\"2010/10/31\",\"22222222\"\r\n\"2010/11/01\",\"33333333\"\r\n\"2010/12/01\"");
    const QJsonObject loaded = run({"paynum", user});
    QCOMPARE(rowsOf(loaded.value("rows")).size(), 4);
    QCOMPARE(rowsOf(loaded.value("rows")).first(), (QStringList{"2010/02/28", "AB12345678"}));

    const QJsonObject out = run({"paynum", user, "--expire", "--today", today});
    QCOMPARE(out.value("question").toString(), question);
    QCOMPARE(TestFiles::get(user + "/Paynum.dat"), left);
    QCOMPARE(rowsOf(out.value("rows")).size(), left.count("\r\n"));
    QCOMPARE(rowsOf(run({"paynum", user}).value("rows")), rowsOf(out.value("rows")));
}

// Rows staged as an import and all ticked: each is posted or refused, accounts are created
// by prefix, and the ledger on disk holds what was posted.
void TestOnlineTool::postSavesTheLedger() {
    TestEnv env;
    const QString folder = env.makeLedger("Amy", "Home");
    LedgerBuilder(env.ctx.ledger).account("A-現金").account("E-餐飲費").account("Equity");
    QVERIFY(LedgerBuilder::writeFolder(env.ctx));
    const QString rows =
        QStringLiteral(R"([["2024/1/5","E-餐飲費","A-現金","12.345","午餐","","AB12345678"],)"
                       R"(["2024/01/06","E-交通費 ","A-悠遊卡\r","-50","公車","n","123456789"],)"
                       R"(["2024/01/07","E-餐飲費","A-現金","1,234","晚餐","","12345678"],)"
                       R"(["日期","分類","科目","金額","明細","備註","發票"],)"
                       R"(["2024/01/08","I-薪資","E-餐飲費","5","x","",""]])");
    const QJsonObject out = run({"post", folder, rows});
    QCOMPARE(out.value("statuses").toArray(), QJsonArray({"成功", "成功", "成功", "失敗", "失敗"}));
    QCOMPARE(out.value("message").toString(),
             QStringLiteral("3 筆資料加入成功!\r\n2 筆資料格式出錯，無法加入帳本!"));
    QVERIFY(out.value("warning").isNull());
    QCOMPARE(out.value("status").toString(),
             QStringLiteral("3 筆資料加入成功 ，2 筆資料格式出錯，無法加入帳本"));

    env.ctx.ledger.clear();
    QVERIFY(LoadLedger(env.ctx));
    const Ledger& l = env.ctx.ledger;
    QCOMPARE(l.EntryCount, 4);
    QCOMPARE(l.Entries[1].Amount.value(), 1234.0);
    QCOMPARE(l.Entries[2].Amount.value(), -5000.0);
    QCOMPARE(l.Entries[3].Amount.value(), 123400.0);
    QCOMPARE(l.Entries[1].Date.text(), QStringLiteral("2024/01/05"));
    QCOMPARE(l.EntryStyles[1].InvoiceLetters.text(), QStringLiteral("AB"));
    QCOMPARE(l.EntryInvoices[2].InvoiceDigits.text(), QStringLiteral("12345678"));
    // Created as they are stored: the trailing blank and the CR are gone.
    QVERIFY(FindAccountIndex(l, "E-交通費") != 0);
    QVERIFY(FindAccountIndex(l, "A-悠遊卡") != 0);
    QCOMPARE(l.Entries[2].Account1.trimmed(), QStringLiteral("E-交通費"));

    QCOMPARE(run({"post", folder, "[]"}).value("statuses").toArray(), QJsonArray());
    QCOMPARE(RunTool("online-tool", {"post", env.path("nowhere"), "[]"}).exitCode, 1);
}

void TestOnlineTool::loginRoundTrip_data() {
    QTest::addColumn<QStringList>("login"); // NAME PASSWORD, or nothing
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("comma and chinese") << QStringList{"王,小明", "ab中"} << true << "王,小明"
                                       << "ab中" << ansi("王,小明") + "\r\n00610062A4A4\r\n";
    QTest::newRow("blanks kept") << QStringList{" amy ", " p&w "} << true << " amy "
                                 << " p&w " << QByteArray(" amy \r\n00200070002600770020\r\n");
    QTest::newRow("empty password") << QStringList{"amy", ""} << false << ""
                                    << "" << QByteArray("<missing>");
    QTest::newRow("nothing typed") << QStringList{} << false << ""
                                   << "" << QByteArray("<missing>");
}

// Stored as the download window's close does with the box ticked, read as its load does; a
// login left incomplete removes the remembered one.
void TestOnlineTool::loginRoundTrip() {
    QFETCH(QStringList, login);
    QFETCH(bool, exists);
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString user = dir.filePath("Amy");
    TestFiles::put(user + "/Download.dat", "old\r\n0061\r\n");
    const QJsonObject out = run(QStringList{"login", user} + login);
    QCOMPARE(out.value("exists").toBool(), exists);
    QCOMPARE(out.value("name").toString(), name);
    QCOMPARE(out.value("password").toString(), password);
    QCOMPARE(TestFiles::get(user + "/Download.dat"), bytes);
    if (exists)
        QCOMPARE(QFile::permissions(user + "/Download.dat") &
                     (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
                 QFile::Permissions());
}

// A list that cannot be stored is reported and fails the run; nothing else is touched.
void TestOnlineTool::paynumWriteFailure() {
    QTemporaryDir dir;
    const QString user = dir.filePath("Amy");
    QVERIFY(QDir().mkpath(user + "/Paynum.dat")); // a folder where the file should be
    const ToolProcess p = RunTool("online-tool", {"paynum", user, "--expire"});
    QCOMPARE(p.exitCode, 1);
    const QJsonObject out = QJsonDocument::fromJson(p.out.toUtf8()).object();
    QCOMPARE(out.value("warning").toString(), QStringLiteral("發票清單儲存失敗"));
    QVERIFY(QFileInfo(user + "/Paynum.dat").isDir());
    QCOMPARE(RunTool("online-tool", {"paynum", dir.filePath("Nobody")}).exitCode, 1);
}

void TestOnlineTool::badArguments_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no verb") << QStringList{};
    QTest::newRow("unknown verb") << QStringList{"fetch"};
    QTest::newRow("host without port") << QStringList{"download", "127.0.0.1", "a", "b"};
    QTest::newRow("port zero") << QStringList{"clear", "127.0.0.1:0", "a", "b"};
    QTest::newRow("missing password") << QStringList{"download", "127.0.0.1:80", "a"};
    QTest::newRow("bad time-out") << QStringList{"download", "127.0.0.1:80", "a",
                                                 "b",        "--timeout-ms", "soon"};
    QTest::newRow("bad today") << QStringList{"period", "--today", "tomorrow"};
    QTest::newRow("today without value") << QStringList{"period", "--today"};
    QTest::newRow("period index") << QStringList{"period", "99", "6"};
    QTest::newRow("period year only") << QStringList{"period", "99"};
    QTest::newRow("numbers period") << QStringList{"numbers", "127.0.0.1:80", "99", "x"};
    QTest::newRow("dot state") << QStringList{"lottery", "a", "b", "--dot-state", "2"};
    QTest::newRow("lottery missing files")
        << QStringList{"lottery", "/nonexistent/a", "/nonexistent/b"};
    QTest::newRow("import two files") << QStringList{"import", "a", "b"};
    QTest::newRow("answer") << QStringList{"period", "--answer", "yes"};
    QTest::newRow("rows not json") << QStringList{"post", "/tmp", "[[1"};
    QTest::newRow("row of six") << QStringList{"post", "/tmp", R"([["a","b","c","d","e","f"]])"};
    QTest::newRow("login name only") << QStringList{"login", "/tmp", "amy"};
}

void TestOnlineTool::badArguments() {
    QFETCH(QStringList, args);
    const ToolProcess p = RunTool("online-tool", args);
    QCOMPARE(p.exitCode, 2);
    QVERIFY(p.out.isEmpty());
    QVERIFY(p.err.contains("usage: online-tool"));
}

QTEST_MAIN(TestOnlineTool)
#include "tst_onlinetool.moc"
