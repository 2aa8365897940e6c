#include "platform/codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

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

// Encodes a whole text; nullopt when some character is not in the code page.
std::optional<QByteArray> encodeWhole(QStringView text) {
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
    QStringDecoder& decoder = sharedDecoder();
    if (!decoder.isValid()) return QString::fromLatin1(bytes);
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
        if (p[i] == 0x80 || p[i] == 0xFF || i + 1 == n) return false;
        const unsigned char trail = p[++i];
        if (!((trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE))) return false;
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
