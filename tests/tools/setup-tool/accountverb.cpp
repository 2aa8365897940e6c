// setup-tool account: the account editor's commands, in one window, in order.
#include "toolrun.h"
#include "verbs.h"

int AccountVerb(const QStringList& args) {
    const ToolArgs parsed = ParseToolArgs(args);
    ToolRun run;
    if (!run.apply(parsed) || parsed.positional.size() < 2) return ExitBadArguments;
    if (!run.open(parsed.positional.at(0))) return ExitNotOpened;
    PrintJson(QJsonObject{{"boxes", run.prompts.boxes}, {"saved", run.saveIfChanged()}});
    return ExitOk;
}
