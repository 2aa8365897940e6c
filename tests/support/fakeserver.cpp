#include "fakeserver.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QMutexLocker>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <sys/socket.h>

FakeServer::FakeServer() {
    m_thread.reset(QThread::create([this] { serve(); }));
    m_thread->start();
    m_ready.acquire();
}

FakeServer::~FakeServer() {
    QMetaObject::invokeMethod(m_server, [this] { m_loop->quit(); });
    m_thread->wait();
}

// The server, its sockets and its loop are made and destroyed in the thread.
void FakeServer::serve() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    m_server = &server;
    m_port = server.serverPort();
    QObject::connect(&server, &QTcpServer::newConnection, &server, [this, &server] {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket,
                             [this, socket, buffer] { answer(socket, *buffer); });
        }
    });
    QEventLoop loop;
    m_loop = &loop;
    m_ready.release();
    loop.exec();
}

void FakeServer::answer(QTcpSocket* socket, QByteArray& buffer) {
    buffer += socket->readAll();
    if (!buffer.contains("\r\n\r\n")) return;
    Response response;
    {
        QMutexLocker lock(&m_mutex);
        const QByteArray head = buffer.left(buffer.indexOf("\r\n\r\n"));
        m_requests.append(head.left(head.indexOf("\r\n")));
        m_heads.append(head);
        buffer.clear();
        if (m_responses.isEmpty()) return; // unanswered: the client times out
        response = m_responses.takeFirst();
    }
    socket->write(response.bytes);
    if (response.then == Then::Close) {
        socket->disconnectFromHost();
        return;
    }
    if (response.then == Then::Reset) {
        // Everything written goes out first; a close that lingers zero seconds then sends a
        // reset in place of the orderly end.
        while (socket->bytesToWrite() > 0 && socket->waitForBytesWritten(5000)) {
        }
        const linger abrupt{1, 0};
        ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &abrupt,
                     sizeof abrupt);
        socket->abort();
        return;
    }
    // Another block whenever the last one has gone out, until the client hangs up.
    const QByteArray block(64 * 1024, 'x');
    QObject::connect(socket, &QTcpSocket::bytesWritten, socket, [socket, block] {
        if (socket->bytesToWrite() == 0) socket->write(block);
    });
    socket->write(block);
}

void FakeServer::respond(const QByteArray& body, int status) {
    respondRaw("HTTP/1.1 " + QByteArray::number(status) +
               " X\r\nContent-Type: text/plain\r\nContent-Length: " +
               QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
}

void FakeServer::respondRaw(const QByteArray& bytes, Then then) {
    QMutexLocker lock(&m_mutex);
    m_responses.append({bytes, then});
}

QList<QByteArray> FakeServer::requests() const {
    QMutexLocker lock(&m_mutex);
    return m_requests;
}

QList<QByteArray> FakeServer::requestHeads() const {
    QMutexLocker lock(&m_mutex);
    return m_heads;
}

QString FakeServer::hostPort() const {
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

void FakeServer::close() {
    QMetaObject::invokeMethod(
        m_server, [this] { m_server->close(); }, Qt::BlockingQueuedConnection);
}
