// The multi-entry edit window opened from the main window's entry list, driven offscreen
// with scripted boxes: what it shows on opening, how touching and unticking fields work,
// its refusals, and what lands in the tables and the main window's list.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <cmath>
#include <functional>

#include "entry/editform.h"
#include "mainwin/commandsfixture.h"
#include "windowparts/colourtable.h"

namespace {

using Fill = std::function<void(EditForm&)>;

struct Fixture : CommandsFixture {
    Fixture() { accounts(); }

    int opened = 0;
    bool leftOpen = false; // the window was still open after the handler's own clicks

    // Selects the rows at the positions in the list of listed and runs 編輯 on them; fill
    // drives the window, which is cancelled when the handler leaves it open.
    void edit(const QList<int>& rows, const Fill& fill,
              const QString& listed = QStringLiteral("A-現金")) {
        if (!form) open(listed);
        selectRows(rows);
        env.modal.on<EditForm>([this, fill](EditForm& f) {
            ++opened;
            fill(f);
            leftOpen = f.isVisible();
            if (leftOpen) f.Command2->click();
            return f.result();
        });
        form->MenuTools_Edit->trigger();
    }

    // Every stored field of entries 1 to EntryCount - 1, to see that nothing changed.
    QStringList snapshot() const {
        const Ledger& l = env.ctx.ledger;
        QStringList s;
        for (int i = 1; i < l.EntryCount; ++i) {
            const EntryCore& e = l.Entries[size_t(i)];
            s << QStringList{e.Date.text(),
                             e.Account1.text(),
                             e.Account2.text(),
                             QString::number(e.Amount.value()),
                             e.Detail.text(),
                             l.EntryNotes[size_t(i)].Note.text(),
                             l.noteRow(i),
                             l.EntryInvoices[size_t(i)].InvoiceDigits.text(),
                             QString::number(l.EntryInvoices[size_t(i)].Checked),
                             l.EntryStyles[size_t(i)].InvoiceLetters.text(),
                             QString::number(l.EntryStyles[size_t(i)].ColourIndex)}
                     .join(u'|');
        }
        return s;
    }
    bool changed() const { return env.ctx.ledger.LedgerChangedFlag.isSet(); }
};

// What each field shows, in box order (lists: the chosen item's text).
QStringList shown(const EditForm& f) {
    return {f.Text0->text(), f.Cob1->currentText(),   f.Cob2->currentText(),
            f.Text1->text(), f.Text2->text(),         f.Text3->toPlainText(),
            f.Text4->text(), f.Combo1->currentText(), f.Combo2->currentText()};
}

// The boxes as "0"/"1", in order.
QString ticks(const EditForm& f) {
    QString s;
    for (QCheckBox* box : f.Check1)
        s += box->isChecked() ? u'1' : u'0';
    return s;
}

QStringList items(const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

// Sets field n as a user would: a text typed, or the list item of that text chosen
// ("" leaves the list without choice); the box is then ticked by hand when it is not.
void put(EditForm& f, int n, const QString& text) {
    QComboBox* lists[] = {nullptr, f.Cob1,  f.Cob2,   nullptr, nullptr,
                          nullptr, nullptr, f.Combo1, f.Combo2};
    if (QComboBox* list = lists[n]) {
        list->setCurrentIndex(text.isEmpty() ? -1 : list->findText(text));
    } else if (n == MultiEdit::Note) {
        f.Text3->setPlainText(text);
    } else {
        QLineEdit* boxes[] = {f.Text0, nullptr, nullptr, f.Text1, f.Text2, nullptr, f.Text4};
        boxes[n]->setText(text);
    }
    if (!f.Check1[size_t(n)]->isChecked()) f.Check1[size_t(n)]->click();
}

// The entry most cases start from, with a variation by field (-1: none).
void addEntry(LedgerBuilder& b, int differ = -1,
              const QString& date = QStringLiteral("2024/01/02")) {
    using namespace MultiEdit;
    b.entry(differ == Date ? QStringLiteral("2024/01/03") : date,
            differ == Account1 ? QStringLiteral("E-交通費") : QStringLiteral("E-餐飲費"),
            differ == Account2 ? QStringLiteral("A-銀行") : QStringLiteral("A-現金"),
            differ == Amount ? 12001 : 12000,
            differ == Detail ? QStringLiteral("晚餐") : QStringLiteral("午餐"));
    // Two notes sharing their first 100 bytes, different after them.
    b.note(differ == Note ? QString(100, u'n') + QStringLiteral("mmm")
                          : QString(100, u'n') + QStringLiteral("zzz"));
    b.invoice(differ == Invoice ? QStringLiteral("CD") : QStringLiteral("AB"),
              QStringLiteral("12345678"));
    b.colour(differ == Colour ? 3 : 2);
}

} // namespace

class TestEditForm : public QObject {
    Q_OBJECT
private slots:
    void opensForSeveralRows();
    void equalEntriesFillEveryFieldButTheMark();
    void differingFieldStaysEmpty_data();
    void differingFieldStaysEmpty();
    void amountShownAsPlainNumber_data();
    void amountShownAsPlainNumber();
    void touchingTicksAndUntickingEmpties();
    void refusals_data();
    void refusals();
    void refusalShowsTheTrimmedInvoice();
    void writesTickedFieldsOnly();
    void amountRule_data();
    void amountRule();
    void invoiceSplit_data();
    void invoiceSplit();
    void relistsAndReselectsWrittenEntries();
    void everyRowStaysSelectedAndCurrentStays();
    void noTickedBoxWritesNothing();
    void rowNamingNoEntryIsRefused();
};

void TestEditForm::opensForSeveralRows() {
    Fixture f;
    f.b.account(QStringLiteral("L-房貸"), KindLiability);
    for (int d = 1; d <= 3; ++d)
        f.b.entry(QStringLiteral("2024/01/0%1").arg(d), QStringLiteral("E-餐飲費"),
                  QStringLiteral("A-現金"), 100 * d, QStringLiteral("午餐"));
    const QStringList before = f.snapshot();
    QStringList first, second, marks, colours;
    QString caption;
    f.edit({0, 1, 2}, [&](EditForm& w) {
        caption = w.windowTitle();
        first = items(w.Cob1);
        second = items(w.Cob2);
        marks = items(w.Combo1);
        colours = items(w.Combo2);
        put(w, MultiEdit::Amount, QStringLiteral("5")); // typed, then cancelled
    });
    QCOMPARE(f.opened, 1);
    QCOMPARE(f.form->SelEdit, short(3));
    QCOMPARE(caption, QStringLiteral("編輯多筆記錄"));
    QCOMPARE(first, (QStringList{"A-現金", "A-銀行", "L-信用卡", "I-薪資", "E-餐飲費", "E-交通費",
                                 "L-房貸"}));
    QCOMPARE(second, (QStringList{"Equity", "A-現金", "A-銀行", "L-信用卡", "L-房貸"}));
    QCOMPARE(marks, (QStringList{"勾選標記", "取消勾選"}));
    QCOMPARE(colours.size(), ColourTable::Count);
    QCOMPARE(colours.first(), ColourTable::name(0));
    QCOMPARE(colours.last(), ColourTable::name(9));
    // 取消 writes nothing and leaves the unsaved-changes flag alone.
    QCOMPARE(f.snapshot(), before);
    QVERIFY(!f.changed());
    QVERIFY(f.env.prompts.shown.isEmpty());
}

void TestEditForm::equalEntriesFillEveryFieldButTheMark() {
    Fixture f;
    addEntry(f.b);
    addEntry(f.b);
    const QStringList before = f.snapshot();
    QStringList fields;
    QString boxes;
    f.edit({0, 1}, [&](EditForm& w) {
        fields = shown(w);
        boxes = ticks(w);
        w.Command1->click();
    });
    QCOMPARE(fields,
             (QStringList{"2024/01/02", "E-餐飲費", "A-現金", "120", "午餐",
                          QString(100, u'n') + "zzz", "AB12345678", "", ColourTable::name(2)}));
    // Chosen list items count as touched; prefilled texts do not.
    QCOMPARE(boxes, QStringLiteral("011000001"));
    // 確定 rewrites the same accounts and colour: nothing visible changes, but it was written.
    QVERIFY(!f.leftOpen);
    QCOMPARE(f.snapshot(), before);
    QVERIFY(f.changed());
}

void TestEditForm::differingFieldStaysEmpty_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("listed");
    QTest::newRow("date") << int(MultiEdit::Date) << "A-現金";
    QTest::newRow("first account") << int(MultiEdit::Account1) << "A-現金";
    QTest::newRow("second account") << int(MultiEdit::Account2) << "E-餐飲費";
    QTest::newRow("amount") << int(MultiEdit::Amount) << "A-現金";
    QTest::newRow("detail") << int(MultiEdit::Detail) << "A-現金";
    QTest::newRow("note row only") << int(MultiEdit::Note) << "A-現金";
    QTest::newRow("invoice letters") << int(MultiEdit::Invoice) << "A-現金";
    QTest::newRow("colour") << int(MultiEdit::Colour) << "A-現金";
}

