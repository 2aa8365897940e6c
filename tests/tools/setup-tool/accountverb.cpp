// setup-tool account: the account editor's commands, in order, in one window, as a user
// would give them: pick the account in the list, the kind option, the parent, type the
// name, press the button.
#include "toolrun.h"
#include "verbs.h"

#include "setup/accountform.h"
#include "setup/accountnoteform.h"

#include <QComboBox>
#include <QJsonArray>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {

struct Command {
    QString verb;
    QStringList args;
};

// The number of arguments of each command; -1 for an unknown command.
int arity(const QString& verb) {
    if (verb == u"add") return 3;
    if (verb == u"rename") return 4;
    if (verb == u"delete" || verb == u"up" || verb == u"down" || verb == u"top" ||
        verb == u"bottom")
        return 1;
    if (verb == u"sort" || verb == u"export") return 0;
    return -1;
}

int kindOfLetter(const QString& letter) {
    const QStringList letters{"A", "L", "I", "E"};
    return int(letters.indexOf(letter)) + 1; // 0: not a kind
}

// Commands separated by "+"; false when one is unknown, has the wrong number of
// arguments or names a kind other than A, L, I or E.
bool parseCommands(const QStringList& words, QList<Command>& commands) {
    Command current;
    auto finish = [&]() {
        const int n = arity(current.verb);
        if (n < 0 || current.args.size() != n) return false;
        if ((current.verb == u"add" && !kindOfLetter(current.args.at(0))) ||
            (current.verb == u"rename" && !kindOfLetter(current.args.at(1))))
            return false;
        commands.append(current);
        current = Command();
        return true;
    };
    for (const QString& w : words) {
        if (w == u"+") {
            if (!finish()) return false;
        } else if (current.verb.isEmpty()) {
            current.verb = w;
        } else {
            current.args.append(w);
        }
    }
    return finish();
}

class AccountRun {
public:
    explicit AccountRun(ToolRun& run) : m_run(run) {
        run.modal.handlers.insert("AccountNoteForm", [](QDialog& d) {
            auto& dialog = static_cast<AccountNoteForm&>(d);
            dialog.Command1->click(); // 複製到剪貼簿
            return dialog.result();
        });
        m_form = std::make_unique<AccountForm>(run.ctx);
        m_form->show();
    }

    // False when an account or parent named on the command line is not offered.
    bool perform(const Command& c) {
        AccountForm& w = *m_form;
        const QStringList& a = c.args;
        if (c.verb == u"add") return fill(a.at(0), a.at(1), a.at(2)) && (w.Cmd0->click(), true);
        if (c.verb == u"rename")
            return pick(a.at(0)) && fill(a.at(1), a.at(2), a.at(3)) && (w.Cmd1->click(), true);
        if (c.verb == u"sort") return w.Command2->click(), true;
        if (c.verb == u"export") return w.Command1->click(), true;
        if (!pick(a.at(0))) return false;
        QPushButton* button = c.verb == u"delete" ? w.Cmd2
                              : c.verb == u"up"   ? w.Command3
                              : c.verb == u"down" ? w.Command4
                              : c.verb == u"top"  ? w.Command5
                                                  : w.Command6;
        button->click();
        return true;
    }

    QJsonObject result(bool saved) const {
        const AccountForm& w = *m_form;
        QJsonArray list;
        for (int r = 0; r < w.List1->count(); ++r)
            list.append(w.List1->item(r)->text());
        const bool selected = w.List1->currentItem() && w.List1->currentItem()->isSelected();
        return QJsonObject{{"boxes", m_run.prompts.boxes},
                           {"list", list},
                           {"selected", selected ? w.List1->currentRow() : -1},
                           {"status", w.StatusText()},
                           {"fields", QJsonObject{{"kind", w.SelectedKind()},
                                                  {"parent", w.Combo1->currentText()},
                                                  {"name", w.Cob1->currentText()}}},
                           {"exportText", m_run.shell.clipboard},
                           {"saved", saved}};
    }

private:
    bool pick(const QString& account) {
        const auto found = m_form->List1->findItems(account, Qt::MatchExactly);
        if (found.isEmpty()) {
            PrintError("no account " + account + " in the list");
            return false;
        }
        m_form->List1->setCurrentItem(found.first());
        return true;
    }

    bool fill(const QString& kind, const QString& parent, const QString& name) {
        AccountForm& w = *m_form;
        QRadioButton* options[] = {w.Option1, w.Option2, w.Option3, w.Option4};
        options[kindOfLetter(kind) - 1]->click();
        const int p = w.Combo1->findText(parent, Qt::MatchExactly);
        if (p < 0) {
            PrintError("no parent " + parent + " for kind " + kind);
            return false;
        }
        w.Combo1->setCurrentIndex(p);
        w.Cob1->setEditText(name);
        return true;
    }

    ToolRun& m_run;
    std::unique_ptr<AccountForm> m_form;
};

} // namespace

int AccountVerb(const QStringList& args) {
    const ToolArgs parsed = ParseToolArgs(args);
    QList<Command> commands;
    ToolRun run;
    if (!run.apply(parsed) || parsed.positional.size() < 2 ||
        !parseCommands(parsed.positional.mid(1), commands))
        return ExitBadArguments;
    if (!run.open(parsed.positional.at(0))) return ExitNotOpened;
    AccountRun window(run);
    for (const Command& c : commands)
        if (!window.perform(c)) return ExitBadArguments;
    PrintJson(window.result(run.saveIfChanged()));
    return ExitOk;
}
