#pragma once
#include <QString>
#include <QStringList>

// The plain-line form of detail texts, as the text dialog exports and imports them.
// Items are packed as the ledger keeps them (store/detailtext.h).
namespace DetailTextLines {

inline constexpr int Capacity = 1000; // items a working list may hold
QString fullMessage();                // the refusal once the working list holds Capacity

// One line per item that has a separator, in order, joined by CR LF with none after the
// last: the text alone under "未分類", else account, one blank, text; both cut of blanks
// at their ends.
QString exportLines(const QStringList& items);
// One trimmed account name per line, joined the same way.
QString accountLines(const QStringList& names);

struct ImportResult {
    int added = 0;     // items appended
    bool full = false; // a usable line found the working list full: reading stopped there
};
// Reads `text` split at every line break (CR LF, LF or CR: a break kept inside a text would
// split its line of the stored file) and appends the items to `working` while it holds
// fewer than Capacity items: a line without a blank becomes a "未分類" text; otherwise the
// part before the first blank must be one of `accounts` (exactly) and the rest of the line,
// unchanged, is its text. Empty lines and lines of an unknown account are skipped.
ImportResult importLines(const QString& text, const QStringList& accounts, QStringList& working);

} // namespace DetailTextLines
