#include "mainwin/mainform.h"
#include "platform/clock.h"
#include "platform/desktop/desktopshell.h"
#include "platform/desktop/dialogprompts.h"
#include "platform/desktop/execmodalrunner.h"
#include "platform/desktop/systemtray.h"
#include "platform/http.h"
#include "platform/settingsstore.h"
#include "platform/singleinstance.h"
#include "platform/translation.h"
#include "store/appcontext.h"
#include "users/userscontroller.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Qivo"));
    QApplication::setOrganizationName(QStringLiteral("Qivo"));
    InstallQtTranslation(app);
    UseProgramLocale();

    // Services of the run.
    DialogPrompts prompts(QStringLiteral("Qivoka"));

    // A second copy ends here, before anything is read or written.
    SingleInstance instance;
    if (!instance.acquire()) {
        prompts.warning(QStringLiteral("此程式已經在執行中"));
        return 0;
    }

    IniSettingsStore settings;
    ExecModalRunner modal;
    SystemClock clock;
    DesktopShell shell;
    NetworkHttpClient http;
    SystemTrayService tray;
    AppContext ctx;
    ctx.services.setSettings(settings);
    ctx.services.setPrompts(prompts);
    ctx.services.setModal(modal);
    ctx.services.setClock(clock);
    ctx.services.setShell(shell);
    ctx.services.setHttp(http);
    ctx.services.setTray(tray);

    // The main window's start sequence ends with the login step; a cancelled login has
    // closed the window and ended the run already.
    MainForm window(ctx);
    prompts.setParentWindow(&window);
    InstallUsers(window);
    window.Form_Load();
    if (window.RunEnded()) return 0;
    window.show();
    return app.exec();
}
