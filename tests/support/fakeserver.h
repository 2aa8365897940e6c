#pragma once
// A scripted HTTP server on 127.0.0.1 (a free port), running in a thread of its own so that
// it answers while the test blocks (in a synchronous client or waiting for a tool process).
// It records the request line of every request and answers each with the next scripted
// response; a request with none left is kept open unanswered, which is how a client's
// time-out is tested. Raw responses script what a faulty or hostile server does: a cut
// body, a dropped or reset connection, a redirect, a reply that never ends.
#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QSemaphore>
#include <QString>
#include <memory>

class QEventLoop;
class QTcpServer;
class QTcpSocket;
class QThread;

class FakeServer {
public:
    FakeServer();
    ~FakeServer();
    FakeServer(const FakeServer&) = delete;
    FakeServer& operator=(const FakeServer&) = delete;

    // Queues a response with this body (sent as it is, a cp950 text as a rule).
    void respond(const QByteArray& body, int status = 200);
    // What the server does after writing a raw response: close the connection, reset it
    // (a TCP reset, not the orderly end), or keep sending blocks of body bytes for as long
    // as the client reads them.
    enum class Then { Close, Reset, Endless };
    // Queues these bytes as the whole answer, head included (empty: the connection is
    // dropped without a byte).
    void respondRaw(const QByteArray& bytes, Then then = Then::Close);
    // Request lines received so far ("GET /path?query HTTP/1.1").
    QList<QByteArray> requests() const;
    // The whole heads of the requests (request line and headers, CR LF separated).
    QList<QByteArray> requestHeads() const;
    // "127.0.0.1:port", and "http://127.0.0.1:port".
    QString hostPort() const;
    QString base() const { return QStringLiteral("http://") + hostPort(); }
    // Stops listening: later connections to the port are refused.
    void close();

private:
    void serve();
    void answer(QTcpSocket* socket, QByteArray& buffer);

    std::unique_ptr<QThread> m_thread;
    QSemaphore m_ready;
    QTcpServer* m_server = nullptr; // lives in m_thread while it runs
    QEventLoop* m_loop = nullptr;
    quint16 m_port = 0;
    mutable QMutex m_mutex;
    QList<QByteArray> m_requests;
    QList<QByteArray> m_heads;
    struct Response {
        QByteArray bytes;
        Then then = Then::Close;
    };
    QList<Response> m_responses;
};
