#include "platform/runtime.h"

#include <QRegularExpression>
#include <cmath>

namespace Runtime {

namespace {
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
} // namespace

bool isNumeric(const QString& text) {
    // Blanks around, a sign, digits (grouped with "," anywhere between digits), a point,
    // an exponent; at least one digit in the mantissa.
    static const QRegularExpression number(QStringLiteral(
        R"(^[ \t]*[+-]?[ \t]*(?:\d[\d,]*(?:\.\d*)?|\.\d+)(?:[eEdD][+-]?\d+)?[ \t]*$)"));
    if (!number.match(text).hasMatch()) return false;
    // A grouping comma must sit between digits of the integer part.
    const qsizetype comma = text.indexOf(u',');
    if (comma >= 0) {
        const QString t = text.trimmed();
        static const QRegularExpression grouped(
            QStringLiteral(R"(^[+-]?[ \t]*\d+(?:,\d+)*(?:\.|[eEdD]|$))"));
        if (!grouped.match(t).hasMatch()) return false;
    }
    return true;
}

double leadingNumber(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text.at(i)))
        ++i;
    QString digits;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-')) digits.append(text.at(i++));
    bool any = false;
    while (i < n && text.at(i).isDigit() && text.at(i).unicode() < 0x80) {
        digits.append(text.at(i++));
        any = true;
    }
    if (i < n && text.at(i) == u'.') {
        digits.append(u'.');
        ++i;
        while (i < n && text.at(i).unicode() < 0x80 && text.at(i).isDigit()) {
            digits.append(text.at(i++));
            any = true;
        }
    }
    if (!any) return 0;
    if (i < n && (text.at(i) == u'e' || text.at(i) == u'E')) {
        qsizetype j = i + 1;
        QString exp = QStringLiteral("e");
        if (j < n && (text.at(j) == u'+' || text.at(j) == u'-')) exp.append(text.at(j++));
        bool expDigits = false;
        while (j < n && text.at(j).unicode() < 0x80 && text.at(j).isDigit()) {
            exp.append(text.at(j++));
            expDigits = true;
        }
        if (expDigits) digits.append(exp);
    }
    bool ok = false;
    const double v = digits.toDouble(&ok);
    return ok ? v : 0;
}

std::optional<QDate> parseDate(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*(\d{4})([/-])(\d{1,2})\2(\d{1,2})\s*$)"));
    const auto m = pattern.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const QDate date(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
    if (!date.isValid()) return std::nullopt;
    return date;
}

bool isDate(const QString& text) {
    return parseDate(text).has_value();
}

QString dateText(const QDate& date) {
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

double roundHalfEven(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    // Values that are a hair off an exact half because of binary fractions count as halves.
    const double floorPart = std::floor(scaled);
    const double diff = scaled - floorPart;
    double result;
    if (std::fabs(diff - 0.5) < 1e-9 * std::max(1.0, std::fabs(scaled)))
        result = std::fmod(floorPart, 2.0) == 0.0 ? floorPart : floorPart + 1.0;
    else
        result = std::round(scaled);
    return result / scale;
}

int weekday(const QDate& date) {
    return date.dayOfWeek() % 7;
}

std::optional<bool> toBool(const QString& text) {
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
    if (isNumeric(t)) {
        QString plain = t;
        plain.remove(u',');
        bool ok = false;
        const double v = plain.toDouble(&ok);
        if (ok) return v != 0.0;
    }
    return std::nullopt;
}

QString boolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

int twipsToPixels(int twips) {
    return twips / 15;
}

int pixelsToTwips(int pixels) {
    return pixels * 15;
}

std::optional<int> wholeNumber(const QString& text) {
    const QString digits = trimBlanks(text);
    if (digits.isEmpty() || digits.size() > 9) return std::nullopt;
    for (const QChar c : digits)
        if (c < u'0' || c > u'9') return std::nullopt;
    return digits.toInt();
}

QString trimBlanks(const QString& text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) == u' ')
        ++from;
    while (to > from && text.at(to - 1) == u' ')
        --to;
    return text.mid(from, to - from);
}

} // namespace Runtime
