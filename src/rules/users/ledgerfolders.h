#pragma once
#include <QString>
#include <QStringList>

// Whole-ledger folder operations of the ledger list: copy and delete. Folders end with "/".
namespace LedgerFolders {

// The ledger files a copy takes, in copy order.
const QStringList& ledgerFileNames();

// True when a file or folder of that name exists in the user folder.
bool nameTaken(const QString& userFolder, const QString& name);

// name-Copy, else name-Copy1, name-Copy2, … : the first that is not taken.
QString copyTargetName(const QString& userFolder, const QString& name);

// Copies one file through the safe writer (an existing target is replaced whole or kept).
bool copyFile(const QString& source, const QString& target);

// Creates the target folder and copies every ledger file present in the source, in order.
// False on the first failure; what was copied before stays.
bool copyLedger(const QString& sourceFolder, const QString& targetFolder);

// Deletes the files of a ledger folder, then the folder. A missing folder is no error;
// false when a file or the folder could not be removed (files already deleted stay so).
bool deleteLedger(const QString& ledgerFolder);

} // namespace LedgerFolders
