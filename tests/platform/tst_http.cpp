// The HTTP client against a scripted local server: only a whole reply counts, exactly one
// request goes out with only the headers it needs, and no reply grows without bound.
#include <QtTest>

#include "platform/http.h"
#include "platform/httpreply.h"
#include "support/fakeserver.h"

class TestHttp : public QObject {
    Q_OBJECT
private slots:
    void replies_data();
    void replies();
    void requestHasOnlyWhatItNeeds();
    void endlessReplyFailsAtTheLimit();
    void largestReplyAndOneByteMore();
    void unansweredRequestTimesOut();
    void resetConnection_data();
    void resetConnection();
};

namespace {

using Outcome = HttpClient::Outcome;

QByteArray head(const QByteArray& statusAndHeaders) {
    return "HTTP/1.1 " + statusAndHeaders + "\r\n\r\n";
}

HttpClient::Reply getFrom(FakeServer& server, int timeoutMs = 20000) {
    NetworkHttpClient http;
    http.setBaseUrl(server.base());
    http.setTimeoutMs(timeoutMs);
    return http.get(QStringLiteral("/zel/a.php?user=u"));
}

// The same bytes fed to the reader one at a time: a reply split anywhere reads the same.
HttpReplyReader::State readInSingleBytes(const QByteArray& bytes, QByteArray& body) {
    HttpReplyReader reader;
    for (const char c : bytes)
        reader.feed(QByteArrayView(&c, 1));
    reader.closed();
    body = reader.body();
    return reader.state();
}

} // namespace

void TestHttp::replies_data() {
    QTest::addColumn<QByteArray>("raw"); // the server's whole answer, then it closes
    QTest::addColumn<bool>("whole");
    QTest::addColumn<QByteArray>("body"); // when whole
    const QByteArray chunked = "200 OK\r\nTransfer-Encoding: chunked";
    QTest::newRow("length") << head("200 OK\r\nContent-Length: 6") + "123456" << true
                            << QByteArray("123456");
    QTest::newRow("length, more after it")
        << head("200 OK\r\nContent-Length: 3") + "123456" << true << QByteArray("123");
    QTest::newRow("cut body") << head("200 OK\r\nContent-Length: 6") + "12" << false
                              << QByteArray();
    QTest::newRow("chunked") << head(chunked) + "3\r\n123\r\n3;x=1\r\n456\r\n0\r\n\r\n"
                             << true << QByteArray("123456");
    QTest::newRow("chunked with trailer") << head(chunked) + "6\r\n123456\r\n0\r\nX-T: 1\r\n\r\n"
                                          << true << QByteArray("123456");
    QTest::newRow("chunked without last chunk") << head(chunked) + "3\r\n123\r\n3\r\n456\r\n"
                                                << false << QByteArray();
    QTest::newRow("chunked cut in a chunk") << head(chunked) + "6\r\n123" << false << QByteArray();
    QTest::newRow("chunked without trailer end") << head(chunked) + "3\r\n123\r\n0\r\n"
                                                 << false << QByteArray();
    QTest::newRow("chunked, bad size") << head(chunked) + "zz\r\n123\r\n0\r\n\r\n"
                                       << false << QByteArray();
    QTest::newRow("to the close") << head("200 OK") + "Qivo\n1" << true << QByteArray("Qivo\n1");
    QTest::newRow("error page") << head("404 Not Found\r\nContent-Length: 4") + "gone" << true
                                << QByteArray("gone");
    QTest::newRow("no content") << head("204 No Content") << true << QByteArray();
    QTest::newRow("interim answer first")
        << head("100 Continue") + head("200 OK\r\nContent-Length: 4") + "Done" << true
        << QByteArray("Done");
    QTest::newRow("dropped without a byte") << QByteArray() << false << QByteArray();
    QTest::newRow("dropped in the head")
        << QByteArray("HTTP/1.1 200 OK\r\nContent-Le") << false << QByteArray();
    QTest::newRow("not http") << QByteArray("Done\r\n") << false << QByteArray();
    QTest::newRow("redirect")
        << head("302 Found\r\nLocation: /zel/a.php?user=u\r\nContent-Length: 0") << false
        << QByteArray();
    QTest::newRow("redirect elsewhere")
        << head("301 Moved\r\nLocation: http://elsewhere.invalid/\r\nContent-Length: 4") + "Done"
        << false << QByteArray();
    QTest::newRow("compressed body")
        << head("200 OK\r\nContent-Encoding: gzip\r\nContent-Length: 4") + "Done" << false
        << QByteArray();
    QTest::newRow("compressed chunks")
        << head("200 OK\r\nTransfer-Encoding: gzip, chunked") + "4\r\nDone\r\n0\r\n\r\n"
        << false << QByteArray();
    QTest::newRow("two lengths") << head("200 OK\r\nContent-Length: 4\r\nContent-Length: 2") +
                                        "Done"
                                 << false << QByteArray();
    QTest::newRow("length over the limit")
        << head("200 OK\r\nContent-Length: " + QByteArray::number(HttpReplyReader::LargestBody + 1))
        << false << QByteArray();
}

