// 發票清單 of the entry window: the user's paper invoices, kept by the lottery window.
#include "entry/inputform.h"

#include "online/numberform.h"
#include "online/numberlistform.h"
#include "windowparts/mainview.h"

void InputForm::NumberList_Click() {
    ShowInvoiceList(m_main, m_main.LotteryWindow(), this);
}
