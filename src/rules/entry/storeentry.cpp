#include "rules/entry/storeentry.h"

#include "platform/codec.h"
#include "platform/runtime.h"
#include "store/amounts.h"
#include "store/detailtext.h"
#include "store/plaintext.h"

namespace StoreEntry {

namespace {

EntryMessage info(const QString& text) {
    return {EntryMessage::Kind::Information, text};
}

QString countLine(int bytes) {
    return QStringLiteral("\r\n\r\n目前字數為: ") + QString::number(bytes) +
           QStringLiteral(" (中文字算2個字元)");
}

} // namespace

QString limitMessage() {
    return QStringLiteral("記錄筆數已經到達") + QString::number(Ledger::EntryCapacity) +
           QStringLiteral("筆上限，建議使用結帳功能清除舊資料");
}

QString feeNoRoomMessage() {
    return QStringLiteral("資料筆數已經到達") + QString::number(Ledger::EntryCapacity) +
           QStringLiteral("筆上限，無法記錄這筆手續費，請先使用結帳清除舊資料!");
}

QString failureMessage() {
    return QStringLiteral("新增/編輯記錄發生錯誤!");
}

QString noteUnsupportedMessage() {
    return QStringLiteral("備註不可以包含軟體不支援的文字!");
}

QString detailListFullMessage() {
    return QStringLiteral("常用明細已滿1000筆，無法再新增");
}

std::optional<EntryMessage> check(const Ledger& ledger, EntryFields& f, bool adding) {
    if (adding && ledger.EntryCount > Ledger::EntryCapacity) return info(limitMessage());
    if (!f.account1Chosen || !f.account2Chosen) return info(QStringLiteral("您還沒選擇科目"));
    if (f.account1 == f.account2) return info(QStringLiteral("選擇的科目不能重複"));
    if (f.fee && f.fee1 == f.fee2) return info(QStringLiteral("手續費功能選擇的科目不能重複"));
    if (f.fee && (!f.fee1Chosen || !f.fee2Chosen))
        return info(QStringLiteral("尚未選擇手續費的科目"));
    if (!Runtime::isDate(f.date)) return info(QStringLiteral("不正確的日期格式"));
    if (!Runtime::isNumeric(f.amount)) return info(QStringLiteral("金額部分不是數字格式"));

    // Silent defaults; they stay in the fields even when a later check refuses.
    if (!Runtime::isNumeric(f.rate)) f.rate = QStringLiteral("1");
    if (!Runtime::isNumeric(f.remindDays)) f.remindDays = QStringLiteral("1");
    if (!Runtime::isNumeric(f.feeAmount)) f.feeAmount = QStringLiteral("0");

    // An amount the ledger cannot hold to the hundredth is named, not stored as something else.
    if (!EntryRules::typedHundredths(f.amount, EntryRules::rateOf(f.rate)) ||
        (f.fee && !EntryRules::typedHundredths(f.feeAmount, 1)))
        return info(EntryRules::amountRangeMessage());

    // The detail is one field and one line of the detail-text file; the note keeps its own
    // line breaks (CR LF, as its editor writes them) and nothing else below U+0020.
    if (!PlainText::isPlain(f.detail) || (f.fee && !PlainText::isPlain(f.feeDetail)))
        return info(DetailText::unsupportedMessage());
    if (!PlainText::isPlainNote(f.note)) return info(noteUnsupportedMessage());

    const int detailBytes = Ansi::byteLength(f.detail);
    if (detailBytes > 60)
        return EntryMessage{EntryMessage::Kind::Plain,
                            QStringLiteral("明細字數已超過60個字元，請縮減字數") +
                                countLine(detailBytes)};
    const int noteBytes = Ansi::byteLength(f.note);
    if (noteBytes > 5000)
        return EntryMessage{EntryMessage::Kind::Plain,
                            QStringLiteral("備註字數已超過5000個字元，請縮減字數") +
                                countLine(noteBytes)};

    f.invoice = f.invoice.trimmed();
    if (!f.invoice.isEmpty() && f.invoice.size() != 8 && f.invoice.size() != 10)
        return info(
            QStringLiteral("不正確的發票格式，請輸入8碼數字或是含英文字母共10碼的的完整發票格式"));
    return std::nullopt;
}

namespace {

// Date, the table's own names of two accounts, the amount by the rule and the detail;
// nullopt when an account is not in the table or the amount cannot be stored.
std::optional<LedgerEntry> entryCore(const Ledger& ledger, const QString& date,
                                     const QString& account1, const QString& account2,
                                     const QString& amountText, double rate,
                                     const QString& detail) {
    const int i1 = FindAccountIndex(ledger, account1);
    const int i2 = FindAccountIndex(ledger, account2);
    if (i1 == 0 || i2 == 0) return std::nullopt;
    const auto amount = EntryRules::typedHundredths(amountText, rate);
    if (!amount) return std::nullopt;

    LedgerEntry e;
    e.core.Date.set(date);
    e.core.Account1 = ledger.Accounts[size_t(i1)].Name;
    e.core.Account2 = ledger.Accounts[size_t(i2)].Name;
    e.core.Amount = TaggedNumber::fromDouble(*amount);
    e.core.Detail.set(detail);
    e.note.Note.set(QString());
    e.invoice.InvoiceDigits.set(QString());
    e.style.InvoiceLetters.set(QString());
    return e;
}

} // namespace

std::optional<LedgerEntry> mainEntry(const Ledger& ledger, const EntryFields& f,
                                     const QString& date, const QString& detail,
                                     const QString& note, double rate) {
    auto e = entryCore(ledger, date, f.account1, f.account2, f.amount, rate, detail);
    if (!e) return std::nullopt;
    EntryRules::splitNote(note, e->note, e->noteRow);
    EntryRules::setReminder(e->note, f.reminder, EntryRules::remindDaysOf(f.remindDays));
    EntryRules::splitInvoice(f.invoice, e->invoice, e->style);
    e->style.ColourIndex = quint8(std::clamp(f.colour, 0, 9));
    return e;
}

std::optional<LedgerEntry> feeEntry(const Ledger& ledger, const EntryFields& f,
                                    const QString& date) {
    auto e = entryCore(ledger, date, f.fee1, f.fee2, f.feeAmount, 1, f.feeDetail);
    if (!e) return std::nullopt;
    e->style.ColourIndex = quint8(std::clamp(f.colour, 0, 9));
    return e;
}

StoreResult store(Ledger& ledger, EntryFields& f, int editIndex) {
    StoreResult result;
    const bool adding = editIndex == 0;
    if (const auto refusal = check(ledger, f, adding)) {
        result.message = *refusal;
        return result;
    }
    result.status = StoreResult::Status::Failed;
    result.message = {EntryMessage::Kind::Warning, failureMessage()};

    // Preparation.
    const QString remindDays = EntryRules::correctedRemindDays(f.remindDays);
    const double rate = EntryRules::rateOf(f.rate);
    QString note = f.note;
    if (rate != 1 && rate > 0 && f.rateInNote)
        note = EntryRules::withRateLine(note, f.amount, f.rate);
    note = EntryRules::withoutFinalCrLf(note);

    const int n = adding ? ledger.EntryCount : editIndex;
    if (!adding && (n < 1 || n >= ledger.EntryCount)) return result;
    const QString date = Runtime::dateText(*Runtime::parseDate(f.date));

    EntryFields prepared = f;
    prepared.remindDays = remindDays;
    auto entry = mainEntry(ledger, prepared, date, f.detail, note, rate);
    if (!entry) return result;
    std::optional<LedgerEntry> fee;
    if (adding && f.fee) {
        if (n + 1 <= Ledger::EntryCapacity) {
            fee = feeEntry(ledger, prepared, date);
            if (!fee) return result;
        } else {
            result.feeNoRoom = true;
        }
    }

    // Everything is known: write.
    const Ledger::ChangeScope scope(ledger);
    if (adding) {
        if (!ledger.addEntry(*entry)) return result;
    } else {
        entry->invoice.Checked = ledger.EntryInvoices[size_t(n)].Checked;
        ledger.setEntry(n, *entry);
    }
    if (fee && ledger.addEntry(*fee)) result.feeIndex = n + 1;
    f.remindDays = remindDays;
    f.note = note;
    result.index = n;
    result.status = StoreResult::Status::Stored;
    result.message = {};

    if (f.keepDetail) {
        if (ledger.addDetailText(DetailText::join(f.account1, f.detail))) {
            ledger.DetailTextsChanged = true;
            result.detailText = StoreResult::DetailText::Added;
        } else {
            result.detailText = StoreResult::DetailText::ListFull;
        }
    }
    ledger.markChanged();
    return result;
}

} // namespace StoreEntry
