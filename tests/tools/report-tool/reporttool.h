#pragma once
// report-tool: drives the report windows offscreen on a ledger folder, for checks from
// outside. Every verb lives in a file of its own group and registers itself here:
//
//   static const ReportVerb shareVerb{"share", "share AMOUNT TOTAL", {}, false, runShare};
//
// A verb gets its positional arguments and its own options (those it names in `options`,
// each taking one value); --today, --set and --export are common to all (--export only
// for verbs with `exports`). Exit 0 on success, 1 when the ledger cannot be opened, 2 on
// bad arguments.
#include <QDate>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <memory>

#include "../ledger-tool/toolservices.h"
#include "store/appcontext.h"

class MainForm;

struct ToolArgs {
    QStringList positional;
    QHash<QString, QString> options; // verb options by name without "--"
    QDate today;                     // invalid: the system's date
    QList<QPair<QString, QString>> sets;
    QStringList exports;
    bool has(const QString& option) const { return options.contains(option); }
    QString option(const QString& option) const { return options.value(option); }
};

// Prompts of the tool: the save dialog is answered by the --export paths in order; every
// dialog and box is recorded.
class ToolPrompts : public RecordingPrompts {
public:
    QStringList savePaths;
    QStringList defaultNames; // of each save dialog shown
    QString saveFile(const QString&, const QString&, const QString& defaultName) override {
        defaultNames.append(defaultName);
        return savePaths.isEmpty() ? QString() : savePaths.takeFirst();
    }
};

// One run: services, the login state, and the main window the report windows reach.
struct ToolRun {
    ToolPrompts prompts;
    MemorySettings settings;
    ToolClock clock;
    QuietShell shell;
    AppContext ctx;
    std::unique_ptr<MainForm> main;

    explicit ToolRun(const ToolArgs& args);
    ~ToolRun();
    // Loads the ledger folder and makes the main window over it; false when not opened.
    bool open(const QString& ledgerFolder);
};

struct ReportVerb {
    using Run = int (*)(ToolRun& run, const ToolArgs& args);
    ReportVerb(const char* name, const char* usage, QStringList options, bool exports, Run run);
    QString name;
    QString usage;
    QStringList options;
    bool exports;
    Run run;
};

// Output helpers.
void PrintJson(const QJsonObject& json);
void PrintText(const QString& text);
int BadArguments(const QString& why);
// List index of a period choice of the statements window ("全部" 0, "整年" 1, "01月".."12月"
// 2..13); -1 for any other text.
int PeriodChoiceIndex(const QString& text);
