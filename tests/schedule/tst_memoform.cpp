#include <QtTest>

#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "schedule/memoclockform.h"
#include "schedule/memoform.h"
#include "support/testenv.h"
#include "support/testfiles.h"

// The memo book and the memo reminders, driven as a user would, with the files they leave.
class TestMemoForm : public QObject {
    Q_OBJECT
private slots:
    void leadDays_data();
    void leadDays();
    void typedGroupedLeadDays();
    void leadDaysOutOfRangeRefused_data();
    void leadDaysOutOfRangeRefused();
    void pastedControlCharactersRefused_data();
    void pastedControlCharactersRefused();
    void emptyBookOpensAndLeavesNoFile();
    void oneOffMemos();
    void limits();
    void recurringMemos();
    void clearExpired();
    void failedWriteWarnsAndSecondWriterRuns();
    void remindersShowAndSwitchOff();
    void remindersUntouchedWithoutSwitchOff();
};

void TestMemoForm::leadDays_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("atStart");
    QTest::addColumn<int>("days"); // -1: refused
    QTest::addColumn<QString>("after");
    QTest::newRow("whole") << "3" << false << 3 << "3";
    QTest::newRow("leading zero") << "03" << false << 3 << "03";
    QTest::newRow("half to even down") << "2.5" << false << 2 << "2.5";
    QTest::newRow("half to even up") << "3.5" << false << 4 << "3.5";
    QTest::newRow("letters") << "abc" << false << 1 << "1";
    QTest::newRow("largest") << "32767" << false << 32767 << "32767";
    QTest::newRow("beyond 16 bits") << "32768" << false << -1 << "32768";
    QTest::newRow("negative") << "-2" << false << -1 << "-2";
    QTest::newRow("negative, at start") << "-2" << true << -1 << "-2";
    QTest::newRow("minus sign U+2212") << "\u22125" << false << -1 << "\u22125";
    QTest::newRow("full-width minus") << "\uFF0D5" << true << -1 << "\uFF0D5";
    QTest::newRow("small negative rounds to 0") << "-0.4" << false << 0 << "-0.4";
    QTest::newRow("grouped, whole text") << "1,5" << false << 15 << "1,5";
    QTest::newRow("grouped, number at start") << "1,5" << true << 1 << "1,5";
    QTest::newRow("half at start") << "2.5" << true << 2 << "2.5";
    QTest::newRow("letters, number at start") << "abc" << true << 1 << "1";
}

void TestMemoForm::leadDays() {
    QFETCH(QString, text);
    QFETCH(bool, atStart);
    QFETCH(int, days);
    QFETCH(QString, after);
    QCOMPARE(
        MemoLeadDays(text, atStart ? LeadDaysReading::NumberAtStart : LeadDaysReading::WholeText)
            .value_or(-1),
        days);
    QCOMPARE(text, after);
}

// Typed lead days "1,5": a recurring memo keeps the number at the start (1), a one-off
// memo the whole number (15).
void TestMemoForm::typedGroupedLeadDays() {
    TestEnv env;
    const QString user = env.makeUser("Amy");
    {
        MemoForm form(env.ctx);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(form.Option2[1], Qt::LeftButton);
        form.Text4->selectAll();
        QTest::keyClicks(form.Text4, "1,5");
        QTest::keyClicks(form.Text3, "rent");
        QTest::mouseClick(form.Command5, Qt::LeftButton);
        QCOMPARE(form.Liv2->topLevelItem(0)->text(2), QString("前 1,5 天提醒"));
        QTest::mouseClick(form.Option1[2], Qt::LeftButton);
        form.Text2->selectAll();
        QTest::keyClicks(form.Text2, "1,5");
        QTest::mouseClick(form.Command1, Qt::LeftButton);
        form.accept();
    }
    QCOMPARE(TestFiles::get(user + "Fixed.dat").mid(6, 2), QByteArray("\x01\x00", 2));
    QCOMPARE(TestFiles::get(user + "Memo.dat").mid(12, 2), QByteArray("\x0F\x00", 2));
}