void TestEditForm::differingFieldStaysEmpty() {
    QFETCH(int, field);
    QFETCH(QString, listed);
    Fixture f;
    addEntry(f.b);
    addEntry(f.b, field);
    QStringList fields;
    QString boxes;
    f.edit(
        {0, 1},
        [&](EditForm& w) {
            fields = shown(w);
            boxes = ticks(w);
        },
        listed);
    QStringList expected{"2024/01/02", "E-餐飲費", "A-現金",
                         "120",        "午餐",     QString(100, u'n') + "zzz",
                         "AB12345678", "",         ColourTable::name(2)};
    expected[field] = QString();
    QString expectedBoxes = QStringLiteral("011000001");
    expectedBoxes[field] = u'0';
    QCOMPARE(fields, expected);
    QCOMPARE(boxes, expectedBoxes);
}

void TestEditForm::amountShownAsPlainNumber_data() {
    QTest::addColumn<double>("hundredths");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole negative") << -30000.0 << "-300";
    QTest::newRow("half unit") << 1250.0 << "12.5";
    QTest::newRow("cents, no grouping") << 123456789.0 << "1234567.89";
    QTest::newRow("zero") << 0.0 << "0";
}

void TestEditForm::amountShownAsPlainNumber() {
    QFETCH(double, hundredths);
    QFETCH(QString, text);
    Fixture f;
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", hundredths, "午餐");
    f.b.entry("2024/01/03", "E-餐飲費", "A-現金", hundredths, "晚餐");
    QString amount;
    f.edit({0, 1}, [&](EditForm& w) { amount = w.Text1->text(); });
    QCOMPARE(amount, text);
}

