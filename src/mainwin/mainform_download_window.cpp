// The download window, opened from the menu bar and the toolbar.
#include "mainwin/mainform.h"

#include "online/downform.h"
#include "platform/modalrunner.h"
#include "store/appcontext.h"

void MainForm::Tools_Download_Click() {
    DownForm form(*this, this);
    m_ctx.services.modal().run(form);
    form.Form_Unload(); // however the window ended; runs once
    AfterDownload();
}
