#include "platform/prompts.h"
#include "platform/singleinstance.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Qivo"));
    QApplication::setOrganizationName(QStringLiteral("Qivo"));

    // Services of the run.
    DialogPrompts prompts(QStringLiteral("Qivoka"));

    // A second copy ends here, before anything is read or written.
    SingleInstance instance;
    if (!instance.acquire()) {
        prompts.warning(QStringLiteral("此程式已經在執行中"));
        return 0;
    }

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Qivoka v4.0.4"));
    window.show();
    return app.exec();
}