void TestEditForm::touchingTicksAndUntickingEmpties() {
    Fixture f;
    addEntry(f.b);
    addEntry(f.b, MultiEdit::Amount);
    f.edit({0, 1}, [&](EditForm& w) {
        // A click into the date ticks it and puts today there, over what was typed.
        w.Text0->setText(QStringLiteral("2024/02/02"));
        QTest::mouseClick(w.Text0, Qt::LeftButton);
        QCOMPARE(w.Text0->text(), QStringLiteral("2024/01/15"));
        QVERIFY(w.Check1[0]->isChecked());
        w.Check1[0]->click(); // unticked by hand: emptied
        QCOMPARE(w.Text0->text(), QString());
        f.env.clock.setToday(QDate(2024, 3, 9));
        QTest::mouseClick(w.Text0, Qt::LeftButton);
        QCOMPARE(w.Text0->text(), QStringLiteral("2024/03/09"));

        // Clicks into the other text fields tick them and keep their text.
        QTest::mouseClick(w.Text1, Qt::LeftButton);
        QTest::mouseClick(w.Text3->viewport(), Qt::LeftButton);
        QTest::mouseClick(w.Text4, Qt::LeftButton);
        QCOMPARE(ticks(w), QStringLiteral("111101101")); // the prefill chose the second account
        QCOMPARE(w.Text4->text(), QStringLiteral("AB12345678"));

        // Unticking a list empties it and the emptying does not tick it again.
        w.Check1[1]->click();
        QCOMPARE(w.Cob1->currentIndex(), -1);
        QVERIFY(!w.Check1[1]->isChecked());
        w.Combo1->setCurrentIndex(1);
        QVERIFY(w.Check1[7]->isChecked());
        w.Check1[7]->click();
        QCOMPARE(w.Combo1->currentIndex(), -1);
        QVERIFY(!w.Check1[7]->isChecked());
        w.Check1[5]->click();
        QCOMPARE(w.Text3->toPlainText(), QString());

        // Ticking by hand keeps what the field shows, empty or not.
        w.Check1[1]->click();
        w.Check1[4]->click();
        w.Check1[5]->click();
        QCOMPARE(w.Cob1->currentIndex(), -1);
        QCOMPARE(w.Text2->text(), QStringLiteral("午餐"));
        QCOMPARE(w.Text3->toPlainText(), QString());
        QCOMPARE(ticks(w), QStringLiteral("111111101"));
    });
    QCOMPARE(f.opened, 1);
}

