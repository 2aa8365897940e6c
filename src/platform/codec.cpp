#include "platform/codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>
#include <vector>

namespace {

// Qt's table for the code page of the data files; "cp950" selects a different one.
constexpr const char* kCodePage = "windows-950";

// Opening a converter is expensive (ICU), and the savers encode tens of thousands of
// fields: keep one encoder and one decoder. Their error flag survives resetState(), so
// a converter that met an unmappable character is replaced by a fresh one.
QStringEncoder& sharedEncoder() {
    thread_local std::optional<QStringEncoder> encoder;
    if (!encoder || encoder->hasError())
        encoder.emplace(kCodePage, QStringConverter::Flag::Stateless);
    encoder->resetState();
    return *encoder;
}

QStringDecoder& sharedDecoder() {
    thread_local std::optional<QStringDecoder> decoder;
    if (!decoder || decoder->hasError())
        decoder.emplace(kCodePage, QStringConverter::Flag::Stateless);
    decoder->resetState();
    return *decoder;
}

// Most texts are ASCII and two-byte characters, and the program converts many short fields
// (30000 entries, several fields each): a call into the converter costs more than the
// characters. So each two-byte character is converted once, by the converter, and kept in a
// table; a text made only of ASCII and of characters the tables hold is converted directly.
// Anything else (a byte that is no whole character, a character without a two-byte code, a
// surrogate pair) goes to the converter as a whole, as before: the results are the same.
constexpr char16_t kNoChar = 0xFFFF; // a pair that is not exactly one character
constexpr quint16 kNoPair = 0xFFFF;  // a character that has no two-byte code
constexpr int kTrails = 0xFE - 0x40 + 1;

using Ansi::isLeadByte;
using Ansi::isTrailByte;

// The characters of the lead and trail bytes met so far: 0 not looked up yet, kNoChar when
// the decoder does not make exactly one character of them.
char16_t* pairTable() {
    thread_local std::vector<char16_t> table(size_t(0xFE - 0x81 + 1) * kTrails, 0);
    return table.data();
}

char16_t lookUpPair(unsigned char lead, unsigned char trail) {
    const char bytes[2] = {char(lead), char(trail)};
    QStringDecoder& decoder = sharedDecoder();
    const QString one = decoder.decode(QByteArrayView(bytes, 2));
    const bool single = !decoder.hasError() && one.size() == 1 &&
                        one.at(0) != QChar::ReplacementCharacter && !one.at(0).isSurrogate();
    return single ? one.at(0).unicode() : kNoChar;
}

// The two-byte codes of the characters met so far (neither ASCII nor surrogates): 0 not looked
// up yet, kNoPair when a character has none.
quint16* codeTable() {
    thread_local std::vector<quint16> table(0x10000, 0);
    return table.data();
}

quint16 lookUpCode(char16_t u) {
    QStringEncoder& encoder = sharedEncoder();
    const QByteArray bytes = encoder.encode(QStringView(&u, 1));
    const bool pair = !encoder.hasError() && bytes.size() == 2 &&
                      isLeadByte(static_cast<unsigned char>(bytes[0])) &&
                      isTrailByte(static_cast<unsigned char>(bytes[1]));
    return pair ? quint16(static_cast<unsigned char>(bytes[0]) << 8 |
                          static_cast<unsigned char>(bytes[1]))
                : kNoPair;
}

std::optional<QString> decodeByTable(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    QString text(n, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    char16_t* table = pairTable();
    qsizetype k = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] < 0x80) {
            out[k++] = p[i];
            continue;
        }
        if (!isLeadByte(p[i]) || i + 1 == n || !isTrailByte(p[i + 1])) return std::nullopt;
        char16_t& c = table[size_t(p[i] - 0x81) * kTrails + size_t(p[i + 1] - 0x40)];
        if (c == 0) c = lookUpPair(p[i], p[i + 1]);
        if (c == kNoChar) return std::nullopt;
        out[k++] = c;
        ++i;
    }
    text.truncate(k);
    return text;
}

std::optional<QByteArray> encodeByTable(QStringView text) {
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    char* out = bytes.data();
    quint16* table = codeTable();
    qsizetype k = 0;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80) {
            out[k++] = char(u);
            continue;
        }
        if (ch.isSurrogate()) return std::nullopt;
        quint16& code = table[u];
        if (code == 0) code = lookUpCode(u);
        if (code == kNoPair) return std::nullopt;
        out[k++] = char(code >> 8);
        out[k++] = char(code & 0xFF);
    }
    bytes.truncate(k);
    return bytes;
}

// Qt was built with the code page (checked once: a converter reset costs a call into ICU).
bool codePageAvailable() {
    static const bool available = QStringDecoder(kCodePage).isValid();
    return available;
}

// Encodes a whole text; nullopt when some character is not in the code page.
std::optional<QByteArray> encodeWhole(QStringView text) {
    if (codePageAvailable())
        if (auto bytes = encodeByTable(text)) return bytes;
    QStringEncoder& encoder = sharedEncoder();
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) return std::nullopt;
    return bytes;
}

