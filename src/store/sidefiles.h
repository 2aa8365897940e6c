#pragma once
#include "store/appcontext.h"

// Side files of the open ledger. A loader that fails shows "<file> 檔案讀取失敗!", keeps
// the defaults and remembers the file in Ledger::UnreadSideFiles, so that its saver keeps
// the unreadable file as "<file>.bad" before replacing it.
void LoadNoteFile(AppContext& ctx);      // DetailTexts; missing file: the three defaults
void LoadFavoritesFile(AppContext& ctx); // QuickEntries
void LoadFixureFile(AppContext& ctx);    // RecurringRecords
void CheckDotState(AppContext& ctx);     // session.DotState "1" when DotState.qvd exists

// Written when the file is missing or the table's change flag is set; true when written
// or not needed.
bool SaveNoteFile(AppContext& ctx);
bool SaveFavoritesFile(AppContext& ctx);
bool SaveFixureFile(AppContext& ctx);

// The three texts of a ledger without Note.qvd.
QStringList DefaultDetailTexts();

// A quick-entry text as Favorites.qvd can hold it: without '"' and '”', which would end a
// quoted field early.
QString WithoutQuoteMarks(QString text);
