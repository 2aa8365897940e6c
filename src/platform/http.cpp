#include "platform/http.h"

#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include "platform/httpreply.h"

#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

// Read in small steps, so that an endless reply fails at the size limit, not after memory.
constexpr qint64 ReadBufferBytes = qint64(64) << 10;

// The request as it goes out: the one GET and only the headers HTTP/1.1 needs. No
// compression is asked for (the body is taken as it comes), the connection ends with the
// reply (the end of the connection may be the end of the body).
QByteArray requestBytes(const QUrl& url) {
    QByteArray target =
        url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    if (!target.startsWith('/')) target.prepend('/');
    const QByteArray host =
        url.adjusted(QUrl::RemoveUserInfo).authority(QUrl::FullyEncoded).toLatin1();
    return "GET " + target + " HTTP/1.1\r\nHost: " + host +
           "\r\nAccept-Encoding: identity\r\nConnection: close\r\n\r\n";
}

// Qt reports a reset connection as the server's close, the same as its orderly end, yet only
// the orderly end may end a body that runs to the close: a reset cuts it. So the client keeps
// a descriptor of its own on the connection, which holds the connection's state after Qt has
// closed its descriptor, and asks the system how the connection ended.
class ConnectionEnd {
public:
    ConnectionEnd() = default;
    ConnectionEnd(const ConnectionEnd&) = delete;
    ConnectionEnd& operator=(const ConnectionEnd&) = delete;
    ~ConnectionEnd() { release(); }

    void watch(qintptr socket) {
        release();
#ifdef Q_OS_LINUX
        m_fd = socket < 0 ? -1 : ::dup(int(socket));
#else
        Q_UNUSED(socket);
#endif
    }
    // True when the server ended the connection with its FIN, not with a reset.
    bool inOrder() const {
#ifdef Q_OS_LINUX
        tcp_info info{};
        socklen_t size = sizeof info;
        if (m_fd < 0 || ::getsockopt(m_fd, IPPROTO_TCP, TCP_INFO, &info, &size) != 0) return false;
        // The server's FIN, and nothing after it: our side is still open.
        return info.tcpi_state == TCP_CLOSE_WAIT;
#else
        return true; // no way to tell: the close is taken as Qt reports it
#endif
    }
    void release() {
#ifdef Q_OS_LINUX
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
#endif
    }

private:
    int m_fd = -1;
};

} // namespace

HttpClient::Reply NetworkHttpClient::get(const QString& pathOrUrl) {
    const bool full = pathOrUrl.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
                      pathOrUrl.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
    QString address = pathOrUrl;
    if (!full) {
        QString base = m_base;
        if (base.endsWith(u'/') && address.startsWith(u'/'))
            base.chop(1);
        else if (!base.endsWith(u'/') && !address.startsWith(u'/') && !base.isEmpty())
            base.append(u'/');
        address = base + address;
    }

    const QUrl url(address);
    m_sentUrl = QString::fromLatin1(url.toEncoded());
    Reply result; // Failed, empty
    // Plain HTTP only: the service's requests are never sent any other way.
    if (!url.isValid() || url.scheme().toLower() != QLatin1String("http") || url.host().isEmpty())
        return result;

    // One connection, one request, never sent again: a connection that drops is a failure,
    // even before any answer (a resent clear request would clear twice).
    QTcpSocket socket;
    socket.setReadBufferSize(ReadBufferBytes);
    HttpReplyReader reader;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    bool failed = false;
    auto settle = [&] {
        if (failed || reader.state() != HttpReplyReader::State::Reading) loop.quit();
    };
    auto readAvailable = [&] {
        while (socket.bytesAvailable() > 0 && reader.state() == HttpReplyReader::State::Reading)
            reader.feed(socket.read(ReadBufferBytes));
    };
    ConnectionEnd end;
    QObject::connect(&socket, &QTcpSocket::connected, &loop, [&] {
        end.watch(socket.socketDescriptor());
        socket.write(requestBytes(url));
    });
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, [&] {
        readAvailable();
        settle();
    });
    auto ended = [&] {
        readAvailable();
        if (end.inOrder())
            reader.closed();
        else
            reader.reset();
        settle();
    };
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, ended);
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop,
                     [&](QAbstractSocket::SocketError error) {
                         // The server's close may end a body that runs to it (a reset
                         // reported as a close is told apart there); any other error
                         // (refused, reset, no such host) is no reply.
                         if (error == QAbstractSocket::RemoteHostClosedError) {
                             ended();
                             return;
                         }
                         failed = true;
                         settle();
                     });
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    timer.start(m_timeoutMs);
    socket.connectToHost(url.host(), quint16(url.port(80)));
    if (!failed) loop.exec(QEventLoop::ExcludeUserInputEvents);
    timer.stop();
    // Nothing that the socket reports while it is torn down may complete the reply.
    QObject::disconnect(&socket, nullptr, &loop, nullptr);
    socket.abort();

    if (reader.state() == HttpReplyReader::State::Complete) {
        result.outcome = Outcome::Ok;
        result.body = reader.body();
    } else if (timedOut) {
        result.outcome = Outcome::TimedOut;
    }
    return result;
}
