// setup-tool: drives the setup windows offscreen on a ledger folder, as a user would, and
// prints what they showed as one UTF-8 JSON object. Built with the tests, not installed.
#include "toolrun.h"
#include "verbs.h"

#include <QApplication>

#include <cstdio>
#include <utility>

namespace {

const char* const kUsage =
    "usage: setup-tool VERB LEDGER_FOLDER ... [--today yyyy/mm/dd] [--answer TEXT]...\n"
    "  account LEDGER_FOLDER COMMAND [+ COMMAND]...\n"
    "      COMMAND: add KIND PARENT NAME | rename ACCOUNT KIND PARENT NAME | delete ACCOUNT\n"
    "               | sort | up|down|top|bottom ACCOUNT | export\n"
    "      KIND: A, L, I or E; PARENT: \"<無>\" or a full account name\n"
    "  texts LEDGER_FOLDER export | import FILE [--clear] | add ACCOUNT TEXT\n"
    "               | copy ACCOUNT TEXT TARGET | move ACCOUNT TEXT TARGET\n"
    "  settings LEDGER_FOLDER [--set KEY=VALUE]... [--control NAME=VALUE]... [--load FILE]\n"
    "           [--save FILE] [--press 確定|取消|還原預設值]...\n"
    "exit 1: the ledger cannot be opened; 2: bad arguments; 3: a box without an answer\n";

const std::pair<const char*, int (*)(const QStringList&)> kVerbs[] = {
    {"account", &AccountVerb},
    {"texts", &TextsVerb},
    {"settings", &SettingsVerb},
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (!args.isEmpty()) {
        const QString verb = args.takeFirst();
        for (const auto& [name, run] : kVerbs)
            if (verb == QLatin1String(name)) return run(args);
    }
    std::fputs(kUsage, stderr);
    return ExitBadArguments;
}
