#include "platform/iniformat.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <iterator>

namespace IniFormat {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

// The C escapes of values: written for these characters; read, with "\?" and "\'" too.
constexpr char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'}, {'r', '\r'},
                                {'t', '\t'}, {'v', '\v'}, {'"', '"'},  {'\\', '\\'}};

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isSpecial(char c) {
    return c == '\n' || c == '\r' || c == '"' || c == ';' || c == '=' || c == '\\';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

int octValue(char c) {
    return c >= '0' && c <= '7' ? c - '0' : -1;
}

// One logical line from `pos`: leading blanks, comment lines and empty lines are skipped; a
// line goes on over quoted line breaks and escaped ones. False at the end of the data.
bool readLine(QByteArrayView data, qsizetype& pos, qsizetype& start, qsizetype& length,
              qsizetype& equals) {
    const qsizetype size = data.size();
    bool inQuotes = false;
    equals = -1;
    start = pos;
    while (start < size && isSpace(data[start]))
        ++start;
    qsizetype i = start;
    while (i < size) {
        char ch = data[i];
        if (!isSpecial(ch)) {
            ++i;
            continue;
        }
        ++i;
        if (ch == '=') {
            if (!inQuotes && equals == -1) equals = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            if (i < size) {
                const char escaped = data[i++];
                if (i < size) {
                    const char next = data[i];
                    if ((escaped == '\n' && next == '\r') || (escaped == '\r' && next == '\n')) ++i;
                }
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else { // ';'
            if (i == start + 1) {
                while (i < size && (ch = data[i]) != '\n' && ch != '\r')
                    ++i;
                while (i < size && isSpace(data[i]))
                    ++i;
                start = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    pos = i;
    length = i - start;
    return length > 0;
}

// "\" is the path separator of keys, "%XX" and "%UXXXX" escape every other character.
QString unescapeKey(QByteArrayView key) {
    const QString decoded = QString::fromUtf8(key);
    const qsizetype size = decoded.size();
    QString result;
    result.reserve(size);
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
    return result;
}

void escapeKey(const QString& key, QByteArray& out) {
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

void chopTrailingBlanks(QString& s, qsizetype limit) {
    while (s.size() > limit && (s.back() == u' ' || s.back() == u'\t'))
        s.chop(1);
}

// A value: C-like escapes, quoted parts, and commas outside quotes that make it a list.
// True when it is a list (then in `list`), else the text is in `text`.
bool unescapeValue(QByteArrayView str, QString& text, QStringList& list) {
    // The plain runs between escapes, quotes and commas are one UTF-8 stream, as QSettings
    // reads them: a character may be split by an escape, a byte-order mark counts only at the
    // very start, and a character cut off at the end gives nothing.
    QStringDecoder utf8(QStringDecoder::Utf8);
    bool isList = false;
    bool inQuotes = false;
    bool quoted = false;
    const qsizetype size = str.size();
    qsizetype i = 0;
    bool skipBlanks = true;
    qsizetype chopLimit = 0;
    while (true) {
        if (skipBlanks) {
            while (i < size && (str[i] == ' ' || str[i] == '\t'))
                ++i;
            skipBlanks = false;
            chopLimit = text.size();
        }
        if (i >= size) break;
        const char c = str[i];
        if (c == '\\') {
            ++i;
            if (i >= size) {
                chopLimit = text.size(); // a last lone backslash keeps the blanks before it
                break;
            }
            const char ch = str[i++];
            const auto code = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                           [ch](const char* e) { return e[0] == ch; });
            if (code != std::end(kEscapes) || ch == '?' || ch == '\'') {
                text += QLatin1Char(code != std::end(kEscapes) ? (*code)[1] : ch);
                chopLimit = text.size();
                continue;
            }
            if (ch == 'x' || octValue(ch) != -1) {
                const bool hex = ch == 'x';
                char16_t value = hex ? 0 : char16_t(octValue(ch));
                if (hex && (i >= size || hexValue(str[i]) == -1)) {
                    chopLimit = text.size();
                    continue;
                }
                for (int d; i < size && (d = hex ? hexValue(str[i]) : octValue(str[i])) != -1; ++i)
                    value = char16_t((value << (hex ? 4 : 3)) + d);
                text += QChar(value);
                chopLimit = text.size();
                continue;
            }
            if ((ch == '\n' || ch == '\r') && i < size) {
                const char next = str[i];
                if ((next == '\n' || next == '\r') && next != ch) ++i;
            }
            chopLimit = text.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) skipBlanks = true;
        } else if (c == ',' && !inQuotes) {
            if (!quoted) chopTrailingBlanks(text, chopLimit);
            if (!isList) {
                isList = true;
                list.clear();
            }
            list.append(text);
            text.clear();
            quoted = false;
            ++i;
            skipBlanks = true;
        } else {
            qsizetype j = i + 1;
            while (j < size && str[j] != '\\' && str[j] != '"' && str[j] != ',')
                ++j;
            text += utf8(str.sliced(i, j - i));
            i = j;
        }
    }
    if (!quoted) chopTrailingBlanks(text, chopLimit);
    if (isList) list.append(text);
    return isList;
}

// The "@" forms of the values QSettings writes: "@@" for a text that begins with "@",
// "@String(...)" for one holding a NUL, "@Invalid()" for no value.
QString textOf(const QString& s, bool* valid = nullptr) {
    if (valid) *valid = true;
    if (!s.startsWith(u'@')) return s;
    if (s.endsWith(u')')) {
        if (s.startsWith(QLatin1String("@ByteArray("))) return s.sliced(11).chopped(1);
        if (s.startsWith(QLatin1String("@String("))) return s.sliced(8).chopped(1);
        if (s == QLatin1String("@Invalid()")) {
            if (valid) *valid = false;
            return QString();
        }
        if (s.startsWith(QLatin1String("@Variant(")) || s.startsWith(QLatin1String("@Rect(")) ||
            s.startsWith(QLatin1String("@Size(")) || s.startsWith(QLatin1String("@Point(")) ||
            s.startsWith(QLatin1String("@DateTime(")))
            return QString(); // a value of another type: no text
    }
    if (s.startsWith(QLatin1String("@@"))) return s.sliced(1);
    return s;
}

// A string as QSettings writes it, "@" forms left as they are: escapes for control
// characters, quotes around separators and around blanks at the ends.
void escapeString(const QString& s, QByteArray& out) {
    const qsizetype start = out.size();
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    QString run; // plain characters, written as UTF-8 together (surrogate pairs stay whole)
    const auto flush = [&] {
        out += run.toUtf8();
        run.clear();
    };
    for (const QChar qc : s) {
        const char16_t ch = qc.unicode();
        if (ch == ';' || ch == ',' || ch == '=') needsQuotes = true;
        if (escapeNextIfDigit && ch < 0x80 && hexValue(char(ch)) != -1) {
            flush();
            out += "\\x" + QByteArray::number(int(ch), 16);
            continue;
        }
        escapeNextIfDigit = false;
        const auto code = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                       [ch](const char* e) { return char16_t(e[1]) == ch; });
        if (ch == 0) {
            flush();
            out += "\\0";
            escapeNextIfDigit = true;
        } else if (code != std::end(kEscapes)) {
            flush();
            out += '\\';
            out += (*code)[0];
        } else if (ch <= 0x1F) {
            flush();
            out += "\\x" + QByteArray::number(int(ch), 16);
            escapeNextIfDigit = true;
        } else {
            run += qc;
        }
    }
    flush();
    if (needsQuotes || (start < out.size() && (out.at(start) == ' ' || out.back() == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

// A text the program stores, in the "@" forms of QSettings.
void escapeText(const QString& text, QByteArray& out) {
    if (text.contains(QChar(0)))
        escapeString(QLatin1String("@String(") + text + u')', out);
    else if (text.startsWith(u'@'))
        escapeString(u'@' + text, out);
    else
        escapeString(text, out);
}

// A value as the file gives it, before its "@" forms are read.
struct Value {
    bool isList = false;
    QString text;
    QStringList list;
    bool operator==(const Value&) const = default;
};

Value valueOf(QByteArrayView raw) {
    Value v;
    v.isList = unescapeValue(raw, v.text, v.list);
    if (v.isList) v.text.clear();
    return v;
}

// The value written anew, as QSettings writes it.
QByteArray rawOf(const Value& v) {
    QByteArray out;
    if (!v.isList) {
        escapeString(v.text, out);
        return out;
    }
    for (qsizetype i = 0; i < v.list.size(); ++i) {
        if (i > 0) out += ", ";
        escapeString(v.list[i], out);
    }
    return out;
}

Entry entryOf(const QString& key, qsizetype sectionLength, QByteArrayView raw, const Value& v) {
    Entry e;
    e.key = key;
    e.sectionLength = sectionLength;
    e.raw = raw.toByteArray();
    if (v.isList) {
        // As QSettings: an item with an "@" form makes a list of values of other types,
        // which has no text; otherwise "@@" stands for "@".
        const bool typed = std::any_of(v.list.begin(), v.list.end(), [](const QString& item) {
            return item.startsWith(u'@') && !item.startsWith(QLatin1String("@@"));
        });
        QStringList items = v.list;
        for (QString& item : items)
            if (item.startsWith(QLatin1String("@@"))) item.remove(0, 1);
        e.text = typed ? QString() : items.join(QStringLiteral(", "));
    } else {
        e.text = textOf(v.text, &e.valid);
    }
    return e;
}

// Every line of the file with a value, in file order (a key given twice comes twice), with
// the value each gives.
std::vector<std::pair<Entry, Value>> readEntries(QByteArrayView file) {
    if (file.startsWith("\xef\xbb\xbf")) file = file.sliced(3);
    std::vector<std::pair<Entry, Value>> entries;
    QString section; // "name/" or empty for the keys outside any section
    qsizetype pos = 0, start = 0, length = 0, equals = -1;
    while (readLine(file, pos, start, length, equals)) {
        const QByteArrayView line = file.sliced(start, length);
        if (line.startsWith('[')) {
            qsizetype close = line.indexOf(']');
            if (close < 0) close = length;
            const QByteArrayView name = line.first(close).sliced(1).trimmed();
            section.clear();
            if (name.compare("general", Qt::CaseInsensitive) == 0) continue;
            if (name.compare("%general", Qt::CaseInsensitive) == 0)
                section = QString::fromLatin1(name.sliced(1));
            else
                section = unescapeKey(name);
            section += u'/';
            continue;
        }
        if (equals == -1) continue; // a comment or a line without a value
        const qsizetype eq = equals - start;
        const QString key = section + unescapeKey(line.first(eq).trimmed());
        const QByteArrayView raw = line.sliced(eq + 1);
        Value v = valueOf(raw);
        Entry e = entryOf(key, section.size(), raw, v);
        entries.emplace_back(std::move(e), std::move(v));
    }
    return entries;
}

// Whether a value's text, written on a line of its own with another line after it, gives
// that value and leaves the next line alone. A file cut inside a quote, or a line ending in
// a backslash before a line end that is not ours, does not: written back as it stood, it
// would swallow the lines after it.
bool standsAlone(QByteArrayView raw, const Value& v) {
    const QByteArray probe = "k=" + raw.toByteArray() + "\nz=1\n";
    const auto read = readEntries(probe);
    return read.size() == 2 && read[0].first.key == u"k" && read[0].second == v &&
           read[1].first.key == u"z" && read[1].first.text == u"1";
}

} // namespace

std::vector<Entry> parse(QByteArrayView file) {
    std::vector<Entry> entries;
    QHash<QString, size_t> at;
    for (auto& [e, v] : readEntries(file)) {
        if (!standsAlone(e.raw, v)) e.raw = rawOf(v);
        const auto found = at.constFind(e.key);
        if (found != at.constEnd()) {
            entries[*found] = std::move(e);
        } else {
            at.insert(e.key, entries.size());
            entries.push_back(std::move(e));
        }
    }
    return entries;
}

Entry entry(const QString& key, const QString& text) {
    Entry e;
    e.key = key;
    e.sectionLength = key.indexOf(u'/') + 1;
    e.text = text;
    escapeText(text, e.raw);
    return e;
}

QByteArray write(const std::vector<Entry>& entries) {
    QStringList sections; // "name/", or empty for the keys outside any section
    QHash<QString, QList<const Entry*>> bySection;
    for (const Entry& e : entries) {
        const QString section = e.key.left(e.sectionLength);
        auto found = bySection.find(section);
        if (found == bySection.end()) {
            sections.append(section);
            found = bySection.insert(section, {});
        }
        found->append(&e);
    }
    QByteArray out;
    for (const QString& section : sections) {
        if (!out.isEmpty()) out += '\n';
        QByteArray name;
        if (section.isEmpty()) {
            name = "General";
        } else {
            escapeKey(section.chopped(1), name);
            // "[General]" holds the keys outside any section; a section of that name is
            // marked, keeping its case.
            if (name.compare("general", Qt::CaseInsensitive) == 0) name.prepend('%');
        }
        out += '[' + name + "]\n";
        for (const Entry* e : bySection.value(section)) {
            escapeKey(e->key.sliced(section.size()), out);
            // A key ending in "/" ends in a backslash, which would take the "=" for a character of
            // the key; the blank after it is trimmed off on reading.
            if (out.endsWith('\\')) out += ' ';
            out += '=';
            out += e->raw;
            out += '\n';
        }
    }
    return out;
}

} // namespace IniFormat
