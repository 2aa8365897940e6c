// The online service's requests and replies against a local server, and the remembered login.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/codec.h"
#include "platform/http.h"
#include "rules/online/onlineservice.h"
#include "store/backuppackage.h"
#include "support/fakeserver.h"
#include "support/stagedcells.h"

using namespace OnlineService;

namespace {

QByteArray ansi(const char* utf8) {
    return Ansi::encode(QString::fromUtf8(utf8));
}

} // namespace

class TestProtocol : public QObject {
    Q_OBJECT
private slots:
    void requests_data();
    void requests();
    void replies_data();
    void replies();
    void failures();
    void resetReplyIsNoReply();
    void blankRecordsAndRoom_data();
    void blankRecordsAndRoom();
    void clearReplies_data();
    void clearReplies();
    void unescape_data();
    void unescape();
    void rememberedLogin();
};

void TestProtocol::requests_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("query");
    QTest::newRow("plain") << "amy"
                           << "pw1" << QByteArray("user=amy&pass=pw1");
    QTest::newRow("trimmed") << " amy "
                             << "\tpw " << QByteArray("user=amy&pass=%09pw");
    QTest::newRow("chinese") << "中"
                             << "x" << QByteArray("user=%A4%A4&pass=x");
    QTest::newRow("reserved") << "a b+c"
                              << "a&b#c=" << QByteArray("user=a%20b%2Bc&pass=a%26b%23c%3D");
    QTest::newRow("trail byte backslash") << "餐"
                                          << "-._~" << QByteArray("user=%C0%5C&pass=-._~");
}

// Each request goes out with the encoded bytes exactly as built: Qt does not re-encode them.
void TestProtocol::requests() {
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QByteArray, query);
    FakeServer server;
    server.respond("Done");
    server.respond("Done");
    NetworkHttpClient http;
    http.setBaseUrl(server.base());
    http.setTimeoutMs(5000);
    http.get(DownloadRequestPath(name, password));
    http.get(ClearRequestPath(name, password));
    const QList<QByteArray> sent = server.requests();
    QCOMPARE(sent.size(), 2);
    QCOMPARE(sent.at(0), "GET /zel/zel2_qivo_getdata2.php?" + query + " HTTP/1.1");
    QCOMPARE(sent.at(1), "GET /zel/zel2_clear.php?" + query + " HTTP/1.1");
}

using Rows = QList<QStringList>;

void TestProtocol::replies_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("kind");
    QTest::addColumn<Rows>("rows");
    using K = DownloadResult::Kind;
    const QByteArray seven = ansi("2024/01/05\nE-餐飲費\nA-現金\n120\n午餐\n備註\n AB12345678 ");
    const QStringList first = {"2024/01/05", "E-餐飲費", "A-現金",    "120",
                               "午餐",       "備註",     "AB12345678"};
    QTest::newRow("error") << QByteArray("Error") << 200 << int(K::Refused) << Rows{};
    QTest::newRow("error crlf") << QByteArray("Error\r\n") << 200 << int(K::Refused) << Rows{};
    QTest::newRow("stop") << QByteArray("Stop\n") << 200 << int(K::Paused) << Rows{};
    QTest::newRow("empty") << QByteArray() << 200 << int(K::NoData) << Rows{};
    QTest::newRow("seven") << seven << 200 << int(K::Rows) << Rows{first};
    QTest::newRow("seven lf") << seven + "\n" << 200 << int(K::Rows) << Rows{first};
    QByteArray crlf = seven;
    crlf.replace("\n", "\r\n");
    QTest::newRow("seven crlf") << crlf + "\r\n" << 200 << int(K::Rows) << Rows{first};
    QTest::newRow("eight") << seven + "\nextra" << 200 << int(K::Rows) << Rows{first};
    QTest::newRow("nine") << seven + "\n2024/01/06\nE-x" << 200 << int(K::Rows)
                          << Rows{first, {"2024/01/06", "E-x", "", "", "", "", ""}};
    QTest::newRow("entities")
        << QByteArray("&amp;d\n&gt;&lt;\n&amp;quot;\n&amp;lt;\n  a&quot;b\nn\n&amp;1 \n") << 200
        << int(K::Rows) << Rows{{"&amp;d", "><", "&quot;", "&lt;", "  a\"b", "n", "&1"}};
    // An error page of the server is read as records like any other reply.
    QTest::newRow("status 500") << QByteArray("Error") << 500 << int(K::Refused) << Rows{};
    QTest::newRow("status 404 page") << QByteArray("<html>\n<body>") << 404 << int(K::Rows)
                                     << Rows{{"<html>", "<body>", "", "", "", "", ""}};
}

