// schedule-tool: runs the schedules' own routines on a ledger or user folder, today set by
// --today, and prints one JSON value (UTF-8). Built with the tests, not installed.
#include "toolrun.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <cstdio>

#include "mainwin/mainform.h"
#include "rules/schedule/entryreminders.h"
#include "rules/schedule/recurringdue.h"
#include "schedule/fixureclockform.h"
#include "schedule/memoclockform.h"
#include "schedule/memoform.h"
#include "store/amounts.h"
#include "store/saveledger.h"

namespace {

const char* const kUsage =
    "usage: schedule-tool VERB FOLDER [--today yyyy/mm/dd]\n"
    "  due LEDGER | post LEDGER | reminders LEDGER | memos USER_FOLDER | memobook USER_FOLDER\n"
    "exit 1: the ledger does not open or a save fails; 2: bad arguments\n";

void print(const QJsonValue& value) {
    const QByteArray bytes = value.isArray()
                                 ? QJsonDocument(value.toArray()).toJson(QJsonDocument::Indented)
                                 : QJsonDocument(value.toObject()).toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

int due(ToolRun& run) {
    const Ledger& ledger = run.ctx.ledger;
    QJsonArray rows;
    for (const DueOccurrence& d : DueRecurring(ledger, run.clock.today())) {
        const RecurringRecord& r = ledger.RecurringRecords[size_t(d.record)];
        rows.append(QJsonObject{{"date", d.date},
                                {"record", d.record},
                                {"account1", r.Account1.trimmed()},
                                {"account2", r.Account2.trimmed()},
                                {"amount", r.Amount.value()},
                                {"detail", r.Detail.trimmed()}});
    }
    print(rows);
    return ExitOk;
}

int post(ToolRun& run) {
    MainForm main(run.ctx);
    QJsonArray statuses;
    QString status;
    run.modal.handlers.insert("FixureClockForm", [&](QDialog& d) {
        auto& w = static_cast<FixureClockForm&>(d);
        w.Command1_Click();
        for (int i = 0; i < w.Liv1->topLevelItemCount(); ++i)
            statuses.append(w.Liv1->topLevelItem(i)->text(5));
        status = w.StatusText();
        w.Command2_Click();
        return w.result();
    });
    CheckDueRecurring(main);
    const QJsonObject out{{"statuses", statuses},
                          {"message", BoxText(run.prompts.boxes, "information")},
                          {"warning", BoxText(run.prompts.boxes, "warning")},
                          {"status", status}};
    const bool changed = run.ctx.ledger.LedgerChangedFlag.isSet();
    if (changed && !run.saveIfChanged()) return ExitNotOpened;
    print(out);
    return ExitOk;
}

int reminders(ToolRun& run) {
    const Ledger& ledger = run.ctx.ledger;
    QJsonArray rows;
    for (int i : DueEntryReminders(ledger, run.clock.today())) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        const EntryNote& n = ledger.EntryNotes[size_t(i)];
        rows.append(QJsonObject{{"index", i},
                                {"date", e.Date.trimmed()},
                                {"head", n.RemindDays != 0
                                             ? QStringLiteral("(前%1天提醒)").arg(n.RemindDays)
                                             : QStringLiteral("(當天提醒)")},
                                {"account1", e.Account1.trimmed()},
                                {"account2", e.Account2.trimmed()},
                                {"amount", e.Amount.value()},
                                {"detail", e.Detail.trimmed().trimmed()},
                                {"note", n.Note.trimmed().trimmed()}});
    }
    print(rows);
    return ExitOk;
}

int memos(ToolRun& run) {
    MemoBook book;
    LoadMemoFiles(book, run.ctx.session.userFolder());
    MemoClockForm form(run.ctx, book);
    form.Rows = DueMemoReminders(book, run.clock.today());
    QJsonArray rows;
    for (int i = 1; i <= int(form.Rows.size()); ++i) {
        form.Idx = i;
        form.ClockShow();
        rows.append(QJsonObject{{"date", form.Label3->text()},
                                {"type", form.Label5->text()},
                                {"text", form.Rows[size_t(i - 1)].text}});
    }
    print(QJsonObject{{"caption", form.windowTitle()}, {"rows", rows}});
    return ExitOk;
}

int memobook(ToolRun& run) {
    MemoForm form(run.ctx);
    const int memos = form.Book().MemoCount - 1;
    const int fixed = form.Book().FixedMemoCount - 1;
    form.accept();
    if (!run.prompts.boxes.isEmpty()) {
        PrintError(BoxText(run.prompts.boxes, "warning").toString());
        return ExitNotOpened;
    }
    print(QJsonObject{{"memos", memos}, {"fixed", fixed}});
    return ExitOk;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const ToolArgs args = ParseToolArgs(app.arguments().mid(1));
    ToolRun run;
    if (!run.apply(args) || args.positional.size() != 2 || !args.answers.isEmpty()) {
        std::fputs(kUsage, stderr);
        return ExitBadArguments;
    }
    const QString verb = args.positional.at(0);
    const QString folder = args.positional.at(1);
    if (verb == u"memos" || verb == u"memobook") {
        if (!QFileInfo(folder).isDir()) {
            PrintError("no user folder " + folder);
            return ExitNotOpened;
        }
        UseUserFolder(run.ctx.session, folder);
        return verb == u"memos" ? memos(run) : memobook(run);
    }
    int (*ledgerVerb)(ToolRun&) = verb == u"due"         ? &due
                                  : verb == u"post"      ? &post
                                  : verb == u"reminders" ? &reminders
                                                         : nullptr;
    if (!ledgerVerb) {
        std::fputs(kUsage, stderr);
        return ExitBadArguments;
    }
    if (!run.open(folder)) return ExitNotOpened;
    return ledgerVerb(run);
}
