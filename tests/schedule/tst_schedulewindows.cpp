#include <QtTest>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "mainwin/mainform_fixture.h"
#include "schedule/clockform.h"
#include "schedule/fixureclockform.h"
#include "schedule/fixureform.h"

// The posting window, the entry reminders and the recurring-records editor on a main window
// over a small ledger, driven as a user would.
class TestScheduleWindows : public QObject {
    Q_OBJECT
private slots:
    void postingRowsMessagesAndNoRepeat();
    void postingKeepsHundredthsWhenDecimalsHidden();
    void postingStopsWhenLedgerFull();
    void postingCountsOnlyThisPress();
    void postingRefusesAmountsNoEntryHolds_data();
    void postingRefusesAmountsNoEntryHolds();
    void mainWindowShowsPostingAtOnce_data();
    void mainWindowShowsPostingAtOnce();
    void entryReminders();
    void entryReminderShowsStartOfLongNote();
    void editorAmounts_data();
    void editorAmounts();
    void editorRefusesAmountOutOfRange_data();
    void editorRefusesAmountOutOfRange();
    void editorCodesAndRefusals();
    void editorRefusesPastedControlCharacters_data();
    void editorRefusesPastedControlCharacters();
    void editorKeepsUntouchedRecords();
    void editorSortThenDeleteStoresShownOrder();
    void editorEditAfterSortChangesTheClickedRecord();
    void editorCaptionsAtOpening_data();
    void editorCaptionsAtOpening();
};

namespace {

void accounts(MainFormFixture& f) {
    f.b.account("A-現金").account("A-銀行").account("E-房租").account("I-薪水").account("Equity");
}

QStringList statuses(const QTreeWidget* list, int column = 5) {
    QStringList s;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        s << list->topLevelItem(i)->text(column);
    return s;
}

} // namespace

void TestScheduleWindows::postingRowsMessagesAndNoRepeat() {
    MainFormFixture f;
    accounts(f);
    f.env.clock.setToday(QDate(2026, 12, 9));
    f.b.recurring(3, "0", "E-房租", "A-現金", 1500000, "房租");
    f.b.recurring(3, "0", "E-不存在", "A-現金", 100, "gone"); // account deleted
    f.b.recurring(1, "09", "A-現金", "A-現金", 100, "same");  // equal accounts
    f.b.recurring(1, "10", "E-房租", "A-現金", 100, "not due");
    f.open();
    QStringList seen;
    f.env.modal.on<FixureClockForm>([&](FixureClockForm& w) {
        seen << w.StatusText() << QString::number(w.Liv1->topLevelItemCount())
             << w.Liv1->topLevelItem(0)->text(0) << w.Liv1->topLevelItem(0)->text(3);
        w.Command1->click();
        seen << statuses(w.Liv1).join('|') << w.StatusText();
        w.Command3->click(); // 全選 passes the posted row by
        seen << QString::number(w.Liv1->topLevelItem(0)->checkState(0));
        w.Command4->click();
        w.Command1->click(); // nothing ticked now
        w.Command2->click();
        return w.result();
    });
    CheckDueRecurring(*f.form);
    QCOMPARE(seen, QStringList({"共 3 筆資料", "3", "2026/12/09", "15,000.00", "成功|失敗|失敗",
                                "1 筆資料新增成功，2 筆資料新增失敗", "0"}));
    QCOMPARE(f.env.prompts.texts(), QStringList({"1 筆資料新增成功!\r\n2 筆資料格式出錯，新增失敗!",
                                                 "您還沒有勾選要新增的資料!"}));
    const Ledger& l = f.env.ctx.ledger;
    QCOMPARE(l.EntryCount, 2);
    QCOMPARE(l.Entries[1].Account1.trimmed(), QString("E-房租"));
    QCOMPARE(l.Entries[1].Amount.tag(), quint16(TaggedNumber::Double));
    QVERIFY(l.LedgerChangedFlag.isSet());
    // Opened again the same day: nothing is offered.
    f.env.modal.shown.clear();
    CheckDueRecurring(*f.form);
    QCOMPARE(f.env.modal.shown, QStringList{"FixureClockForm"}); // the two refused rows
}

