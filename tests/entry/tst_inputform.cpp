// The entry window driven offscreen through the main window's commands, with scripted
// boxes: what lands in the tables, the main window's list and totals, and the settings.
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QtTest>

#include "entry/inputform.h"
#include "entry/installmentform.h"
#include "entry/quickform.h"
#include "mainwin/mainform_fixture.h"
#include "setup/accountnoteform.h"
#include "support/ledgerwindows.h"

namespace {

struct Fixture : MainFormFixture {
    Fixture() {
        b.account("A-現金")
            .account("L-信用卡")
            .account("I-薪水")
            .account("E-餐飲費")
            .account("E-手續費")
            .account("Equity");
    }
    // Opens the ledger, lists an account and runs the new-entry command with a handler.
    void addWith(const QString& listed, std::function<void(InputForm&)> fill) {
        if (!form) open();
        list(listed);
        env.modal.on<InputForm>([fill](InputForm& f) {
            fill(f);
            if (f.isVisible()) f.Cmd2->click();
            return f.result();
        });
        form->Data_New_Click();
    }
    QStringList boxes() const { return env.prompts.texts(); }
};

void choose(QComboBox* box, const QString& text) {
    box->setCurrentIndex(box->findText(text));
}

// A click where the user sees the widget, after the window has laid out what it shows: a
// check box on its box (its middle may lie past its caption, where a click does nothing).
void clickShown(QWidget* widget) {
    QCoreApplication::processEvents();
    if (auto* box = qobject_cast<QCheckBox*>(widget))
        ClickCheckBox(box);
    else
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

QStringList items(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

} // namespace

class TestInputForm : public QObject {
    Q_OBJECT
private slots:
    void addEntryReachesListAndTotals() {
        Fixture fx;
        QString status, amountAfter, rowTotal;
        fx.addWith("A-現金", [&](InputForm& f) {
            QCOMPARE(f.Cob2->currentText(), QString("E-餐飲費"));
            QCOMPARE(f.Label2->text(), QString("支付給"));
            f.Text2->setText("120");
            f.Combo3->setEditText("午餐");
            f.Cmd1->click();
            status = f.StatusText();
            amountAfter = f.Text2->text();
            rowTotal = fx.column(4).value(0);
        });
        const Ledger& ledger = fx.env.ctx.ledger;
        QCOMPARE(ledger.EntryCount, 2);
        QCOMPARE(ledger.Entries[1].Amount.value(), 12000.0);
        QCOMPARE(status, QString("您已經新增 1 筆記錄"));
        QCOMPARE(amountAfter, QString("0")); // cleared for the next entry
        QCOMPARE(rowTotal, QString("..."));  // the provisional row
        // Closing relisted the account with its running total.
        QCOMPARE(fx.column(3), QStringList{"-120.00"});
        QCOMPARE(fx.column(4), QStringList{"-120.00"});
        QVERIFY(fx.nodeText("A-現金").contains("-120.00"));
        QVERIFY(fx.form->LedgerChanged());
        QCOMPARE(fx.boxes(), QStringList());
    }

    void feeEntryAndDefaults() {
        Fixture fx;
        QVERIFY(fx.env.settings.SaveSetting("InputForm", "Type1", "E-手續費"));
        QString status;
        QStringList totals;
        fx.addWith("A-現金", [&](InputForm& f) {
            f.Check2->setChecked(true);
            QCOMPARE(f.Cob4->currentText(), QString("E-手續費"));
            QCOMPARE(f.Cob5->currentText(), QString("A-現金"));
            QCOMPARE(f.Combo1->currentText(), QString("手續費"));
            f.Text2->setText("1000");
            f.Text5->setText("15");
            f.Cmd1->click();
            status = f.StatusText();
            totals = fx.column(4);
        });
        QCOMPARE(status, QString("您已經新增 2 筆記錄"));
        QCOMPARE(totals, (QStringList{"...", "..."}));
        const Ledger& ledger = fx.env.ctx.ledger;
        QCOMPARE(ledger.EntryCount, 3);
        QCOMPARE(ledger.Entries[2].Account1.trimmed(), QString("E-手續費"));
        QCOMPARE(ledger.Entries[2].Amount.value(), 1500.0);
        QCOMPARE(fx.env.settings.GetSetting("InputForm", "Amount"), QString("15"));
        QCOMPARE(fx.env.settings.GetSetting("InputForm", "Note"), QString("手續費"));
        QVERIFY(fx.nodeText("A-現金").contains("-1,015.00"));
    }

    // The fee lists start without a choice; ticking the fee box picks the paying account only
    // when the second account is one of its items, else the store refuses.
    void feePayerFollowsSecondAccountOnly_data() {
        QTest::addColumn<QString>("listed");
        QTest::addColumn<QString>("second"); // Cob3 at the tick; "-" keeps the opener's
        QTest::addColumn<QString>("payer");
        QTest::addColumn<QStringList>("boxes");
        const QStringList none;
        const QStringList refused{"尚未選擇手續費的科目"};
        QTest::newRow("cash listed") << "A-現金"
                                     << "-"
                                     << "A-現金" << none;
        QTest::newRow("card chosen") << "A-現金"
                                     << "L-信用卡"
                                     << "L-信用卡" << none;
        QTest::newRow("equity") << "Equity"
                                << "-"
                                << "" << refused;
        QTest::newRow("nothing chosen") << "A-現金"
                                        << ""
                                        << "" << refused;
    }
    void feePayerFollowsSecondAccountOnly() {
        QFETCH(QString, listed);
        QFETCH(QString, second);
        QFETCH(QString, payer);
        QFETCH(QStringList, boxes);
        Fixture fx;
        int fee4 = 0, fee5 = 0;
        QString chosen;
        fx.addWith(listed, [&](InputForm& f) {
            fee4 = f.Cob4->currentIndex();
            fee5 = f.Cob5->currentIndex();
            choose(f.Cob2, "E-餐飲費");
            if (second != "-") choose(f.Cob3, second);
            f.Check2->setChecked(true);
            chosen = f.Cob5->currentText();
            if (f.Cob3->currentIndex() < 0) choose(f.Cob3, "A-現金"); // chosen after the tick
            f.Text2->setText("100");
            f.Text5->setText("5");
            f.Cmd1->click();
        });
        QCOMPARE(fee4, -1);
        QCOMPARE(fee5, -1);
        QCOMPARE(chosen, payer);
        QCOMPARE(fx.boxes(), boxes);
        const Ledger& ledger = fx.env.ctx.ledger;
        QCOMPARE(ledger.EntryCount, boxes.isEmpty() ? 3 : 1);
        if (boxes.isEmpty()) QCOMPARE(ledger.Entries[2].Account2.trimmed(), payer);
    }

    void feeListsUnchosenFromSelectedEntry() {
        Fixture fx;
        fx.b.entry("2024/01/02", "E-餐飲費", "A-現金", 12000, "午餐");
        fx.open();
        fx.list("A-現金");
        fx.form->Liv1->setCurrentIndex(fx.row(0).index());
        int fee4 = 0, fee5 = 0;
        fx.env.modal.on<InputForm>([&](InputForm& f) {
            fee4 = f.Cob4->currentIndex();
            fee5 = f.Cob5->currentIndex();
            return 0;
        });
        fx.form->MenuTools_New_Click();
        QCOMPARE(fee4, -1);
        QCOMPARE(fee5, -1);
    }

    void addElsewhereSwitchesToSecondAccount() {
        Fixture fx;
        fx.addWith("L-信用卡", [&](InputForm& f) {
            choose(f.Cob2, "I-薪水");
            choose(f.Cob3, "A-現金");
            QCOMPARE(f.Label2->text(), QString("進帳從"));
            QCOMPARE(f.Label3->text(), QString("到科目"));
            f.Text2->setText("500");
            f.Cmd1->click();
        });
        QCOMPARE(fx.form->SelectedNodeKey(), QString("A-現金"));
        QCOMPARE(fx.column(3), QStringList{"500.00"});
    }

    void feeWithoutRoomIsReportedOnEitherBranch() {
        Fixture fx;
        fx.env.ctx.ledger.EntryCount = Ledger::EntryCapacity; // 29999 entries (undated)
        fx.addWith("L-信用卡", [&](InputForm& f) {
            choose(f.Cob2, "E-餐飲費");
            choose(f.Cob3, "A-現金"); // the listed account is no side: the list switches
            f.Check2->setChecked(true);
            f.Text2->setText("10");
            f.Cmd1->click();
        });
        QCOMPARE(fx.env.ctx.ledger.EntryCount, 30001);
        QCOMPARE(fx.env.prompts.texts("warning"),
                 QStringList{
                     "資料筆數已經到達30000筆上限，無法記錄這筆手續費，請先使用結帳清除舊資料!"});
    }

    void refusalKeepsWindowAndInput() {
        Fixture fx;
        bool open = false;
        QString amount;
        fx.addWith("A-現金", [&](InputForm& f) {
            f.Text2->setText("12a");
            f.Text3->setText("x");
            f.Cmd1->click();
            open = f.isVisible();
            amount = f.Text2->text();
            QCOMPARE(f.Text3->text(), QString("x")); // the rate default comes after this check
        });
        QVERIFY(open);
        QCOMPARE(amount, QString("12a"));
        QCOMPARE(fx.env.prompts.texts("information"), QStringList{"金額部分不是數字格式"});
        QCOMPARE(fx.env.ctx.ledger.EntryCount, 1);
    }

    // clang-format off
    void amountOutOfRangeNamed_data() {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("fee"); // empty: no fee entry
        QTest::newRow("add, 14 nines") << false << "99999999999999" << "1" << "";
        QTest::newRow("add, one past the largest") << false << "90000000000001" << "1" << "";
        QTest::newRow("add, by the rate") << false << "1000000000000" << "100" << "";
        QTest::newRow("add, fee amount") << false << "100" << "1" << "99999999999999";
        QTest::newRow("edit, 14 nines") << true << "99999999999999" << "1" << "";
        QTest::newRow("edit, negative") << true << "-99999999999999" << "1" << "";
    }
    // clang-format on
    // An amount the ledger cannot hold is named, with the range, and nothing is stored; the
    // window stays open with what was typed.
    void amountOutOfRangeNamed() {
        QFETCH(bool, edit);
        QFETCH(QString, amount);
        QFETCH(QString, rate);
        QFETCH(QString, fee);
        Fixture fx;
        fx.b.entry("2024/01/02", "E-餐飲費", "A-現金", 12000, "午餐");
        fx.open();
        fx.list("A-現金");
        const LedgerEntry before = fx.env.ctx.ledger.entry(1);
        bool open = false;
        QString typed;
        fx.env.modal.on<InputForm>([&](InputForm& f) {
            f.show();
            if (!fee.isEmpty()) {
                QTest::mouseClick(f.Check2, Qt::LeftButton);
                f.Text5->selectAll();
                QTest::keyClicks(f.Text5, fee);
            }
            f.Text3->selectAll();
            QTest::keyClicks(f.Text3, rate);
            f.Text2->selectAll();
            QTest::keyClicks(f.Text2, amount);
            QTest::mouseClick(f.Cmd1, Qt::LeftButton);
            open = f.isVisible();
            typed = f.Text2->text();
            if (open) f.Cmd2->click();
            return f.result();
        });
        if (edit) {
            fx.form->Liv1->setCurrentIndex(fx.row(0).index());
            fx.form->Liv1_DblClick();
        } else {
            fx.form->Data_New_Click();
        }
        QCOMPARE(fx.env.prompts.texts(),
                 QStringList{"金額超出範圍，記錄的金額必須在 -90,000,000,000,000 到 "
                             "90,000,000,000,000 之間"});
        QCOMPARE(fx.env.prompts.shown.first().kind, QString("information"));
        QVERIFY(open);
        QCOMPARE(typed, amount);
        const Ledger& ledger = fx.env.ctx.ledger;
        QCOMPARE(ledger.EntryCount, 2);
        QCOMPARE(ledger.Entries[1].Amount.value(), before.core.Amount.value());
        QVERIFY(!ledger.LedgerChangedFlag.isSet());
        QCOMPARE(fx.column(3), QStringList{"-120.00"});
    }

    void editChangesEntryAndCloses() {
        Fixture fx;
        fx.b.entry("2024/01/02", "E-餐飲費", "A-現金", 12000, "午餐").checked();
        fx.b.entry("2024/01/03", "E-餐飲費", "A-現金", 8000, "晚餐");
        fx.open();
        fx.list("A-現金");
        fx.form->Liv1->setCurrentIndex(fx.row(0).index());
        int result = -1;
        QString caption;
        fx.env.modal.on<InputForm>([&](InputForm& f) {
            caption = f.Cmd1->text();
            f.Text2->setText("99.5");
            f.Cmd1->click();
            result = f.result();
            return f.result();
        });
        fx.form->Liv1_DblClick();
        QCOMPARE(caption, QString("變更"));
        QCOMPARE(result, int(QDialog::Accepted));
        const Ledger& ledger = fx.env.ctx.ledger;
        QCOMPARE(ledger.EntryCount, 3);
        QCOMPARE(ledger.Entries[1].Amount.value(), 9950.0);
        QCOMPARE(ledger.EntryInvoices[1].Checked, qint16(-1));
        QCOMPARE(fx.column(3), (QStringList{"-99.50", "-80.00"}));
        QVERIFY(fx.row(0)->isSelected());
        QVERIFY(!fx.row(1)->isSelected());
    }

    void keypadAndCalculatorKeys() {
        Fixture fx;
        QVERIFY(fx.env.settings.SaveSetting("InputForm", "Set_Amount", "True"));
        QString afterPad, afterFirstEnter, sign;
        int countAfterFirstEnter = 0;
        fx.addWith("A-現金", [&](InputForm& f) {
            f.Text2->selectAll();
            const int keys[] = {5, AmountKeypad::Plus,  3, AmountKeypad::Times,
                                4, AmountKeypad::Equals};
            for (int k : keys)
                f.CmdNum[size_t(k)]->click();
            afterPad = f.Text2->text();
            f.Text2->setFocus();
            f.Text2->selectAll();
            QTest::keyClick(f.Text2, Qt::Key_5);
            QTest::keyClick(f.Text2, Qt::Key_Plus, Qt::KeypadModifier);
            sign = f.Label8->text();
            QTest::keyClick(f.Text2, Qt::Key_3);
            QTest::keyClick(f.Text2, Qt::Key_Enter, Qt::KeypadModifier);
            afterFirstEnter = f.Text2->text();
            countAfterFirstEnter = fx.env.ctx.ledger.EntryCount;
            QTest::keyClick(f.Text2, Qt::Key_Enter, Qt::KeypadModifier);
        });
        QCOMPARE(afterPad, QString("32")); // left to right: (5 + 3) * 4
        QCOMPARE(sign, QString("+"));
        QCOMPARE(afterFirstEnter, QString("8"));
        QCOMPARE(countAfterFirstEnter, 1);
        QCOMPARE(fx.env.ctx.ledger.EntryCount, 2);
        QCOMPARE(fx.env.ctx.ledger.Entries[1].Amount.value(), 800.0);
    }

    void typedCharactersAreFiltered() {
        Fixture fx;
        QString amount, rate, invoice;
        fx.addWith("A-現金", [&](InputForm& f) {
            f.Text2->clear();
            QTest::keyClicks(f.Text2, "1+2-3a.5");
            f.Text3->clear();
            QTest::keyClicks(f.Text3, "-1.5x");
            QTest::keyClicks(f.Text6, "aB1");
            amount = f.Text2->text();
            rate = f.Text3->text();
            invoice = f.Text6->text();
        });
        QCOMPARE(amount, QString("12-3.5"));
        QCOMPARE(rate, QString("1.5"));
        QCOMPARE(invoice, QString("B1"));
    }

    // clang-format off
    void enterKeysStore_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("stored");
        QTest::newRow("detail") << "Combo3" << int(Qt::NoModifier) << 1;
        QTest::newRow("rate") << "Text3" << int(Qt::NoModifier) << 1;
        QTest::newRow("invoice") << "Text6" << int(Qt::NoModifier) << 1;
        QTest::newRow("note") << "Text1" << int(Qt::NoModifier) << 1;
        QTest::newRow("note shift is a break") << "Text1" << int(Qt::ShiftModifier) << 0;
        QTest::newRow("fee amount") << "Text5" << int(Qt::NoModifier) << 0;
    }
    // clang-format on
    void enterKeysStore() {
        QFETCH(QString, control);
        QFETCH(int, modifiers);
        Fixture fx;
        QString note;
        fx.addWith("A-現金", [&](InputForm& f) {
            f.Text2->setText("10");
            QWidget* w = f.findChild<QWidget*>(control);
            if (control == "Combo3") w = f.Combo3->lineEdit();
            QTest::keyClick(w, Qt::Key_Return, Qt::KeyboardModifiers(modifiers));
            note = f.NoteText();
        });
        QTEST(fx.env.ctx.ledger.EntryCount - 1, "stored");
        if (control == "Text1" && modifiers) QCOMPARE(note, QString("\r\n"));
    }

    // clang-format off
    void detailList_data() {
        QTest::addColumn<QStringList>("texts"); // account|text
        QTest::addColumn<QStringList>("listed");
        const QString sep(54, '-');
        QTest::newRow("unclassified only") << QStringList{"未分類|雜項"} << QStringList{"雜項"};
        QTest::newRow("first and unclassified") << QStringList{"E-餐飲費|午餐", "未分類|雜項"} << QStringList{"午餐", sep, "雜項"};
        QTest::newRow("first only") << QStringList{"E-餐飲費|午餐"} << QStringList{"午餐"};
        QTest::newRow("all three") << QStringList{"A-現金|提款", "E-餐飲費|午餐", "未分類|雜項"} << QStringList{"午餐", sep, "提款", sep, "雜項"};
    }
    // clang-format on
    void detailList() {
        QFETCH(QStringList, texts);
        Fixture fx;
        for (const QString& t : texts)
            fx.b.detailText(t.section('|', 0, 0), t.section('|', 1));
        QStringList listed;
        QString kept;
        fx.addWith("A-現金", [&](InputForm& f) {
            f.Combo3->setEditText("打字");
            choose(f.Cob2, "E-手續費");
            choose(f.Cob2, "E-餐飲費");
            listed = items(f.Combo3);
            kept = f.Combo3->currentText();
        });
        QTEST(listed, "listed");
        QCOMPARE(kept, QString("打字"));
    }

    // clang-format off
    void counters_data() {
        QTest::addColumn<int>("detailChars");
        QTest::addColumn<QString>("label");
        QTest::newRow("60 bytes") << 30 << "明細字數: 60";
        QTest::newRow("62 bytes") << 31 << "明細字數: 62 (超過上限60字，請縮減字數)";
    }
    // clang-format on
    void counters() {
        QFETCH(int, detailChars);
        Fixture fx;
        QString label, note;
        fx.addWith("A-現金", [&](InputForm& f) {
            f.Combo3->setEditText(QString(detailChars, QChar(u'明')));
            label = f.Label13->text();
            f.SetNoteText("a\r\nb");
            note = f.Label14->text();
        });
        QTEST(label, "label");
        QCOMPARE(note, QString("備註字數: 4"));
    }

    // An entry opened for editing counts its note as the window's own counter does: line
    // breaks as CR LF, and no over-limit remark.
    void editCountersAsTyped_data() {
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("label");
        QTest::newRow("one break") << "ab\r\ncd"
                                   << "備註字數: 6";
        QTest::newRow("two breaks") << "a\r\n\r\n餐"
                                    << "備註字數: 7";
        QTest::newRow("over the limit") << QString(2501, QChar(u'明')) << "備註字數: 5002";
    }
    void editCountersAsTyped() {
        QFETCH(QString, note);
        QFETCH(QString, label);
        Fixture fx;
        fx.b.entry("2024/01/02", "E-餐飲費", "A-現金", 12000, "午餐").note(note);
        fx.open();
        fx.list("A-現金");
        fx.form->Liv1->setCurrentIndex(fx.row(0).index());
        QString shown, afterTyping;
        fx.env.modal.on<InputForm>([&](InputForm& f) {
            shown = f.Label14->text();
            f.UpdateNoteCounter(false); // what a key release in the box would count
            afterTyping = f.Label14->text();
            return 0;
        });
        fx.form->Liv1_DblClick();
        QCOMPARE(shown, label);
        QCOMPARE(afterTyping, label);
    }

    // Back from one of its own windows, the entry window has the amount ready to be typed over.
    void amountReadyAfterOwnWindows_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("quick entries") << "Command2";
        QTest::newRow("installments") << "Command8";
        QTest::newRow("note editor") << "Command1";
    }
    void amountReadyAfterOwnWindows() {
        QFETCH(QString, command);
        Fixture fx;
        auto closeAt = [](QDialog& d) {
            d.reject();
            return int(QDialog::Rejected);
        };
        fx.env.modal.on<QuickForm>(closeAt);
        fx.env.modal.on<InstallmentForm>(closeAt);
        fx.env.modal.on<AccountNoteForm>(closeAt);
        QString focus, selected;
        fx.addWith("A-現金", [&](InputForm& f) {
            f.activateWindow();
            f.Text2->setText("120");
            f.Combo3->setFocus();
            f.findChild<QPushButton*>(command)->click();
            f.activateWindow(); // the window system activates it again as the child closes
            QCoreApplication::processEvents();
            focus = f.focusWidget() ? f.focusWidget()->objectName() : QString();
            selected = f.Text2->selectedText();
        });
        QCOMPARE(focus, QString("Text2"));
        QCOMPARE(selected, QString("120"));
    }

