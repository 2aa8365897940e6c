#include "platform/iniformat.h"
#include "platform/ininames.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

#include <algorithm>
#include <iterator>
#include <utility>

namespace IniFormat {
namespace {

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
QString fromAtForm(const QString& s, bool& valid) {
    valid = true;
    if (!s.startsWith(u'@')) return s;
    if (s.endsWith(u')')) {
        if (s.startsWith(QLatin1String("@ByteArray("))) return s.sliced(11).chopped(1);
        if (s.startsWith(QLatin1String("@String("))) return s.sliced(8).chopped(1);
        if (s == QLatin1String("@Invalid()")) {
            valid = false;
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

// What becomes of lone surrogates in a written text.
enum class LoneSurrogates {
    AsQSettings, // a text the program stores is written as QSettings writes it
    Escaped,     // a text read from the file is written so that it reads back the same
};

// A string as QSettings writes it, "@" forms left as they are: escapes for control
// characters, quotes around separators and around blanks at the ends, the rest in UTF-8
// through one encoder, as QSettings encodes it (a surrogate pair split by an escape stays one
// character; a lone surrogate becomes U+FFFD, or nothing at the end). A reader takes a U+FEFF
// before the first UTF-8 byte of a value (`started` false) for a byte-order mark and drops
// it: written there, it is escaped, so that it reads back.
void escapeString(QStringView s, QByteArray& out, bool& started, LoneSurrogates lone) {
    const qsizetype start = out.size();
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    QStringEncoder utf8(QStringEncoder::Utf8);
    qsizetype run = 0; // the plain characters from here on go out together
    const auto flush = [&](qsizetype end) {
        if (end > run) {
            const qsizetype at = out.size();
            out.resize(at + utf8.requiredSpace(end - run));
            const char* last = utf8.appendToBuffer(out.data() + at, s.sliced(run, end - run));
            out.truncate(last - out.constData());
            started = started || out.size() > at;
        }
    };
    const auto hexEscape = [&](char16_t ch) {
        out += "\\x" + QByteArray::number(int(ch), 16);
        escapeNextIfDigit = true;
    };
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t ch = s[i].unicode();
        if (ch == ';' || ch == ',' || ch == '=') needsQuotes = true;
        if (escapeNextIfDigit && ch < 0x80 && hexValue(char(ch)) != -1) {
            flush(i);
            run = i + 1;
            hexEscape(ch);
            continue;
        }
        escapeNextIfDigit = false;
        const auto code = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                       [ch](const char* e) { return char16_t(e[1]) == ch; });
        if (ch == 0) {
            flush(i);
            out += "\\0";
            escapeNextIfDigit = true;
        } else if (code != std::end(kEscapes)) {
            flush(i);
            out += '\\';
            out += (*code)[0];
        } else if (ch <= 0x1F) {
            flush(i);
            hexEscape(ch);
        } else if (ch == 0xFEFF && !started) {
            flush(i);
            // After a surrogate still waiting in the encoder, the mark follows U+FFFD.
            const QByteArray bytes = utf8(s.sliced(i, 1));
            if (bytes == "\xef\xbb\xbf") {
                hexEscape(ch);
            } else {
                out += bytes;
                started = true;
            }
        } else if (lone == LoneSurrogates::Escaped && QChar::isSurrogate(ch)) {
            if (QChar::isHighSurrogate(ch) && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
                ++i; // a pair, plain
                continue;
            }
            flush(i);
            hexEscape(ch);
        } else {
            continue; // plain
        }
        run = i + 1;
    }
    flush(s.size());
    if (needsQuotes || (start < out.size() && (out.at(start) == ' ' || out.back() == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

// A text the program stores, in the "@" forms of QSettings.
void escapeText(const QString& text, QByteArray& out) {
    bool started = false;
    const auto lone = LoneSurrogates::AsQSettings;
    if (text.contains(QChar(0)))
        escapeString(QString(QLatin1String("@String(") + text + u')'), out, started, lone);
    else if (text.startsWith(u'@'))
        escapeString(QString(u'@' + text), out, started, lone);
    else
        escapeString(text, out, started, lone);
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

// The value written anew so that it reads back the same.
QByteArray writtenAnew(const Value& v) {
    QByteArray out;
    bool started = false; // the items of a list are one UTF-8 stream
    if (!v.isList) {
        escapeString(v.text, out, started, LoneSurrogates::Escaped);
        return out;
    }
    for (qsizetype i = 0; i < v.list.size(); ++i) {
        if (i > 0) out += ", ";
        escapeString(v.list[i], out, started, LoneSurrogates::Escaped);
    }
    return out;
}

// Every line of the file with a value, in file order (a key given twice comes twice):
// `take(section, serial, name, raw, cut)` with the section's name ("name/", or empty for the
// keys outside any section), a number that changes with each section line, the key's name as
// the line writes it, its value's text, and whether the end of the file ended the line.
template <typename Take> void forEachValueLine(QByteArrayView file, Take&& take) {
    if (file.startsWith("\xef\xbb\xbf")) file = file.sliced(3);
    QString section;
    int serial = 0;
    qsizetype pos = 0, start = 0, length = 0, equals = -1;
    while (readLine(file, pos, start, length, equals)) {
        const QByteArrayView line = file.sliced(start, length);
        if (line.startsWith('[')) {
            ++serial;
            qsizetype close = line.indexOf(']');
            if (close < 0) close = length;
            const QByteArrayView name = line.first(close).sliced(1).trimmed();
            section.clear();
            if (name.compare("general", Qt::CaseInsensitive) == 0) continue;
            if (name.compare("%general", Qt::CaseInsensitive) == 0)
                section = QString::fromLatin1(name.sliced(1));
            else
                appendKey(name, section);
            section += u'/';
            continue;
        }
        if (equals == -1) continue; // a comment or a line without a value
        const qsizetype eq = equals - start;
        take(std::as_const(section), serial, line.first(eq).trimmed(), line.sliced(eq + 1),
             pos >= file.size());
    }
}

// Whether a value's text, written on a line of its own with another line after it, gives
// that value and leaves the next line alone. A file cut inside a quote, or a line ending in
// a backslash before a line end that is not ours, does not: written back as it stood, it
// would swallow the lines after it.
bool standsAlone(QByteArrayView raw, const Value& v) {
    const QByteArray probe = "k=" + raw.toByteArray() + "\nz=1\n";
    std::vector<std::pair<QString, Value>> read;
    forEachValueLine(probe,
                     [&](const QString& section, int, QByteArrayView name, QByteArrayView value,
                         bool) { read.emplace_back(keyOf(section, name), valueOf(value)); });
    return read.size() == 2 && read[0].first == u"k" && read[0].second == v &&
           read[1].first == u"z" && read[1].second == Value{false, QStringLiteral("1"), {}};
}

// A value's text written anew, or nullopt where the text of the file stands alone.
std::optional<QByteArray> rewritten(QByteArrayView raw, bool cut) {
    // A line that a line end closed is closed as well by ours, unless it ends in an escaped
    // CR, which would take our LF with it; without quotes, escapes or line breaks a value
    // ends where its line ends.
    if (!cut && !raw.endsWith('\r')) return std::nullopt;
    if (std::none_of(raw.begin(), raw.end(),
                     [](char c) { return c == '"' || c == '\\' || c == '\n' || c == '\r'; }))
        return std::nullopt;
    const Value v = valueOf(raw);
    if (standsAlone(raw, v)) return std::nullopt;
    return writtenAnew(v);
}

} // namespace

std::optional<QString> textOf(const Entry& entry) {
    Value v = valueOf(entry.raw);
    if (v.isList) {
        // As QSettings: an item with an "@" form makes a list of values of other types,
        // which has no text; otherwise "@@" stands for "@".
        const bool typed = std::any_of(v.list.begin(), v.list.end(), [](const QString& item) {
            return item.startsWith(u'@') && !item.startsWith(QLatin1String("@@"));
        });
        if (typed) return QString();
        for (QString& item : v.list)
            if (item.startsWith(QLatin1String("@@"))) item.remove(0, 1);
        return v.list.join(QStringLiteral(", "));
    }
    bool valid = true;
    QString text = fromAtForm(v.text, valid);
    if (!valid) return std::nullopt;
    return text;
}

Entries parse(const QByteArray& file) {
    Entries entries;
    entries.m_file = file;
    const char* const base = file.constData();
    // The lines of a damaged file may all name one key: a line that names the key of the
    // line before takes its record.
    int lastSerial = -1;
    QByteArrayView lastName;
    int sectionSerial = -1;
    qint32 section = 0;
    qint32 sectionGroup = -1;
    forEachValueLine(file, [&](const QString& prefix, int serial, QByteArrayView name,
                               QByteArrayView raw, bool cut) {
        if (serial != sectionSerial) {
            section = entries.sectionOf(prefix);
            sectionGroup = prefix.isEmpty() ? -1 : entries.groupFor(groupOf(prefix));
            sectionSerial = serial;
        }
        const bool again = serial == lastSerial && name == lastName;
        Entries::Record r = again ? entries.m_records.back() : Entries::Record();
        r.section = section;
        r.name = name.data() - base;
        r.nameLength = name.size();
        r.raw = raw.data() - base;
        r.rawLength = raw.size();
        if (std::optional<QByteArray> anew = rewritten(raw, cut))
            entries.own(r, {IniFormat::keyOf(prefix, name), *anew, prefix.size()});
        else
            r.own = -1;
        if (again) {
            entries.m_records.back() = r;
            return;
        }
        qint32 g = sectionGroup;
        if (g < 0) {
            // Outside any section a key's name may hold its group.
            const bool flat = std::none_of(
                name.begin(), name.end(), [](char c) { return c == '/' || c == '\\' || c == '%'; });
            g = entries.groupFor(flat ? QStringView() : groupOf(IniFormat::keyOf(prefix, name)));
        }
        entries.link(g, r);
        lastSerial = serial;
        lastName = name;
    });
    return entries;
}

Entry entry(const QString& key, const QString& text) {
    Entry e;
    e.key = key;
    e.sectionLength = key.indexOf(u'/') + 1;
    escapeText(text, e.raw);
    return e;
}

QByteArray write(const Entries& entries) {
    // A key given twice is taken once.
    for (qint32 g = 0; g < qint32(entries.m_groups.size()); ++g)
        entries.indexed(g);
    const std::vector<Entries::Record>& records = entries.m_records;
    // The sections in order of their first entries, each with its entries in order.
    std::vector<qint32> rank(entries.m_sections.size(), -1);
    std::vector<qint32> order;
    std::vector<size_t> count;
    qsizetype size = 0;
    for (const Entries::Record& r : records) {
        if (r.section < 0) continue;
        if (rank[r.section] < 0) {
            rank[r.section] = qint32(order.size());
            order.push_back(r.section);
            count.push_back(0);
        }
        ++count[rank[r.section]];
        size += r.own >= 0 ? entries.m_own[r.own].key.size() + entries.m_own[r.own].raw.size()
                           : r.nameLength + r.rawLength;
    }
    std::vector<size_t> next(order.size() + 1, 0);
    for (size_t i = 0; i < order.size(); ++i)
        next[i + 1] = next[i] + count[i];
    std::vector<const Entries::Record*> sorted(next.back());
    for (const Entries::Record& r : records)
        if (r.section >= 0) sorted[next[rank[r.section]]++] = &r;

    QByteArray out;
    out.reserve(size + 2 * qsizetype(sorted.size()) + 16 * qsizetype(order.size()));
    size_t at = 0;
    for (size_t s = 0; s < order.size(); ++s) {
        const QString& section = entries.m_sections[order[s]];
        if (!out.isEmpty()) out += '\n';
        QByteArray name;
        if (section.isEmpty()) {
            name = "General";
        } else {
            escapeKey(QStringView(section).chopped(1), name);
            // "[General]" holds the keys outside any section; a section of that name is
            // marked, keeping its case.
            if (name.compare("general", Qt::CaseInsensitive) == 0) name.prepend('%');
        }
        out += '[' + name + "]\n";
        for (const size_t end = at + count[s]; at < end; ++at) {
            const Entries::Record& r = *sorted[at];
            if (r.own < 0 && isPlainName(entries.nameOf(r)))
                out += entries.nameOf(r);
            else
                escapeKey(QStringView(entries.keyOf(r)).sliced(section.size()), out);
            // A key ending in "/" ends in a backslash, which would take the "=" for a character of
            // the key; the blank after it is trimmed off on reading.
            if (out.endsWith('\\')) out += ' ';
            out += '=';
            out += entries.rawOf(r);
            out += '\n';
        }
    }
    return out;
}

} // namespace IniFormat
