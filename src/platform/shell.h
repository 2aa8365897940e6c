#pragma once
#include <QString>

// Desktop shell: open a page or file, move a folder, start a calculator, clipboard text.
class Shell {
public:
    enum class MoveOutcome { Ok, Error, Aborted };
    struct MoveResult {
        MoveOutcome outcome = MoveOutcome::Ok;
        int errorNumber = 0;
    };
    virtual ~Shell() = default;
    virtual bool openUrl(const QString& url) = 0;
    virtual bool openFile(const QString& path) = 0;
    virtual MoveResult moveFolder(const QString& from, const QString& to) = 0;
    virtual bool startCalculator() = 0;
    virtual QString clipboardText() const = 0;
    virtual void setClipboardText(const QString& text) = 0;
};
