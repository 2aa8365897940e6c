// report-tool VERB ARGS... [--today yyyy/mm/dd] [--set KEY=VALUE]... [--export PATH]...
#include "reporttool.h"

#include "mainwin/mainform.h"
#include "platform/runtime.h"
#include "store/settingoptions.h"
#include "windowparts/ledgerdialogue.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QJsonDocument>

#include <cstdio>

namespace {

QList<const ReportVerb*>& verbs() {
    static QList<const ReportVerb*> all;
    return all;
}

void write(FILE* to, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), to);
}

int usage() {
    QString text = QStringLiteral("usage: report-tool VERB ARGS... [--today yyyy/mm/dd] "
                                  "[--set KEY=VALUE]... [--export PATH]...\n");
    for (const ReportVerb* v : verbs())
        text += QStringLiteral("  report-tool ") + v->usage + u'\n';
    write(stderr, text);
    return 2;
}

} // namespace

ReportVerb::ReportVerb(const char* name_, const char* usage_, QStringList options_, bool exports_,
                       Run run_)
    : name(QString::fromUtf8(name_)), usage(QString::fromUtf8(usage_)),
      options(std::move(options_)), exports(exports_), run(run_) {
    verbs().append(this);
}

ToolRun::ToolRun(const ToolArgs& args) {
    ctx.services.setPrompts(prompts);
    ctx.services.setSettings(settings);
    ctx.services.setClock(clock);
    ctx.services.setShell(shell);
    ctx.services.setModal(modal);
    ctx.session.AppFolder = AsToolFolder(QCoreApplication::applicationDirPath());
    clock.day = args.today;
    prompts.savePaths = args.exports;
    for (const auto& [key, value] : args.sets) {
        SaveSettingQuietly(settings, SettingOptions::Section, key, value);
        const SettingOption* option = SettingOptions::find(key);
        if (option && option->mirror) ctx.session.Setting.*(option->mirror) = value;
    }
}

ToolRun::~ToolRun() = default;

int ToolModalRunner::run(QDialog& dialog) {
    if (!handler) return QDialog::Rejected;
    dialog.show();
    const int result = handler(dialog);
    dialog.hide();
    return result;
}

QJsonArray RunExports(ToolRun& run, const ToolArgs& args, const std::function<void()>& press) {
    QJsonArray exports;
    for (const QString& path : args.exports) {
        const qsizetype boxes = run.prompts.texts.size();
        const qsizetype dialogs = run.prompts.defaultNames.size();
        press();
        exports.append(QJsonObject{{"path", path},
                                   {"defaultName", run.prompts.defaultNames.value(dialogs)},
                                   {"warning", run.prompts.texts.size() > boxes
                                                   ? QJsonValue(run.prompts.texts.last())
                                                   : QJsonValue()}});
    }
    return exports;
}

bool ToolRun::open(const QString& ledgerFolder) {
    // A folder that is not there is no ledger to open (loading would seed a new one).
    if (!QFileInfo(ledgerFolder).isDir()) {
        write(stderr, QStringLiteral("no ledger folder ") + ledgerFolder + u'\n');
        return false;
    }
    UseLedgerFolder(ctx.session, ledgerFolder);
    if (!OpenLedgerFiles(ctx)) {
        write(stderr, prompts.texts.join(u'\n') + u'\n');
        return false;
    }
    main = std::make_unique<MainForm>(ctx);
    main->EndProcess = [] {};
    return true;
}

void PrintJson(const QJsonObject& json) {
    write(stdout, QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented)));
}

void PrintText(const QString& text) {
    write(stdout, text);
}

void PrintError(const QString& text) {
    write(stderr, text + u'\n');
}

int BadArguments(const QString& why) {
    write(stderr, why + u'\n');
    return usage();
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList all = app.arguments().mid(1);
    if (all.isEmpty()) return usage();
    const ReportVerb* verb = nullptr;
    for (const ReportVerb* v : verbs())
        if (v->name == all.first()) verb = v;
    if (!verb) return BadArguments(QStringLiteral("unknown verb ") + all.first());

    ToolArgs args;
    for (qsizetype i = 1; i < all.size(); ++i) {
        const QString& a = all[i];
        // Only the listed options are options: "-500" is a positional argument.
        if (!a.startsWith(QLatin1String("--"))) {
            args.positional.append(a);
            continue;
        }
        const QString name = a.mid(2);
        const bool common =
            name == u"today" || name == u"set" || (verb->exports && name == u"export");
        if (!common && !verb->options.contains(name))
            return BadArguments(QStringLiteral("unknown option ") + a);
        if (i + 1 >= all.size()) return BadArguments(a + QStringLiteral(" needs a value"));
        const QString value = all[++i];
        if (name == u"today") {
            const std::optional<QDate> day = Runtime::parseDate(value);
            if (!day) return BadArguments(QStringLiteral("--today wants yyyy/mm/dd"));
            args.today = *day;
        } else if (name == u"set") {
            const qsizetype eq = value.indexOf(u'=');
            if (eq <= 0) return BadArguments(QStringLiteral("--set wants KEY=VALUE"));
            args.sets.append({value.left(eq), value.mid(eq + 1)});
        } else if (name == u"export") {
            args.exports.append(value);
        } else {
            args.options.insert(name, value);
        }
    }
    ToolRun run(args);
    return verb->run(run, args);
}
