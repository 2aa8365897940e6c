#pragma once
#include <QString>

struct AppContext;
struct Session;

// A backup package (".qvk") holds every ledger's ".qvd" files and the user folder's own
// files of one user in one file:
//   owner (fixed text 20) | L (decimal, fixed text 10) | list part (L bytes) | data part
// The list part has one line per file: path, byte 0x01, length in bytes, CR LF; the data
// part holds the files' bytes in list order. Paths are "File" or "Ledger\File".

// The working package of the logged-in user: DataRoot + CurrentUser + ".qvk".
QString BackupPackagePath(const Session& session);

// Writes the working package of CurrentUser; does nothing when nobody is logged in.
void BuildBackupPackage(AppContext& ctx);

// Unpacks the working package into the user folder. False when the package is missing,
// belongs to another user (after a warning), is not a well-formed package (nothing is
// written then), or when any of its files could not be written.
bool RestoreBackupPackage(AppContext& ctx);

// The owner field of a package file, blanks trimmed; empty when it cannot be read.
QString ReadBackupPackageOwner(const QString& packagePath);
