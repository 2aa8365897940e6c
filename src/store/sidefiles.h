#pragma once
#include "store/appcontext.h"
#include "store/filegroup.h"

// Side files of the open ledger. A loader that fails shows "<file> 檔案讀取失敗!", keeps
// the defaults and remembers the file in Ledger::UnreadSideFiles, so that its saver keeps
// the unreadable file as "<file>.bad" before replacing it.
void LoadNoteFile(AppContext& ctx);      // DetailTexts; missing file: the three defaults
void LoadFavoritesFile(AppContext& ctx); // QuickEntries
void LoadFixureFile(AppContext& ctx);    // RecurringRecords
void CheckDotState(AppContext& ctx);     // session.DotState "1" when DotState.qvd exists

// Shows "<file> 檔案讀取失敗!". A context without prompts (the benchmark, a ledger written or
// read for a test) stays silent: the store's callers learn the failure from its result.
void WarnUnreadable(AppContext& ctx, const QString& file);

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
