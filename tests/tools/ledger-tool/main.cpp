// ledger-tool: opens, saves and packs ledgers the way the program does, for the format tests
// and for checking data files from outside. Output is UTF-8.
#include "ledgerjson.h"
#include "toolservices.h"

#include "platform/fileio.h"
#include "platform/runtime.h"
#include "rules/users/backupcommands.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/backuppackage.h"
#include "store/balances.h"
#include "store/loadledger.h"
#include "windowparts/ledgerdialogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>

namespace {

const char* const kUsage =
    "usage:\n"
    "  ledger-tool dump LEDGER_FOLDER [--today yyyy/mm/dd]\n"
    "      the opened ledger as JSON; entryCount is the table count (entries + 1);\n"
    "      exit 1 with \"opened\": false when the opening fails\n"
    "  ledger-tool roundtrip SRC_LEDGER_FOLDER DST_LEDGER_FOLDER\n"
    "  ledger-tool balance LEDGER_FOLDER ACCOUNT_NAME YYYYMMDD\n"
    "  ledger-tool format HUNDREDTHS DOTSTATE MONEYSTATE\n"
    "  ledger-tool parse TEXT DOTSTATE MONEYSTATE\n"
    "  ledger-tool pack DATAROOT USER PACKAGE\n"
    "  ledger-tool unpack PACKAGE DATAROOT USER\n";

void out(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void err(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

int usage() {
    err(QString::fromLatin1(kUsage));
    return 2;
}

QString numberText(double value) {
    return QString::number(value, 'f', value == qRound64(value) ? 0 : 2);
}

// The services and login state of one run of the tool.
struct Tool {
    RecordingPrompts prompts;
    MemorySettingsStore settings;
    ToolClock clock;
    QuietShell shell;
    AppContext ctx;

    Tool() {
        ctx.services.setPrompts(prompts);
        ctx.services.setSettings(settings);
        ctx.services.setClock(clock);
        ctx.services.setShell(shell);
        ctx.session.AppFolder = AsToolFolder(QCoreApplication::applicationDirPath());
    }

    void useLedgerFolder(const QString& path) { UseLedgerFolder(ctx.session, path); }

    bool open(const QString& ledgerFolder) {
        useLedgerFolder(ledgerFolder);
        return OpenLedgerFiles(ctx);
    }
};

int dump(const QStringList& args) {
    if (args.size() != 1 && !(args.size() == 3 && args.at(1) == u"--today")) return usage();
    Tool tool;
    if (args.size() == 3) {
        const auto day = Runtime::parseDate(args.at(2));
        if (!day) return usage();
        tool.clock.day = *day;
    }
    const bool opened = tool.open(args.at(0));
    QJsonObject json = LedgerJson(tool.ctx);
    json.insert("opened", opened);
    json.insert("warnings", QJsonArray::fromStringList(tool.prompts.texts));
    out(QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented)));
    return opened ? 0 : 1;
}

int roundtrip(const QStringList& args) {
    if (args.size() != 2) return usage();
    Tool tool;
    if (!tool.open(args.at(0))) {
        err(tool.prompts.texts.join(u'\n') + u'\n');
        return 1;
    }
    tool.prompts.texts.clear();
    QDir().mkpath(args.at(1));
    tool.useLedgerFolder(args.at(1));
    Ledger& ledger = tool.ctx.ledger;
    ledger.AccountsChanged = true;
    ledger.DetailTextsChanged = true;
    ledger.QuickEntriesChanged = true;
    ledger.RecurringChanged = true;
    ledger.UnreadSideFiles.clear(); // those lie in the source folder
    const bool saved = SaveLedger(tool.ctx);
    if (!tool.prompts.texts.isEmpty()) err(tool.prompts.texts.join(u'\n') + u'\n');
    return saved ? 0 : 1;
}

int balance(const QStringList& args) {
    if (args.size() != 3) return usage();
    Tool tool;
    if (!tool.open(args.at(0))) {
        err(tool.prompts.texts.join(u'\n') + u'\n');
        return 1;
    }
    const int index = FindAccountIndex(tool.ctx.ledger, args.at(1));
    if (index == 0) {
        err("no account " + args.at(1) + u'\n');
        return 1;
    }
    const Session& s = tool.ctx.session;
    out(numberText(AccountBalanceTo(tool.ctx.ledger, s, index, args.at(2))) + u' ' +
        numberText(AccountBalanceBefore(tool.ctx.ledger, s, index, args.at(2))) + u'\n');
    return 0;
}

Session amountSession(const QString& dotState, const QString& moneyState) {
    Session s;
    s.DotState = dotState;
    s.Setting.MoneyState = moneyState;
    return s;
}

int format(const QStringList& args) {
    if (args.size() != 3) return usage();
    bool ok = false;
    const double hundredths = args.at(0).toDouble(&ok);
    if (!ok) return usage();
    out(FormatAmount(hundredths, amountSession(args.at(1), args.at(2))) + u'\n');
    return 0;
}

int parse(const QStringList& args) {
    if (args.size() != 3) return usage();
    QString text = args.at(0);
    const double value = ParseAmount(text, amountSession(args.at(1), args.at(2)));
    out(numberText(value) + u'\t' + text + u'\n');
    return 0;
}

int pack(const QStringList& args) {
    if (args.size() != 3) return usage();
    Tool tool;
    tool.ctx.session.DataRoot = AsToolFolder(args.at(0));
    tool.ctx.session.CurrentUser = args.at(1);
    const BackupBuild built = BuildBackupPackage(tool.ctx);
    const QString working = BackupPackagePath(tool.ctx.session);
    const auto bytes = FileIO::readFile(working);
    QFile::remove(working);
    for (const QString& path : built.leftOut)
        err("left out: " + path + u'\n');
    if (!built.written || !built.leftOut.isEmpty() || !bytes ||
        !FileIO::writeFileSafely(args.at(2), *bytes)) {
        err("package not written\n");
        return 1;
    }
    return 0;
}

int unpack(const QStringList& args) {
    if (args.size() != 3) return usage();
    Tool tool;
    tool.ctx.session.DataRoot = AsToolFolder(args.at(1));
    tool.ctx.session.CurrentUser = args.at(2);
    QDir().mkpath(tool.ctx.session.DataRoot);
    const QString working = BackupPackagePath(tool.ctx.session);
    const auto bytes = FileIO::readFile(args.at(0));
    if (!bytes || !FileIO::writeFileSafely(working, *bytes)) {
        err("package not readable\n");
        return 1;
    }
    const RestoreResult result = RestoreBackupPackage(tool.ctx);
    QFile::remove(working);
    if (result == RestoreResult::OtherOwner) BackupCommands::WarnOtherOwner(tool.ctx);
    if (!tool.prompts.texts.isEmpty()) err(tool.prompts.texts.join(u'\n') + u'\n');
    switch (result) {
    case RestoreResult::Restored:
        return 0;
    case RestoreResult::Invalid:
        err("not a package\n");
        return 1;
    case RestoreResult::Missing:
    case RestoreResult::NotWritten:
        err("not written\n");
        return 1;
    case RestoreResult::OtherOwner:
        err("refused\n");
        return 1;
    }
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) return usage();
    const QString command = args.takeFirst();
    if (command == u"dump") return dump(args);
    if (command == u"roundtrip") return roundtrip(args);
    if (command == u"balance") return balance(args);
    if (command == u"format") return format(args);
    if (command == u"parse") return parse(args);
    if (command == u"pack") return pack(args);
    if (command == u"unpack") return unpack(args);
    return usage();
}
