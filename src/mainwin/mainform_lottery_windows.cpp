// The invoice lottery and the paper-invoice list, opened from the menu bar and the toolbar.
#include "mainwin/mainform.h"

#include "online/numberform.h"
#include "online/numberlistform.h"
#include "platform/modalrunner.h"
#include "store/appcontext.h"

NumberForm& MainForm::LotteryWindow() {
    // The loaded window belongs to the user it was loaded for: after a logout no other user
    // sees or stores that list. It goes without its unload, as at the end of a run.
    if (m_numberForm && m_numberForm->UserFolder() != m_ctx.session.userFolder())
        m_numberForm.reset();
    if (!m_numberForm) m_numberForm = std::make_unique<NumberForm>(*this, this);
    return *m_numberForm;
}

void MainForm::ForgetUserWindows() {
    m_numberForm.reset();
}

void MainForm::Tools_Number_Click() {
    NumberForm& form = LotteryWindow();
    m_ctx.services.modal().run(form);
    form.Form_Unload(); // however the window ended
    const bool search = form.SearchRequested();
    m_numberForm.reset();
    // The double-click's search runs once the lottery window is gone.
    if (search) Command4_Click();
}

void MainForm::Tools_NumberList_Click() {
    ShowInvoiceList(this);
}