void TestEditForm::refusals_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("field2"); // -1: none
    QTest::addColumn<QString>("text2");
    QTest::addColumn<QString>("message");
    using namespace MultiEdit;
    const QString noNumber = QStringLiteral("金額部分不是數字格式");
    QTest::newRow("no date") << int(Date) << "2024/02/30" << -1 << ""
                             << "不是正確的日期格式";
    QTest::newRow("empty date") << int(Date) << "" << -1 << ""
                                << "不是正確的日期格式";
    QTest::newRow("no first account") << int(Account1) << "" << -1 << ""
                                      << "您還沒選擇分類欄位";
    QTest::newRow("no second account") << int(Account2) << "" << -1 << ""
                                       << "您還沒選擇科目欄位";
    QTest::newRow("same accounts") << int(Account1) << "A-銀行" << int(Account2) << "A-銀行"
                                   << "選擇的科目不能重複";
    QTest::newRow("amount text") << int(Amount) << "12a" << -1 << "" << noNumber;
    QTest::newRow("empty amount") << int(Amount) << "" << -1 << "" << noNumber;
    QTest::newRow("amount beyond hundredths")
        << int(Amount) << "90000000000000.02" << -1 << "" << noNumber;
    QTest::newRow("amount infinite") << int(Amount) << "1e400" << -1 << "" << noNumber;
    QTest::newRow("nine-character invoice") << int(Invoice) << "123456789" << -1 << ""
                                            << "不正確的發票格式 (正確為8位數字)";
    QTest::newRow("no mark") << int(Mark) << "" << -1 << ""
                             << "您還沒選擇標記欄位";
    QTest::newRow("date before mark") << int(Mark) << "" << int(Date) << "2024/1/32"
                                      << "不是正確的日期格式";
    QTest::newRow("amount before invoice")
        << int(Invoice) << "1234567" << int(Amount) << "x" << noNumber;
}

void TestEditForm::refusals() {
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(int, field2);
    QFETCH(QString, text2);
    QFETCH(QString, message);
    Fixture f;
    addEntry(f.b);
    addEntry(f.b, MultiEdit::Detail);
    const QStringList before = f.snapshot();
    f.edit({0, 1}, [&](EditForm& w) {
        put(w, field, text);
        if (field2 >= 0) put(w, field2, text2);
        put(w, MultiEdit::Colour, ColourTable::name(5)); // a valid field that must not be written
        w.Command1->click();
    });
    QCOMPARE(f.env.prompts.texts(QStringLiteral("warning")), QStringList{message});
    QVERIFY(f.leftOpen);
    QCOMPARE(f.snapshot(), before);
    QVERIFY(!f.changed());
}

