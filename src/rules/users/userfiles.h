#pragma once
#include <QString>
#include <QStringList>

// The two files of a user folder: DataBase.pwd (the encoded password, one line) and
// DataBase.lst (the user's ledgers in list order, one name per line). Folders end with "/".
namespace UserFiles {

inline const QString PasswordFileName = QStringLiteral("DataBase.pwd");
inline const QString LedgerListFileName = QStringLiteral("DataBase.lst");

// Each character as its cp950 code in four upper-case hex digits ("abc" -> 006100620063).
QString encodePassword(const QString& password);
// The inverse; a shorter last group is read as a shorter number. Empty text when the line
// is empty or holds anything but hex digits.
QString decodePassword(const QString& line);

// The decoded password of the user folder's DataBase.pwd; empty text on any failure.
QString readPassword(const QString& userFolder);
// Rewrites DataBase.pwd safely; false (old file whole) when the write failed.
bool writePassword(const QString& userFolder, const QString& password);

// 3 to 16 characters, every one in cp950 (the file cannot keep any other character).
bool isPasswordAcceptable(const QString& password);
inline const QString PasswordFormatMessage =
    QStringLiteral("密碼格式不正確，請輸入3-16個英文或數字");

// The ledger names of DataBase.lst in file order: whole lines, trimmed; empty lines and
// names that fail the ledger-name check are skipped. A missing file counts as empty.
QStringList readLedgerList(const QString& userFolder);
// Rewrites DataBase.lst safely, one name per line ending with CR LF.
bool writeLedgerList(const QString& userFolder, const QStringList& names);

// Creates a folder readable by its owner only (user data is private); true when it exists
// as a folder afterwards.
bool makePrivateFolder(const QString& path);

// Creates user `name` under dataRoot: its folder, an empty DataBase.lst and DataBase.pwd.
// On failure whatever was created is removed again and false is returned.
bool createUser(const QString& dataRoot, const QString& name, const QString& password);

} // namespace UserFiles