void TestScheduleWindows::postingKeepsHundredthsWhenDecimalsHidden() {
    MainFormFixture f;
    accounts(f);
    f.env.ctx.session.DotState = "0";
    f.env.clock.setToday(QDate(2026, 12, 9));
    f.b.recurring(3, "0", "E-房租", "A-現金", 123456, "x");
    f.open();
    f.env.modal.on<FixureClockForm>([](FixureClockForm& w) {
        w.Command1->click();
        w.Command2->click();
        return w.result();
    });
    CheckDueRecurring(*f.form);
    QCOMPARE(f.env.ctx.ledger.Entries[1].Amount.value(), 123456.0);
    QVERIFY(DueRecurring(f.env.ctx.ledger, QDate(2026, 12, 9)).empty());
}

void TestScheduleWindows::postingStopsWhenLedgerFull() {
    MainFormFixture f;
    accounts(f);
    f.env.clock.setToday(QDate(2026, 12, 9));
    for (int i = 0; i < 3; ++i)
        f.b.recurring(3, "0", "E-房租", "A-現金", 100 + i, "r");
    f.open();
    Ledger& l = f.env.ctx.ledger;
    l.EntryCount = Ledger::EntryCapacity; // one free place
    QStringList seen;
    f.env.modal.on<FixureClockForm>([&](FixureClockForm& w) {
        w.Command1->click();
        seen << statuses(w.Liv1).join('|') << w.StatusText();
        w.Command2->click();
        return w.result();
    });
    CheckDueRecurring(*f.form);
    QCOMPARE(seen, QStringList({"成功|失敗|失敗", "共 3 筆資料"}));
    QCOMPARE(f.env.prompts.texts(), QStringList{"資料筆數已經到達30000筆上限，請另開新帳本"});
    QCOMPARE(l.EntryCount, Ledger::EntryCapacity + 1);
}

// A second 新增 reports what it did, not what the first press posted.
void TestScheduleWindows::postingCountsOnlyThisPress() {
    MainFormFixture f;
    accounts(f);
    f.env.clock.setToday(QDate(2026, 12, 9));
    f.b.recurring(3, "0", "E-房租", "A-現金", 1500000, "房租");
    f.b.recurring(3, "0", "E-不存在", "A-現金", 100, "gone");
    f.open();
    QStringList seen;
    f.env.modal.on<FixureClockForm>([&](FixureClockForm& w) {
        w.Command1->click();
        seen << statuses(w.Liv1).join('|') << w.StatusText();
        w.Command1->click(); // the refused row is still ticked; the posted one is locked
        seen << statuses(w.Liv1).join('|') << w.StatusText();
        w.Command2->click();
        return w.result();
    });
    CheckDueRecurring(*f.form);
    QCOMPARE(seen, QStringList({"成功|失敗", "1 筆資料新增成功，1 筆資料新增失敗", "成功|失敗",
                                "1 筆資料新增失敗"}));
    QCOMPARE(f.env.prompts.texts(), QStringList({"1 筆資料新增成功!\r\n1 筆資料格式出錯，新增失敗!",
                                                 "1 筆資料格式出錯，新增失敗!"}));
    QCOMPARE(f.env.ctx.ledger.EntryCount, 2);
}

// The posting window only books: the main window's tree and list show the booked entry as
// soon as 新增 has been pressed, while the posting window is still open.
void TestScheduleWindows::mainWindowShowsPostingAtOnce_data() {
    QTest::addColumn<QString>("listed");
    QTest::addColumn<QStringList>("rowsAfter");
    QTest::newRow("the listed account is booked") << "A-現金" << QStringList{"押金", "房租"};
    QTest::newRow("another account is listed") << "A-銀行" << QStringList{"轉入"};
}

