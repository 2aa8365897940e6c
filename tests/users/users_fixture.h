#pragma once
// A main window with the users subsystem installed, on a TestEnv, plus user folders on disk.
#include "support/ledgerfiles_fixture.h"
#include "support/testenv.h"

#include "mainwin/mainform.h"
#include "platform/fileio.h"
#include "rules/users/userfiles.h"
#include "users/userscontroller.h"

#include <QDir>
#include <memory>

struct UsersWorld {
    TestEnv env;
    std::unique_ptr<MainForm> form;
    UsersController* users = nullptr;
    int processEnds = 0;

    UsersWorld() {
        // The start-up derives the data folder from the program folder: make it the test's.
        env.ctx.session.AppFolder = env.path();
        form = std::make_unique<MainForm>(env.ctx);
        form->EndProcess = [this] { ++processEnds; };
        users = &InstallUsers(*form);
    }

    Session& session() { return env.ctx.session; }

    // A user with a password and, on disk and in DataBase.lst, the given ledgers.
    QString addUser(const QString& name, const QString& password, const QStringList& ledgers = {}) {
        UserFiles::createUser(session().DataRoot, name, password);
        const QString folder = session().DataRoot + name + "/";
        for (const QString& ledger : ledgers)
            QDir().mkpath(folder + ledger);
        UserFiles::writeLedgerList(folder, ledgers);
        return folder;
    }

    // Logged in as `name` (no window), as the login leaves the state.
    void loginAs(const QString& name, const QString& password, const QStringList& ledgers = {}) {
        addUser(name, password, ledgers);
        session().CurrentUser = name;
        session().UserPassword = password;
        session().LedgerNames = ledgers;
    }

    QByteArray fileBytes(const QString& path) const { return fixtureBytes(path); }
};
