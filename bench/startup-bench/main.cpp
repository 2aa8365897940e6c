// startup-bench: process start to the main window's first paint, with automatic login and
// opening, offscreen, for the full-size generated ledger and for an empty one. Each start is
// a new process of the program (with a probe that ends it at the first paint); the settings
// and data live in a temporary folder. One warm-up start per ledger, then the median of five.
#include "generate.h"
#include "timing.h"

#include "platform/clock.h"
#include "platform/settingsstore.h"
#include "rules/users/userfiles.h"
#include "store/appcontext.h"
#include "store/saveledger.h"
#include "store/settingoptions.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

const QString kUser = QStringLiteral("Bench");
const QString kPassword = QStringLiteral("bench1");

// Nothing due on the day of the run: no reminder and no recurring record may open a window
// over the one being timed.
void quietOpening(Ledger& ledger) {
    for (int i = 1; i < ledger.EntryCount; ++i)
        ledger.EntryNotes[size_t(i)].RemindOn = 0;
    const QString tomorrow = QDate::currentDate().addDays(2).toString(QStringLiteral("MM/dd"));
    for (int i = 1; i < ledger.RecurringCount; ++i) {
        RecurringRecord& r = ledger.RecurringRecords[size_t(i)];
        r.Period = 0; // yearly, on a day that is not today, nothing missed
        r.When = tomorrow;
        r.Overdue = 0;
    }
}

// A data root with the user, the ledger and the settings of an automatic login and opening.
struct StartFolder {
    QTemporaryDir tmp;
    QString config() const { return tmp.path() + QStringLiteral("/config"); }

    bool prepare(const QString& ledgerName, bool full) {
        const QString root = tmp.path() + QStringLiteral("/DataBase/");
        const QString runtime = tmp.path() + QStringLiteral("/runtime");
        if (!QDir().mkpath(root) || !QDir().mkpath(config() + QStringLiteral("/Qivo")) ||
            !QDir().mkpath(runtime) ||
            !QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            return false;
        if (!UserFiles::createUser(root, kUser, kPassword)) return false;
        if (!UserFiles::writeLedgerList(root + kUser + QLatin1Char('/'), {ledgerName}))
            return false;
        IniSettingsStore settings(config() + QStringLiteral("/Qivo/Qivo.conf"));
        const QString s = SettingOptions::Section;
        bool ok = settings.SaveSetting(s, QStringLiteral("MyDataBasePath"), root) &&
                  settings.SaveSetting(s, QStringLiteral("AutoLoginState"), QStringLiteral("1")) &&
                  settings.SaveSetting(s, QStringLiteral("AutoLoginUsername"), kUser) &&
                  settings.SaveSetting(s, QStringLiteral("AutoLoginPassword"), kPassword) &&
                  settings.SaveSetting(s, QStringLiteral("AutoOpenState"), QStringLiteral("1"));
        if (!ok || !full) return ok; // an empty ledger is made by its first opening
        SystemClock clock;
        AppContext ctx;
        ctx.services.setSettings(settings);
        ctx.services.setClock(clock);
        ctx.session.DataRoot = root;
        ctx.session.CurrentUser = kUser;
        ctx.session.LedgerName = ledgerName;
        GenerateFullLedger(ctx.ledger);
        quietOpening(ctx.ledger);
        return QDir().mkpath(ctx.session.ledgerFolder()) && WriteLedgerFiles(ctx);
    }

    // Milliseconds from starting the process to its report of the first paint.
    std::optional<double> start(const QString& program) const {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), tmp.path() + QStringLiteral("/runtime"));
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer t;
        t.start();
        p.start(program, {});
        while (p.waitForReadyRead(10000)) {
            if (p.canReadLine() && p.readLine().startsWith("painted")) {
                const double ms = double(t.nsecsElapsed()) / 1e6;
                p.waitForFinished(10000);
                return ms;
            }
        }
        p.kill();
        p.waitForFinished(2000);
        return std::nullopt;
    }
};

std::optional<double> medianStart(const StartFolder& folder, const QString& program) {
    if (!folder.start(program)) return std::nullopt; // warm-up: makes what a first start makes
    std::vector<double> ms;
    for (int i = 0; i < Bench::kSamples; ++i) {
        const auto one = folder.start(program);
        if (!one) return std::nullopt;
        ms.push_back(*one);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString program =
        QCoreApplication::applicationDirPath() + QStringLiteral("/startup-probe");
    StartFolder full, empty;
    if (!full.prepare(QStringLiteral("Full"), true) ||
        !empty.prepare(QStringLiteral("Empty"), false)) {
        std::fprintf(stderr, "could not prepare the data folders\n");
        return 1;
    }
    const auto emptyMs = medianStart(empty, program);
    const auto fullMs = medianStart(full, program);
    if (!emptyMs || !fullMs) {
        std::fprintf(stderr, "a start did not reach its first paint\n");
        return 1;
    }
    std::printf("%-40s %9.2f ms  limit 120 ms%s\n", "start to first paint (empty ledger)", *emptyMs,
                *emptyMs > 120 ? "  over" : "");
    std::printf("%-40s %9.2f ms  full - empty %.2f ms, limit 50 ms%s\n",
                "start to first paint (full ledger)", *fullMs, *fullMs - *emptyMs,
                *fullMs - *emptyMs > 50 ? "  over" : "");
    return 0;
}
