#include "platform/desktop/execmodalrunner.h"

#include <QDialog>

#include "platform/desktop/windowroutines.h"

int ExecModalRunner::run(QDialog& dialog) {
    PlaceDialog(dialog);
    return dialog.exec();
}
