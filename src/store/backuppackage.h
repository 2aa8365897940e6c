#pragma once
#include <QString>
#include <QStringList>

struct AppContext;
struct Session;

// A backup package (".qvk") holds every ledger's ".qvd" files and the user folder's own
// files of one user in one file:
//   owner (fixed text 20) | L (decimal, fixed text 10) | list part (L bytes) | data part
// The list part has one line per file: path, byte 0x01, length in bytes, CR LF; the data
// part holds the files' bytes in list order. Paths are "File" or "Ledger\File"; no segment
// is empty, "." or "..", or holds "/", "\", ":" or a control character.

// Files of a user folder that hold a password (only disguised): the program writes them
// readable by their owner alone, and so does a restore. A package holds them too, so every
// package is written owner-only.
bool IsOwnerOnlyUserFile(const QString& name);

// The working package of the logged-in user: DataRoot + CurrentUser + ".qvk".
QString BackupPackagePath(const Session& session);

// What building a package did.
struct BackupBuild {
    bool written = false; // the working package was written
    QStringList leftOut;  // files that could not be read, as package paths
};

// Writes the working package of CurrentUser; does nothing when nobody is logged in. A file
// that cannot be read is left out of the package and named in the result.
[[nodiscard]] BackupBuild BuildBackupPackage(AppContext& ctx);

enum class RestoreResult {
    Restored,   // every file of the package replaced the user's
    Missing,    // no working package; nothing is shown
    Invalid,    // not a well-formed package; nothing is written
    OtherOwner, // a package of another user; nothing is written
    NotWritten, // the files could not all be written; every file is as it was
};

// Unpacks the working package into the user folder. The package is checked whole first
// (list lines, paths, lengths adding up to the data part), then its owner; every file is
// written beside its target first and the user's files are replaced all together (see
// FileGroup), so a failed restore leaves the user folder as it was. Folders it makes and
// the files of IsOwnerOnlyUserFile are its owner's alone, as when the program makes them.
[[nodiscard]] RestoreResult RestoreBackupPackage(AppContext& ctx);

// The owner field of a package file, blanks trimmed; empty when the file cannot be read or
// is not a well-formed package.
QString ReadBackupPackageOwner(const QString& packagePath);
