#include "fakehttp.h"

#include <QTest>
#include <utility>

void FakeHttp::queueReply(Outcome outcome, const QByteArray& body) {
    m_replies.append(Reply{outcome, body});
}

HttpClient::Reply FakeHttp::get(const QString& pathOrUrl) {
    requested.append(pathOrUrl);
    if (duringRequest) std::exchange(duringRequest, nullptr)();
    if (m_replies.isEmpty()) {
        QTest::qFail(qPrintable(QLatin1String("Unexpected HTTP GET ") + pathOrUrl), __FILE__,
                     __LINE__);
        return Reply{};
    }
    return m_replies.takeFirst();
}
