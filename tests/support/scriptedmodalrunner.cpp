#include "scriptedmodalrunner.h"

#include <QTest>

#include "platform/desktop/windowroutines.h"

void ScriptedModalRunner::onClass(const char* className, Handler handler) {
    m_handlers.insert(QString::fromLatin1(className), std::move(handler));
}

void ScriptedModalRunner::remove(const char* className) {
    m_handlers.remove(QString::fromLatin1(className));
}

int ScriptedModalRunner::run(QDialog& dialog) {
    const QString name = QString::fromLatin1(dialog.metaObject()->className());
    shown.append(name);
    const auto it = m_handlers.constFind(name);
    if (it == m_handlers.constEnd()) {
        const QString message = QLatin1String("Unexpected modal window ") + name +
                                QLatin1String(": no handler registered");
        failures.append(message);
        if (onFailure)
            onFailure(message);
        else
            QTest::qFail(qPrintable(message), __FILE__, __LINE__);
        return QDialog::Rejected;
    }
    const Handler handler = it.value(); // a copy: the handler may register others
    PlaceDialog(dialog);                // placed as the program's runner places it
    dialog.show();
    const int result = handler(dialog);
    if (dialog.isVisible()) dialog.hide();
    dialog.setResult(result);
    return result;
}
