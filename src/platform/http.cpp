#include "platform/http.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

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

    QNetworkAccessManager manager;
    const QUrl url(address);
    m_sentUrl = QString::fromLatin1(url.toEncoded());
    QNetworkRequest request{url};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = manager.get(request);

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(m_timeoutMs);
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    timer.stop();

    // Any answer of the server is a reply, whatever its status: the callers read the body
    // (a service may explain a refusal in an error page). Only no answer at all fails.
    Reply result;
    const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid() ||
                          reply->error() == QNetworkReply::NoError;
    if (timedOut)
        result.outcome = Outcome::TimedOut;
    else if (answered)
        result.outcome = Outcome::Ok;
    else
        result.outcome = Outcome::Failed;
    if (result.outcome == Outcome::Ok) result.body = reply->readAll();
    delete reply;
    return result;
}
