#pragma once
// One run of setup-tool: its arguments, the services that answer boxes from the command
// line, the opened ledger and the JSON it prints.
#include "toolservices.h"

#include "platform/modalrunner.h"
#include "store/appcontext.h"

#include <QDate>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>
#include <functional>
#include <optional>

// Exit codes shared by every verb.
enum ToolExit { ExitOk = 0, ExitNotOpened = 1, ExitBadArguments = 2, ExitNoAnswer = 3 };

// The options every verb takes anywhere among its arguments (--today, --answer); the
// rest, in order, for the verb to read.
struct ToolArgs {
    QStringList positional;
    std::optional<QDate> today;
    QStringList answers;
    bool ok = true; // false: an option without its value or a bad date
};
ToolArgs ParseToolArgs(const QStringList& args);

// Records every box as JSON and answers from the command line in order: input boxes take
// the text, questions "yes" or "no"; file dialogs take `paths` in order. A box without an
// answer ends the tool with ExitNoAnswer.
class AnswerPrompts : public Prompts {
public:
    QStringList answers;
    QStringList paths;
    QJsonArray boxes; // {kind, text[, default]}

    void information(const QString& text, const QString& = QString()) override;
    void warning(const QString& text, const QString& = QString()) override;
    void plain(const QString& text, const QString& = QString()) override;
    Answer question(const QString& text, Buttons buttons, const QString& = QString()) override;
    std::optional<QString> input(const QString& prompt, const QString& = QString(),
                                 const QString& defaultText = QString()) override;
    std::optional<QString> password(const QString& prompt, const QString& = QString()) override;
    QString openFile(const QString& title, const QString&,
                     const QString& defaultName = QString()) override;
    QString saveFile(const QString& title, const QString&, const QString& defaultName = QString(),
                     QString* = nullptr) override;
    QString browseFolder(const QString& title) override;

private:
    void record(const QString& kind, const QString& text,
                const std::optional<QString>& defaultText = std::nullopt);
    QString take(QStringList& queue, const QString& text);
};

// Keeps what the program puts on the clipboard.
class ClipboardShell : public QuietShell {
public:
    QString clipboard;
    QString clipboardText() const override { return clipboard; }
    void setClipboardText(const QString& text) override { clipboard = text; }
};

// Modal windows opened by the window under test: a handler per class name presses what a
// user would; a window without one is closed at once (Rejected).
class ToolModalRunner : public ModalRunner {
public:
    QHash<QString, std::function<int(QDialog&)>> handlers;
    int run(QDialog& dialog) override;
};

struct ToolRun {
    AnswerPrompts prompts;
    MemorySettingsStore settings;
    ToolClock clock;
    ClipboardShell shell;
    ToolModalRunner modal;
    AppContext ctx;

    ToolRun();
    // Takes the common options; false on a bad option.
    bool apply(const ToolArgs& args);
    // Opens the ledger folder as ledger-tool dump does; its boxes are not recorded.
    bool open(const QString& ledgerFolder);
    // Saves in place as the save button does when the tables changed (the save's own
    // boxes are not recorded); true when a save ran and succeeded.
    bool saveIfChanged();
};

// The text of the first box of this kind ("warning", "information", ...), or null.
QJsonValue BoxText(const QJsonArray& boxes, const QString& kind);

// The JSON object on stdout as UTF-8; a message on stderr.
void PrintJson(const QJsonObject& json);
void PrintError(const QString& text);
