#include "entry/entryrows.h"

#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/figures.h"
#include "windowparts/imagelist.h"
#include "windowparts/mainview.h"

namespace EntryRows {

namespace {

int kindOf(const Ledger& ledger, const FixedText<32>& name) {
    const int i = FindAccountIndex(ledger, name.trimmed());
    return i > 0 ? ledger.Accounts[size_t(i)].Kind : -1;
}

} // namespace

void AppendProvisionalRow(MainView& main, const AppContext& ctx, int index, int flags) {
    const Ledger& ledger = ctx.ledger;
    const EntryCore& e = ledger.Entries[size_t(index)];
    const int k1 = kindOf(ledger, e.Account1);
    const int k2 = kindOf(ledger, e.Account2);
    const double a = e.Amount.value();
    QString amount;
    if (ProvisionalRowSign(k1, k2) > 0)
        amount = FormatAmount(a, ctx.session);
    else if (a >= 0)
        amount = u'-' + FormatAmount(a, ctx.session);
    else
        amount = FormatAmount(-a, ctx.session);

    QString invoice;
    if (flags & InvoiceShown)
        invoice = ledger.EntryStyles[size_t(index)].InvoiceLetters.trimmed() +
                  ledger.EntryInvoices[size_t(index)].InvoiceDigits.trimmed();
    MainView::ProvisionalRow row;
    row.texts = QStringList{e.Date.trimmed(),
                            e.Account1.trimmed(),
                            amount,
                            QStringLiteral("..."),
                            e.Detail.trimmed(),
                            ledger.EntryNotes[size_t(index)].Note.trimmed(),
                            invoice,
                            QString::number(index)};
    row.checked = ledger.EntryInvoices[size_t(index)].Checked != 0;
    row.clockIcon = (flags & ClockIcon) != 0;
    row.red = (flags & ReminderRed) != 0;
    main.AppendEntryRow(row);
}

} // namespace EntryRows
