#pragma once
#include "store/appcontext.h"
#include "store/filegroup.h"

// Side files of the open ledger. A loader that fails keeps the defaults, remembers the file
// in Ledger::UnreadSideFiles, so that its saver keeps the unreadable file as "<file>.bad"
// before replacing it, and returns false: the caller tells the user.
bool LoadNoteFile(AppContext& ctx);      // DetailTexts; missing file: the three defaults
bool LoadFavoritesFile(AppContext& ctx); // QuickEntries
bool LoadFixureFile(AppContext& ctx);    // RecurringRecords
void CheckDotState(AppContext& ctx);     // session.DotState "1" when DotState.qvd exists

// Savers (see store/saveledger.h): the file is written when it is missing or the table's
// change flag is set.
[[nodiscard]] bool SaveNoteFile(AppContext& ctx, FileGroup& group);
[[nodiscard]] bool SaveFavoritesFile(AppContext& ctx, FileGroup& group);
[[nodiscard]] bool SaveFixureFile(AppContext& ctx, FileGroup& group);

// A file of the open ledger that was damaged in this opening (Ledger::UnreadSideFiles)
// goes into the group as "<name>.bad" before the group rewrites it; false when it cannot
// be read. ForgetKeptFiles drops the names whose copy a committed group wrote.
[[nodiscard]] bool KeepDamagedFile(AppContext& ctx, FileGroup& group, const QString& name);
void ForgetKeptFiles(AppContext& ctx, const FileGroup& group);

// The three texts of a ledger without Note.qvd.
QStringList DefaultDetailTexts();

// A quick-entry text as Favorites.qvd can hold it: without '"' and '”', which would end a
// quoted field early.
QString WithoutQuoteMarks(QString text);
