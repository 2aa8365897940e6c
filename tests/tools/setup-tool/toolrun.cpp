#include "toolrun.h"

#include "platform/runtime.h"
#include "windowparts/ledgerdialogue.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QJsonDocument>

#include <cstdio>
#include <cstdlib>

ToolArgs ParseToolArgs(const QStringList& args) {
    ToolArgs parsed;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a != u"--today" && a != u"--answer") {
            parsed.positional.append(a);
            continue;
        }
        if (i + 1 >= args.size()) {
            parsed.ok = false;
            break;
        }
        const QString value = args.at(++i);
        if (a == u"--answer") {
            parsed.answers.append(value);
            continue;
        }
        parsed.today = Runtime::parseDate(value);
        if (!parsed.today) parsed.ok = false;
    }
    return parsed;
}

void AnswerPrompts::record(const QString& kind, const QString& text,
                           const std::optional<QString>& defaultText) {
    QJsonObject box{{"kind", kind}, {"text", text}};
    if (defaultText) box.insert("default", *defaultText);
    boxes.append(box);
}

QString AnswerPrompts::take(QStringList& queue, const QString& text) {
    if (queue.isEmpty()) {
        PrintError("no answer for the box: " + text);
        std::fflush(stdout);
        std::_Exit(ExitNoAnswer);
    }
    return queue.takeFirst();
}

void AnswerPrompts::information(const QString& text, const QString&) {
    record("information", text);
}

void AnswerPrompts::warning(const QString& text, const QString&) {
    record("warning", text);
}

void AnswerPrompts::plain(const QString& text, const QString&) {
    record("plain", text);
}

Prompts::Answer AnswerPrompts::question(const QString& text, Buttons buttons, const QString&) {
    record("question", text);
    const QString a = take(answers, text).toLower();
    if (a == u"yes") return Answer::Yes;
    if (a == u"no") return Answer::No;
    return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}

std::optional<QString> AnswerPrompts::input(const QString& prompt, const QString&,
                                            const QString& defaultText) {
    record("input", prompt, defaultText);
    const QString a = take(answers, prompt);
    if (a.isEmpty()) return std::nullopt; // an empty answer counts as Cancel
    return a;
}

std::optional<QString> AnswerPrompts::password(const QString& prompt, const QString&) {
    record("password", prompt);
    const QString a = take(answers, prompt);
    if (a.isEmpty()) return std::nullopt;
    return a;
}

QString AnswerPrompts::openFile(const QString& title, const QString&, const QString& defaultName) {
    record("open", title, defaultName);
    return take(paths, title);
}

QString AnswerPrompts::saveFile(const QString& title, const QString&, const QString& defaultName,
                                QString*) {
    record("save", title, defaultName);
    return take(paths, title);
}

QString AnswerPrompts::browseFolder(const QString& title) {
    record("folder", title);
    return take(paths, title);
}

int ToolModalRunner::run(QDialog& dialog) {
    const auto handler = handlers.find(QString::fromLatin1(dialog.metaObject()->className()));
    if (handler == handlers.end()) return QDialog::Rejected;
    dialog.show();
    const int result = (*handler)(dialog);
    dialog.hide();
    return result;
}

ToolRun::ToolRun() {
    ctx.services.setPrompts(prompts);
    ctx.services.setSettings(settings);
    ctx.services.setClock(clock);
    ctx.services.setShell(shell);
    ctx.services.setModal(modal);
    ctx.session.AppFolder = AsToolFolder(QCoreApplication::applicationDirPath());
}

bool ToolRun::apply(const ToolArgs& args) {
    if (!args.ok) return false;
    if (args.today) clock.day = *args.today;
    prompts.answers = args.answers;
    return true;
}

bool ToolRun::open(const QString& ledgerFolder) {
    // A missing folder is no ledger: opening it would seed a new one there.
    if (!QFileInfo(ledgerFolder).isDir()) {
        PrintError("no ledger folder " + ledgerFolder);
        return false;
    }
    UseLedgerFolder(ctx.session, ledgerFolder);
    RecordingPrompts quiet;
    ctx.services.setPrompts(quiet);
    const bool opened = OpenLedgerFiles(ctx);
    ctx.services.setPrompts(prompts);
    if (!opened) PrintError(quiet.texts.join(u'\n'));
    return opened;
}

bool ToolRun::saveIfChanged() {
    Ledger& ledger = ctx.ledger;
    if (!ledger.LedgerChangedFlag.isSet()) return false;
    RecordingPrompts quiet;
    ctx.services.setPrompts(quiet);
    const bool saved = SaveLedger(ctx);
    ctx.services.setPrompts(prompts);
    if (!saved) {
        PrintError(quiet.texts.join(u'\n'));
        return false;
    }
    ledger.LedgerChangedFlag.clear();
    ledger.AccountsChanged = false;
    ledger.DetailTextsChanged = false;
    ledger.QuickEntriesChanged = false;
    ledger.RecurringChanged = false;
    return true;
}

QJsonValue BoxText(const QJsonArray& boxes, const QString& kind) {
    for (const QJsonValue& b : boxes)
        if (b.toObject().value("kind").toString() == kind) return b.toObject().value("text");
    return QJsonValue::Null;
}

void PrintJson(const QJsonObject& json) {
    const QByteArray bytes = QJsonDocument(json).toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void PrintError(const QString& text) {
    if (text.isEmpty()) return;
    const QByteArray bytes = (text + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}
