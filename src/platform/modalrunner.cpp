#include "platform/modalrunner.h"

#include <QDialog>

#include "platform/windowroutines.h"

int ExecModalRunner::run(QDialog& dialog) {
    PlaceDialog(dialog);
    return dialog.exec();
}
