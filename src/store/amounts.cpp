#include "store/amounts.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "platform/codec.h"
#include "platform/runtime.h"

#include <QVarLengthArray>

QString TrimFixed(const QString& text) {
    QString t = text;
    t.remove(QChar(u'\0'));
    qsizetype end = t.size();
    while (end > 0 && t.at(end - 1) == QLatin1Char(' '))
        --end;
    t.truncate(end);
    return t;
}

QString TrimFixedBytes(QByteArrayView bytes) {
    // A NUL or a blank is one byte that is never part of a two-byte character: the padding at
    // the end goes before decoding (the bytes before it decode alike without it), which saves
    // a copy of the text. NULs inside the text go too when the bytes are whole characters.
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    qsizetype end = bytes.size(); // after the last byte that is neither NUL nor blank
    // Eight bytes at a time while all are NULs or blanks (each byte 0x00 or 0x20).
    for (quint64 word; end >= 8; end -= 8) {
        std::memcpy(&word, p + end - 8, 8);
        if (word & ~quint64(0x2020202020202020)) break;
    }
    while (end > 0 && (p[end - 1] == 0 || p[end - 1] == ' '))
        --end;
    QString text;
    // An empty field may have no bytes at all (a null pointer), which memchr must not see.
    if (end == 0 || !std::memchr(p, 0, size_t(end))) {
        text = Ansi::decode(bytes.first(end));
    } else {
        if (!Ansi::hasWholePairs(bytes.first(end))) return TrimFixed(Ansi::decode(bytes));
        QVarLengthArray<char, 128> kept;
        for (qsizetype i = 0; i < end; ++i)
            if (p[i] != 0) kept.append(char(p[i]));
        text = Ansi::decode(QByteArrayView(kept.data(), kept.size()));
    }
    // Only a character that decodes to a NUL or a blank would be left; none is known.
    return text.contains(QChar(u'\0')) || text.endsWith(u' ') ? TrimFixed(text) : text;
}

void SwapVariants(TaggedNumber& a, TaggedNumber& b) {
    std::swap(a, b);
}

QString FormatAmount(double hundredths, const Session& session) {
    const bool decimals = session.DotState == QLatin1String("1");
    QString sign;
    double v = hundredths;
    if (v < 0) {
        sign = QStringLiteral("-");
        v = -v;
    }
    if (v == 0)
        return session.DotState == QLatin1String("0") ? QStringLiteral("0")
                                                      : QStringLiteral("0.00");

    const QString digits = QString::number(v, 'f', 0);
    const QString cents = digits.size() == 1 ? QLatin1Char('0') + digits : digits.right(2);
    const QString whole = digits.size() <= 2 ? QStringLiteral("0") : digits.left(digits.size() - 2);

    QString t;
    if (whole.size() < 3 || session.Setting.MoneyState == QLatin1String("0")) {
        t = whole;
    } else {
        const qsizetype lead = whole.size() % 3 == 0 ? 3 : whole.size() % 3;
        t = whole.left(lead);
        for (qsizetype p = lead; p < whole.size(); p += 3)
            t += QLatin1Char(',') + whole.mid(p, 3);
    }
    if (decimals) t += QLatin1Char('.') + cents;
    return sign + t;
}

QString FormatAmount(const TaggedNumber& amount, const Session& session) {
    return FormatAmount(amount.value(), session);
}

double ParseAmount(QString& text, const Session& session) {
    if (session.DotState == QLatin1String("0"))
        text += QStringLiteral("00");
    else
        text.remove(QLatin1Char('.'));
    if (session.Setting.MoneyState == QLatin1String("1")) text.remove(QLatin1Char(','));
    // Blanks, tabs and line feeds are skipped wherever they stand while reading the number;
    // the caller's text keeps them.
    QString reading = text;
    reading.remove(QLatin1Char(' '));
    reading.remove(QLatin1Char('\t'));
    reading.remove(QLatin1Char('\n'));
    return Runtime::leadingNumber(reading);
}

double HundredthsFromTyped(double value) {
    return value >= 0 ? std::trunc(value * 100 + 0.1) : std::trunc(value * 100 - 0.1);
}

double WholeUnitsAmount(double hundredths) {
    return std::trunc(hundredths / 100.0) * 100.0;
}

int FindAccountIndex(const Ledger& ledger, const QString& name) {
    // Compared as bytes: NUL and blank are never cp950 trail bytes, so cutting at the first
    // NUL and dropping trailing blanks on the bytes gives the same name as on the text.
    if (!Ansi::isEncodable(name)) return 0;
    const QByteArray wanted = Ansi::encode(name);
    for (int i = 1; i < ledger.AccountCount; ++i) {
        if (AccountNameKey(ledger.Accounts[size_t(i)]) == wanted) return i;
    }
    return 0;
}

QByteArrayView AccountNameKey(const AccountRecord& account) {
    const char* p = account.Name.data();
    const void* nul = std::memchr(p, '\0', 32);
    qsizetype len = nul ? static_cast<const char*>(nul) - p : 32;
    while (len > 0 && p[len - 1] == ' ')
        --len;
    return QByteArrayView(p, len);
}

QString FirstLine(const QString& text) {
    const qsizetype p = text.indexOf(QStringLiteral("\r\n"));
    return p < 0 ? text : text.left(p);
}

void DoNothing() {}
