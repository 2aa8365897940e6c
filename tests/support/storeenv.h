#pragma once
// The store's share of a test's world (no windows): a temporary folder with the program
// folder and data root in it, a settings file of its own, and the scripted services
// (prompts, clock, shell, HTTP, tray) wired into `ctx`. Window tests use TestEnv, which
// adds the scripted modal runner.
#include "fakehttp.h"
#include "fixedclock.h"
#include "recordingshell.h"
#include "recordingtray.h"
#include "scriptedprompts.h"

#include "platform/settingsstore.h"
#include "store/appcontext.h"

#include <QTemporaryDir>

class StoreEnv {
public:
    StoreEnv();
    StoreEnv(const StoreEnv&) = delete;
    StoreEnv& operator=(const StoreEnv&) = delete;

    QTemporaryDir tmp;
    IniSettingsStore settings; // file tmp + "/settings.ini"
    ScriptedPrompts prompts;
    FixedClock clock;
    RecordingShell shell;
    FakeHttp http;
    RecordingTray tray;
    // services point at the members above; session.AppFolder = tmp + "/app/",
    // session.DataRoot = tmp + "/DataBase/" (both created).
    AppContext ctx;

    // tmp + "/" + relative ("" gives the folder with a trailing "/").
    QString path(const QString& relative = QString()) const;
    // Creates DataRoot + name + "/", sets session.CurrentUser; returns the folder.
    QString makeUser(const QString& name);
    // Creates the user's and the ledger's folder, sets CurrentUser and LedgerName;
    // returns the ledger folder (ending with "/").
    QString makeLedger(const QString& user, const QString& ledger);
    // From here on no write reaches the settings file: a folder takes its name (the tests
    // run as root, whom file modes do not stop) and reads give the defaults. False when the
    // folder could not be made.
    bool blockSettingsFile();
};
