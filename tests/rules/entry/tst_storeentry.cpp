#include <QtTest>

#include "rules/entry/storeentry.h"
#include "store/amounts.h"
#include "support/entryfields.h"
#include "support/ledgerbuilder.h"

#include <cmath>

using Status = StoreResult::Status;
using Kind = EntryMessage::Kind;

namespace {

void accounts(Ledger& ledger) {
    LedgerBuilder(ledger)
        .account("A-現金")
        .account("L-信用卡")
        .account("I-薪水")
        .account("E-餐飲費")
        .account("E-手續費")
        .account("Equity");
}

// A filled-in window: lunch paid in cash.
EntryFields lunch() {
    return ChosenFields("E-餐飲費", "A-現金", "120", "午餐", "2024/03/05");
}

EntryFields withFee(EntryFields f) {
    return WithFee(std::move(f), "E-手續費", "A-現金", "15");
}

} // namespace

class TestStoreEntry : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void amountRule_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<double>("hundredths");

        QTest::newRow("product just below a whole") << "19.99" << "1" << true << 1999.0;
        QTest::newRow("third decimal cut") << "12.345" << "1" << true << 1234.0;
        QTest::newRow("negative cut toward zero") << "-12.345" << "1" << true << -1234.0;
        QTest::newRow("tiny negative is zero") << "-0.004" << "1" << true << 0.0;
        QTest::newRow("grouped amount") << "1,234.5" << "1" << true << 123450.0;
        QTest::newRow("rate applied") << "100" << "30.5" << true << 305000.0;
        QTest::newRow("rate with comma reads 1") << "100" << "1,5" << true << 10000.0;
        QTest::newRow("rate zero") << "100" << "0" << true << 0.0;
        QTest::newRow("negative rate, sign of amount") << "10" << "-2" << true << -1999.0;
        QTest::newRow("rate not numeric is 1") << "7" << "abc" << true << 700.0;
        QTest::newRow("largest amount") << "90000000000000" << "1" << true << 9e15;
        QTest::newRow("largest negative") << "-90000000000000" << "1" << true << -9e15;
        QTest::newRow("beyond by the rate") << "1000000000000" << "100" << false << 0.0;
        QTest::newRow("beyond the largest") << "90000000000001" << "1" << false << 0.0;
        QTest::newRow("overflowing text") << "1e400" << "1" << false << 0.0;
        QTest::newRow("overflowing product") << "1e300" << "1e300" << false << 0.0;
    }
    // clang-format on
    void amountRule() {
        QFETCH(QString, amount);
        QFETCH(QString, rate);
        QFETCH(bool, stored);
        QFETCH(double, hundredths);
        Ledger ledger;
        accounts(ledger);
        EntryFields f = lunch();
        f.amount = amount;
        f.rate = rate;
        const StoreResult r = StoreEntry::store(ledger, f, 0);
        if (!stored) { // refused, naming the range
            QCOMPARE(r.status, Status::Refused);
            QCOMPARE(r.message, (EntryMessage{Kind::Information,
                                              "金額超出範圍，記錄的金額必須在 "
                                              "-90,000,000,000,000 到 90,000,000,000,000 之間"}));
            QCOMPARE(ledger.EntryCount, 1);
            QVERIFY(!ledger.LedgerChangedFlag.isSet());
            return;
        }
        QCOMPARE(r.status, Status::Stored);
        const TaggedNumber a = ledger.Entries[1].Amount;
        QCOMPARE(a.tag(), quint16(TaggedNumber::Double));
        QCOMPARE(a.value(), hundredths);
        if (hundredths == 0) QVERIFY(!std::signbit(a.value())); // never a negative zero
    }

    void addWritesEveryPart() {
        Ledger ledger;
        accounts(ledger);
        const QString longNote = QString(51, QChar(u'字')); // 102 bytes
        EntryFields f = lunch();
        f.note = longNote;
        f.invoice = "  AB12345678 ";
        f.colour = 3;
        f.reminder = EntryRules::Reminder::DaysBefore;
        f.remindDays = "40000";
        const StoreResult r = StoreEntry::store(ledger, f, 0);
        QCOMPARE(r.status, Status::Stored);
        QCOMPARE(r.index, 1);
        QCOMPARE(r.feeIndex, 0);
        QCOMPARE(ledger.EntryCount, 2);
        const LedgerEntry e = ledger.entry(1);
        QCOMPARE(e.core.Date.text(), QString("2024/03/05"));
        QCOMPARE(e.core.Account1, ledger.Accounts[4].Name);
        QCOMPARE(e.core.Account2, ledger.Accounts[1].Name);
        QCOMPARE(e.core.Detail.trimmed(), QString("午餐"));
        QCOMPARE(e.note.Note.trimmed(), QString(50, QChar(u'字')));
        QCOMPARE(e.noteRow, longNote);
        QCOMPARE(e.style.InvoiceLetters.trimmed(), QString("AB"));
        QCOMPARE(e.invoice.InvoiceDigits.trimmed(), QString("12345678"));
        QCOMPARE(f.invoice, QString("AB12345678")); // trimmed in the field too
        QCOMPARE(e.style.ColourIndex, quint8(3));
        QCOMPARE(e.note.RemindOn, qint16(-1));
        QCOMPARE(e.note.RemindDays, qint16(32767));
        QCOMPARE(f.remindDays, QString("32767"));
        QCOMPARE(e.invoice.Checked, qint16(0));
        QVERIFY(ledger.LedgerChangedFlag.isSet());
    }

    void shortNoteClearsOldNoteRow() {
        Ledger ledger;
        accounts(ledger);
        LedgerBuilder(ledger)
            .entry("2024/01/01", "E-餐飲費", "A-現金", 100)
            .note(QString(60, QChar(u'長')));
        QVERIFY(!ledger.noteRow(1).isEmpty());
        EntryFields f = lunch();
        f.note = QString(50, QChar(u'短')); // exactly 100 bytes
        QCOMPARE(StoreEntry::store(ledger, f, 1).status, Status::Stored);
        QCOMPARE(ledger.noteRow(1), QString());
        QCOMPARE(ledger.EntryNotes[1].Note.trimmed(), f.note);
    }

    void editKeepsCheckMarkAndCount() {
        Ledger ledger;
        accounts(ledger);
        LedgerBuilder(ledger)
            .entry("2024/01/01", "I-薪水", "A-現金", 500000, "一月")
            .checked()
            .entry("2024/01/02", "E-餐飲費", "A-現金", 100, "早餐");
        EntryFields f = withFee(lunch()); // a fee is never written by an edit
        const StoreResult r = StoreEntry::store(ledger, f, 1);
        QCOMPARE(r.status, Status::Stored);
        QCOMPARE(ledger.EntryCount, 3);
        QCOMPARE(ledger.EntryInvoices[1].Checked, qint16(-1));
        QCOMPARE(ledger.Entries[1].Detail.trimmed(), QString("午餐"));
        QCOMPARE(ledger.Entries[1].Amount.value(), 12000.0);
        QCOMPARE(ledger.Entries[2].Detail.trimmed(), QString("早餐"));
    }

    void editOfMissingEntryFails() {
        Ledger ledger;
        accounts(ledger);
        EntryFields f = lunch();
        QCOMPARE(StoreEntry::store(ledger, f, 1).status, Status::Failed);
        QCOMPARE(ledger.EntryCount, 1);
    }

    void feeEntry() {
        Ledger ledger;
        accounts(ledger);
        EntryFields f = withFee(lunch());
        f.colour = 2;
        f.note = "備註";
        f.invoice = "12345678";
        f.reminder = EntryRules::Reminder::SameDay;
        f.rate = "2"; // never applies to the fee
        const StoreResult r = StoreEntry::store(ledger, f, 0);
        QCOMPARE(r.status, Status::Stored);
        QCOMPARE(r.feeIndex, 2);
        QCOMPARE(ledger.EntryCount, 3);
        const LedgerEntry fee = ledger.entry(2);
        QCOMPARE(fee.core.Date.text(), QString("2024/03/05"));
        QCOMPARE(fee.core.Account1.trimmed(), QString("E-手續費"));
        QCOMPARE(fee.core.Account2.trimmed(), QString("A-現金"));
        QCOMPARE(fee.core.Amount.value(), 1500.0);
        QCOMPARE(fee.core.Detail.trimmed(), QString("手續費"));
        QCOMPARE(fee.note.Note.trimmed(), QString());
        QCOMPARE(fee.note.RemindOn, qint16(0));
        QCOMPARE(fee.invoice.InvoiceDigits.trimmed(), QString());
        QCOMPARE(fee.style.ColourIndex, quint8(2));
        QCOMPARE(ledger.Entries[1].Amount.value(), 24000.0);
    }

    void capacity() {
        Ledger ledger;
        accounts(ledger);
        ledger.EntryCount = Ledger::EntryCapacity; // 29999 entries stored
        EntryFields f = withFee(lunch());
        StoreResult r = StoreEntry::store(ledger, f, 0);
        QCOMPARE(r.status, Status::Stored);
        QCOMPARE(r.index, 30000);
        QCOMPARE(r.feeIndex, 0);
        QVERIFY(r.feeNoRoom);
        QCOMPARE(ledger.EntryCount, 30001);

        f = lunch();
        r = StoreEntry::store(ledger, f, 0);
        QCOMPARE(r.status, Status::Refused);
        QCOMPARE(r.message.text,
                 QString("記錄筆數已經到達30000筆上限，建議使用結帳功能清除舊資料"));
        QCOMPARE(ledger.EntryCount, 30001);

        f.detail = "改過";
        QCOMPARE(StoreEntry::store(ledger, f, 30000).status, Status::Stored);
        QCOMPARE(ledger.Entries[30000].Detail.trimmed(), QString("改過"));
    }

    // clang-format off
    void refusals_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");

        const int info = int(Kind::Information);
        const int plain = int(Kind::Plain);
        QTest::newRow("no first account") << "account1Chosen" << "" << info << "您還沒選擇科目";
        QTest::newRow("same accounts") << "account1" << "A-現金" << info << "選擇的科目不能重複";
        QTest::newRow("same fee accounts") << "fee2" << "E-手續費" << info << "手續費功能選擇的科目不能重複";
        QTest::newRow("fee lists both empty") << "feeBothEmpty" << "" << info << "手續費功能選擇的科目不能重複";
        QTest::newRow("fee account not chosen") << "fee2Chosen" << "" << info << "尚未選擇手續費的科目";
        QTest::newRow("bad date") << "date" << "2024/02/30" << info << "不正確的日期格式";
        QTest::newRow("amount empty") << "amount" << "" << info << "金額部分不是數字格式";
        QTest::newRow("amount text") << "amount" << "12a" << info << "金額部分不是數字格式";
        QTest::newRow("detail 61 bytes") << "detail" << QString(30, QChar(u'明')) + "x" << plain << "明細字數已超過60個字元，請縮減字數\r\n\r\n目前字數為: 61 (中文字算2個字元)";
        QTest::newRow("note 5001 bytes") << "note" << QString(2500, QChar(u'備')) + "x" << plain << "備註字數已超過5000個字元，請縮減字數\r\n\r\n目前字數為: 5001 (中文字算2個字元)";
        // One field and one line of Note.qvd: no pasted line break or other control character.
        QTest::newRow("detail pasted line break") << "detail" << "午餐\n第二行" << info << "明細內容不可以包含軟體不支援的文字!";
        QTest::newRow("detail pasted CR LF") << "detail" << "午餐\r\n" << info << "明細內容不可以包含軟體不支援的文字!";
        QTest::newRow("detail tab") << "detail" << "午\t餐" << info << "明細內容不可以包含軟體不支援的文字!";
        QTest::newRow("fee detail line break") << "feeDetail" << "手續費\n" << info << "明細內容不可以包含軟體不支援的文字!";
        // A note's lines are joined by CR LF; anything else below U+0020 is refused.
        QTest::newRow("note tab") << "note" << "午\t餐" << info << "備註不可以包含軟體不支援的文字!";
        QTest::newRow("note lone LF") << "note" << "午餐\n第二行" << info << "備註不可以包含軟體不支援的文字!";
        QTest::newRow("note separator") << "note" << "午餐\r\n\u0001" << info << "備註不可以包含軟體不支援的文字!";
        QTest::newRow("invoice 9") << "invoice" << "123456789" << info << "不正確的發票格式，請輸入8碼數字或是含英文字母共10碼的的完整發票格式";
    }
    // clang-format on
    void refusals() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(int, kind);
        QFETCH(QString, message);
        Ledger ledger;
        accounts(ledger);
        EntryFields f = withFee(lunch());
        f.keepDetail = true;
        if (field == "account1Chosen")
            f.account1Chosen = false;
        else if (field == "account1")
            f.account1 = value;
        else if (field == "fee2")
            f.fee2 = value;
        else if (field == "feeBothEmpty") {
            f.fee1Chosen = f.fee2Chosen = false;
            f.fee1 = f.fee2 = QString();
        } else if (field == "fee2Chosen")
            f.fee2Chosen = false;
        else if (field == "date")
            f.date = value;
        else if (field == "amount")
            f.amount = value;
        else if (field == "detail")
            f.detail = value;
        else if (field == "note")
            f.note = value;
        else if (field == "feeDetail")
            f.feeDetail = value;
        else if (field == "invoice")
            f.invoice = value;
        const StoreResult r = StoreEntry::store(ledger, f, 0);
        QCOMPARE(r.status, Status::Refused);
        QCOMPARE(r.message, (EntryMessage{Kind(kind), message}));
        QCOMPARE(ledger.EntryCount, 1);
        QCOMPARE(ledger.DetailTextCount, 1);
        QVERIFY(!ledger.LedgerChangedFlag.isSet());
    }

    void silentDefaultsStayAfterLaterRefusal() {
        Ledger ledger;
        accounts(ledger);
        EntryFields f = lunch();
        f.rate = "x";
        f.remindDays = "";
        f.feeAmount = "-";
        f.invoice = " 1234567 ";
        QCOMPARE(StoreEntry::store(ledger, f, 0).status, Status::Refused);
        QCOMPARE(f.rate, QString("1"));
        QCOMPARE(f.remindDays, QString("1"));
        QCOMPARE(f.feeAmount, QString("0"));
        QCOMPARE(f.invoice, QString("1234567"));
    }

    void unknownAccountChangesNothing() {
        Ledger ledger;
        accounts(ledger);
        EntryFields f = withFee(lunch());
        f.fee1 = "E-已刪除"; // chosen in the window but gone from the table
        const StoreResult r = StoreEntry::store(ledger, f, 0);
        QCOMPARE(r.status, Status::Failed);
        QCOMPARE(r.message.text, QString("新增/編輯記錄發生錯誤!"));
        QCOMPARE(ledger.EntryCount, 1);
        QVERIFY(ledger.Entries[1].Date.isNull());
        QCOMPARE(ledger.NoteList.size(), 1);
    }

    // clang-format off
    void exchangeRateLine_data() {
        QTest::addColumn<QString>("rate");
        QTest::addColumn<bool>("rateInNote");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("stored");

        QTest::newRow("line added") << "30.5" << true << "午餐" << "金額100 匯率30.5\r\n午餐";
        QTest::newRow("empty note loses the break") << "30.5" << true << "" << "金額100 匯率30.5";
        QTest::newRow("option off") << "30.5" << false << "午餐" << "午餐";
        QTest::newRow("rate 1") << "1" << true << "午餐" << "午餐";
        QTest::newRow("rate 1,5 reads 1") << "1,5" << true << "午餐" << "午餐";
        QTest::newRow("rate zero") << "0" << true << "午餐" << "午餐";
        QTest::newRow("negative rate") << "-3" << true << "午餐" << "午餐";
        QTest::newRow("one final break removed") << "1" << false << "a\r\n\r\n" << "a\r\n";
    }
    // clang-format on
    void exchangeRateLine() {
        QFETCH(QString, rate);
        QFETCH(bool, rateInNote);
        QFETCH(QString, note);
        Ledger ledger;
        accounts(ledger);
        EntryFields f = lunch();
        f.amount = "100";
        f.rate = rate;
        f.rateInNote = rateInNote;
        f.note = note;
        QCOMPARE(StoreEntry::store(ledger, f, 0).status, Status::Stored);
        QTEST(f.note, "stored");
        QTEST(ledger.fullNote(1), "stored");
    }

    void detailTextList() {
        Ledger ledger;
        accounts(ledger);
        EntryFields f = lunch();
        f.keepDetail = true;
        StoreResult r = StoreEntry::store(ledger, f, 0);
        QCOMPARE(r.detailText, StoreResult::DetailText::Added);
        QCOMPARE(ledger.DetailTexts[1], QString("E-餐飲費") + QChar(1) + "午餐");
        QVERIFY(ledger.DetailTextsChanged);

        ledger.DetailTextCount = Ledger::DetailTextCapacity + 1; // 1000 texts stored
        ledger.DetailTextsChanged = false;
        r = StoreEntry::store(ledger, f, 0);
        QCOMPARE(r.status, Status::Stored);
        QCOMPARE(r.detailText, StoreResult::DetailText::ListFull);
        QCOMPARE(ledger.EntryCount, 3);
        QVERIFY(!ledger.DetailTextsChanged);
    }

    void feeDetailCutOnCharacterBoundary() {
        Ledger ledger;
        accounts(ledger);
        // The fee detail has no length check: "x" and 30 two-byte characters (61 bytes)
        // keep "x" and 29 characters, never half of the 30th.
        EntryFields f = withFee(lunch());
        f.feeDetail = "x" + QString(30, QChar(u'費'));
        QCOMPARE(StoreEntry::store(ledger, f, 0).status, Status::Stored);
        QCOMPARE(ledger.Entries[2].Detail.trimmed(), "x" + QString(29, QChar(u'費')));
        QCOMPARE(ledger.Entries[2].Detail.bytes().size(), 60);
        QCOMPARE(ledger.Entries[2].Detail.bytes().back(), ' ');
    }
};

QTEST_MAIN(TestStoreEntry)
#include "tst_storeentry.moc"
