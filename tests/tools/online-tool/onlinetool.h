#pragma once
// online-tool: runs the online features' own routines and windows offscreen and prints one
// JSON value (UTF-8). Built with the tests, not installed. Every verb lives in the file of
// its group and registers itself:
//
//   const OnlineVerb periodVerb("period", "period [YEAR PERIOD_INDEX]", {}, {}, runPeriod);
//
// --today yyyy/mm/dd is common to all; a verb names its own options (taking a value) and
// flags. Exit 0 on success, 1 when a folder cannot be used or a write fails, 2 on bad
// arguments (ToolExit).
#include "toolrun.h"

#include "platform/http.h"
#include "rules/online/onlineservice.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class MainForm;

struct VerbArgs {
    QStringList positional;
    QHash<QString, QString> options; // by name without "--"
    QSet<QString> flags;
    bool has(const QString& name) const { return options.contains(name) || flags.contains(name); }
};

// One run: the shared tool services, a real HTTP client that keeps the address it sent,
// and the main window the online windows reach.
struct OnlineRun : ToolRun {
    NetworkHttpClient network;
    QTemporaryDir scratch; // the data root of verbs that name no user folder
    std::unique_ptr<MainForm> main;

    OnlineRun();
    ~OnlineRun();
    // Makes the main window over the current login state, once.
    MainForm& mainWindow();
    // The service at HOST ("host:port"), reached by `network` within --timeout-ms when
    // given; false on a bad host or time-out.
    bool useService(const QString& hostPort, const VerbArgs& args);
    // The user folder given on the command line (false and a message when it is no folder).
    bool useUserFolder(const QString& path);
    // The address sent, or null when no request went out.
    QJsonValue sentUrl() const;
};

struct OnlineVerb {
    using Run = int (*)(OnlineRun& run, const VerbArgs& args);
    OnlineVerb(const char* name, const char* usage, QStringList options, QStringList flags,
               Run run);
    QString name;
    QString usage;
    QStringList options;
    QStringList flags;
    Run run;
};

// Prints the usage after `why`; returns ExitBadArguments.
int BadArguments(const QString& why);
// Rows of texts as JSON arrays.
QJsonArray RowsJson(const QList<OnlineService::StagedRow>& rows);
// Reads a file named on the command line; false (with a message) when it cannot be read.
bool ReadArgumentFile(const QString& path, QByteArray& bytes);
