#pragma once
#include "platform/modalrunner.h"

// Production: places the dialog and runs its own event loop (exec()).
class ExecModalRunner : public ModalRunner {
public:
    int run(QDialog& dialog) override;
};
