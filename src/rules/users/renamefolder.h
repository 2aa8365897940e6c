#pragma once
#include <QString>

struct AppContext;

// Renames a user or ledger folder through the shell. A failure shows the platform's error
// number, an abort "操作中止", each as a plain box; true when the folder was renamed.
bool RenameFolder(AppContext& ctx, const QString& from, const QString& to);
