#include "platform/ininames.h"

#include <algorithm>

namespace IniFormat {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

} // namespace

void appendKey(QByteArrayView key, QString& result) {
    // Most names are plain ASCII, read as they stand.
    if (std::none_of(key.begin(), key.end(),
                     [](char c) { return c == '%' || c == '\\' || uchar(c) >= 0x80; })) {
        result += QLatin1StringView(key);
        return;
    }
    const QString decoded = QString::fromUtf8(key);
    const qsizetype size = decoded.size();
    qsizetype i = 0;
    while (i < size) {
        const QChar ch = decoded[i];
        if (ch == u'\\') {
            result += u'/';
            ++i;
            continue;
        }
        if (ch != u'%' || i == size - 1) {
            result += ch;
            ++i;
            continue;
        }
        qsizetype first = i + 1;
        int digits = 2;
        if (decoded[i + 1] == u'U') {
            ++first;
            digits = 4;
        }
        bool ok = false;
        const ushort code = first + digits > size
                                ? 0
                                : QStringView(decoded).sliced(first, digits).toUShort(&ok, 16);
        if (!ok) {
            result += u'%';
            ++i;
            continue;
        }
        result += QChar(code);
        i = first + digits;
    }
}

QString keyOf(const QString& section, QByteArrayView name) {
    QString key;
    key.reserve(section.size() + name.size());
    key += section;
    appendKey(name, key);
    return key;
}

void escapeKey(QStringView key, QByteArray& out) {
    for (const QChar qc : key) {
        const ushort ch = qc.unicode();
        if (ch == '/') {
            out += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                   (ch >= '0' && ch <= '9') || ch == '_' || ch == '-' || ch == '.') {
            out += char(ch);
        } else if (ch <= 0xFF) {
            out += '%';
            out += kHex[ch / 16];
            out += kHex[ch % 16];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += kHex[(ch >> shift) & 0xF];
        }
    }
}

QStringView groupOf(QStringView key) {
    return key.first(key.indexOf(u'/') + 1);
}

bool isPlainName(QByteArrayView name) {
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-' || c == '.';
    });
}

} // namespace IniFormat