void TestMemoForm::leadDaysOutOfRangeRefused_data() {
    QTest::addColumn<bool>("fixed");
    QTest::addColumn<bool>("edit");
    QTest::addColumn<QString>("typed");
    QTest::newRow("memo, add, -5") << false << false << "-5";
    QTest::newRow("memo, add, minus sign") << false << false << "\u22125";
    QTest::newRow("memo, edit, 40000") << false << true << "40000";
    QTest::newRow("recurring, add, -5") << true << false << "-5";
    QTest::newRow("recurring, edit, -1") << true << true << "-1";
}

// Lead days out of range are refused by 新增 and 編輯 of both memo kinds with the message
// naming the accepted numbers: the box keeps them, the list and the files what they held.
void TestMemoForm::leadDaysOutOfRangeRefused() {
    QFETCH(bool, fixed);
    QFETCH(bool, edit);
    QFETCH(QString, typed);
    TestEnv env;
    const QString user = env.makeUser("Amy");
    const QString file = user + (fixed ? "Fixed.dat" : "Memo.dat");
    if (edit) { // a memo with 2 lead days to change
        MemoForm form(env.ctx);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QLineEdit* days = fixed ? form.Text4 : form.Text2;
        QTest::keyClicks(fixed ? form.Text3 : form.Text1, "checkup");
        QTest::mouseClick(days, Qt::LeftButton); // chooses 前
        days->selectAll();
        QTest::keyClicks(days, "2");
        QTest::mouseClick(fixed ? form.Command5 : form.Command1, Qt::LeftButton);
        form.accept();
    }
    const QByteArray before = TestFiles::get(file);
    MemoForm form(env.ctx);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QLineEdit* text = fixed ? form.Text3 : form.Text1;
    QLineEdit* days = fixed ? form.Text4 : form.Text2;
    QTreeWidget* list = fixed ? form.Liv2 : form.Liv1;
    const int reminderColumn = fixed ? 2 : 1;
    if (edit) {
        QTreeWidgetItem* row = list->topLevelItem(0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row).center());
    } else {
        QTest::keyClicks(text, "checkup");
    }
    QTest::mouseClick(days, Qt::LeftButton); // chooses 前
    QTest::keySequence(days, QKeySequence::SelectAll);
    QGuiApplication::clipboard()->setText(typed); // a minus sign has no key of its own
    QTest::keySequence(days, QKeySequence::Paste);
    QTest::mouseClick(edit ? (fixed ? form.Command6 : form.Command2)
                           : (fixed ? form.Command5 : form.Command1),
                      Qt::LeftButton);
    QCOMPARE(env.prompts.texts("warning"),
             QStringList{"提前提醒的天數請輸入 0 到 32767 之間的數字"});
    QCOMPARE(days->text(), typed);
    QCOMPARE(list->topLevelItemCount(), edit ? 1 : 0);
    if (edit) QCOMPARE(list->topLevelItem(0)->text(reminderColumn), QString("前 2 天提醒"));
    form.accept();
    QCOMPARE(TestFiles::get(file), before);
}

void TestMemoForm::pastedControlCharactersRefused_data() {
    QTest::addColumn<bool>("fixed");
    QTest::addColumn<bool>("edit");
    QTest::addColumn<QString>("pasted");
    QTest::newRow("memo, add, CR LF") << false << false << "看牙\r\n";
    QTest::newRow("memo, edit, line break") << false << true << "看牙\n第二行";
    QTest::newRow("recurring, add, tab") << true << false << "看\t牙";
    QTest::newRow("recurring, edit, U+0001") << true << true << QString("看\u0001牙");
}