void TestScheduleWindows::mainWindowShowsPostingAtOnce() {
    QFETCH(QString, listed);
    QFETCH(QStringList, rowsAfter);
    MainFormFixture f;
    accounts(f);
    f.env.clock.setToday(QDate(2026, 12, 9));
    f.b.entry("2026/12/01", "E-房租", "A-現金", 100000, "押金");
    f.b.entry("2026/12/02", "A-銀行", "I-薪水", 500000, "轉入");
    f.b.recurring(3, "0", "E-房租", "A-現金", 1500000, "房租");
    f.open(Periods::All, 2026);
    f.list(listed);
    QVERIFY(f.nodeText("E-房租").contains("1,000.00"));
    QStringList rowsSeen;
    QString totalSeen;
    f.env.modal.on<FixureClockForm>([&](FixureClockForm& w) {
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        rowsSeen = f.column(5);
        totalSeen = f.nodeText("E-房租");
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        return w.result();
    });
    CheckDueRecurring(*f.form);
    QCOMPARE(rowsSeen, rowsAfter);
    QVERIFY2(totalSeen.contains("16,000.00"), qPrintable(totalSeen));
    QCOMPARE(f.column(5), rowsAfter);
}

// An amount a damaged or foreign file may hold: refused, at this opening and the next,
// never booked. The entry bound itself is still taken.
void TestScheduleWindows::postingRefusesAmountsNoEntryHolds_data() {
    QTest::addColumn<double>("hundredths");
    QTest::addColumn<bool>("posted");
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << false;
    QTest::newRow("+Inf") << std::numeric_limits<double>::infinity() << false;
    QTest::newRow("-Inf") << -std::numeric_limits<double>::infinity() << false;
    QTest::newRow("beyond the bound") << 9.000000000000002e15 << false;
    QTest::newRow("beyond the negative bound") << -1e16 << false;
    QTest::newRow("at the bound") << 9e15 << true;
    QTest::newRow("at the negative bound") << -9e15 << true;
}

void TestScheduleWindows::postingRefusesAmountsNoEntryHolds() {
    QFETCH(double, hundredths);
    QFETCH(bool, posted);
    MainFormFixture f;
    accounts(f);
    f.env.clock.setToday(QDate(2026, 12, 9));
    f.b.recurring(3, "0", "E-房租", "A-現金", hundredths, "odd");
    f.open();
    QStringList seen;
    f.env.modal.on<FixureClockForm>([&](FixureClockForm& w) {
        w.Command1->click();
        seen << statuses(w.Liv1).join('|');
        w.Command2->click();
        return w.result();
    });
    for (int opening = 0; opening < 2; ++opening)
        CheckDueRecurring(*f.form);
    const Ledger& l = f.env.ctx.ledger;
    if (posted) {
        QCOMPARE(seen, QStringList{"成功"}); // posted once, then no longer due
        QCOMPARE(l.EntryCount, 2);
        QCOMPARE(l.Entries[1].Amount.value(), hundredths);
    } else {
        QCOMPARE(seen, QStringList({"失敗", "失敗"}));
        QCOMPARE(l.EntryCount, 1);
    }
}

void TestScheduleWindows::entryReminders() {
    MainFormFixture f;
    accounts(f);
    f.env.clock.setToday(QDate(2026, 12, 7));
    f.b.entry("2026/12/10", "E-房租", "A-現金", 50000, "rent").note("pay at the bank").remind(3);
    f.b.entry("2026/12/07", "A-銀行", "A-現金", 100, "move").remind(0);
    f.b.entry("2026/12/07", "I-薪水", "A-銀行", 100, "off"); // reminder off
    f.open();
    QStringList seen;
    f.env.modal.on<ClockForm>([&](ClockForm& w) {
        seen << w.Label7->text() << w.Label2->text() << w.Label10->text() << w.Text1->text()
             << w.StatusText();
        w.Command4->click();
        seen << w.Label7->text() << QString::number(w.Command4->isEnabled());
        w.Command3->click();
        seen << w.Label7->text() << w.Label2->text() << w.StatusText();
        w.Command1->click();
        return w.result();
    });
    CheckRecordReminders(*f.form);
    QCOMPARE(seen,
             QStringList({"2026/12/10 (前3天提醒)", "支付給", "500.00", "pay at the bank",
                          "共有 2 個提醒，目前在第 1 個", "2026/12/10 (不提醒)", "0",
                          "2026/12/07 (當天提醒)", "轉換到", "共有 2 個提醒，目前在第 2 個"}));
    QCOMPARE(f.env.ctx.ledger.EntryNotes[1].RemindOn, qint16(0));
    QCOMPARE(f.env.ctx.ledger.EntryNotes[1].RemindDays, qint16(0));
    QVERIFY(f.env.ctx.ledger.LedgerChangedFlag.isSet());
}

