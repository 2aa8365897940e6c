#include "platform/httpreply.h"

#include <QList>

#include <algorithm>

namespace {

// A chunk-size line is a few hex digits and maybe an extension; nothing sane is longer.
constexpr qsizetype LongestChunkLine = 1024;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// "HTTP/1.x nnn" and an optional reason; 0 when the line is no HTTP/1 status line.
int statusOf(const QByteArray& line) {
    if (line.size() < 12 || !line.startsWith("HTTP/1.") || !isDigit(line[7]) || line[8] != ' ')
        return 0;
    if (!isDigit(line[9]) || !isDigit(line[10]) || !isDigit(line[11])) return 0;
    if (line.size() > 12 && line[12] != ' ') return 0;
    return line.mid(9, 3).toInt();
}

// A list header's tokens, lower case, empty ones dropped.
QList<QByteArray> tokens(const QByteArray& value) {
    QList<QByteArray> out;
    for (const QByteArray& t : value.split(','))
        if (const QByteArray token = t.trimmed().toLower(); !token.isEmpty()) out.append(token);
    return out;
}

// Decimal digits only, at most 18 of them; -1 otherwise.
qsizetype decimalValue(const QByteArray& text) {
    if (text.isEmpty() || text.size() > 18) return -1;
    qsizetype v = 0;
    for (const char c : text) {
        if (!isDigit(c)) return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

// The size of a chunk-size line ("1a2b", maybe ";extension"); -1 when it is none.
qsizetype chunkSizeOf(const QByteArray& line) {
    const qsizetype semicolon = line.indexOf(';');
    const QByteArray hex = (semicolon < 0 ? line : line.left(semicolon)).trimmed();
    if (hex.isEmpty() || hex.size() > 15) return -1;
    qsizetype v = 0;
    for (const char c : hex) {
        int d = 0;
        if (isDigit(c))
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return -1;
        v = v * 16 + d;
    }
    return v;
}

} // namespace

HttpReplyReader::State HttpReplyReader::fail() {
    m_state = State::Failed;
    m_body.clear();
    m_pending.clear();
    return m_state;
}

bool HttpReplyReader::takeLine(QByteArray& line) {
    const qsizetype nl = m_pending.indexOf('\n', std::max(m_scanned, m_pos));
    if (nl < 0) {
        m_scanned = m_pending.size();
        const qsizetype partial = m_pending.size() - m_pos;
        const bool chunkLine = m_stage == Stage::ChunkSize || m_stage == Stage::ChunkEnd;
        const bool tooLong =
            chunkLine ? partial > LongestChunkLine : m_headBytes + partial > LargestHead;
        if (tooLong) fail();
        return false;
    }
    line = m_pending.mid(m_pos, nl - m_pos);
    if (line.endsWith('\r')) line.chop(1);
    if (m_stage != Stage::ChunkSize && m_stage != Stage::ChunkEnd) {
        m_headBytes += nl + 1 - m_pos;
        if (m_headBytes > LargestHead) {
            fail();
            return false;
        }
    }
    m_pos = nl + 1;
    m_scanned = m_pos;
    return true;
}

// One line of a head; an empty line ends it.
bool HttpReplyReader::readHead(const QByteArray& line) {
    if (m_status == 0) {
        m_status = statusOf(line);
        return m_status != 0;
    }
    if (line.isEmpty()) {
        startBody();
        return m_state != State::Failed;
    }
    const qsizetype colon = line.indexOf(':');
    // A folded or nameless line is no header this reader can trust.
    if (colon <= 0 || line.front() == ' ' || line.front() == '\t') return false;
    const QByteArray name = line.left(colon).trimmed().toLower();
    const QByteArray value = line.mid(colon + 1).trimmed();
    if (name == "content-length") {
        const qsizetype length = decimalValue(value);
        if (length < 0 || (m_length >= 0 && m_length != length)) return false;
        m_length = length;
    } else if (name == "transfer-encoding") {
        // Only plain chunks can be read without decoding.
        for (const QByteArray& coding : tokens(value)) {
            if (coding != "chunked" || m_chunked) return false;
            m_chunked = true;
        }
    } else if (name == "content-encoding") {
        // The request asks for the body as it is; a compressed one is not the reply.
        for (const QByteArray& coding : tokens(value))
            if (coding != "identity") return false;
    }
    return true;
}

void HttpReplyReader::startBody() {
    if (m_status >= 100 && m_status < 200) {
        // An interim answer; the reply proper follows. A protocol switch never is one.
        if (m_status == 101) {
            fail();
            return;
        }
        m_status = 0;
        m_length = -1;
        m_chunked = false;
        return;
    }
    // A redirect is not followed: the request went where it was meant to go, or failed.
    if (m_status >= 300 && m_status < 400) {
        fail();
        return;
    }
    if (m_status == 204) {
        m_stage = Stage::Done;
        m_state = State::Complete;
    } else if (m_chunked) {
        m_stage = Stage::ChunkSize;
    } else if (m_length >= 0) {
        if (m_length > LargestBody) {
            fail();
            return;
        }
        m_remaining = m_length;
        m_stage = Stage::Sized;
        if (m_remaining == 0) {
            m_stage = Stage::Done;
            m_state = State::Complete;
        }
    } else {
        m_stage = Stage::ToClose;
    }
}

bool HttpReplyReader::appendBody(QByteArrayView bytes) {
    if (m_body.size() + bytes.size() > LargestBody) {
        fail();
        return false;
    }
    m_body.append(bytes);
    return true;
}

HttpReplyReader::State HttpReplyReader::feed(QByteArrayView bytes) {
    if (m_state != State::Reading) return m_state;
    m_pending.append(bytes);
    QByteArray line;
    while (m_state == State::Reading) {
        const qsizetype available = m_pending.size() - m_pos;
        const QByteArrayView rest = QByteArrayView(m_pending).sliced(m_pos);
        bool more = true; // whether this round used bytes and another may follow
        switch (m_stage) {
        case Stage::Head:
            more = takeLine(line);
            if (more && !readHead(line)) fail();
            break;
        case Stage::Sized:
        case Stage::ChunkData: {
            const qsizetype n = std::min(available, m_remaining);
            if (!appendBody(rest.first(n))) break;
            m_pos += n;
            m_remaining -= n;
            if (m_remaining == 0) {
                m_stage = m_stage == Stage::Sized ? Stage::Done : Stage::ChunkEnd;
                if (m_stage == Stage::Done) m_state = State::Complete;
            }
            more = m_remaining == 0;
            break;
        }
        case Stage::ToClose:
            if (appendBody(rest)) m_pos += available;
            more = false;
            break;
        case Stage::ChunkSize:
            more = takeLine(line);
            if (!more) break;
            if (const qsizetype size = chunkSizeOf(line); size < 0) {
                fail();
            } else if (size == 0) {
                m_stage = Stage::Trailer;
            } else if (m_body.size() + size > LargestBody) {
                fail();
            } else {
                m_remaining = size;
                m_stage = Stage::ChunkData;
            }
            break;
        case Stage::ChunkEnd:
            more = takeLine(line);
            if (!more) break;
            if (!line.isEmpty())
                fail();
            else
                m_stage = Stage::ChunkSize;
            break;
        case Stage::Trailer:
            more = takeLine(line);
            if (more && line.isEmpty()) {
                m_stage = Stage::Done;
                m_state = State::Complete;
            }
            break;
        case Stage::Done:
            more = false;
            break;
        }
        if (!more) break;
    }
    if (m_state != State::Reading) {
        m_pending.clear();
    } else if (m_pos == m_pending.size()) {
        m_pending.clear();
        m_pos = m_scanned = 0;
    } else if (m_pos > (qsizetype(64) << 10)) {
        m_pending.remove(0, m_pos);
        m_scanned = std::max<qsizetype>(m_scanned - m_pos, 0);
        m_pos = 0;
    }
    return m_state;
}

HttpReplyReader::State HttpReplyReader::closed() {
    if (m_state != State::Reading) return m_state;
    if (m_stage != Stage::ToClose) return fail();
    m_stage = Stage::Done;
    m_state = State::Complete;
    return m_state;
}

HttpReplyReader::State HttpReplyReader::reset() {
    return m_state == State::Reading ? fail() : m_state;
}
