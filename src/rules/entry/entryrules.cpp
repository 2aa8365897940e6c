#include "rules/entry/entryrules.h"

#include "platform/codec.h"
#include "platform/runtime.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace EntryRules {

bool isEntryDate(const QDate& date) {
    return date >= FirstEntryDate() && date <= LastEntryDate();
}

std::optional<double> typedNumber(const QString& text) {
    if (!Runtime::isNumeric(text)) return std::nullopt;
    QString plain;
    plain.reserve(text.size());
    for (const QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u',') continue;
        plain.append(c == u'd' || c == u'D' ? QChar(u'e') : c);
    }
    bool ok = false;
    const double v = plain.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<double> amountHundredths(double v, double r) {
    const double c = v >= 0 ? 0.1 : -0.1;
    const double t = std::trunc(v * r * 100 + c);
    if (!std::isfinite(t) || std::fabs(t) > MaxHundredths) return std::nullopt;
    return t == 0 ? 0.0 : t;
}

std::optional<double> typedHundredths(const QString& text, double rate) {
    const auto v = typedNumber(text);
    if (!v) return std::nullopt; // numeric, yet beyond what a double holds
    return amountHundredths(*v, rate);
}

QString amountRangeMessage() {
    const QString limit = QLocale(QLocale::English).toString(qlonglong(MaxHundredths / 100));
    return QStringLiteral("金額超出範圍，記錄的金額必須在 -") + limit + QStringLiteral(" 到 ") +
           limit + QStringLiteral(" 之間");
}

QString numberText(double v) {
    if (v == 0) return QStringLiteral("0");
    return QString::number(v, 'g', 15);
}

double rateOf(const QString& rateText) {
    return Runtime::leadingNumber(rateText);
}

QString withRateLine(const QString& note, const QString& amountText, const QString& rateText) {
    return QStringLiteral("金額") + amountText + QStringLiteral(" 匯率") + rateText +
           QStringLiteral("\r\n") + note;
}

QString withoutFinalCrLf(const QString& note) {
    if (note.endsWith(QLatin1String("\r\n"))) return note.left(note.size() - 2);
    return note;
}

void splitNote(const QString& note, EntryNote& target, QString& noteRow) {
    target.Note.set(note);
    noteRow = Ledger::noteRowFor(note);
}

void splitInvoice(const QString& invoice, EntryInvoice& digits, EntryStyle& letters) {
    if (invoice.size() == 10) {
        letters.InvoiceLetters.set(invoice.left(2));
        digits.InvoiceDigits.set(invoice.right(8));
    } else {
        letters.InvoiceLetters.set(QString());
        digits.InvoiceDigits.set(invoice);
    }
}

void setReminder(EntryNote& note, Reminder reminder, int days) {
    switch (reminder) {
    case Reminder::None:
        note.RemindOn = 0;
        note.RemindDays = 0;
        break;
    case Reminder::SameDay:
        note.RemindOn = -1;
        note.RemindDays = 0;
        break;
    case Reminder::DaysBefore:
        note.RemindOn = -1;
        note.RemindDays = qint16(days);
        break;
    }
}

QString correctedRemindDays(const QString& text) {
    const auto v = typedNumber(text);
    if (!v || *v < 1) return QStringLiteral("1");
    if (*v > 32767) return QStringLiteral("32767");
    return text;
}

int remindDaysOf(const QString& correctedText) {
    const double v = typedNumber(correctedText).value_or(1);
    return std::clamp(int(Runtime::roundHalfEven(v)), 1, 32767);
}

QString shownNote(const Ledger& ledger, int i) {
    const QString row = Runtime::trimBlanks(ledger.noteRow(i));
    return row.isEmpty() ? ledger.EntryNotes[size_t(i)].Note.trimmed() : row;
}

} // namespace EntryRules