// A note longer than its box: the box shows the note's first characters, as a box that
// holds only them shows them.
void TestScheduleWindows::entryReminderShowsStartOfLongNote() {
    MainFormFixture f;
    accounts(f);
    f.env.clock.setToday(QDate(2026, 12, 7));
    QString note;
    for (int i = 0; i < 10; ++i)
        note += QString::number(i).repeated(10);
    f.b.entry("2026/12/07", "E-房租", "A-現金", 100, "rent").note(note).remind(0);
    f.open();
    QImage shown, start;
    bool exposed = false, overflowing = false;
    f.env.modal.on<ClockForm>([&](ClockForm& w) {
        w.resize(420, w.sizeHint().height());
        w.show();
        exposed = QTest::qWaitForWindowExposed(&w);
        overflowing = w.Text1->fontMetrics().horizontalAdvance(note.left(50)) > w.Text1->width();
        shown = w.Text1->grab().toImage();
        // A box of the same place holding only the note's first half, still wider than it.
        QLineEdit reference(&w);
        reference.setReadOnly(true);
        reference.setGeometry(w.Text1->geometry());
        reference.setText(note.left(50));
        reference.setCursorPosition(0);
        start = reference.grab().toImage().convertToFormat(shown.format());
        // The text inside the frame (the box with the focus draws its frame in another colour,
        // its rounded corners reaching a pixel further in).
        const int frame = w.Text1->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2;
        const QRect inside = w.Text1->rect().adjusted(frame, frame, -frame, -frame);
        shown = shown.copy(inside);
        start = start.copy(inside);
        w.Command1->click();
        return w.result();
    });
    CheckRecordReminders(*f.form);
    QVERIFY(exposed);
    QVERIFY(overflowing);
    QVERIFY(!shown.isNull());
    QCOMPARE(shown, start);
}

void TestScheduleWindows::editorAmounts_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("edit");
    QTest::addColumn<double>("hundredths");
    QTest::addColumn<QString>("boxAfter");
    QTest::newRow("0.29") << "0.29" << false << 29.0 << "0.29";
    QTest::newRow("-5") << "-5" << false << -500.0 << "-5";
    QTest::newRow("grouped") << "1,234" << false << 123400.0 << "1,234";
    QTest::newRow("letters, add") << "abc" << false << 0.0 << "0";
    QTest::newRow("12abc, add") << "12abc" << false << 0.0 << "0";
    QTest::newRow("12abc, edit") << "12abc" << true << 1200.0 << "12abc";
    QTest::newRow("grouped, edit") << "1,234" << true << 123400.0 << "1,234";
    QTest::newRow("largest, add") << "90000000000000" << false << 9e15 << "90000000000000";
    QTest::newRow("largest negative, edit")
        << "-90,000,000,000,000" << true << -9e15 << "-90,000,000,000,000";
}

void TestScheduleWindows::editorRefusesAmountOutOfRange_data() {
    QTest::addColumn<bool>("edit");
    QTest::addColumn<QString>("typed");
    QTest::newRow("add, 14 nines") << false << "99999999999999";
    QTest::newRow("add, one past the largest") << false << "90000000000001";
    QTest::newRow("add, beyond a double") << false << "1e400";
    QTest::newRow("edit, 14 nines") << true << "99999999999999";
    QTest::newRow("edit, negative") << true << "-90,000,000,000,001";
    QTest::newRow("edit, beyond a double") << true << "1e400";
}

