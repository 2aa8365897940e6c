// setup-tool settings: the general settings window over options given on the command line.
#include "toolrun.h"
#include "verbs.h"

#include "mainwin/mainform.h"
#include "setup/setform.h"
#include "store/ledgerfiles.h"
#include "store/settingoptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Keeps the values of section "Setting" written once recording is on.
class RecordingSettings : public MemorySettingsStore {
public:
    bool recording = false;
    QJsonObject stored;

protected:
    bool writeValue(const QString& section, const QString& key, const QString& value) override {
        if (recording && section == SettingOptions::Section) stored.insert(key, value);
        return MemorySettingsStore::writeValue(section, key, value);
    }
};

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// The window's switch boxes by their names.
QList<std::pair<QString, QCheckBox*>> checksOf(SetForm& f) {
    return {{"Check1", f.Check1},   {"Check2", f.Check2},   {"Check3", f.Check3},
            {"Check4", f.Check4},   {"Check5", f.Check5},   {"Check6", f.Check6},
            {"Check7", f.Check7},   {"Check8", f.Check8},   {"Check9", f.Check9},
            {"Check10", f.Check10}, {"Check11", f.Check11}, {"Check12", f.Check12},
            {"Check13", f.Check13}, {"Check14", f.Check14}, {"Check15", f.Check15},
            {"Check16", f.Check16}, {"Check18", f.Check18}};
}

// Sets a control as a user would; false for an unknown control or value.
bool setControl(SetForm& form, const QString& name, const QString& value) {
    if (name == u"Text1" || name == u"Text2") {
        (name == u"Text1" ? form.Text1 : form.Text2)->setText(value);
        return true;
    }
    if (name == u"Combo1" || name == u"Combo2") {
        QComboBox* combo = name == u"Combo1" ? form.Combo1 : form.Combo2;
        const int at = combo->findText(value, Qt::MatchExactly);
        if (at < 0) return false;
        combo->setCurrentIndex(at);
        return true;
    }
    if (name == u"Option1" || name == u"Option2") {
        if (value != u"1") return false;
        (name == u"Option1" ? form.Option1 : form.Option2)->click();
        return true;
    }
    if (name == u"Label11" || name == u"Label12") {
        QCheckBox* box = name == u"Label11" ? form.Check11 : form.Check14;
        if (!box->isChecked()) box->click();
        (name == u"Label11" ? form.Label11 : form.Label12)->setText(value);
        return true;
    }
    for (const auto& [checkName, check] : checksOf(form)) {
        if (checkName != name) continue;
        if (value != u"1" && value != u"0") return false;
        if (check->isChecked() != (value == u"1")) check->click();
        return true;
    }
    return false;
}

QJsonObject controlsOf(SetForm& form) {
    QJsonObject controls{{"Text1", form.Text1->text()},
                         {"Text2", form.Text2->text()},
                         {"Combo1", form.Combo1->currentText()},
                         {"Combo2", form.Combo2->currentText()},
                         {"Option1", flag(form.Option1->isChecked())},
                         {"Option2", flag(form.Option2->isChecked())},
                         {"Label11", form.Label11->text()},
                         {"Label12", form.Label12->text()}};
    for (const auto& [name, check] : checksOf(form))
        controls.insert(name, flag(check->isChecked()));
    return controls;
}

} // namespace

int SettingsVerb(const QStringList& args) {
    const ToolArgs parsed = ParseToolArgs(args);
    ToolRun run;
    RecordingSettings settings;
    run.ctx.services.setSettings(settings);
    const QStringList& p = parsed.positional;
    if (!run.apply(parsed) || p.isEmpty()) return ExitBadArguments;

    QList<std::pair<QString, QString>> sets, controls;
    QString load, save;
    QStringList presses;
    for (int i = 1; i < p.size(); ++i) {
        const QString& option = p.at(i);
        if (i + 1 >= p.size()) return ExitBadArguments;
        const QString value = p.at(++i);
        const qsizetype eq = value.indexOf(u'=');
        if (option == u"--set" || option == u"--control") {
            if (eq <= 0) return ExitBadArguments;
            (option == u"--set" ? sets : controls).append({value.left(eq), value.mid(eq + 1)});
        } else if (option == u"--load") {
            load = value;
        } else if (option == u"--save") {
            save = value;
        } else if (option == u"--press" &&
                   QStringList{"確定", "取消", "還原預設值"}.contains(value)) {
            presses << value;
        } else {
            return ExitBadArguments;
        }
    }
    if (!run.open(p.at(0))) return ExitNotOpened;

    // Every key not given keeps the default of a fresh installation.
    for (const auto& [key, value] : sets) {
        const SettingOption* option = SettingOptions::find(key);
        if (option && option->mirror) run.ctx.session.Setting.*option->mirror = value;
        SaveSettingQuietly(settings, SettingOptions::Section, key, value);
    }
    settings.recording = true;

    MainForm main(run.ctx);
    main.EndProcess = [] {};
    main.BuildAccountTree();
    SetForm form(run.ctx, main);
    form.show();
    for (const auto& [name, value] : controls) {
        if (!setControl(form, name, value)) {
            PrintError("bad control value " + name + "=" + value);
            return ExitBadArguments;
        }
    }
    if (!load.isEmpty()) {
        run.prompts.paths.append(load);
        form.Command7->click();
    }
    if (!save.isEmpty()) {
        run.prompts.paths.append(save);
        form.Command6->click();
    }
    for (const QString& press : presses) {
        if (!form.isVisible()) break; // closed by an earlier button
        (press == u"確定"   ? form.Command1
         : press == u"取消" ? form.Command2
                            : form.Command3)
            ->click();
    }

    PrintJson(QJsonObject{{"boxes", run.prompts.boxes},
                          {"controls", controlsOf(form)},
                          {"stored", settings.stored},
                          {"dotStateFile", QFile::exists(LedgerFiles::path(
                                               run.ctx.session, LedgerFiles::DotState))}});
    return ExitOk;
}
