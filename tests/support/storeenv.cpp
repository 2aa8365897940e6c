#include "storeenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

StoreEnv::StoreEnv() : settings(tmp.path() + QStringLiteral("/settings.ini")) {
    ctx.services.setSettings(settings);
    ctx.services.setPrompts(prompts);
    ctx.services.setClock(clock);
    ctx.services.setShell(shell);
    ctx.services.setHttp(http);
    ctx.services.setTray(tray);
    ctx.session.AppFolder = path(QStringLiteral("app/"));
    ctx.session.DataRoot = path(QStringLiteral("DataBase/"));
    QDir().mkpath(ctx.session.AppFolder);
    QDir().mkpath(ctx.session.DataRoot);
}

QString StoreEnv::path(const QString& relative) const {
    return tmp.path() + u'/' + relative;
}

QString StoreEnv::makeUser(const QString& name) {
    ctx.session.CurrentUser = name;
    const QString folder = ctx.session.userFolder();
    QDir().mkpath(folder);
    return folder;
}

QString StoreEnv::makeLedger(const QString& user, const QString& ledger) {
    makeUser(user);
    ctx.session.LedgerName = ledger;
    const QString folder = ctx.session.ledgerFolder();
    QDir().mkpath(folder);
    return folder;
}

bool StoreEnv::blockSettingsFile() {
    const QString file = settings.fileName();
    return (!QFileInfo::exists(file) || QFile::remove(file)) && QDir().mkpath(file);
}