void TestEditForm::refusalShowsTheTrimmedInvoice() {
    Fixture f;
    addEntry(f.b);
    addEntry(f.b);
    QString afterDateRefusal, afterMarkRefusal;
    f.edit({0, 1}, [&](EditForm& w) {
        w.Text4->setText(QStringLiteral("  AB12345678 "));
        put(w, MultiEdit::Date, QStringLiteral("x"));
        w.Command1->click();
        afterDateRefusal = w.Text4->text(); // its check did not run yet
        put(w, MultiEdit::Date, QStringLiteral("2024/5/6"));
        put(w, MultiEdit::Mark, QString());
        w.Command1->click();
        afterMarkRefusal = w.Text4->text();
    });
    QCOMPARE(afterDateRefusal, QStringLiteral("  AB12345678 "));
    QCOMPARE(afterMarkRefusal, QStringLiteral("AB12345678"));
    QCOMPARE(f.env.prompts.texts().size(), 2);
}

void TestEditForm::writesTickedFieldsOnly() {
    Fixture f;
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 100, "早餐")
        .note("舊")
        .remind(3)
        .colour(4)
        .checked();
    f.b.entry("2024/01/05", "E-交通費", "A-現金", 200, "車資").invoice("ZZ", "99999999");
    f.b.entry("2024/01/09", "E-交通費", "A-現金", 300, "不動");
    Ledger& l = f.env.ctx.ledger;
    l.EntryStyles[1].Reserved = 7;
    const QString untouched = f.snapshot().at(2);
    const QString detail = QString(31, QChar(0x9910)); // 62 bytes
    const QString note =
        QString(40, QChar(0x5099)) + "\n" + QString(20, QChar(0x8A3B)); // 122 bytes
    f.edit({0, 1}, [&](EditForm& w) {
        put(w, MultiEdit::Date, QStringLiteral("2024/3/5"));
        put(w, MultiEdit::Account1, QStringLiteral("I-薪資"));
        put(w, MultiEdit::Detail, detail);
        put(w, MultiEdit::Note, note);
        put(w, MultiEdit::Invoice, QStringLiteral("CD87654321"));
        put(w, MultiEdit::Mark, QStringLiteral("取消勾選"));
        put(w, MultiEdit::Colour, QString()); // ticked with nothing chosen: colour 0
        w.Command1->click();
    });
    QVERIFY(!f.leftOpen);
    QVERIFY(f.env.prompts.shown.isEmpty());
    QCOMPARE(l.EntryCount, 4);
    const QString crlfNote = QString(note).replace("\n", "\r\n");
    for (int i : {1, 2}) {
        QCOMPARE(l.Entries[i].Date.text(), QStringLiteral("2024/03/05"));
        QCOMPARE(l.Entries[i].Account1.trimmed(), QStringLiteral("I-薪資"));
        QCOMPARE(l.Entries[i].Account2.trimmed(), QStringLiteral("A-現金")); // not ticked
        QCOMPARE(l.Entries[i].Detail.trimmed(), QString(30, QChar(0x9910)));
        QCOMPARE(l.EntryNotes[i].Note.trimmed(),
                 QString(40, QChar(0x5099)) + "\r\n" + QString(9, QChar(0x8A3B)));
        QCOMPARE(l.noteRow(i), crlfNote);
        QCOMPARE(l.EntryStyles[i].InvoiceLetters.text(), QStringLiteral("CD"));
        QCOMPARE(l.EntryInvoices[i].InvoiceDigits.text(), QStringLiteral("87654321"));
        QCOMPARE(l.EntryInvoices[i].Checked, qint16(0));
        QCOMPARE(l.EntryStyles[i].ColourIndex, quint8(0));
    }
    QCOMPARE(l.Entries[1].Amount.value(), 100.0);
    QCOMPARE(l.Entries[2].Amount.value(), 200.0);
    // Reminder and reserved field stay; the later date does not move the entry.
    QCOMPARE(l.EntryNotes[1].RemindOn, qint16(-1));
    QCOMPARE(l.EntryNotes[1].RemindDays, qint16(3));
    QCOMPARE(l.EntryStyles[1].Reserved, qint16(7));
    QCOMPARE(f.snapshot().at(2), untouched);
    QVERIFY(f.changed());

    // A short note empties the note rows again; 勾選標記 sets the mark.
    QCOMPARE(f.listedEntries(), (QList<int>{3, 1, 2})); // by date
    f.edit({1, 2}, [&](EditForm& w) {
        put(w, MultiEdit::Note, QStringLiteral("短"));
        put(w, MultiEdit::Mark, QStringLiteral("勾選標記"));
        w.Command1->click();
    });
    for (int i : {1, 2}) {
        QCOMPARE(l.EntryNotes[i].Note.trimmed(), QStringLiteral("短"));
        QCOMPARE(l.noteRow(i), QString());
        QCOMPARE(l.EntryInvoices[i].Checked, qint16(-1));
    }
}

