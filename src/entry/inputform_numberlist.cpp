// 發票清單 of the entry window: the user's paper invoices, kept by the lottery window.
#include "entry/inputform.h"

#include "windowparts/mainview.h"

void InputForm::NumberList_Click() {
    m_main.ShowInvoiceList(this);
}
