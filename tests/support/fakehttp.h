#pragma once
#include "platform/http.h"

#include <QList>
#include <QStringList>
#include <functional>

// Answers GETs from a queue of replies and records what was asked. A GET with no reply
// queued fails the running test and gets Outcome::Failed.
class FakeHttp : public HttpClient {
public:
    void queueReply(Outcome outcome, const QByteArray& body = QByteArray());
    void queueReply(const QByteArray& body) { queueReply(Outcome::Ok, body); }
    Reply get(const QString& pathOrUrl) override;

    QStringList requested; // pathOrUrl exactly as passed to get()
    // Runs once inside the next get(), as what happens while the request is out.
    std::function<void()> duringRequest;
    int pendingReplies() const { return int(m_replies.size()); }

private:
    QList<Reply> m_replies;
};
