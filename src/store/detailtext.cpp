#include "store/detailtext.h"

#include "store/ledger.h"
#include "store/plaintext.h"

namespace DetailText {

QString unfiledOwner() {
    return QStringLiteral("未分類");
}

QChar separator() {
    return QChar(0x0001);
}

QString join(const QString& owner, const QString& text) {
    return owner + separator() + text;
}

QString unsupportedMessage() {
    return QStringLiteral("明細內容不可以包含軟體不支援的文字!");
}

QString plainItem(const QString& item) {
    const auto parts = split(item);
    if (!parts) return PlainText::plain(item);
    if (PlainText::isPlain(parts->owner) && PlainText::isPlain(parts->text)) return item;
    return join(PlainText::plain(parts->owner), PlainText::plain(parts->text));
}

std::optional<Parts> split(const QString& item) {
    const qsizetype cut = item.indexOf(separator());
    if (cut < 0) return std::nullopt;
    return Parts{item.left(cut), item.mid(cut + 1)};
}

std::optional<QString> withOwner(const QString& item, const QString& owner) {
    const auto parts = split(item);
    if (!parts) return std::nullopt;
    return join(owner, parts->text);
}

QStringList textsOf(const Ledger& ledger, const QString& owner) {
    QStringList texts;
    for (int i = 1; i < ledger.DetailTextCount; ++i) {
        const auto parts = split(ledger.DetailTexts[size_t(i)]);
        if (parts && parts->owner == owner) texts << parts->text;
    }
    return texts;
}

} // namespace DetailText
