#pragma once

class QDialog;

// Every modal window is shown through this, so that a test can drive it synchronously.
// Returns the dialog's result code (QDialog::Accepted / Rejected or done(n)).
class ModalRunner {
public:
    virtual ~ModalRunner() = default;
    virtual int run(QDialog& dialog) = 0;
};