    // The over-limit remark stays readable beside 展開 and moves nothing else.
    void longNoteCounterFits() {
        Fixture fx;
        QRect noteBefore, noteAfter, buttonAfter, labelAfter;
        bool whole = false;
        fx.addWith("A-現金", [&](InputForm& f) {
            QCoreApplication::processEvents();
            noteBefore = f.Text1->geometry();
            f.SetNoteText(QString(2501, QChar(u'明')));
            f.UpdateNoteCounter();
            QCoreApplication::processEvents();
            noteAfter = f.Text1->geometry();
            buttonAfter = f.Command1->geometry();
            labelAfter = f.Label14->geometry();
            const QRect needed = f.Label14->fontMetrics().boundingRect(
                QRect(0, 0, f.Label14->contentsRect().width(), 10000), Qt::TextWordWrap,
                f.Label14->text());
            whole = f.Label14->wordWrap() ? needed.height() <= f.Label14->contentsRect().height()
                                          : needed.width() <= f.Label14->contentsRect().width();
        });
        QVERIFY(whole);
        QCOMPARE(noteAfter.x(), noteBefore.x());
        QCOMPARE(noteAfter.width(), noteBefore.width());
        QVERIFY(labelAfter.right() < buttonAfter.left());
    }

    // A pasted note past the limit: its counter wraps onto two lines and is drawn whole, over
    // neither the note box above it nor 展開 beside it nor the invoice row below, in the
    // narrow and in the wide window.
    void noteCounterOverLimitCoversNothing_data() {
        QTest::addColumn<bool>("wide");
        QTest::addColumn<bool>("detail"); // the detail's counter, else the note's
        QTest::addColumn<QString>("expected");
        const QString note = QStringLiteral("備註字數: 5200 (超過上限5000字，請縮減字數)");
        const QString detail = QStringLiteral("明細字數: 80 (超過上限60字，請縮減字數)");
        QTest::newRow("narrow") << false << false << note;
        QTest::newRow("wide") << true << false << note;
        QTest::newRow("detail, narrow") << false << true << detail;
        QTest::newRow("detail, wide") << true << true << detail;
    }

