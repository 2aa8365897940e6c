#pragma once
#include "platform/shell.h"

// Production: the desktop's handlers, a folder rename, the clipboard.
class DesktopShell : public Shell {
public:
    bool openUrl(const QString& url) override;
    bool openFile(const QString& path) override;
    MoveResult moveFolder(const QString& from, const QString& to) override;
    bool startCalculator() override;
    QString clipboardText() const override;
    void setClipboardText(const QString& text) override;
};
