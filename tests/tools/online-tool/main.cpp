// online-tool VERB ARGS... [--today yyyy/mm/dd]
#include "onlinetool.h"

#include "mainwin/mainform.h"
#include "platform/fileio.h"
#include "platform/settingsstore.h"

#include <QApplication>
#include <QFileInfo>
#include <QUrl>

#include <cstdio>

namespace {

QList<const OnlineVerb*>& verbs() {
    static QList<const OnlineVerb*> all;
    return all;
}

int usage() {
    QString text = QStringLiteral("usage: online-tool VERB ARGS... [--today yyyy/mm/dd]\n");
    for (const OnlineVerb* v : verbs())
        text += QStringLiteral("  online-tool ") + v->usage + u'\n';
    text += QStringLiteral("HOST is host:port; exit 1: a folder or file that cannot be used, a "
                           "failed write; 2: bad arguments\n");
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    return ExitBadArguments;
}

} // namespace

OnlineVerb::OnlineVerb(const char* name_, const char* usage_, QStringList options_,
                       QStringList flags_, Run run_)
    : name(QString::fromUtf8(name_)), usage(QString::fromUtf8(usage_)),
      options(std::move(options_)), flags(std::move(flags_)), run(run_) {
    verbs().append(this);
}

OnlineRun::OnlineRun() {
    ctx.services.setHttp(network);
    ctx.session.DataRoot = AsToolFolder(scratch.path());
    ctx.session.CurrentUser = QStringLiteral("user"); // no such folder: no user files
}

OnlineRun::~OnlineRun() = default;

MainForm& OnlineRun::mainWindow() {
    if (!main) {
        main = std::make_unique<MainForm>(ctx);
        main->EndProcess = [] {};
    }
    return *main;
}

bool OnlineRun::useService(const QString& hostPort, const VerbArgs& args) {
    const qsizetype colon = hostPort.lastIndexOf(u':');
    bool ok = false;
    const int port = colon > 0 ? hostPort.mid(colon + 1).toInt(&ok) : 0;
    if (!ok || port < 1 || port > 65535) return false;
    const QUrl check(QStringLiteral("http://") + hostPort);
    if (!check.isValid() || check.host().isEmpty() || check.port() != port) return false;
    // The program reads its host from the settings: the tool gives it HOST there.
    SaveSettingQuietly(settings, QStringLiteral("Online"), QStringLiteral("Host"), hostPort);
    if (args.options.contains(QStringLiteral("timeout-ms"))) {
        const int ms = args.options.value(QStringLiteral("timeout-ms")).toInt(&ok);
        if (!ok || ms < 1) return false;
        network.setTimeoutMs(ms);
    }
    return true;
}

bool OnlineRun::useUserFolder(const QString& path) {
    if (!QFileInfo(path).isDir()) {
        PrintError(QStringLiteral("no user folder ") + path);
        return false;
    }
    UseUserFolder(ctx.session, path);
    return true;
}

QJsonValue OnlineRun::sentUrl() const {
    return network.sentUrl().isEmpty() ? QJsonValue() : QJsonValue(network.sentUrl());
}

int BadArguments(const QString& why) {
    PrintError(why);
    return usage();
}

QJsonArray RowsJson(const QList<OnlineService::StagedRow>& rows) {
    QJsonArray out;
    for (const OnlineService::StagedRow& row : rows)
        out.append(QJsonArray::fromStringList(row.cells()));
    return out;
}

bool ReadArgumentFile(const QString& path, QByteArray& bytes) {
    const std::optional<QByteArray> read = FileIO::readFile(path);
    if (!read) {
        PrintError(QStringLiteral("cannot read ") + path);
        return false;
    }
    bytes = *read;
    return true;
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList all = app.arguments().mid(1);
    if (all.isEmpty()) return usage();
    const QString name = all.takeFirst();
    const OnlineVerb* verb = nullptr;
    for (const OnlineVerb* v : verbs())
        if (v->name == name) verb = v;
    if (!verb) return BadArguments(QStringLiteral("unknown verb ") + name);

    const ToolArgs common = ParseToolArgs(all);
    if (!common.ok) return BadArguments(QStringLiteral("--today wants yyyy/mm/dd"));
    if (!common.answers.isEmpty()) return BadArguments(QStringLiteral("no --answer here"));
    // Only the verb's own option names are options: any other text is an argument (a
    // password may begin with "--").
    VerbArgs args;
    for (qsizetype i = 0; i < common.positional.size(); ++i) {
        const QString& a = common.positional[i];
        const QString option = a.startsWith(QLatin1String("--")) ? a.mid(2) : QString();
        if (!option.isEmpty() && verb->flags.contains(option)) {
            args.flags.insert(option);
        } else if (!option.isEmpty() && verb->options.contains(option)) {
            if (i + 1 >= common.positional.size()) return BadArguments(a + " needs a value");
            args.options.insert(option, common.positional[++i]);
        } else {
            args.positional.append(a);
        }
    }
    OnlineRun run;
    run.apply(common);
    return verb->run(run, args);
}