void TestEditForm::amountRule_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("hundredths");
    QTest::newRow("cut toward zero") << "12.345" << 1234.0;
    QTest::newRow("binary fraction") << "0.29" << 29.0;
    QTest::newRow("negative") << "-0.015" << -1.0;
    QTest::newRow("grouping and blanks") << " 1,234.5 " << 123450.0;
    QTest::newRow("negative zero") << "-0" << 0.0;
    QTest::newRow("largest") << "90000000000000" << 9e15;
}

void TestEditForm::amountRule() {
    QFETCH(QString, typed);
    QFETCH(double, hundredths);
    Fixture f;
    addEntry(f.b);
    addEntry(f.b);
    f.edit({0, 1}, [&](EditForm& w) {
        put(w, MultiEdit::Amount, typed);
        w.Command1->click();
    });
    const Ledger& l = f.env.ctx.ledger;
    for (int i : {1, 2}) {
        QCOMPARE(l.Entries[i].Amount.value(), hundredths);
        QCOMPARE(l.Entries[i].Amount.tag(), quint16(TaggedNumber::Double));
        QCOMPARE(std::signbit(l.Entries[i].Amount.value()), hundredths < 0); // no -0 stored
    }
}

void TestEditForm::invoiceSplit_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QString>("digits");
    QTest::newRow("shown text written back") << "AB12345678"
                                             << "AB"
                                             << "12345678";
    QTest::newRow("eight digits empty the letters") << "12345678"
                                                    << ""
                                                    << "12345678";
    QTest::newRow("blanks around") << "  12345678 "
                                   << ""
                                   << "12345678";
    QTest::newRow("eight letters") << "ABCDEFGH"
                                   << ""
                                   << "ABCDEFGH";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
    QTest::newRow("wide characters cut whole") << "發票發票發票發票發票"
                                               << "發"
                                               << "發票發票";
}

void TestEditForm::invoiceSplit() {
    QFETCH(QString, typed);
    QFETCH(QString, letters);
    QFETCH(QString, digits);
    Fixture f;
    addEntry(f.b);
    addEntry(f.b);
    f.edit({0, 1}, [&](EditForm& w) {
        put(w, MultiEdit::Invoice, typed);
        w.Command1->click();
    });
    QVERIFY(!f.leftOpen);
    const Ledger& l = f.env.ctx.ledger;
    for (int i : {1, 2}) {
        QCOMPARE(l.EntryStyles[i].InvoiceLetters.trimmed(), letters);
        QCOMPARE(l.EntryInvoices[i].InvoiceDigits.trimmed(), digits);
    }
}

void TestEditForm::relistsAndReselectsWrittenEntries() {
    Fixture f;
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 100, "一");
    f.b.entry("2024/01/03", "E-餐飲費", "A-現金", 200, "二");
    f.b.entry("2024/01/04", "E-餐飲費", "A-現金", 300, "三");
    f.b.entry("2024/01/05", "E-餐飲費", "A-現金", 400, "四");
    f.open(QStringLiteral("A-現金"));
    const QString bankBefore = f.nodeText(QStringLiteral("A-銀行"));

    // Entries that stay listed are selected again; the others are not.
    f.edit({0, 2}, [&](EditForm& w) {
        put(w, MultiEdit::Detail, QStringLiteral("改"));
        w.Command1->click();
    });
    QCOMPARE(f.column(5), (QStringList{"改", "二", "改", "四"}));
    QCOMPARE(f.selectedEntries(), (QList<int>{1, 3}));
    QCOMPARE(f.form->RowEntryIndex(f.form->CurrentRow()), 1);

    // Moved to another account: gone from the list, nothing selected; totals recomputed.
    f.edit({1, 3}, [&](EditForm& w) {
        put(w, MultiEdit::Account2, QStringLiteral("A-銀行"));
        w.Command1->click();
    });
    QCOMPARE(f.listedEntries(), (QList<int>{1, 3}));
    QCOMPARE(f.selectedEntries(), QList<int>());
    const QString bankAfter = f.nodeText(QStringLiteral("A-銀行"));
    QVERIFY(bankAfter != bankBefore);
    f.form->UpdateTreeTotals();
    QCOMPARE(f.nodeText(QStringLiteral("A-銀行")), bankAfter);
    QVERIFY(f.changed());
}

