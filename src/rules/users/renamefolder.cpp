#include "rules/users/renamefolder.h"

#include "platform/prompts.h"
#include "platform/shell.h"
#include "store/appcontext.h"

bool RenameFolder(AppContext& ctx, const QString& from, const QString& to) {
    const Shell::MoveResult moved = ctx.services.shell().moveFolder(from, to);
    if (moved.outcome == Shell::MoveOutcome::Error) {
        ctx.services.prompts().plain(QString::number(moved.errorNumber));
        return false;
    }
    if (moved.outcome == Shell::MoveOutcome::Aborted) {
        ctx.services.prompts().plain(QStringLiteral("操作中止"));
        return false;
    }
    return true;
}
