#pragma once
#include <QString>

struct AppContext;
struct Session;

// The automatic-backup folder (ends with "/"): the AutoBackupPath mirror, or AppFolder +
// "Backup/" when the mirror is empty or names no existing folder; the mirror then takes
// that value for the rest of the run.
QString ResolveAutoBackupFolder(Session& session);

// When setting AutoBackupState is "1": builds the package, stores it as today's dated copy
// in the user's sub-folder of the automatic-backup folder, deletes the working package and
// keeps only the newest AutoBackupMaxCount copies (a count outside 7..30 counts as 7).
void AutoBackup(AppContext& ctx);
