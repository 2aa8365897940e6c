#pragma once
#include <QString>

// The one check of user and ledger names. A name becomes a folder under the data folder
// (users) or under the user folder (ledgers) and a line of DataBase.lst, so it is checked
// before any file-system call: nothing may reach outside the folder or be cut when read.
namespace NameCheck {

enum class Problem {
    None,
    Empty,     // nothing left after trimming
    Forbidden, // \ / : * ? " < > | , a control character, "." or "..", or not in cp950
    TooLong,   // user names only: more than 20 cp950 bytes (the backup package keeps 20)
};

inline constexpr int MaxUserNameBytes = 20;

Problem checkLedgerName(const QString& name);
Problem checkUserName(const QString& name);

// The refusal shown for a problem (empty for Problem::None).
QString ledgerMessage(Problem problem);
QString userMessage(Problem problem);

inline bool isValidLedgerName(const QString& name) {
    return checkLedgerName(name) == Problem::None;
}
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
