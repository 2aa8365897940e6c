#pragma once
#include <QDate>
#include <QString>
#include <optional>

#include "store/ledger.h"

// The field rules every window that writes entries applies the same way: the amount
// rule, the exchange-rate line, the note split, the invoice split and the reminder.
namespace EntryRules {

// Largest amount, in hundredths, that is stored: beyond it a double no longer holds every
// hundredth exactly.
constexpr double MaxHundredths = 9e15;

// The dates an entry may carry: those the entry window's date field offers.
inline QDate FirstEntryDate() {
    return QDate(1753, 1, 1);
}
inline QDate LastEntryDate() {
    return QDate(9999, 12, 31);
}
bool isEntryDate(const QDate& date);

// A typed number read as a whole (sign, "," grouping, point, exponent, blanks around);
// nullopt when the text is not numeric or its value is not finite.
std::optional<double> typedNumber(const QString& text);

// The amount rule: v * r * 100 + c truncated toward zero, c = 0.1 for v >= 0 and -0.1
// otherwise (the sign of the typed amount decides). nullopt when the result is not finite
// or beyond MaxHundredths; a computed -0 is 0.
std::optional<double> amountHundredths(double v, double r);
// A typed amount text (numeric by Runtime::isNumeric) times the rate as hundredths by the
// amount rule; nullopt when the result lies beyond MaxHundredths.
std::optional<double> typedHundredths(const QString& text, double rate);
// The refusal of such an amount, naming the range in currency units.
QString amountRangeMessage();

// A number as decimal text rounded to 15 significant digits, no grouping, no trailing
// zeros ("150", "0.3", "-25.5"); a negative zero gives "0".
QString numberText(double v);

// The rate of the exchange-rate box: the number at the start of its text.
double rateOf(const QString& rateText);

// "金額" amount " 匯率" rate CR LF note.
QString withRateLine(const QString& note, const QString& amountText, const QString& rateText);
// One final CR LF removed, when there is one.
QString withoutFinalCrLf(const QString& note);

// The note the entry windows show for entry i: the note row when it holds the long note,
// else the stored note, blanks at either end of the row removed.
QString shownNote(const Ledger& ledger, int i);
// Note split: Note keeps the first 100 bytes, the note row the whole note when longer.
void splitNote(const QString& note, EntryNote& target, QString& noteRow);
// Invoice split of a trimmed invoice text: 10 characters give 2 letters and 8 digits,
// anything else goes whole into the digits.
void splitInvoice(const QString& invoice, EntryInvoice& digits, EntryStyle& letters);

enum class Reminder { None, SameDay, DaysBefore };
void setReminder(EntryNote& note, Reminder reminder, int days);

// Lead days of the reminder box after its corrections: 1 when not numeric or below 1,
// 32767 when above; returns the corrected text (the field shows it) and the whole days
// (a fraction rounded, a half to the even number).
QString correctedRemindDays(const QString& text);
int remindDaysOf(const QString& correctedText);

} // namespace EntryRules
