#pragma once
// The services of a run that talks to nobody (a benchmark, a ledger written for a test, a
// service nobody handed in): nothing is shown, nothing blocks, nothing leaves the process.
#include <QHash>

#include "platform/clock.h"
#include "platform/http.h"
#include "platform/modalrunner.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"
#include "platform/tray.h"

// Every box is answered with its default button (Yes, or OK), an input box with its default
// text; file and folder dialogs are cancelled.
class SilentPrompts : public Prompts {
public:
    void information(const QString&, const QString& = QString()) override {}
    void warning(const QString&, const QString& = QString()) override {}
    void plain(const QString&, const QString& = QString()) override {}
    Answer question(const QString& text, Buttons buttons = Buttons::YesNo,
                    const QString& title = QString()) override;
    std::optional<QString> input(const QString& prompt, const QString& title = QString(),
                                 const QString& defaultText = QString()) override;
    std::optional<QString> password(const QString&, const QString& = QString()) override {
        return std::nullopt;
    }
    QString openFile(const QString&, const QString&, const QString& = QString()) override {
        return {};
    }
    QString saveFile(const QString&, const QString&, const QString& = QString(),
                     QString* = nullptr) override {
        return {};
    }
    QString browseFolder(const QString&) override { return {}; }
};

// A window is not shown: it ends as if closed (QDialog::Rejected).
class SilentModalRunner : public ModalRunner {
public:
    int run(QDialog&) override { return 0; }
};

// Opens, moves and starts nothing; the clipboard stays empty.
class SilentShell : public Shell {
public:
    bool openUrl(const QString&) override { return false; }
    bool openFile(const QString&) override { return false; }
    MoveResult moveFolder(const QString&, const QString&) override {
        return {MoveOutcome::Aborted, 0};
    }
    bool startCalculator() override { return false; }
    QString clipboardText() const override { return {}; }
    void setClipboardText(const QString&) override {}
};

// A desktop without a notification area: the ids are counted, no icon is shown.
class SilentTray : public TrayService {
public:
    bool isAvailable() const override { return false; }

protected:
    void showIcon(int, QObject*, const QIcon&, const QString&, ClickHandler) override {}
    void hideIcon(int, QObject*) override {}
};

// No connection: every request fails.
class SilentHttpClient : public HttpClient {
public:
    Reply get(const QString&) override { return {}; }
};

// Settings held in memory for the run: every write is taken, nothing reaches a file.
class MemorySettingsStore : public SettingsStore {
public:
    QString GetSetting(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const override {
        return m_values.value(section + u'/' + key, defaultValue);
    }

protected:
    bool writeValue(const QString& section, const QString& key, const QString& value) override {
        m_values.insert(section + u'/' + key, value);
        return true;
    }
    bool removeValue(const QString& section, const QString& key) override {
        m_values.remove(section + u'/' + key);
        return true;
    }

private:
    QHash<QString, QString> m_values;
};