// A pasted text with a character below U+0020 is refused by 新增 and 編輯 of both memo
// kinds; the list and the files keep what was there.
void TestMemoForm::pastedControlCharactersRefused() {
    QFETCH(bool, fixed);
    QFETCH(bool, edit);
    QFETCH(QString, pasted);
    TestEnv env;
    const QString user = env.makeUser("Amy");
    MemoForm form(env.ctx);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QLineEdit* text = fixed ? form.Text3 : form.Text1;
    QTreeWidget* list = fixed ? form.Liv2 : form.Liv1;
    QPushButton* add = fixed ? form.Command5 : form.Command1;
    QPushButton* change = fixed ? form.Command6 : form.Command2;
    const int textColumn = fixed ? 3 : 2;
    if (edit) {
        QTest::keyClicks(text, "checkup");
        QTest::mouseClick(add, Qt::LeftButton);
        QTreeWidgetItem* row = list->topLevelItem(0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row).center());
    }
    text->setFocus();
    QTest::keySequence(text, QKeySequence::SelectAll);
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keySequence(text, QKeySequence::Paste);
    QCOMPARE(text->text(), pasted);
    QTest::mouseClick(edit ? change : add, Qt::LeftButton);
    QCOMPARE(env.prompts.texts("warning"), QStringList{"備忘內容不可以包含軟體不支援的文字!"});
    QCOMPARE(list->topLevelItemCount(), edit ? 1 : 0);
    form.accept();
    MemoForm again(env.ctx);
    QTreeWidget* reread = fixed ? again.Liv2 : again.Liv1;
    QCOMPARE(reread->topLevelItemCount(), edit ? 1 : 0);
    if (edit) QCOMPARE(reread->topLevelItem(0)->text(textColumn), QString("checkup"));
    again.reject();
}

void TestMemoForm::emptyBookOpensAndLeavesNoFile() {
    TestEnv env;
    const QString user = env.makeUser("Amy");
    MemoForm form(env.ctx);
    QCOMPARE(form.StatusText(), QString("共有 0 筆備忘，0 筆定期備忘"));
    QVERIFY(!form.Command4->isEnabled());
    QVERIFY(!form.Command2->isEnabled());
    QCOMPARE(form.Combo1->currentText(), QString("月"));
    QCOMPARE(form.Combo2[0]->currentText(), QString("01"));
    QVERIFY(!form.Picture1->isHidden());
    form.Command1_Click(); // nothing typed: an empty memo is kept as well
    QCOMPARE(form.Liv1->topLevelItemCount(), 1);
    form.Liv1->setCurrentItem(form.Liv1->topLevelItem(0));
    env.prompts.answer(Prompts::Answer::Yes);
    form.Command3->click();
    form.accept();
    QVERIFY(!QFile::exists(user + "Memo.dat"));
    QVERIFY(!QFile::exists(user + "Fixed.dat"));
}

void TestMemoForm::oneOffMemos() {
    TestEnv env;
    const QString user = env.makeUser("Amy");
    {
        MemoForm form(env.ctx);
        form.DTPicker1->setDate(QDate(2026, 5, 10));
        form.Text1->setText("dentist");
        form.Option1[2]->setChecked(true);
        form.Text2->setText("03");
        form.Command1->click();
        QCOMPARE(form.Liv1->topLevelItem(0)->text(1), QString("前 03 天提醒"));
        form.Text1->setText("no reminder");
        form.Option1[0]->setChecked(true);
        form.Text2->setText("abc"); // not read while 不提醒 is chosen
        form.Command1->click();
        QCOMPARE(form.Text2->text(), QString("abc"));
        // Edit the first memo in place: it keeps its slot.
        form.Liv1->setCurrentItem(form.Liv1->topLevelItem(0));
        form.Liv1_Click();
        QCOMPARE(form.Text2->text(), QString("3"));
        form.Text1->setText("dentist 2");
        form.Command2->click();
        QCOMPARE(form.StatusText(), QString("共有 2 筆備忘，0 筆定期備忘"));
        form.accept();
    }
    const QByteArray memo = TestFiles::get(user + "Memo.dat");
    QCOMPARE(memo.size(), 2 * 224);
    QCOMPARE(memo.mid(0, 14), QByteArray("2026/05/10\xFF\xFF\x03\x00", 14));
    QCOMPARE(memo.mid(14, 9), QByteArray("dentist 2"));
    QCOMPARE(memo.mid(224 + 10, 4), QByteArray("\x00\x00\x00\x00", 4));
    MemoForm again(env.ctx);
    QCOMPARE(again.Liv1->topLevelItem(0)->text(1), QString("前 3 天提醒"));
    QCOMPARE(again.Liv1->topLevelItem(1)->text(2), QString("no reminder"));
    again.reject();
}

