#pragma once
#include <QString>
#include <optional>

// Every message box, input box and file or folder dialog goes through this service,
// so that tests can script the answers. Texts keep their CR LF; the screen shows breaks.
class Prompts {
public:
    enum class Buttons { YesNo, YesNoCancel, OkCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~Prompts() = default;

    // Boxes with an OK button. title empty: the application's title.
    virtual void information(const QString& text, const QString& title = QString()) = 0;
    virtual void warning(const QString& text, const QString& title = QString()) = 0;
    virtual void plain(const QString& text, const QString& title = QString()) = 0; // no icon
    virtual Answer question(const QString& text, Buttons buttons = Buttons::YesNo,
                            const QString& title = QString()) = 0;

    // Cancel and an empty answer both give std::nullopt.
    virtual std::optional<QString> input(const QString& prompt, const QString& title = QString(),
                                         const QString& defaultText = QString()) = 0;
    virtual std::optional<QString> password(const QString& prompt,
                                            const QString& title = QString()) = 0;

    // filter in the "desc|*.ext|desc2|*.a;*.b" form; "" when cancelled.
    virtual QString openFile(const QString& title, const QString& filter,
                             const QString& defaultName = QString()) = 0;
    // chosenType, when given, gets the patterns of the file type chosen in the dialog, as the
    // filter has them ("*.csv"); it stays as it was when the dialog was cancelled.
    virtual QString saveFile(const QString& title, const QString& filter,
                             const QString& defaultName = QString(),
                             QString* chosenType = nullptr) = 0;
    // The chosen folder without a trailing separator, "" when cancelled.
    virtual QString browseFolder(const QString& title) = 0;

    // Converts "desc|*.ext|desc2|*.b" to Qt's "desc (*.ext);;desc2 (*.b)".
    static QString qtFilter(const QString& filter);
    // The patterns of the type that a dialog shows as shownType (one item of qtFilter, "CSV檔案
    // (*.csv)"); "" when the filter offers no such type.
    static QString typePatterns(const QString& filter, const QString& shownType);
    // The extension a file of the type gets, from its first pattern: "csv" for "*.csv;*.txt",
    // "" for "*.*" or "*".
    static QString typeExtension(const QString& patterns);
};