    void noteCounterOverLimitCoversNothing() {
        QFETCH(bool, wide);
        QFETCH(bool, detail);
        QFETCH(QString, expected);
        Fixture fx;
        QString counter;
        QRect label, window;
        QList<QRect> neighbours;
        bool whole = false;
        fx.addWith("A-現金", [&](InputForm& f) {
            if (wide) f.Command3->click();
            QCoreApplication::processEvents();
            QLabel* shown = detail ? f.Label13 : f.Label14;
            if (detail) {
                f.Combo3->setFocus();
                f.Combo3->lineEdit()->insert(QString(40, QChar(u'明'))); // as pasted: 80 bytes
            } else {
                f.Text1->setFocus();
                f.Text1->insertPlainText(QString(2600, QChar(u'明'))); // as pasted: 5200 bytes
            }
            QCoreApplication::processEvents();
            counter = shown->text();
            auto inWindow = [&f](const QWidget* w) {
                return QRect(w->mapTo(&f, QPoint(0, 0)), w->size());
            };
            label = inWindow(shown);
            window = f.rect();
            if (detail)
                neighbours = {inWindow(f.Combo3), inWindow(f.Check1), inWindow(f.Text1)};
            else
                neighbours = {inWindow(f.Text1), inWindow(f.Command1), inWindow(f.Text6)};
            const QRect drawn = shown->fontMetrics().boundingRect(
                QRect(0, 0, shown->contentsRect().width(), 10000), Qt::TextWordWrap, counter);
            whole = drawn.height() <= shown->contentsRect().height() &&
                    drawn.width() <= shown->contentsRect().width();
        });
        QCOMPARE(counter, expected);
        QVERIFY(whole);
        QVERIFY(window.contains(label));
        for (const QRect& other : neighbours)
            QVERIFY2(!label.intersects(other),
                     qPrintable(QStringLiteral("counter (%1,%2 %3x%4) over (%5,%6 %7x%8)")
                                    .arg(label.x())
                                    .arg(label.y())
                                    .arg(label.width())
                                    .arg(label.height())
                                    .arg(other.x())
                                    .arg(other.y())
                                    .arg(other.width())
                                    .arg(other.height())));
    }