void TestMemoForm::limits() {
    TestEnv env;
    env.makeUser("Amy");
    MemoForm form(env.ctx);
    for (int i = 0; i < 200; ++i)
        form.Command1_Click();
    QVERIFY(env.prompts.texts().isEmpty());
    form.Command1_Click();
    QCOMPARE(env.prompts.texts("warning"), QStringList{"備忘數量已經到達200筆上限，無法再新增!"});
    QCOMPARE(form.Liv1->topLevelItemCount(), 200);
    for (int i = 0; i < 101; ++i)
        form.Command5_Click();
    QCOMPARE(env.prompts.texts("warning").last(),
             QString("定期備忘的數量已經到達100筆上限，無法再新增!"));
    QCOMPARE(form.Liv2->topLevelItemCount(), 100);
    form.reject();
}

void TestMemoForm::recurringMemos() {
    TestEnv env;
    const QString user = env.makeUser("Amy");
    {
        MemoForm form(env.ctx);
        // A weekly memo never keeps lead days, even when 前 3 was chosen before.
        form.Option2[1]->setChecked(true);
        form.Text4->setText("3");
        form.Combo1->setCurrentIndex(2);
        form.Combo2[0]->setCurrentIndex(6);
        form.Text3->setText("first");
        form.Command5->click();
        QCOMPARE(form.Liv2->topLevelItem(0)->text(2), QString("當天提醒"));
        form.Combo1->setCurrentIndex(1);
        form.Combo2[0]->setCurrentIndex(31); // 月底
        form.Text3->setText("second");
        form.Command5->click();
        form.Combo1->setCurrentIndex(0);
        form.Combo2[0]->setCurrentIndex(4);
        form.Combo2[1]->setCurrentIndex(5);
        form.Text3->setText("third");
        form.Command5->click();
        QCOMPARE(form.Liv2->topLevelItem(2)->text(1), QString("05/06"));
        QCOMPARE(form.Liv2->topLevelItem(2)->text(2), QString("前 3 天提醒"));

        // Delete the first, then edit the row that is now first: only that memo changes.
        form.Liv2->setCurrentItem(form.Liv2->topLevelItem(0));
        env.prompts.answer(Prompts::Answer::Yes);
        form.Command7->click();
        QCOMPARE(form.Liv2->topLevelItem(0)->text(4), QString("1"));
        form.Liv2->setCurrentItem(form.Liv2->topLevelItem(0));
        form.Liv2_Click();
        QCOMPARE(form.Combo2[0]->currentText(), QString("月底"));
        form.Text3->setText("second, edited");
        form.Command6->click();
        // Move the second up: it becomes the first.
        form.Liv2->setCurrentItem(form.Liv2->topLevelItem(1));
        form.Command10->click();
        form.Command10->click(); // at the top: nothing
        QCOMPARE(form.Liv2->topLevelItem(0)->text(3), QString("third"));
        QCOMPARE(form.StatusText(), QString("共有 0 筆備忘，2 筆定期備忘"));
        form.accept();
    }
    const QByteArray fixed = TestFiles::get(user + "Fixed.dat");
    QCOMPARE(fixed.size(), 2 * 214);
    QCOMPARE(fixed.mid(0, 8), QByteArray("\x01"
                                         "05/06\x03\x00",
                                         8));
    QCOMPARE(fixed.mid(214, 8), QByteArray("\x02"
                                           "32   \x03\x00",
                                           8)); // 前 3 still chosen
    QCOMPARE(fixed.mid(214 + 8, 14), QByteArray("second, edited"));
}

void TestMemoForm::clearExpired() {
    TestEnv env;
    env.clock.setToday(QDate(2024, 5, 6));
    const QString user = env.makeUser("Amy");
    MemoBook book;
    for (const char* d : {"2024/05/07", "2024/05/05", "2024/05/06", "2023/12/31"})
        book.addMemo({d, 0, 0, d});
    QVERIFY(SaveMemoFile(book, user));
    MemoForm form(env.ctx);
    env.prompts.answer(Prompts::Answer::No);
    form.Command4->click();
    QCOMPARE(form.Liv1->topLevelItemCount(), 4);
    env.prompts.answer(Prompts::Answer::Yes);
    form.Command4->click();
    QCOMPARE(env.prompts.texts("question").last(), QString("確定要清除過期的備忘嗎？"));
    QCOMPARE(form.Liv1->topLevelItemCount(), 2);
    QCOMPARE(form.Liv1->topLevelItem(0)->text(0), QString("2024/05/07"));
    QCOMPARE(form.Liv1->topLevelItem(1)->text(0), QString("2024/05/06"));
    QCOMPARE(form.Liv1->topLevelItem(1)->text(3), QString("2"));
    form.reject();
}