// Encodes one character (one or two UTF-16 units); an unmappable one becomes "?".
QByteArray encodeOne(QStringView character) {
    QStringEncoder& encoder = sharedEncoder();
    QByteArray bytes = encoder.encode(character);
    if (encoder.hasError() || bytes.isEmpty()) return QByteArray("?");
    return bytes;
}

// Splits a text into characters, keeping surrogate pairs together.
template <typename F> void forEachCharacter(const QString& text, F&& f) {
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype len = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            len = 2;
        if (!f(QStringView(text).mid(i, len))) return;
        i += len;
    }
}

bool isAscii(QStringView character) {
    return character.size() == 1 && character.at(0).unicode() < 0x80;
}

} // namespace

namespace Ansi {

QByteArray encode(const QString& text) {
    if (auto whole = encodeWhole(text)) return *whole;
    QByteArray out;
    out.reserve(text.size() * 2);
    forEachCharacter(text, [&](QStringView c) {
        if (isAscii(c))
            out.append(char(c.at(0).unicode()));
        else
            out.append(encodeOne(c));
        return true;
    });
    return out;
}

QString decode(QByteArrayView bytes) {
    if (!codePageAvailable()) return QString::fromLatin1(bytes);
    if (auto text = decodeByTable(bytes)) return *text;
    QStringDecoder& decoder = sharedDecoder();
    QString text = decoder.decode(bytes);
    // A lead byte cut off at the end of a field must still show as something.
    if (!bytes.isEmpty()) {
        const auto last = static_cast<unsigned char>(bytes.back());
        if (last >= 0x81 && last <= 0xFE) {
            // Count the lead bytes of the trailing run: an odd run ends with a lone lead byte.
            qsizetype i = bytes.size() - 1;
            qsizetype run = 0;
            while (i >= 0 && static_cast<unsigned char>(bytes[i]) >= 0x81 &&
                   static_cast<unsigned char>(bytes[i]) <= 0xFE) {
                ++run;
                --i;
            }
            if (run % 2 == 1) {
                text = sharedDecoder().decode(bytes.first(bytes.size() - 1));
                text.append(QChar::ReplacementCharacter);
            }
        }
    }
    return text;
}

bool hasWholePairs(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] < 0x80) continue;
        if (!isLeadByte(p[i]) || i + 1 == n || !isTrailByte(p[i + 1])) return false;
        ++i;
    }
    return true;
}

bool encodesBack(QByteArrayView bytes) {
    if (!codePageAvailable()) return false;
    // Per pair: 0 not looked up yet, 1 its character encodes back to it, 2 not.
    thread_local std::vector<quint8> known(size_t(0xFE - 0x81 + 1) * kTrails, 0);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] < 0x80) continue;
        if (!isLeadByte(p[i]) || i + 1 == n || !isTrailByte(p[i + 1])) return false;
        quint8& state = known[size_t(p[i] - 0x81) * kTrails + size_t(p[i + 1] - 0x40)];
        if (state == 0) {
            const char pair[2] = {char(p[i]), char(p[i + 1])};
            const std::optional<QString> text = decodeByTable(QByteArrayView(pair, 2));
            state = text && encodeByTable(*text) == QByteArrayView(pair, 2) ? 1 : 2;
        }
        if (state != 1) return false;
        ++i;
    }
    return true;
}

int byteLength(const QString& text) {
    if (auto whole = encodeWhole(text)) return int(whole->size());
    int n = 0;
    forEachCharacter(text, [&](QStringView c) {
        n += isAscii(c) ? 1 : int(encodeOne(c).size());
        return true;
    });
    return n;
}

QString cutToBytes(const QString& text, int maxBytes) {
    if (text.size() * 2 <= maxBytes) return text; // no character takes more than two bytes
    if (auto whole = encodeWhole(text); whole && whole->size() <= maxBytes) return text;
    QString out;
    int n = 0;
    forEachCharacter(text, [&](QStringView c) {
        const int len = isAscii(c) ? 1 : int(encodeOne(c).size());
        if (n + len > maxBytes) return false;
        n += len;
        out.append(c);
        return true;
    });
    return out;
}

bool isEncodable(const QString& text) {
    return encodeWhole(text).has_value();
}

int charCode(const QString& oneCharacter) {
    if (oneCharacter.isEmpty()) return 0;
    qsizetype len = 1;
    if (oneCharacter.at(0).isHighSurrogate() && oneCharacter.size() > 1) len = 2;
    const QByteArray bytes = encodeOne(QStringView(oneCharacter).first(len));
    if (bytes.size() == 1) return static_cast<unsigned char>(bytes[0]);
    return static_cast<unsigned char>(bytes[0]) * 256 + static_cast<unsigned char>(bytes[1]);
}

QByteArray fixedField(const QString& text, int n) {
    QByteArray bytes = encode(cutToBytes(text, n));
    if (bytes.size() < n) bytes.append(QByteArray(n - bytes.size(), ' '));
    return bytes;
}

} // namespace Ansi
