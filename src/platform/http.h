#pragma once
#include <QByteArray>
#include <QString>

// Synchronous HTTP GET. The base address and the time-out are set by the owner
// (tests point them at a local server). Any answer of the server is Ok with its body,
// whatever the HTTP status; Failed means no answer (no host, refused connection).
class HttpClient {
public:
    enum class Outcome { Ok, TimedOut, Failed };
    struct Reply {
        Outcome outcome = Outcome::Failed;
        QByteArray body;
    };
    virtual ~HttpClient() = default;
    // path is appended to the base address unless it is a full URL.
    virtual Reply get(const QString& pathOrUrl) = 0;
    void setBaseUrl(const QString& base) { m_base = base; }
    QString baseUrl() const { return m_base; }
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    int timeoutMs() const { return m_timeoutMs; }

protected:
    QString m_base;
    int m_timeoutMs = 60000; // a slow service gets a minute
};

class NetworkHttpClient : public HttpClient {
public:
    Reply get(const QString& pathOrUrl) override;
    // The address of the last request as it went out, encoded; empty before any.
    QString sentUrl() const { return m_sentUrl; }

private:
    QString m_sentUrl;
};
