#include "platform/http.h"

#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include "platform/httpreply.h"

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
    QObject::connect(&socket, &QTcpSocket::connected, &loop,
                     [&] { socket.write(requestBytes(url)); });
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, [&] {
        readAvailable();
        settle();
    });
    auto ended = [&] {
        readAvailable();
        reader.closed();
        settle();
    };
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, ended);
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop,
                     [&](QAbstractSocket::SocketError error) {
                         // The server's close may end a body that runs to it; any other
                         // error (refused, reset, no such host) is no reply.
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
