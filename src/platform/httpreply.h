#pragma once
#include <QByteArray>
#include <QByteArrayView>

// Reads one HTTP/1.1 reply as its bytes arrive and says when it is whole. A reply counts
// only when its body arrived exactly as its head announced it: all Content-Length bytes,
// every chunk up to the last one, or everything up to the server's orderly close when the
// head gives no length. A redirect, a compressed body (the request asks for none), a head that
// is not HTTP and a body larger than any the service sends are failures at once, so that
// no part of a reply is ever taken for the whole of it and nothing grows without bound.
class HttpReplyReader {
public:
    enum class State { Reading, Complete, Failed };

    // No valid reply of the service comes near these.
    static constexpr qsizetype LargestBody = qsizetype(16) << 20;
    static constexpr qsizetype LargestHead = qsizetype(64) << 10;

    // Takes the next bytes of the connection; bytes after a whole reply are ignored.
    State feed(QByteArrayView bytes);
    // The server closed the connection in order: whole only when the reply was already
    // complete or runs to the close.
    State closed();
    // The connection was reset (or broke otherwise): whole only when the reply was already
    // complete. A reply that runs to the close is cut, not ended, by a reset.
    State reset();

    State state() const { return m_state; }
    int status() const { return m_status; }
    // The body once Complete.
    const QByteArray& body() const { return m_body; }

private:
    enum class Stage { Head, Sized, ToClose, ChunkSize, ChunkData, ChunkEnd, Trailer, Done };

    State fail();
    // The next line of m_pending (without CR LF) or false when it has not all arrived.
    bool takeLine(QByteArray& line);
    bool readHead(const QByteArray& line);
    void startBody();
    bool appendBody(QByteArrayView bytes);

    State m_state = State::Reading;
    Stage m_stage = Stage::Head;
    QByteArray m_pending; // bytes received and not read yet, from m_pos on
    qsizetype m_pos = 0;
    qsizetype m_scanned = 0; // no line end before this position
    qsizetype m_headBytes = 0;
    int m_status = 0;
    bool m_chunked = false;
    qsizetype m_length = -1; // Content-Length, -1 when none was given
    qsizetype m_remaining = 0;
    QByteArray m_body;
};