void TestMemoForm::failedWriteWarnsAndSecondWriterRuns() {
    TestEnv env;
    const QString user = env.makeUser("Amy");
    QVERIFY(QDir(user).mkpath("Memo.dat")); // a folder where the file should go
    MemoForm form(env.ctx);
    form.Command1_Click();
    form.Command5_Click();
    form.accept();
    QCOMPARE(env.prompts.texts("warning"), QStringList{"一般備忘儲存失敗"});
    QCOMPARE(TestFiles::get(user + "Fixed.dat").size(), 214);
}

void TestMemoForm::remindersShowAndSwitchOff() {
    TestEnv env;
    env.clock.setToday(QDate(2026, 12, 9)); // a Wednesday
    const QString user = env.makeUser("Amy");
    MemoBook book;
    book.addMemo({"2026/12/01", -1, 0, "past"});
    book.addMemo({"2026/12/10", -1, 3, "soon"});
    book.addFixedMemo({3, "3", 0, "weekly"});
    QVERIFY(SaveMemoFile(book, user));
    QVERIFY(SaveFixedMemoFile(book, user));
    const QByteArray fixedBefore = TestFiles::get(user + "Fixed.dat");

    QStringList seen;
    env.modal.on<MemoClockForm>([&](MemoClockForm& f) {
        seen << f.windowTitle() << f.Label3->text() << f.Label5->text() << f.StatusText();
        f.Command2->click(); // first row: nothing
        f.Command4->click();
        seen << f.Label5->text() << QString::number(f.Command4->isEnabled());
        f.Command3->click();
        seen << f.Label3->text() << f.Label5->text() << f.StatusText()
             << QString::number(f.Command4->isEnabled());
        f.Command3->click(); // last row: nothing
        f.Command1->click();
        return f.result();
    });
    CheckMemoReminders(env.ctx, nullptr);
    QCOMPARE(seen,
             QStringList({"備忘提醒 2026/12/09 (星期三)", "2026/12/10", "一般備忘 (前3天提醒)",
                          "共有 2 筆備忘，目前在第 1 筆", "一般備忘 (不提醒)", "0", "每週三",
                          "定期備忘 (當天提醒)", "共有 2 筆備忘，目前在第 2 筆", "0"}));
    MemoBook read;
    LoadMemoFiles(read, user);
    QCOMPARE(read.MemoCount, 3);
    QCOMPARE(read.Memos[1].Text, QString("past"));
    QCOMPARE(read.Memos[2].RemindOn, qint16(0));
    QCOMPARE(read.Memos[2].RemindDays, qint16(0));
    QCOMPARE(TestFiles::get(user + "Fixed.dat"), fixedBefore);
}

void TestMemoForm::remindersUntouchedWithoutSwitchOff() {
    TestEnv env;
    env.clock.setToday(QDate(2026, 12, 10));
    const QString user = env.makeUser("Amy");
    MemoBook book;
    book.addMemo({"2026/12/10", -1, 0, "today"});
    QVERIFY(SaveMemoFile(book, user));
    const QDateTime written = QFileInfo(user + "Memo.dat").lastModified();
    bool buttonsHidden = false;
    QString status;
    env.modal.on<MemoClockForm>([&](MemoClockForm& f) {
        buttonsHidden = f.Command2->isHidden() && f.Command3->isHidden();
        status = f.StatusText();
        f.reject(); // the close box
        return f.result();
    });
    CheckMemoReminders(env.ctx, nullptr);
    QVERIFY(buttonsHidden);
    QCOMPARE(status, QString("共有 1 筆備忘"));
    QCOMPARE(QFileInfo(user + "Memo.dat").lastModified(), written);

    // Nothing due: no window at all.
    env.clock.setToday(QDate(2026, 12, 11));
    env.modal.shown.clear();
    CheckMemoReminders(env.ctx, nullptr);
    QVERIFY(env.modal.shown.isEmpty());
}

QTEST_MAIN(TestMemoForm)
#include "tst_memoform.moc"
