#pragma once
#include "platform/shell.h"

#include <QList>
#include <QPair>
#include <QStringList>
#include <optional>

// Records what the program asked of the desktop. moveFolder really renames (QDir::rename)
// unless a result is forced; the clipboard is kept in memory.
class RecordingShell : public Shell {
public:
    bool openUrl(const QString& url) override;
    bool openFile(const QString& path) override;
    MoveResult moveFolder(const QString& from, const QString& to) override;
    bool startCalculator() override;
    QString clipboardText() const override { return clipboard; }
    void setClipboardText(const QString& text) override { clipboard = text; }

    QStringList openedUrls;
    QStringList openedFiles;
    QList<QPair<QString, QString>> moves;       // (from, to) of every moveFolder call
    std::optional<MoveResult> forcedMoveResult; // set: no rename, this result instead
    bool openResult = true;                     // what openUrl/openFile report
    bool calculatorResult = true;               // what startCalculator reports
    int calculatorStarts = 0;
    QString clipboard;
};