// An amount too large to keep every hundredth is refused by 新增 and 編輯 with the message
// naming the range, the one the entry window shows; the box keeps the typed text and the
// records what they held.
void TestScheduleWindows::editorRefusesAmountOutOfRange() {
    QFETCH(bool, edit);
    QFETCH(QString, typed);
    MainFormFixture f;
    accounts(f);
    f.b.recurring(1, "05", "E-房租", "A-現金", 123456, "kept");
    f.open();
    FixureForm w(*f.form);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    if (edit) {
        QTreeWidgetItem* row = w.Liv1->topLevelItem(0);
        QTest::mouseClick(w.Liv1->viewport(), Qt::LeftButton, {},
                          w.Liv1->visualItemRect(row).center());
    } else {
        w.Combo3[0]->setCurrentText("E-房租");
    }
    w.Text2->selectAll();
    QTest::keyClicks(w.Text2, typed);
    QTest::mouseClick(edit ? w.Command2 : w.Command1, Qt::LeftButton);
    QCOMPARE(f.env.prompts.texts("warning"),
             QStringList{"金額超出範圍，記錄的金額必須在 -90,000,000,000,000 到 "
                         "90,000,000,000,000 之間"});
    QCOMPARE(w.Text2->text(), typed);
    QCOMPARE(w.Liv1->topLevelItemCount(), 1);
    QCOMPARE(w.Liv1->topLevelItem(0)->text(5), QString("1,234.56"));
    QCOMPARE(w.StatusText(), QString("共有 1 筆定期記錄"));
    w.accept();
    const Ledger& l = f.env.ctx.ledger;
    QVERIFY(!l.RecurringChanged);
    QCOMPARE(l.RecurringCount, 2);
    QCOMPARE(l.RecurringRecords[1].Amount.value(), 123456.0);
}

void TestScheduleWindows::editorAmounts() {
    QFETCH(QString, typed);
    QFETCH(bool, edit);
    QFETCH(double, hundredths);
    QFETCH(QString, boxAfter);
    MainFormFixture f;
    accounts(f);
    f.open();
    FixureForm w(*f.form);
    w.Combo3[0]->setCurrentText("E-房租");
    w.Text2->setText(edit ? QString("1") : typed);
    w.Command1->click();
    if (edit) {
        w.Text2->setText(typed);
        w.Command2->click();
    }
    QCOMPARE(w.Text2->text(), boxAfter);
    w.accept();
    const Ledger& l = f.env.ctx.ledger;
    QCOMPARE(l.RecurringCount, 2);
    QCOMPARE(l.RecurringRecords[1].Amount.value(), hundredths);
}

void TestScheduleWindows::editorCodesAndRefusals() {
    MainFormFixture f;
    accounts(f);
    f.open();
    FixureForm w(*f.form);
    QCOMPARE(w.StatusText(), QString("共有 0 筆定期記錄"));
    QVERIFY(!w.Command2->isEnabled());
    // Equal accounts: refused by 新增 and by 編輯.
    w.Combo3[0]->setCurrentText("A-現金");
    w.Combo3[1]->setCurrentText("A-現金");
    w.Command1->click();
    QCOMPARE(w.Liv1->topLevelItemCount(), 0);
    w.Combo3[0]->setCurrentText("E-房租");
    QCOMPARE(w.Label3->text(), QString("支付給"));
    w.Combo1->setCurrentIndex(3); // 日
    QVERIFY(w.Check1->isHidden());
    w.Command1->click();
    w.Combo1->setCurrentIndex(1); // 月 月底
    w.Combo2[0]->setCurrentIndex(31);
    w.Check1->setChecked(true);
    w.Command1->click();
    w.Combo1->setCurrentIndex(2); // 週 星期三
    w.Combo2[0]->setCurrentIndex(3);
    w.Command1->click();
    w.Combo1->setCurrentIndex(0); // 年 02/31 is taken as it is
    w.Combo2[0]->setCurrentIndex(1);
    w.Combo2[1]->setCurrentIndex(30);
    w.Command1->click();
    QCOMPARE(w.Liv1->topLevelItem(0)->text(1), QString("每日"));
    QCOMPARE(w.Liv1->topLevelItem(1)->text(1), QString("月底"));
    QCOMPARE(w.Liv1->topLevelItem(1)->text(2), QString("是"));
    QCOMPARE(w.Liv1->topLevelItem(2)->text(1), QString("星期三"));
    // A click on the yearly row loads the editor.
    w.Liv1->setCurrentItem(w.Liv1->topLevelItem(3));
    w.Liv1_Click();
    QCOMPARE(w.Combo2[0]->currentText() + "/" + w.Combo2[1]->currentText(), QString("02/31"));
    w.Combo3[1]->setCurrentText("E-房租"); // not offered: stays
    w.Combo3[0]->setCurrentText("A-銀行");
    w.Combo3[1]->setCurrentText("A-銀行");
    w.Command2->click();
    QCOMPARE(f.env.prompts.texts("warning"),
             QStringList({"選擇的科目不能重複", "選擇的科目不能重複"}));
    QCOMPARE(w.StatusText(), QString("共有 4 筆定期記錄"));
    w.accept();
    const Ledger& l = f.env.ctx.ledger;
    QCOMPARE(l.RecurringCount, 5);
    const QStringList when = {"0", "32", "3", "02/31"};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(l.RecurringRecords[size_t(i + 1)].When.trimmed(), when.at(i));
    QCOMPARE(l.RecurringRecords[1].Overdue, quint8(0));
    QCOMPARE(l.RecurringRecords[2].Overdue, quint8(1));
    QCOMPARE(l.RecurringRecords[4].Account2.trimmed(), QString("A-現金"));
    QVERIFY(l.RecurringChanged);
    QCOMPARE(f.env.settings.GetSetting("FixureForm", "LW1"), QString("50"));
}