void TestProtocol::replies() {
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(int, kind);
    QFETCH(Rows, rows);
    FakeServer server;
    server.respond(body, status);
    NetworkHttpClient http;
    http.setBaseUrl(server.base());
    http.setTimeoutMs(5000);
    const DownloadResult result =
        ParseDownloadReply(http.get(DownloadRequestPath("a", "b")), NoRoomLimit);
    QCOMPARE(int(result.kind), kind);
    QCOMPARE(StagedCells(result.rows), rows);
}

// No answer within the limit is its own case; a refused connection reads as no data.
void TestProtocol::failures() {
    FakeServer server;
    NetworkHttpClient http;
    http.setBaseUrl(server.base());
    http.setTimeoutMs(300);
    const auto late = http.get(DownloadRequestPath("a", "b"));
    QCOMPARE(int(late.outcome), int(HttpClient::Outcome::TimedOut));
    QCOMPARE(int(ParseDownloadReply(late, NoRoomLimit).kind), int(DownloadResult::Kind::TimedOut));
    QCOMPARE(DownloadMessage(DownloadResult::Kind::TimedOut), QStringLiteral("連線失敗!"));
    QCOMPARE(int(ParseClearReply(late)), int(ClearResult::TimedOut));

    server.close();
    http.setTimeoutMs(5000);
    const auto refused = http.get(DownloadRequestPath("a", "b"));
    QCOMPARE(int(refused.outcome), int(HttpClient::Outcome::Failed));
    QCOMPARE(int(ParseDownloadReply(refused, NoRoomLimit).kind), int(DownloadResult::Kind::NoData));
    QCOMPARE(DownloadMessage(DownloadResult::Kind::NoData), QStringLiteral("沒有資料可以下載!"));
    QCOMPARE(int(ParseClearReply(refused)), int(ClearResult::Ignored));
    QCOMPARE(NetworkHttpClient().timeoutMs(), 60000);
}

// A reply that runs to the close and is cut by a reset gives no row: its last would post
// "98" for "98765".
void TestProtocol::resetReplyIsNoReply() {
    const QByteArray records = ansi("2024/01/05\nE-餐飲費\nA-現金\n120\n\n\n\n"
                                    "2024/01/06\nE-餐飲費\nA-現金\n98765\n\n\n\n");
    const QByteArray head = "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n";
    FakeServer server;
    server.respondRaw(head + records.left(records.indexOf("765")), FakeServer::Then::Reset);
    server.respondRaw(head + records);
    NetworkHttpClient http;
    http.setBaseUrl(server.base());
    http.setTimeoutMs(5000);
    const DownloadResult cut =
        ParseDownloadReply(http.get(DownloadRequestPath("a", "b")), NoRoomLimit);
    QCOMPARE(int(cut.kind), int(DownloadResult::Kind::NoData));
    QVERIFY(cut.rows.isEmpty());
    const DownloadResult whole =
        ParseDownloadReply(http.get(DownloadRequestPath("a", "b")), NoRoomLimit);
    QCOMPARE(int(whole.kind), int(DownloadResult::Kind::Rows));
    QCOMPARE(whole.rows.size(), 2);
    QCOMPARE(whole.rows.at(1).amount, QStringLiteral("98765"));
}

