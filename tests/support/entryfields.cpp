#include "entryfields.h"

EntryFields ChosenFields(const QString& account1, const QString& account2, const QString& amount,
                         const QString& detail, const QString& date) {
    EntryFields f;
    f.date = date;
    f.account1Chosen = f.account2Chosen = true;
    f.account1 = account1;
    f.account2 = account2;
    f.amount = amount;
    f.detail = detail;
    return f;
}

EntryFields WithFee(EntryFields f, const QString& fee1, const QString& fee2, const QString& amount,
                    const QString& detail) {
    f.fee = f.fee1Chosen = f.fee2Chosen = true;
    f.fee1 = fee1;
    f.fee2 = fee2;
    f.feeAmount = amount;
    f.feeDetail = detail;
    return f;
}
