#include "fakeserver.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QMutexLocker>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

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
    QByteArray response;
    {
        QMutexLocker lock(&m_mutex);
        m_requests.append(buffer.left(buffer.indexOf("\r\n")));
        buffer.clear();
        if (m_responses.isEmpty()) return; // unanswered: the client times out
        response = m_responses.takeFirst();
    }
    socket->write(response);
    socket->disconnectFromHost();
}

void FakeServer::respond(const QByteArray& body, int status) {
    const QByteArray response =
        "HTTP/1.1 " + QByteArray::number(status) +
        " X\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size()) +
        "\r\nConnection: close\r\n\r\n" + body;
    QMutexLocker lock(&m_mutex);
    m_responses.append(response);
}

QList<QByteArray> FakeServer::requests() const {
    QMutexLocker lock(&m_mutex);
    return m_requests;
}

QString FakeServer::hostPort() const {
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

void FakeServer::close() {
    QMetaObject::invokeMethod(
        m_server, [this] { m_server->close(); }, Qt::BlockingQueuedConnection);
}