    // A kind filter button drops its account list at the list's box, inside the screen, a
    // bounded number of rows high with a scroll bar for the others (400 pixels of rows for
    // the first account, 300 for the second), however many accounts the kind has.
    void kindFilterListBounded_data() {
        QTest::addColumn<bool>("firstList");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("rows");
        QTest::newRow("E of the first account") << true << 3 << "E-" << 20;
        QTest::newRow("A of the second account") << false << 0 << "A-" << 15;
    }

    void kindFilterListBounded() {
        QFETCH(bool, firstList);
        QFETCH(int, button);
        QFETCH(QString, prefix);
        QFETCH(int, rows);
        Fixture fx;
        for (int i = 1; i <= 80; ++i)
            fx.b.account(prefix + QStringLiteral("帳戶%1").arg(i));
        bool shown = false, scrolls = false;
        int visibleRows = 0, items = 0;
        QRect list, box, screen;
        fx.addWith("A-現金", [&](InputForm& f) {
            QPushButton* b = firstList ? f.Command6[size_t(button)] : f.Command10[size_t(button)];
            QComboBox* combo = firstList ? f.Cob2 : f.Cob3;
            QCoreApplication::processEvents();
            QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
            QCoreApplication::processEvents();
            QWidget* popup = combo->view()->window();
            shown = popup->isVisible();
            list = popup->frameGeometry();
            box = QRect(combo->mapToGlobal(QPoint(0, 0)), combo->size());
            screen = combo->screen()->availableGeometry();
            items = combo->count();
            const QAbstractItemView* view = combo->view();
            const int rowHeight = view->sizeHintForRow(0);
            visibleRows = rowHeight > 0 ? view->viewport()->height() / rowHeight : 0;
            scrolls = view->verticalScrollBar()->isVisible();
            combo->hidePopup();
        });
        QVERIFY(shown);
        QVERIFY(items > 80); // the kind's accounts only, more than any list shows at once
        QVERIFY2(visibleRows <= rows, qPrintable(QString::number(visibleRows)));
        QVERIFY(visibleRows >= rows - 1);
        QVERIFY(scrolls);
        QVERIFY2(screen.contains(list), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                       .arg(list.x())
                                                       .arg(list.y())
                                                       .arg(list.width())
                                                       .arg(list.height())));
        // At the box: its left edge, just below it or just above it.
        QVERIFY(std::abs(list.left() - box.left()) <= 2);
        QVERIFY2(std::abs(list.top() - box.bottom()) <= 2 ||
                     std::abs(list.bottom() - box.top()) <= 2,
                 qPrintable(QStringLiteral("list %1..%2, box %3..%4")
                                .arg(list.top())
                                .arg(list.bottom())
                                .arg(box.top())
                                .arg(box.bottom())));
    }

    void kindFilters() {
        Fixture fx;
        QStringList once, twice, liabilities;
        QString aCaption, lCaption;
        int chosen = 0;
        fx.addWith("A-現金", [&](InputForm& f) {
            f.Command6[0]->click();
            once = items(f.Cob2);
            chosen = f.Cob2->currentIndex();
            f.Command6[0]->click();
            twice = items(f.Cob2);
            f.Command6[0]->click();
            f.Command6[1]->click();
            liabilities = items(f.Cob2);
            aCaption = f.Command6[0]->text();
            lCaption = f.Command6[1]->text();
            f.Cob2->hidePopup();
        });
        QCOMPARE(once, QStringList{"A-現金"});
        QCOMPARE(chosen, -1);
        QCOMPARE(twice, (QStringList{"A-現金", "L-信用卡", "I-薪水", "E-餐飲費", "E-手續費"}));
        QCOMPARE(liabilities, QStringList{"L-信用卡"});
        QCOMPARE(aCaption, QString("A"));
        QCOMPARE(lCaption, QString("L*"));
    }

    void swapAccounts() {
        Fixture fx;
        QString first, second, caption;
        fx.addWith("L-信用卡", [&](InputForm& f) {
            choose(f.Cob2, "A-現金");
            f.Command11->click();
            first = f.Cob2->currentText();
            second = f.Cob3->currentText();
            caption = f.Label2->text();
            choose(f.Cob2, "E-餐飲費");
            f.Command11->click();
        });
        QCOMPARE(first, QString("L-信用卡"));
        QCOMPARE(second, QString("A-現金"));
        QCOMPARE(caption, QString("轉換到"));
        QCOMPARE(fx.env.prompts.texts("plain"), QStringList{"這種情況無法對調科目"});
    }

    void quickEntry() {
        Fixture fx;
        fx.addWith("A-現金", [&](InputForm& f) {
            f.Text2->setText("100");
            f.Text3->setText("");
            f.Combo3->setEditText("午餐");
            f.Command5->click();
            QCOMPARE(f.Text3->text(), QString("1"));
        });
        const Ledger& ledger = fx.env.ctx.ledger;
        QCOMPARE(ledger.QuickEntryCount, 2);
        QCOMPARE(ledger.QuickEntries[1].Amount, QString("100"));
        QVERIFY(ledger.QuickEntriesChanged);
        QCOMPARE(fx.env.prompts.texts("information"),
                 QStringList{"已將此筆記錄新增到快速入帳清單!"});
        QCOMPARE(ledger.EntryCount, 1);
    }

    void installments() {
        Fixture fx;
        QString status, label;
        int na = 0;
        fx.addWith("A-現金", [&](InputForm& f) {
            f.DTPicker1->setDate(QDate(2024, 1, 31));
            f.Text2->setText("300");
            f.Combo3->setEditText("手機");
            fx.env.modal.on<InstallmentForm>([&](InstallmentForm& w) {
                label = w.Label6->text();
                w.Text1->setText("3");
                w.Command1->click();
                return w.result();
            });
            f.Command8->click();
            status = f.StatusText();
            na = f.na;
            QCOMPARE(f.Combo3->currentText(), QString("手機")); // fields stay
        });
        QCOMPARE(label, QString("每期金額：300"));
        QCOMPARE(na, 3);
        QCOMPARE(status, QString("您已經新增 3 筆記錄"));
        QCOMPARE(fx.env.prompts.texts("plain"), QStringList{"已成功新增 3 筆分期記錄"});
        QCOMPARE(fx.column(1), (QStringList{"2024/01/31", "2024/02/29", "2024/03/29"}));
        QCOMPARE(fx.column(5), (QStringList{"手機 (分期付款 1/3)", "手機 (分期付款 2/3)",
                                            "手機 (分期付款 3/3)"}));
        QVERIFY(fx.nodeText("A-現金").contains("-900.00"));
    }

    void installmentRefusalStaysOpen() {
        Fixture fx;
        bool stillOpen = false;
        fx.addWith("A-現金", [&](InputForm& f) {
            fx.env.modal.on<InstallmentForm>([&](InstallmentForm& w) {
                w.Text1->setText("0");
                w.Command1->click();
                stillOpen = w.isVisible();
                return int(QDialog::Rejected);
            });
            f.Command8->click();
        });
        QVERIFY(stillOpen);
        QCOMPARE(fx.env.prompts.texts("warning"), QStringList{"分期期數請輸入1以上(含)的數字"});
        QCOMPARE(fx.env.ctx.ledger.EntryCount, 1);
    }

    void optionsAndWidthRemembered() {
        Fixture fx;
        bool clear0 = true, clear5 = false, wide = true;
        fx.addWith("A-現金", [&](InputForm& f) {
            clear0 = f.Clear_Type0->isChecked();
            clear5 = f.Clear_Type5->isChecked();
            wide = f.isWide();
            f.Clear_Type4->trigger();
            f.Set_ExchangeRate->trigger();
            f.Command3->click();
        });
        QVERIFY(!clear0);
        QVERIFY(clear5);
        QVERIFY(!wide);
        QCOMPARE(fx.env.settings.GetSetting("InputForm", "Clear_Type4"), QString("False"));
        QCOMPARE(fx.env.settings.GetSetting("InputForm", "Clear_Type5"), QString("True"));
        QCOMPARE(fx.env.settings.GetSetting("InputForm", "Set_ExchangeRate"), QString("True"));
        QCOMPARE(fx.env.settings.GetSetting("InputForm", "More"), QString("<< 關閉"));
        fx.addWith("A-現金", [&](InputForm& f) { wide = f.isWide(); });
        QVERIFY(wide);
    }

    // A fee ticked in the wide window, then the window narrowed: the hidden box is unticked,
    // so the next entry is stored alone, and the box shows unticked when the window widens.
    void narrowingUnticksFee() {
        Fixture fx;
        fx.b.account("A-台灣銀行").account("E-其他支出");
        QString status;
        bool hiddenWhileNarrow = false, tickedWhenWide = true;
        fx.addWith("A-現金", [&](InputForm& f) {
            f.show();
            QVERIFY(!f.isWide());
            clickShown(f.Command3); // 更多功能 >>
            choose(f.Cob2, "A-現金");
            choose(f.Cob3, "A-台灣銀行");
            clickShown(f.Check2);
            choose(f.Cob4, "E-其他支出");
            f.Text5->selectAll();
            QTest::keyClicks(f.Text5, "15");
            f.Text2->selectAll();
            QTest::keyClicks(f.Text2, "1000");
            clickShown(f.Cmd1);

            clickShown(f.Command3); // << 關閉
            hiddenWhileNarrow = !f.Check2->isVisible();
            choose(f.Cob2, "E-餐飲費");
            choose(f.Cob3, "A-現金");
            f.Text2->selectAll();
            QTest::keyClicks(f.Text2, "100");
            f.Combo3->setEditText("午餐");
            clickShown(f.Cmd1);
            status = f.StatusText();

            clickShown(f.Command3); // 更多功能 >> again
            tickedWhenWide = f.Check2->isChecked();
        });
        QCOMPARE(fx.boxes(), QStringList());
        QVERIFY(hiddenWhileNarrow);
        QCOMPARE(status, QString("您已經新增 3 筆記錄"));
        const Ledger& ledger = fx.env.ctx.ledger;
        QCOMPARE(ledger.EntryCount, 4);
        auto entry = [&](int i) {
            return ledger.Entries[i].Account1.trimmed() + " <- " +
                   ledger.Entries[i].Account2.trimmed() + " " +
                   QString::number(ledger.Entries[i].Amount.value() / 100);
        };
        QCOMPARE(entry(1), QString("A-現金 <- A-台灣銀行 1000"));
        QCOMPARE(entry(2), QString("E-其他支出 <- A-台灣銀行 15"));
        QCOMPARE(entry(3), QString("E-餐飲費 <- A-現金 100"));
        QVERIFY(!tickedWhenWide);
    }

    // The narrow window is as high after a switch to wide and back (or after opening wide)
    // as when it opened narrow: no empty band is left under the invoice row.
    void narrowHeightAfterWide_data() {
        QTest::addColumn<bool>("openedWide");
        QTest::newRow("narrow, wide and back") << false;
        QTest::newRow("opened wide, narrowed") << true;
    }
    void narrowHeightAfterWide() {
        QFETCH(bool, openedWide);
        Fixture fx;
        auto bandUnderFields = [](InputForm& f) {
            QCoreApplication::processEvents();
            const int lowest = std::max(f.Text6->mapTo(&f, QPoint(0, f.Text6->height())).y(),
                                        f.Command3->mapTo(&f, QPoint(0, f.Command3->height())).y());
            return f.StatusBar1->mapTo(&f, QPoint(0, 0)).y() - lowest;
        };
        int narrowBand = -1, narrowHeight = -1, band = -1, height = -1;
        fx.addWith("A-現金", [&](InputForm& f) {
            f.show();
            narrowBand = bandUnderFields(f);
            narrowHeight = f.height();
        });
        if (openedWide) QVERIFY(fx.env.settings.SaveSetting("InputForm", "More", "<< 關閉"));
        fx.addWith("A-現金", [&](InputForm& f) {
            f.show();
            if (!openedWide) clickShown(f.Command3);
            QVERIFY(f.isWide());
            clickShown(f.Command3);
            QVERIFY(!f.isWide());
            band = bandUnderFields(f);
            height = f.height();
        });
        QCOMPARE(band, narrowBand);
        QCOMPARE(height, narrowHeight);
    }

    void dateButtonsAndMenuCommands() {
        Fixture fx;
        QDate back, forward, today;
        fx.addWith("A-現金", [&](InputForm& f) {
            f.DTPicker1->setDate(QDate(2024, 1, 1));
            f.Command7->click();
            back = f.DTPicker1->date();
            f.Command9->click();
            f.Command9->click();
            forward = f.DTPicker1->date();
            f.Cmd4->click();
            today = f.DTPicker1->date();
            fx.env.shell.calculatorResult = false;
            f.Cal->trigger();
            f.Help->trigger();
        });
        QCOMPARE(fx.env.prompts.texts("warning"), QStringList{"找不到小算盤程式!"});
        QCOMPARE(fx.env.shell.openedUrls.size(), 1);
        QCOMPARE(back, QDate(2023, 12, 31));
        QCOMPARE(forward, QDate(2024, 1, 2));
        QCOMPARE(today, fx.env.clock.today());
    }
};

QTEST_MAIN(TestInputForm)
#include "tst_inputform.moc"