// A row clicked, then Ctrl+A: after 確定 every row is selected again and the row clicked is
// still the current one.
void TestEditForm::everyRowStaysSelectedAndCurrentStays() {
    Fixture f;
    for (const char* detail : {"一", "二", "三", "四"})
        f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 100, QString::fromUtf8(detail));
    MainForm& w = f.open(QStringLiteral("A-現金"));
    w.resize(1024, 768);
    w.show();
    QTest::mouseClick(w.Liv1->viewport(), Qt::LeftButton, {}, f.row(2).rect().center());
    QTest::keyClick(w.Liv1, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(f.selectedEntries(), (QList<int>{1, 2, 3, 4}));
    QCOMPARE(f.currentRow(), f.row(2));

    f.env.modal.on<EditForm>([](EditForm& e) {
        put(e, MultiEdit::Detail, QStringLiteral("同"));
        e.Command1->click();
        return e.result();
    });
    w.MenuTools_Edit->trigger();
    QCOMPARE(f.column(5), (QStringList{"同", "同", "同", "同"}));
    QCOMPARE(f.selectedRows(), (QList<EntryListRowRef>{f.row(0), f.row(1), f.row(2), f.row(3)}));
    QCOMPARE(f.currentRow(), f.row(2));
}

void TestEditForm::noTickedBoxWritesNothing() {
    Fixture f;
    addEntry(f.b);
    addEntry(f.b, MultiEdit::Detail);
    addEntry(f.b, MultiEdit::Amount, QStringLiteral("2024/01/03"));
    const QStringList before = f.snapshot();
    f.edit({0, 2}, [&](EditForm& w) {
        for (int n : {1, 2, 8})
            w.Check1[size_t(n)]->click(); // the boxes the prefill ticked
        QCOMPARE(ticks(w), QStringLiteral("000000000"));
        w.Text2->setText(QStringLiteral("未勾選")); // typed but not ticked
        QTest::keyClick(w.Text2, Qt::Key_Return);   // Enter presses 確定
    });
    QVERIFY(!f.leftOpen);
    QCOMPARE(f.snapshot(), before);
    // Nothing was written, so there is nothing to save; the list is refreshed and the rows
    // stay selected.
    QVERIFY(!f.changed());
    QCOMPARE(f.selectedEntries(), (QList<int>{1, 3}));
}

void TestEditForm::rowNamingNoEntryIsRefused() {
    Fixture f;
    addEntry(f.b);
    addEntry(f.b, MultiEdit::Detail);
    addEntry(f.b, MultiEdit::Amount, QStringLiteral("2024/01/03"));
    f.open(QStringLiteral("A-現金"));
    const QStringList before = f.snapshot();
    // A row whose hidden index names no entry takes no part in what the fields show...
    f.row(1)->setText(7, QStringLiteral("0"));
    QString amount;
    f.edit({0, 1}, [&](EditForm& w) {
        amount = w.Text1->text();
        // ...and while such a row is selected nothing is written.
        f.row(1)->setText(7, QStringLiteral("4"));
        put(w, MultiEdit::Amount, QStringLiteral("5"));
        w.Command1->click();
    });
    QCOMPARE(amount, QStringLiteral("120"));
    QCOMPARE(f.env.prompts.texts(QStringLiteral("warning")), QStringList{"編輯記錄發生錯誤!"});
    QVERIFY(f.leftOpen);
    QCOMPARE(f.snapshot(), before);
    QVERIFY(!f.changed());
}

QTEST_MAIN(TestEditForm)
#include "tst_editform.moc"
