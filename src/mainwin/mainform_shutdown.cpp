// The save step before a ledger is left, and the close of the main window.
#include <QAction>
#include <QCloseEvent>
#include <QTreeWidget>

#include "mainwin/mainform.h"
#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "store/appcontext.h"
#include "store/autobackup.h"
#include "windowparts/ledgerdialogue.h"

bool MainForm::ConfirmSaveChanges() {
    if (!LedgerChanged()) return true;
    Prompts& prompts = m_ctx.services.prompts();
    bool saved = false;
    if (m_ctx.session.Setting.SaveState != QLatin1String("0")) {
        saved = SaveLedger(m_ctx);
    } else {
        const Prompts::Answer a = prompts.question(
            m_ctx.session.LedgerName + QStringLiteral(" 帳本中的記錄已經改變。") +
                QStringLiteral("\r\n\r\n") + QStringLiteral("是否要儲存這些變更？"),
            Prompts::Buttons::YesNoCancel);
        if (a == Prompts::Answer::Cancel) return false;
        if (a == Prompts::Answer::No) return true;
        saved = SaveLedger(m_ctx);
    }
    if (saved) return true;
    return prompts.question(QStringLiteral("是否要不儲存離開？"), Prompts::Buttons::YesNo) ==
           Prompts::Answer::Yes;
}

void MainForm::File_Quit_Click() {
    close();
}

void MainForm::closeEvent(QCloseEvent* event) {
    if (m_runEnded) {
        event->accept();
        return;
    }
    const bool loggedIn = !m_ctx.session.CurrentUser.isEmpty();
    if (loggedIn) {
        if (!ConfirmSaveChanges()) {
            event->ignore();
            return;
        }
        SaveExpandedState();
        const WaitCursor waiting;
        AutoBackup(m_ctx);
    }
    writeCloseSettings(loggedIn);
    m_runEnded = true;
    event->accept();
    if (EndProcess) EndProcess();
}

void MainForm::writeCloseSettings(bool loggedIn) {
    SettingsStore& store = m_ctx.services.settings();
    // One rewrite of the file for the whole close.
    const SettingsBatch once(store, m_ctx.services.prompts());
    const QString section = QStringLiteral("MainForm");
    // The columns' own widths, not those the fitting gave them at this size.
    for (int n = 1; n <= 7; ++n)
        SaveSettingQuietly(store, section, QStringLiteral("LW%1").arg(n),
                           QString::number(m_listWidths[size_t(n - 1)]));
    const bool minimised = isMinimized();
    const bool maximised = windowState() & Qt::WindowMaximized;
    if (loggedIn && !minimised)
        SaveSettingQuietly(store, section, QStringLiteral("WinState"),
                           maximised ? QStringLiteral("2") : QStringLiteral("0"));
    if (!minimised && !maximised) {
        const QRect g = geometry();
        SaveSettingQuietly(store, section, QStringLiteral("Left"),
                           QString::number(Runtime::pixelsToTwips(g.x())));
        SaveSettingQuietly(store, section, QStringLiteral("Top"),
                           QString::number(Runtime::pixelsToTwips(g.y())));
        SaveSettingQuietly(store, section, QStringLiteral("Width"),
                           QString::number(Runtime::pixelsToTwips(g.width())));
        SaveSettingQuietly(store, section, QStringLiteral("Height"),
                           QString::number(Runtime::pixelsToTwips(g.height())));
    }
    SaveSettingQuietly(store, QStringLiteral("Update"), QStringLiteral("State"),
                       QStringLiteral("0"));
    const SettingMirrors& m = m_ctx.session.Setting;
    SaveSettingQuietly(store, QStringLiteral("Setting"), QStringLiteral("AutoLoginState"),
                       m.AutoLoginState);
    SaveSettingQuietly(store, QStringLiteral("Setting"), QStringLiteral("AutoLoginUsername"),
                       m.AutoLoginUsername);
    SaveSettingQuietly(store, QStringLiteral("Setting"), QStringLiteral("AutoLoginPassword"),
                       m.AutoLoginPassword);
    SaveSettingQuietly(store, section, QStringLiteral("CheckState"),
                       Runtime::boolText(View_Add->isChecked()));
    for (QAction* item : {View_Show, View_Today, View_Yesterday, View_Balance, View_Budget,
                          View_BudgetI, View_BudgetE})
        SaveSettingQuietly(store, section, item->objectName(),
                           Runtime::boolText(item->isChecked()));
    for (QAction* item : clearingChecks())
        if (item)
            SaveSettingQuietly(store, section, item->objectName(),
                               Runtime::boolText(item->isChecked()));
}