void TestProtocol::blankRecordsAndRoom_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("room");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("total");
    QTest::addColumn<Rows>("rows");
    using K = DownloadResult::Kind;
    const QByteArray record = "2024/01/05\nE-a\nA-b\n1\n\n\n\n";
    const QStringList cells = {"2024/01/05", "E-a", "A-b", "1", "", "", ""};
    const QByteArray blank = " \n\t\n\r\n\n\n\n\n";
    QTest::newRow("room for all") << record.repeated(3) << 3 << int(K::Rows) << 3
                                  << Rows{cells, cells, cells};
    QTest::newRow("one over") << record.repeated(3) << 2 << int(K::TooMany) << 3 << Rows{};
    QTest::newRow("no room") << record << 0 << int(K::TooMany) << 1 << Rows{};
    QTest::newRow("blank records between") << record + blank.repeated(1000) + record + "\n\n"
                                           << 2 << int(K::Rows) << 2 << Rows{cells, cells};
    // A short last record of blank lines is none either.
    QTest::newRow("blank short last") << record + " \n\n" << 1 << int(K::Rows) << 1 << Rows{cells};
    QTest::newRow("line feeds only")
        << QByteArray(7 * 100000, '\n') << 0 << int(K::Rows) << 0 << Rows{};
    QTest::newRow("one line feed") << QByteArray("\n") << 1 << int(K::Rows) << 0 << Rows{};
}

// Records of blank lines are no rows; more rows than the room build none.
void TestProtocol::blankRecordsAndRoom() {
    QFETCH(QByteArray, body);
    QFETCH(int, room);
    QFETCH(int, kind);
    QFETCH(int, total);
    QFETCH(Rows, rows);
    const DownloadResult result = ParseDownloadReply({HttpClient::Outcome::Ok, body}, room);
    QCOMPARE(int(result.kind), kind);
    QCOMPARE(result.total, qsizetype(total));
    QCOMPARE(StagedCells(result.rows), rows);
    QCOMPARE(TooManyRowsMessage(3, 2),
             QStringLiteral("資料共 3 筆，超過帳本還能加入的 2 筆，無法載入!"));
}

void TestProtocol::clearReplies_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("result");
    QTest::newRow("done") << QByteArray("Done") << int(ClearResult::Done);
    QTest::newRow("done lf") << QByteArray("Done\n") << int(ClearResult::Done);
    QTest::newRow("done crlf") << QByteArray("Done\r\n") << int(ClearResult::Done);
    QTest::newRow("error crlf") << QByteArray("Error\r\n") << int(ClearResult::Refused);
    QTest::newRow("two lines") << QByteArray("Done\n\n") << int(ClearResult::Ignored);
    QTest::newRow("other") << QByteArray("done") << int(ClearResult::Ignored);
    QTest::newRow("empty") << QByteArray() << int(ClearResult::Ignored);
}

void TestProtocol::clearReplies() {
    QFETCH(QByteArray, body);
    QFETCH(int, result);
    QCOMPARE(int(ParseClearReply({HttpClient::Outcome::Ok, body})), result);
}

void TestProtocol::unescape_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decoded");
    QTest::newRow("each") << "&gt;&lt;&quot;&amp;"
                          << "><\"&";
    QTest::newRow("amp quot once") << "&amp;quot;"
                                   << "&quot;";
    QTest::newRow("amp lt once") << "&amp;lt;"
                                 << "&lt;";
    QTest::newRow("amp gt once") << "&amp;gt;x"
                                 << "&gt;x";
    QTest::newRow("plain") << "a & b"
                           << "a & b";
}

void TestProtocol::unescape() {
    QFETCH(QString, text);
    QFETCH(QString, decoded);
    QCOMPARE(UnescapeEntities(text), decoded);
}

void TestProtocol::rememberedLogin() {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    QCOMPARE(ReadRememberedLogin(folder).exists, false);
    QVERIFY(WriteRememberedLogin(folder, QString::fromUtf8("王,小明"), QString::fromUtf8("ab中")));
    QFile file(folder + "Download.dat");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), ansi("王,小明") + "\r\n00610062A4A4\r\n");
    QCOMPARE(file.permissions() &
                 (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
             QFile::Permissions());
    QVERIFY(IsOwnerOnlyUserFile(LoginFileName)); // and so a restore writes it
    const RememberedLogin login = ReadRememberedLogin(folder);
    QVERIFY(login.exists);
    QCOMPARE(login.name, QString::fromUtf8("王,小明"));
    QCOMPARE(login.password, QString::fromUtf8("ab中"));
    QVERIFY(ForgetRememberedLogin(folder));
    QVERIFY(!QFile::exists(folder + "Download.dat"));
    QVERIFY(ForgetRememberedLogin(folder));
}

QTEST_MAIN(TestProtocol)
#include "tst_protocol.moc"
