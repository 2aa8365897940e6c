#pragma once
#include <QDate>
#include <QString>
#include <optional>

// Conversions the program relies on everywhere, written once.
namespace Runtime {
// A number as typed: blanks, sign, digits with "," grouping, point, exponent.
bool isNumeric(const QString& text);
// The number at the start of a text: blanks skipped, stops at the first character that
// cannot continue it; no number gives 0.
double leadingNumber(const QString& text);
// "yyyy/mm/dd", or y/m/d and y-m-d with one- or two-digit month and day; real dates only.
bool isDate(const QString& text);
std::optional<QDate> parseDate(const QString& text);
QString dateText(const QDate& date); // "yyyy/mm/dd"
double roundHalfEven(double value, int decimals = 0);
int weekday(const QDate& date); // Sunday = 0
// "True"/"False" (any case), "-1"/"0", "1": nullopt when it does not read as a Boolean.
std::optional<bool> toBool(const QString& text);
QString boolText(bool value); // "True" / "False"
// A whole number written as plain digits, blanks around allowed (" 07" is 7); nullopt for
// anything else (signs, points, exponents, grouping) or a number too large for an int.
std::optional<int> wholeNumber(const QString& text);
// Leading and trailing blanks removed; tabs and line breaks stay (they belong to the text).
QString trimBlanks(const QString& text);
int twipsToPixels(int twips); // 15 twips per pixel
int pixelsToTwips(int pixels);
} // namespace Runtime
