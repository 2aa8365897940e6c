#include "rules/schedule/memoleaddays.h"

#include "platform/runtime.h"
#include "rules/entry/entryrules.h"

namespace {

constexpr int MaxLeadDays = 32767; // the file keeps a 16-bit number

// A minus typed as "−" or "－" still makes the number negative: it must be refused as one,
// not read as no number at all.
QString withPlainMinus(const QString& text) {
    QString t = text.trimmed();
    if (t.startsWith(QChar(0x2212)) || t.startsWith(QChar(0xFF0D))) t[0] = u'-';
    return t;
}

} // namespace

std::optional<int> MemoLeadDays(QString& text, LeadDaysReading reading) {
    const QString plain = withPlainMinus(text);
    auto v = EntryRules::typedNumber(plain);
    if (!v) {
        text = QStringLiteral("1");
        return 1;
    }
    if (reading == LeadDaysReading::NumberAtStart) v = Runtime::leadingNumber(plain);
    const double days = Runtime::roundHalfEven(*v);
    if (!(days >= 0 && days <= MaxLeadDays)) return std::nullopt;
    return int(days);
}

QString MemoLeadDaysMessage() {
    return QStringLiteral("提前提醒的天數請輸入 0 到 ") + QString::number(MaxLeadDays) +
           QStringLiteral(" 之間的數字");
}
