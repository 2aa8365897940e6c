// setup-tool texts: one command of the detail-text editor, then the editor closes.
#include "toolrun.h"
#include "verbs.h"

#include "platform/fileio.h"
#include "setup/accountnoteform.h"
#include "setup/noteeditform.h"
#include "setup/noteform.h"

#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// Selects a row of a list by its text; false when no row has it.
bool selectRow(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) return false;
    list->setCurrentItem(found.first());
    return true;
}

int bad(const QString& why) {
    PrintError(why);
    return ExitBadArguments;
}

} // namespace

int TextsVerb(const QStringList& args) {
    const ToolArgs parsed = ParseToolArgs(args);
    ToolRun run;
    QStringList p = parsed.positional;
    if (!run.apply(parsed) || p.size() < 2) return ExitBadArguments;
    const QString folder = p.takeFirst();
    const QString command = p.takeFirst();
    const bool clear = command == u"import" && p.removeAll(QStringLiteral("--clear")) > 0;
    const int operands = command == u"export"                       ? 0
                         : command == u"import"                     ? 1
                         : command == u"add"                        ? 2
                         : command == u"copy" || command == u"move" ? 3
                                                                    : -1;
    if (operands < 0 || p.size() != operands) return bad("bad command: " + command);
    QString pasted;
    if (command == u"import") {
        const auto bytes = FileIO::readFile(p.at(0));
        if (!bytes) return bad("cannot read " + p.at(0));
        pasted = QString::fromUtf8(*bytes);
    }
    if (!run.open(folder)) return ExitNotOpened;

    NoteForm form(run.ctx);
    form.show();
    QJsonObject json;
    if (command == u"export") {
        run.modal.handlers.insert("AccountNoteForm", [&json](QDialog& d) {
            auto& dialog = static_cast<AccountNoteForm&>(d);
            json.insert("text", dialog.Text());
            dialog.Command1->click();
            return dialog.result();
        });
        form.Command1->click();
    } else if (command == u"import") {
        run.modal.handlers.insert("AccountNoteForm", [&pasted, clear](QDialog& d) {
            auto& dialog = static_cast<AccountNoteForm&>(d);
            dialog.Text1->setPlainText(pasted);
            (clear ? dialog.Command2 : dialog.Command1)->click();
            return dialog.result();
        });
        form.Command9->click();
    } else {
        if (!selectRow(form.List3, p.at(0))) return bad("no account " + p.at(0));
        if (command == u"add") {
            run.prompts.answers.prepend(p.at(1));
            form.Command2->click();
        } else {
            if (!selectRow(form.List1, p.at(1))) return bad("no text " + p.at(1));
            if (form.List3->findItems(p.at(2), Qt::MatchExactly).isEmpty())
                return bad("no account " + p.at(2));
            const QString target = p.at(2);
            run.modal.handlers.insert("NoteEditForm", [&target](QDialog& d) {
                auto& dialog = static_cast<NoteEditForm&>(d);
                dialog.Combo1->setCurrentIndex(dialog.Combo1->findText(target));
                dialog.Command1->click();
                if (dialog.isVisible()) dialog.Command2->click();
                return dialog.result();
            });
            (command == u"copy" ? form.Command8 : form.Command7)->click();
        }
    }
    json.insert("list", QJsonArray::fromStringList(form.ListedTexts()));
    json.insert("status", form.PanelText(1));
    form.close();
    json.insert("count", run.ctx.ledger.DetailTextCount - 1);
    json.insert("saved", run.saveIfChanged());
    json.insert("boxes", run.prompts.boxes);
    PrintJson(json);
    return ExitOk;
}
