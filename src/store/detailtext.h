#pragma once
#include <QString>
#include <QStringList>
#include <optional>

class Ledger;

// A detail text as the ledger keeps it: the owning account's name (or "未分類", texts that
// every account offers), U+0001, and the text. The one place that packs and unpacks it.
namespace DetailText {

QString unfiledOwner(); // "未分類"
QChar separator();      // U+0001

QString join(const QString& owner, const QString& text);

// The refusal of a text holding a character below U+0020 (PlainText), typed or pasted.
QString unsupportedMessage(); // "明細內容不可以包含軟體不支援的文字!"
// An item read from a file: owner and text without characters below U+0020, the first
// separator kept (a second one would move the text under another owner).
QString plainItem(const QString& item);

struct Parts {
    QString owner;
    QString text; // everything after the first separator
};
// nullopt when the item has no separator (it belongs to no account).
std::optional<Parts> split(const QString& item);
// The same item filed under another owner; nullopt when it has no separator.
std::optional<QString> withOwner(const QString& item, const QString& owner);

// The texts of the ledger's table filed under `owner`, in table order.
QStringList textsOf(const Ledger& ledger, const QString& owner);

} // namespace DetailText
