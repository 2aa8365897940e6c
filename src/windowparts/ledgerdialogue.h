#pragma once
// What the windows tell the user about the open ledger's files: the store reports what
// happened, the messages, the retry question and the help page are here, once.
#include <QList>
#include <QStringList>

#include "store/saveledger.h"

struct AppContext;
class Prompts;

// Shows "<file> 檔案讀取失敗!" for each file, in order.
void WarnUnreadable(Prompts& prompts, const QStringList& files);

// Opens the ledger session.LedgerName (LoadLedger) and warns about every file that could
// not be read; true when the ledger was opened.
[[nodiscard]] bool OpenLedgerFiles(AppContext& ctx);

// Writes the ledger's files (WriteLedgerFiles). On failure: the profile "Test" gets its own
// warning and false; otherwise the user is asked once to retry; a second failure shows the
// final warning and opens the help page. A successful retry shows "儲存完成！". Clears no
// flag: that is the caller's part.
[[nodiscard]] bool SaveLedger(AppContext& ctx);
[[nodiscard]] bool SaveLedger(AppContext& ctx, const QList<LedgerSaver>& savers); // for tests
