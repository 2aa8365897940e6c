#pragma once
// report-tool: drives the report windows offscreen on a ledger folder, for checks from
// outside. Every verb lives in a file of its own group and registers itself here:
//
//   static const ReportVerb shareVerb{"share", "share AMOUNT TOTAL", {}, false, runShare};
//
// A verb gets its positional arguments and its own options (those it names in `options`,
// each taking one value); --today, --set and --export are common to all (--export only
// for verbs with `exports`). Exit 0 on success, 1 when the ledger cannot be opened, 2 on
// bad arguments.
#include <QDate>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "../ledger-tool/toolservices.h"
#include "platform/modalrunner.h"
#include "store/appcontext.h"

class MainForm;
class QComboBox;
class QDialog;
class QLineEdit;

struct ToolArgs {
    QStringList positional;
    QHash<QString, QString> options; // verb options by name without "--"
    QDate today;                     // invalid: the system's date
    QList<QPair<QString, QString>> sets;
    QStringList exports;
    bool has(const QString& option) const { return options.contains(option); }
    QString option(const QString& option) const { return options.value(option); }
};

// Prompts of the tool: the save dialog is answered by the --export paths in order, the
// questions by the answers a verb queues (then No); every dialog and box is recorded.
class ToolPrompts : public RecordingPrompts {
public:
    QStringList savePaths;
    QStringList defaultNames; // of each save dialog shown
    QList<Answer> answers;
    QString saveFile(const QString&, const QString&, const QString& defaultName,
                     QString*) override {
        defaultNames.append(defaultName);
        return savePaths.isEmpty() ? QString() : savePaths.takeFirst();
    }
    Answer question(const QString& text, Buttons buttons, const QString& title) override {
        const Answer fallback = RecordingPrompts::question(text, buttons, title);
        return answers.isEmpty() ? fallback : answers.takeFirst();
    }
};

// Modal windows a report window opens: the verb's handler presses what a user would and
// returns the result; without one the window is closed at once (Rejected).
class ToolModalRunner : public ModalRunner {
public:
    std::function<int(QDialog&)> handler;
    int run(QDialog& dialog) override;
};

// One run: services, the login state, and the main window the report windows reach.
struct ToolRun {
    ToolPrompts prompts;
    MemorySettingsStore settings;
    ToolClock clock;
    QuietShell shell;
    ToolModalRunner modal;
    AppContext ctx;
    std::unique_ptr<MainForm> main;

    explicit ToolRun(const ToolArgs& args);
    ~ToolRun();
    // Loads the ledger folder and makes the main window over it; false when not opened.
    bool open(const QString& ledgerFolder);
};

struct ReportVerb {
    using Run = int (*)(ToolRun& run, const ToolArgs& args);
    ReportVerb(const char* name, const char* usage, QStringList options, bool exports, Run run);
    QString name;
    QString usage;
    QStringList options;
    bool exports;
    Run run;
};

// `step WINDOW YEAR ENTRY ARROW`: a report window's year and month arrows over an empty
// ledger. Each window group registers its window; its run checks ENTRY (a text of its
// period list, or "-" for no selection), presses the arrow and prints PrintStep.
enum class StepArrow { YearUp, YearDown, MonthUp, MonthDown };
struct StepWindow {
    using Run = int (*)(ToolRun& run, const QString& year, const QString& entry, StepArrow arrow);
    StepWindow(const char* name, Run run);
    QString name;
    Run run;
};
// JSON {year, entry}: the year box and the selected entry ("-" for none).
int PrintStep(const QLineEdit* yearBox, const QComboBox* list);
// Presses an arrow of a window whose year arrows are UpDown1 and month arrows UpDown2.
template <class Window> void PressArrow(Window& window, StepArrow arrow) {
    switch (arrow) {
    case StepArrow::YearUp:
        window.UpDown1_UpClick();
        break;
    case StepArrow::YearDown:
        window.UpDown1_DownClick();
        break;
    case StepArrow::MonthUp:
        window.UpDown2_UpClick();
        break;
    case StepArrow::MonthDown:
        window.UpDown2_DownClick();
        break;
    }
}

// Presses a window's export button once per --export path, each save dialog answered by
// its path: the `exports` array ({path, defaultName, warning}).
QJsonArray RunExports(ToolRun& run, const ToolArgs& args, const std::function<void()>& press);

// Output helpers.
void PrintJson(const QJsonObject& json);
void PrintText(const QString& text);
void PrintError(const QString& text); // on stderr
int BadArguments(const QString& why);
// List index of a period choice of the statements window ("全部" 0, "整年" 1, "01月".."12月"
// 2..13); -1 for any other text.
int PeriodChoiceIndex(const QString& text);
