#pragma once
#include <QByteArray>
#include <QString>

// Synchronous HTTP GET. The base address and the time-out are set by the owner
// (tests point them at a local server). A whole answer of the server is Ok with its body,
// whatever the HTTP status, except a redirect; Failed means no whole answer (no host, a
// refused or dropped connection, a cut or oversized body, a redirect) and comes with no body.
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

// Over one TCP connection per request: exactly one request goes out, never again, with
// no header beyond what HTTP/1.1 needs.
class NetworkHttpClient : public HttpClient {
public:
    Reply get(const QString& pathOrUrl) override;
    // The address of the last request as it went out, encoded; empty before any.
    QString sentUrl() const { return m_sentUrl; }

private:
    QString m_sentUrl;
};
