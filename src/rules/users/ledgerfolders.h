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

// Deletes a ledger folder, all or nothing for the user: the folder is first moved aside in
// one rename, then cleared. A missing folder is no error; false, with the ledger whole, when
// the folder holds a folder of its own or could not be moved. What the clearing leaves
// stays hidden and goes with removeLeftovers.
bool deleteLedger(const QString& ledgerFolder);

// A new ledger is built in a hidden folder beside its place (buildingFolder) and then put
// in place in one rename (placeBuiltLedger, false when the place is taken or the rename
// failed), so that a half-written ledger is never listed.
QString buildingFolder(const QString& ledgerFolder);
bool placeBuiltLedger(const QString& builtFolder, const QString& ledgerFolder);

// Clears the folders that deletions and builds left in the user folder.
void removeLeftovers(const QString& userFolder);

} // namespace LedgerFolders
