#pragma once
#include "platform/modalrunner.h"

#include <QDialog>
#include <QHash>
#include <QStringList>
#include <functional>

// Runs a registered handler in place of exec(), synchronously. The dialog is shown first
// (so its show-time set-up runs, offscreen), then the handler fills fields and presses
// buttons; its return value is the dialog's result (return dialog.result() after clicking
// a button that calls accept()/done()). The dialog is hidden afterwards if still visible.
// A dialog whose class has no handler fails the running test with the class name and
// returns Rejected.
class ScriptedModalRunner : public ModalRunner {
public:
    using Handler = std::function<int(QDialog&)>;

    template <typename DialogClass> void on(std::function<int(DialogClass&)> handler) {
        onClass(DialogClass::staticMetaObject.className(),
                [handler](QDialog& d) { return handler(static_cast<DialogClass&>(d)); });
    }
    // Registers (or replaces) the handler of the windows of one class (metaObject()->className()).
    void onClass(const char* className, Handler handler);
    void remove(const char* className);

    int run(QDialog& dialog) override;

    QStringList shown; // class names of the dialogs run, in order

    // What happens on a dialog without a handler; the default fails the running test.
    std::function<void(const QString&)> onFailure;
    QStringList failures;

private:
    QHash<QString, Handler> m_handlers;
};