void TestScheduleWindows::editorRefusesPastedControlCharacters_data() {
    QTest::addColumn<bool>("edit");
    QTest::addColumn<QString>("pasted");
    QTest::newRow("add, CR LF") << false << "房租\r\n";
    QTest::newRow("add, U+0001") << false << QString("房\u0001租");
    QTest::newRow("edit, line break") << true << "房租\n第二行";
    QTest::newRow("edit, tab") << true << "房\t租";
}

// A pasted 明細 with a character below U+0020 is refused by 新增 and 編輯 with the detail
// texts' message; the records keep what they held.
void TestScheduleWindows::editorRefusesPastedControlCharacters() {
    QFETCH(bool, edit);
    QFETCH(QString, pasted);
    MainFormFixture f;
    accounts(f);
    f.open();
    FixureForm w(*f.form);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Combo3[0]->setCurrentText("E-房租");
    if (edit) {
        QTest::keyClicks(w.Text3, "rent");
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QTreeWidgetItem* row = w.Liv1->topLevelItem(0);
        QTest::mouseClick(w.Liv1->viewport(), Qt::LeftButton, {},
                          w.Liv1->visualItemRect(row).center());
    }
    w.Text3->setFocus();
    QTest::keySequence(w.Text3, QKeySequence::SelectAll);
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keySequence(w.Text3, QKeySequence::Paste);
    QCOMPARE(w.Text3->text(), pasted);
    QTest::mouseClick(edit ? w.Command2 : w.Command1, Qt::LeftButton);
    QCOMPARE(f.env.prompts.texts("warning"), QStringList{"明細內容不可以包含軟體不支援的文字!"});
    w.accept();
    const Ledger& l = f.env.ctx.ledger;
    QCOMPARE(l.RecurringCount, edit ? 2 : 1);
    if (edit) QCOMPARE(l.RecurringRecords[1].Detail.trimmed(), QString("rent"));
}

void TestScheduleWindows::editorKeepsUntouchedRecords() {
    MainFormFixture f;
    accounts(f);
    f.env.ctx.session.DotState = "0";
    f.b.recurring(1, "05", "E-房租", "A-現金", 123456, "kept");
    f.open();
    FixureForm w(*f.form);
    w.Combo3[0]->setCurrentText("E-房租");
    w.Command1->click(); // one added record sets the flag: the table is rebuilt at close
    w.accept();
    const Ledger& l = f.env.ctx.ledger;
    QCOMPARE(l.RecurringCount, 3);
    QCOMPARE(l.RecurringRecords[1].Amount.value(), 123456.0);
    QCOMPARE(l.RecurringRecords[1].Detail.trimmed(), QString("kept"));
}

