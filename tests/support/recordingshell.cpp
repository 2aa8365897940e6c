#include "recordingshell.h"

#include <QDir>

bool RecordingShell::openUrl(const QString& url) {
    openedUrls.append(url);
    return openResult;
}

bool RecordingShell::openFile(const QString& path) {
    openedFiles.append(path);
    return openResult;
}

Shell::MoveResult RecordingShell::moveFolder(const QString& from, const QString& to) {
    moves.append({from, to});
    if (forcedMoveResult) return *forcedMoveResult;
    if (QDir().rename(from, to)) return {MoveOutcome::Ok, 0};
    return {MoveOutcome::Error, 75};
}

bool RecordingShell::startCalculator() {
    ++calculatorStarts;
    return calculatorResult;
}