// Only a reply that arrived whole is a reply; whatever else happened, the client asked once.
void TestHttp::replies() {
    QFETCH(QByteArray, raw);
    QFETCH(bool, whole);
    QFETCH(QByteArray, body);
    FakeServer server;
    server.respondRaw(raw);
    server.respondRaw(head("200 OK\r\nContent-Length: 4") + "Done"); // for a second request
    const HttpClient::Reply reply = getFrom(server);
    QCOMPARE(int(reply.outcome), int(whole ? Outcome::Ok : Outcome::Failed));
    QCOMPARE(reply.body, body);
    QCOMPARE(server.requests(), QList<QByteArray>{"GET /zel/a.php?user=u HTTP/1.1"});

    QByteArray read;
    const HttpReplyReader::State state = readInSingleBytes(raw, read);
    QCOMPARE(int(state),
             int(whole ? HttpReplyReader::State::Complete : HttpReplyReader::State::Failed));
    QCOMPARE(read, body);
}

void TestHttp::requestHasOnlyWhatItNeeds() {
    FakeServer server;
    server.respond("Done");
    NetworkHttpClient http;
    http.setBaseUrl(server.base());
    const HttpClient::Reply reply =
        http.get(QStringLiteral("/zel/zel2_clear.php?user=a%20b&pass=x"));
    QCOMPARE(int(reply.outcome), int(Outcome::Ok));
    QCOMPARE(server.requestHeads(),
             QList<QByteArray>{"GET /zel/zel2_clear.php?user=a%20b&pass=x HTTP/1.1\r\n"
                               "Host: " +
                               server.hostPort().toLatin1() +
                               "\r\nAccept-Encoding: identity\r\nConnection: close"});
}

// A reply that never ends fails once it passes the largest valid size, long before the
// time-out, and the client hangs up.
void TestHttp::endlessReplyFailsAtTheLimit() {
    FakeServer server;
    server.respondRaw(head("200 OK"), FakeServer::Then::Endless);
    QElapsedTimer clock;
    clock.start();
    const HttpClient::Reply reply = getFrom(server, 60000);
    QCOMPARE(int(reply.outcome), int(Outcome::Failed));
    QVERIFY(reply.body.isEmpty());
    QVERIFY2(clock.elapsed() < 30000, "the reply was read until the time-out");
    QCOMPARE(server.requests().size(), 1);
}

void TestHttp::largestReplyAndOneByteMore() {
    const QByteArray largest(HttpReplyReader::LargestBody, 'a');
    FakeServer server;
    server.respondRaw(head("200 OK") + largest);
    server.respondRaw(head("200 OK") + largest + "a");
    const HttpClient::Reply fits = getFrom(server);
    QCOMPARE(int(fits.outcome), int(Outcome::Ok));
    QCOMPARE(fits.body.size(), largest.size());
    const HttpClient::Reply over = getFrom(server);
    QCOMPARE(int(over.outcome), int(Outcome::Failed));
    QVERIFY(over.body.isEmpty());
}

void TestHttp::unansweredRequestTimesOut() {
    FakeServer server; // nothing scripted: the request stays unanswered
    const HttpClient::Reply reply = getFrom(server, 300);
    QCOMPARE(int(reply.outcome), int(Outcome::TimedOut));
    QVERIFY(reply.body.isEmpty());
    QCOMPARE(server.requests().size(), 1);
}

void TestHttp::resetConnection_data() {
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<bool>("reset"); // else the server closes in order
    QTest::addColumn<bool>("whole");
    QTest::addColumn<QByteArray>("body"); // when whole
    const QByteArray toClose = head("200 OK") + "2024/01/05\nE-a\nA-b\n98";
    QTest::newRow("to the close, closed")
        << toClose << false << true << QByteArray("2024/01/05\nE-a\nA-b\n98");
    // The last row would be taken with "98" for an amount the server never finished sending.
    QTest::newRow("to the close, reset") << toClose << true << false << QByteArray();
    QTest::newRow("to the close, reset without a body")
        << head("200 OK") << true << false << QByteArray();
    QTest::newRow("length, reset once whole")
        << head("200 OK\r\nContent-Length: 5") + "98765" << true << true << QByteArray("98765");
    QTest::newRow("length, reset before the end")
        << head("200 OK\r\nContent-Length: 5") + "98" << true << false << QByteArray();
    QTest::newRow("chunked, reset once whole")
        << head("200 OK\r\nTransfer-Encoding: chunked") + "2\r\n98\r\n0\r\n\r\n"
        << true << true << QByteArray("98");
}

// Only the server's orderly close ends a reply that runs to the close; a reset cuts it.
void TestHttp::resetConnection() {
    QFETCH(QByteArray, raw);
    QFETCH(bool, reset);
    QFETCH(bool, whole);
    QFETCH(QByteArray, body);
    FakeServer server;
    server.respondRaw(raw, reset ? FakeServer::Then::Reset : FakeServer::Then::Close);
    const HttpClient::Reply reply = getFrom(server);
    QCOMPARE(int(reply.outcome), int(whole ? Outcome::Ok : Outcome::Failed));
    QCOMPARE(reply.body, body);
    QCOMPARE(server.requests().size(), 1);

    HttpReplyReader reader;
    reader.feed(raw);
    if (reset)
        reader.reset();
    else
        reader.closed();
    QCOMPARE(int(reader.state()),
             int(whole ? HttpReplyReader::State::Complete : HttpReplyReader::State::Failed));
    QCOMPARE(reader.body(), body);
}

QTEST_MAIN(TestHttp)
#include "tst_http.moc"
