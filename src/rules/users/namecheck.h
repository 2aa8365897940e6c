#pragma once
#include <QString>

// The one check of user and ledger names. A name becomes a folder under the data folder
// (users) or under the user folder (ledgers) and a line of DataBase.lst, so it is checked
// before any file-system call: nothing may reach outside the folder or be cut when read.
namespace NameCheck {

enum class Problem {
    None,
    Empty,       // nothing left after trimming
    Forbidden,   // one of \ / : * ? " < > |
    Comma,       // a comma: DataBase.lst could not keep it
    Control,     // a line break, tab or other control character
    Reserved,    // "." or "..": the folder itself or its parent
    Unsupported, // a character cp950 does not hold
    TooLong,     // more than MaxUserNameBytes or MaxLedgerNameBytes cp950 bytes
};

// The backup package keeps 20 bytes of the owner's name.
inline constexpr int MaxUserNameBytes = 20;
// Room for the name as a folder (at most 150 bytes in UTF-8) with the "-Copy" suffixes of
// copies and the account and period of the export file names built from it.
inline constexpr int MaxLedgerNameBytes = 100;

// A name typed for a new or renamed ledger or user.
Problem checkLedgerName(const QString& name);
Problem checkUserName(const QString& name);

// The refusal shown for a problem, saying what is wrong (empty for Problem::None).
QString ledgerMessage(Problem problem);
QString userMessage(Problem problem);

// A ledger name read back from a list or a folder: kept when it stays one folder inside the
// user folder, whatever its length (a longer name may come from an older list).
bool isValidLedgerName(const QString& name);
inline bool isValidUserName(const QString& name) {
    return checkUserName(name) == Problem::None;
}

// A typed ledger name as it is kept: commas cannot stay in DataBase.lst, and blanks around
// a name would be lost when the list is read.
inline QString ledgerNameFromAnswer(const QString& answer) {
    QString name = answer;
    name.remove(u',');
    return name.trimmed();
}

} // namespace NameCheck
