// The window hides into a notification-area icon when minimised (MinState "1") and comes
// back from it, after the login password when MinLockState is "1".
#include "mainwin/mainform.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QStyle>

#include "platform/prompts.h"
#include "platform/tray.h"
#include "store/appcontext.h"

bool MainForm::MinimiseToTray() {
    TrayService& tray = m_ctx.services.tray();
    // Without a notification area an icon could never bring the window back, so the window
    // then stays an ordinary minimised one.
    if (!isMinimized() || m_ctx.session.Setting.MinState != QLatin1String("1") || TrayIconId != 0 ||
        !tray.isAvailable())
        return false;
    QIcon icon = windowIcon();
    if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_ComputerIcon);
    TrayIconId =
        tray.AddTrayIcon(this, icon, QStringLiteral("Qivoka"), [this](TrayService::Click click) {
            if (click == TrayService::Click::Left)
                ST_Open_Click();
            else if (click == TrayService::Click::Right)
                Menu_ST->popup(QCursor::pos());
        });
    hide();
    return true;
}

void MainForm::ST_Open_Click() {
    if (m_ctx.session.Setting.MinLockState == QLatin1String("1")) {
        Prompts& prompts = m_ctx.services.prompts();
        const QString title = QStringLiteral("輸入密碼");
        QString prompt = QStringLiteral("Qivo 已鎖定，請輸入您的登入密碼以解除鎖定");
        for (;;) {
            // A masked box; Cancel and an empty answer both leave the window locked away.
            const std::optional<QString> typed = prompts.password(prompt, title);
            if (!typed || typed->isEmpty()) return;
            if (*typed == m_ctx.session.UserPassword) break;
            prompt = QStringLiteral("密碼錯誤！請重新輸入");
        }
    }
    if (TrayIconId != 0) {
        m_ctx.services.tray().RemoveTrayIcon(TrayIconId);
        TrayIconId = 0;
    }
    if (RestoreWindowState == 2)
        showMaximized();
    else
        showNormal();
    raise();
    activateWindow();
}
