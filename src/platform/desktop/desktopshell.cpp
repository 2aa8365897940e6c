#include "platform/desktop/desktopshell.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStringList>
#include <QUrl>

#include "platform/fileio.h"

bool DesktopShell::openUrl(const QString& url) {
    return QDesktopServices::openUrl(QUrl(url));
}

bool DesktopShell::openFile(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

Shell::MoveResult DesktopShell::moveFolder(const QString& from, const QString& to) {
    const QString source = FileIO::withoutTrailingSlash(from);
    const QString target = FileIO::withoutTrailingSlash(to);
    if (!QFileInfo(source).isDir()) return {MoveOutcome::Error, 76}; // path not found
    if (QFileInfo::exists(target)) return {MoveOutcome::Error, 58};  // file already exists
    if (QDir().rename(source, target)) return {MoveOutcome::Ok, 0};
    return {MoveOutcome::Error, 75}; // path/file access error
}

bool DesktopShell::startCalculator() {
    static const char* const calculators[] = {"gnome-calculator", "kcalc",         "galculator",
                                              "mate-calc",        "qalculate-gtk", "xcalc"};
    for (const char* program : calculators) {
        if (QProcess::startDetached(QString::fromLatin1(program), {})) return true;
    }
    return false;
}

QString DesktopShell::clipboardText() const {
    return QGuiApplication::clipboard()->text();
}

void DesktopShell::setClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}
