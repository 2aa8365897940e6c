#include "entry/entryrows.h"

#include <QTreeWidget>

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
    auto* row = new QTreeWidgetItem(QStringList{
        e.Date.trimmed(), e.Account1.trimmed(), amount, QStringLiteral("..."), e.Detail.trimmed(),
        ledger.EntryNotes[size_t(index)].Note.trimmed(), invoice, QString::number(index)});
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(0, ledger.EntryInvoices[size_t(index)].Checked != 0 ? Qt::Checked
                                                                           : Qt::Unchecked);
    if (flags & ClockIcon) row->setIcon(0, ImageList2::icon(12));
    if (flags & ReminderRed) row->setForeground(0, QColor(206, 0, 0));
    for (int c : {2, 3, 7})
        row->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    main.EntryList()->addTopLevelItem(row);
}

} // namespace EntryRows
