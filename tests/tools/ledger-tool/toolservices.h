#pragma once
// Services of the command-line tool: nothing blocks, nothing touches the user's settings.
#include "platform/clock.h"
#include "platform/prompts.h"
#include "platform/shell.h"
#include "platform/silentservices.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "store/session.h"

// An absolute folder path ending with "/".
inline QString AsToolFolder(const QString& path) {
    QString folder = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder;
}

// The login state of a ledger folder given on the command line: its parent is the user
// folder, whose parent is the data root; the ledger list holds only this ledger, so no
// apply question is asked.
inline void UseLedgerFolder(Session& session, const QString& path) {
    const QDir ledger(AsToolFolder(path));
    QDir user = ledger;
    user.cdUp();
    QDir root = user;
    root.cdUp();
    session.DataRoot = AsToolFolder(root.absolutePath());
    session.CurrentUser = QFileInfo(user.absolutePath()).fileName();
    session.LedgerName = QFileInfo(ledger.absolutePath()).fileName();
    session.LedgerNames = QStringList{session.LedgerName};
}

// The login state of a user folder given on the command line: its name is the user, its
// parent the data root.
inline void UseUserFolder(Session& session, const QString& path) {
    const QDir user(AsToolFolder(path));
    QDir root = user;
    root.cdUp();
    session.DataRoot = AsToolFolder(root.absolutePath());
    session.CurrentUser = QFileInfo(user.absolutePath()).fileName();
}

// Records every box; questions are answered No, inputs and dialogs cancelled.
class RecordingPrompts : public SilentPrompts {
public:
    QStringList texts;

    void information(const QString& text, const QString& = QString()) override {
        texts.append(text);
    }
    void warning(const QString& text, const QString& = QString()) override { texts.append(text); }
    void plain(const QString& text, const QString& = QString()) override { texts.append(text); }
    Answer question(const QString& text, Buttons buttons, const QString& = QString()) override {
        texts.append(text);
        return buttons == Buttons::OkCancel ? Answer::Cancel : Answer::No;
    }
    std::optional<QString> input(const QString& prompt, const QString& = QString(),
                                 const QString& = QString()) override {
        texts.append(prompt);
        return std::nullopt;
    }
    std::optional<QString> password(const QString& prompt, const QString& = QString()) override {
        texts.append(prompt);
        return std::nullopt;
    }
};

// Today as given on the command line, else the system's.
class ToolClock : public Clock {
public:
    QDate day;
    QDate today() const override { return day.isValid() ? day : QDate::currentDate(); }
    QDateTime now() const override { return QDateTime(today(), QTime::currentTime()); }
};

// Opens nothing.
class QuietShell : public Shell {
public:
    QStringList opened;
    bool openUrl(const QString& url) override {
        opened.append(url);
        return true;
    }
    bool openFile(const QString& path) override {
        opened.append(path);
        return true;
    }
    MoveResult moveFolder(const QString&, const QString&) override {
        return {MoveOutcome::Error, 0};
    }
    bool startCalculator() override { return false; }
    QString clipboardText() const override { return {}; }
    void setClipboardText(const QString&) override {}
};
