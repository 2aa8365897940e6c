#pragma once
#include <QString>
#include <optional>

// Lead days as the memo book reads them from a box: a whole number from 0 to 32767 (a
// fraction rounded, a half to the even number). A text that is no number is set to "1"
// first and gives 1; a number outside the range gives nullopt and stays in the box, for the
// memo book to refuse with MemoLeadDaysMessage(). A one-off memo reads the whole numeric
// text ("1,5" is 15), a recurring memo the number at its start ("1,5" is 1).
enum class LeadDaysReading { WholeText, NumberAtStart };
std::optional<int> MemoLeadDays(QString& text,
                                LeadDaysReading reading = LeadDaysReading::WholeText);

// The refusal of lead days outside the range, naming the numbers accepted.
QString MemoLeadDaysMessage();
