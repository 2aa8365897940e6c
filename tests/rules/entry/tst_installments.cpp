#include <QtTest>

#include "rules/entry/installments.h"
#include "support/entryfields.h"
#include "support/ledgerbuilder.h"

using Status = InstallmentResult::Status;

namespace {

void accounts(Ledger& ledger) {
    LedgerBuilder(ledger)
        .account("A-現金")
        .account("L-信用卡")
        .account("E-家電")
        .account("E-手續費");
}

EntryFields purchase() {
    return ChosenFields("E-家電", "L-信用卡", "1000", "冰箱", "2024/08/31");
}

void addFee(EntryFields& f) {
    f = WithFee(f, "E-手續費", "A-現金", "10");
}

QStringList datesOf(const Ledger& ledger, int from, int step) {
    QStringList dates;
    for (int i = from; i < ledger.EntryCount; i += step)
        dates << ledger.Entries[size_t(i)].Date.text();
    return dates;
}

} // namespace

class TestInstallments : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void dates_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("interval");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("rules"); // letters of the ticked boxes: 1, 2, 3
        QTest::addColumn<QStringList>("stored");

        QTest::newRow("saturday to monday, steps from the running date") << "2024/08/31" << "月" << "1" << "3" << "1" << QStringList{"2024/09/02", "2024/09/30", "2024/10/30"};
        QTest::newRow("sunday back to friday") << "2024/09/01" << "月" << "1" << "1" << "2" << QStringList{"2024/08/30"};
        QTest::newRow("first box decides") << "2024/08/31" << "月" << "1" << "1" << "13" << QStringList{"2024/09/02"};
        QTest::newRow("saturday back, sunday on") << "2024/08/31" << "日" << "1" << "2" << "3" << QStringList{"2024/08/30", "2024/09/02"};
        QTest::newRow("month ends carry on") << "2024/01/31" << "月" << "1" << "3" << "" << QStringList{"2024/01/31", "2024/02/29", "2024/03/29"};
        QTest::newRow("leap day yearly") << "2024/02/29" << "年" << "1" << "2" << "" << QStringList{"2024/02/29", "2025/02/28"};
        QTest::newRow("days over a year end") << "2024/12/25" << "日" << "10" << "3" << "" << QStringList{"2024/12/25", "2025/01/04", "2025/01/14"};
        QTest::newRow("fractional count and interval") << "2024/01/15" << "月" << "2.7" << "2.5" << "" << QStringList{"2024/01/15", "2024/03/15"};
        QTest::newRow("last possible day") << "9999/11/30" << "月" << "1" << "2" << "" << QStringList{"9999/11/30", "9999/12/30"};
    }
    // clang-format on
    void dates() {
        QFETCH(QString, start);
        QFETCH(QString, rules);
        Ledger ledger;
        accounts(ledger);
        EntryFields f = purchase();
        f.date = start;
        InstallmentSchedule s;
        QFETCH(QString, unit);
        QFETCH(QString, interval);
        QFETCH(QString, count);
        s.unit = unit;
        s.interval = interval;
        s.count = count;
        s.mondayForSaturdayAndSunday = rules.contains('1');
        s.fridayForSaturdayAndSunday = rules.contains('2');
        s.fridayForSaturdayMondayForSunday = rules.contains('3');
        const InstallmentResult r = Installments::generate(ledger, f, s);
        QCOMPARE(r.status, Status::Done);
        QTEST(datesOf(ledger, 1, 1), "stored");
        QCOMPARE(r.written, int(datesOf(ledger, 1, 1).size()));
        QVERIFY(ledger.LedgerChangedFlag.isSet());
    }

    void feeEntriesKeepRunningDate() {
        Ledger ledger;
        accounts(ledger);
        EntryFields f = purchase();
        addFee(f);
        InstallmentSchedule s;
        s.count = "3";
        s.mondayForSaturdayAndSunday = true;
        QList<QPair<int, int>> seen;
        const InstallmentResult r = Installments::generate(ledger, f, s, [&](int idx, int fee) {
            seen.append({idx, fee});
        });
        QCOMPARE(r.status, Status::Done);
        QCOMPARE(r.written, 3);
        QCOMPARE(r.feeEntries, 3);
        QCOMPARE(ledger.EntryCount, 7);
        QCOMPARE(datesOf(ledger, 1, 2), (QStringList{"2024/09/02", "2024/09/30", "2024/10/30"}));
        QCOMPARE(datesOf(ledger, 2, 2), (QStringList{"2024/08/31", "2024/09/30", "2024/10/30"}));
        QCOMPARE(seen, (QList<QPair<int, int>>{{1, 2}, {3, 4}, {5, 6}}));
        QCOMPARE(ledger.Entries[2].Amount.value(), 1000.0);
        QCOMPARE(ledger.Entries[2].Account1.trimmed(), QString("E-手續費"));
    }

    void everyInstallmentCarriesTheFields() {
        Ledger ledger;
        accounts(ledger);
        EntryFields f = purchase();
        f.amount = "33.33";
        f.rate = "1.5";
        f.note = QString(60, QChar(u'註')) + "\r\n"; // 122 bytes, final break kept
        f.invoice = " AB12345678 ";
        f.colour = 4;
        f.reminder = EntryRules::Reminder::DaysBefore;
        f.remindDays = "0";
        InstallmentSchedule s;
        s.count = "2.5";
        QCOMPARE(Installments::generate(ledger, f, s).status, Status::Done);
        QCOMPARE(ledger.EntryCount, 3);
        QCOMPARE(f.invoice, QString("AB12345678"));
        QCOMPARE(f.remindDays, QString("1"));
        for (int i = 1; i <= 2; ++i) {
            const LedgerEntry e = ledger.entry(i);
            QCOMPARE(e.core.Amount.value(), 4999.0); // the whole amount each time, rate applied
            QCOMPARE(e.core.Detail.trimmed(), QString("冰箱 (分期付款 %1/2.5)").arg(i));
            QCOMPARE(e.noteRow, f.note);
            QCOMPARE(e.style.InvoiceLetters.trimmed(), QString("AB"));
            QCOMPARE(e.invoice.InvoiceDigits.trimmed(), QString("12345678"));
            QCOMPARE(e.style.ColourIndex, quint8(4));
            QCOMPARE(e.note.RemindOn, qint16(-1));
            QCOMPARE(e.note.RemindDays, qint16(1));
        }
    }

    // clang-format off
    void detailSuffix_data() {
        QTest::addColumn<QString>("detail");
        QTest::addColumn<QString>("stored");
        QTest::newRow("full detail keeps no suffix") << QString(30, QChar(u'明')) << QString(30, QChar(u'明'));
        QTest::newRow("cut between characters") << QString(55, 'x') << QString(55, 'x') + " (分"; // 59 bytes
        QTest::newRow("empty detail") << "" << " (分期付款 1/1)";
    }
    // clang-format on
    void detailSuffix() {
        QFETCH(QString, detail);
        QTEST(Installments::detailOf(detail, 1, "1"), "stored");
    }

    // clang-format off
    void room_data() {
        QTest::addColumn<bool>("fee");
        QTest::addColumn<QString>("count");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("fills the table") << false << "10" << true;
        QTest::newRow("one too many") << false << "11" << false;
        QTest::newRow("fraction counts written") << false << "10.9" << true;
        QTest::newRow("with fee fills") << true << "5" << true;
        QTest::newRow("with fee too many") << true << "6" << false;
    }
    // clang-format on
    void room() {
        QFETCH(bool, fee);
        QFETCH(QString, count);
        QFETCH(bool, accepted);
        Ledger ledger;
        accounts(ledger);
        ledger.EntryCount = 29991; // 29990 entries stored
        EntryFields f = purchase();
        if (fee) addFee(f);
        InstallmentSchedule s;
        s.count = count;
        const InstallmentResult r = Installments::generate(ledger, f, s);
        if (accepted) {
            QCOMPARE(r.status, Status::Done);
            QCOMPARE(ledger.EntryCount, 30001);
        } else {
            QCOMPARE(r.status, Status::Refused);
            QCOMPARE(r.message.text,
                     QString("剩下的資料筆數不足以容納這次的新增數量，請使用結帳功能清除舊資料!"));
            QCOMPARE(ledger.EntryCount, 29991);
        }
    }

    // clang-format off
    void refusals_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("count text") << "count" << "x" << "分期期數及每期分隔請輸入數字";
        QTest::newRow("count overflow") << "count" << "1e400" << "分期期數及每期分隔請輸入數字";
        QTest::newRow("interval empty") << "interval" << "" << "分期期數及每期分隔請輸入數字";
        QTest::newRow("count below 1") << "count" << "0.5" << "分期期數請輸入1以上(含)的數字";
        QTest::newRow("interval below 1") << "interval" << "0" << "每期分隔請輸入1以上(含)的數字";
        QTest::newRow("date") << "date" << "2024/13/01" << "不是正確的日期格式";
        QTest::newRow("same accounts") << "account1" << "L-信用卡" << "選擇的科目不能重複";
        QTest::newRow("no account") << "account2Chosen" << "" << "您還沒選擇科目";
        QTest::newRow("no fee account") << "fee1Chosen" << "" << "您還沒選擇手續費的科目";
        QTest::newRow("amount") << "amount" << "abc" << "金額部分不是數字格式";
        QTest::newRow("invoice") << "invoice" << "1234567" << "不正確的發票格式";
    }
    // clang-format on
    void refusals() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        Ledger ledger;
        accounts(ledger);
        EntryFields f = purchase();
        addFee(f);
        InstallmentSchedule s;
        s.count = "3";
        if (field == "count")
            s.count = value;
        else if (field == "interval")
            s.interval = value;
        else if (field == "date")
            f.date = value;
        else if (field == "account1")
            f.account1 = value;
        else if (field == "account2Chosen")
            f.account2Chosen = false;
        else if (field == "fee1Chosen")
            f.fee1Chosen = false;
        else if (field == "amount")
            f.amount = value;
        else if (field == "invoice")
            f.invoice = value;
        const InstallmentResult r = Installments::generate(ledger, f, s);
        QCOMPARE(r.status, Status::Refused);
        QCOMPARE(r.message.kind, EntryMessage::Kind::Warning);
        QTEST(r.message.text, "message");
        QCOMPARE(ledger.EntryCount, 1);
    }

    void fullTableRefused() {
        Ledger ledger;
        accounts(ledger);
        ledger.EntryCount = 30001;
        EntryFields f = purchase();
        const InstallmentResult r = Installments::generate(ledger, f, InstallmentSchedule());
        QCOMPARE(r.message.text, QString("記錄筆數已經到達30000筆上限，請使用結帳功能清除舊資料!"));
    }

    // clang-format off
    void failuresWriteNothing_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("interval");
        QTest::addColumn<QString>("account1");
        QTest::addColumn<QString>("amount");
        QTest::newRow("beyond 9999/12/31") << "9999/11/30" << "月" << "1" << "E-家電" << "1";
        QTest::newRow("huge interval") << "2024/01/01" << "年" << "1e15" << "E-家電" << "1";
        QTest::newRow("daily steps past the end") << "9999/12/31" << "日" << "1" << "E-家電" << "1";
        QTest::newRow("unknown account") << "2024/01/01" << "月" << "1" << "E-不存在" << "1";
        QTest::newRow("amount out of range") << "2024/01/01" << "月" << "1" << "E-家電" << "1e200";
    }
    // clang-format on
    void failuresWriteNothing() {
        QFETCH(QString, start);
        QFETCH(QString, unit);
        QFETCH(QString, interval);
        QFETCH(QString, account1);
        QFETCH(QString, amount);
        Ledger ledger;
        accounts(ledger);
        EntryFields f = purchase();
        f.date = start;
        f.account1 = account1;
        f.amount = amount;
        InstallmentSchedule s;
        s.unit = unit;
        s.interval = interval;
        s.count = "3";
        int calls = 0;
        const InstallmentResult r =
            Installments::generate(ledger, f, s, [&](int, int) { ++calls; });
        QCOMPARE(r.status, Status::Failed);
        QCOMPARE(r.message.text, QString("分期付款功能發生錯誤!"));
        QCOMPARE(ledger.EntryCount, 1);
        QCOMPARE(calls, 0);
        QVERIFY(!ledger.LedgerChangedFlag.isSet());
    }
};

QTEST_MAIN(TestInstallments)
#include "tst_installments.moc"