void TestScheduleWindows::editorSortThenDeleteStoresShownOrder() {
    MainFormFixture f;
    accounts(f);
    f.b.recurring(1, "05", "E-房租", "A-現金", 300, "c");
    f.b.recurring(1, "05", "E-房租", "A-現金", 100, "a");
    f.b.recurring(1, "05", "E-房租", "A-現金", 200, "b");
    f.open();
    {
        FixureForm w(*f.form);
        w.Liv1_ColumnClick(6);
        w.accept(); // a sort alone changes nothing
    }
    QCOMPARE(f.env.ctx.ledger.RecurringRecords[1].Detail.trimmed(), QString("c"));
    FixureForm w(*f.form);
    w.Liv1_ColumnClick(6);
    w.Liv1_ColumnClick(6); // the same column again: descending
    QCOMPARE(w.Liv1->topLevelItem(0)->text(6), QString("c"));
    w.Liv1->setCurrentItem(w.Liv1->topLevelItem(0));
    w.Liv1_Click();
    w.Command3->click();
    w.accept();
    const Ledger& l = f.env.ctx.ledger;
    QCOMPARE(l.RecurringCount, 3);
    QCOMPARE(l.RecurringRecords[1].Detail.trimmed() + l.RecurringRecords[2].Detail.trimmed(),
             QString("ba"));
}

// Rows sorted by a click on a header, then one row edited and another deleted by clicks:
// each change lands on the record its row shows, and the table keeps the order shown.
void TestScheduleWindows::editorEditAfterSortChangesTheClickedRecord() {
    MainFormFixture f;
    accounts(f);
    f.env.ctx.session.DotState = "0";
    f.b.recurring(1, "05", "E-房租", "A-現金", 300, "c");
    f.b.recurring(1, "07", "E-房租", "A-現金", 100, "a");
    f.b.recurring(1, "09", "E-房租", "A-現金", 200, "b");
    f.open();
    FixureForm w(*f.form);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QHeaderView* header = w.Liv1->header();
    const int x = header->sectionViewportPosition(6) + header->sectionSize(6) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    QCOMPARE(w.Liv1->topLevelItem(0)->text(6), QString("a"));
    auto click = [&w](int row) {
        const QRect r = w.Liv1->visualItemRect(w.Liv1->topLevelItem(row));
        QTest::mouseClick(w.Liv1->viewport(), Qt::LeftButton, {}, r.center());
    };
    click(0);
    QCOMPARE(w.Text3->text(), QString("a")); // the editor shows the clicked record
    QCOMPARE(w.Combo2[0]->currentText(), QString("07"));
    w.Text2->selectAll();
    QTest::keyClicks(w.Text2, "150");
    w.Text3->selectAll();
    QTest::keyClicks(w.Text3, "a2");
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    click(2);
    QCOMPARE(w.Text3->text(), QString("c"));
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    w.accept();
    const Ledger& l = f.env.ctx.ledger;
    QCOMPARE(l.RecurringCount, 3);
    QCOMPARE(l.RecurringRecords[1].Detail.trimmed(), QString("a2"));
    QCOMPARE(l.RecurringRecords[1].Amount.value(), 15000.0);
    QCOMPARE(l.RecurringRecords[1].When.trimmed(), QString("07"));
    QCOMPARE(l.RecurringRecords[2].Detail.trimmed(), QString("b"));
    QCOMPARE(l.RecurringRecords[2].Amount.value(), 200.0);
}

// The account captions follow the accounts both lists show when the editor opens.
void TestScheduleWindows::editorCaptionsAtOpening_data() {
    QTest::addColumn<QStringList>("accounts");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("two asset accounts")
        << QStringList({"A-現金", "A-銀行", "E-房租", "Equity"}) << "轉換到"
        << "從科目";
    QTest::newRow("an expense first") << QStringList({"E-房租", "A-現金", "Equity"}) << "支付給"
                                      << "從科目";
    QTest::newRow("an income first") << QStringList({"I-薪水", "A-現金", "Equity"}) << "進帳從"
                                     << "到科目";
    QTest::newRow("a liability first") << QStringList({"L-卡費", "A-現金", "Equity"}) << "轉換到"
                                       << "從科目";
}

void TestScheduleWindows::editorCaptionsAtOpening() {
    QFETCH(QStringList, accounts);
    QFETCH(QString, first);
    QFETCH(QString, second);
    MainFormFixture f;
    for (const QString& a : accounts)
        f.b.account(a);
    f.open();
    FixureForm w(*f.form);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.Combo3[0]->currentText(), accounts.first());
    QCOMPARE(w.Label3->text(), first);
    QCOMPARE(w.Label4->text(), second);
    w.reject();
}

QTEST_MAIN(TestScheduleWindows)
#include "tst_schedulewindows.moc"
