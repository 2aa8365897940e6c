// Adding and editing entries: what the main window hands to the entry window.
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "commandsfixture.h"
#include "entry/inputform.h"

namespace {

QStringList items(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

// What a prepared entry window showed, taken while it was open.
struct Seen {
    QString caption, cob2, cob3, amount, detail, note, invoice, rate, detailCount, noteCount,
        status, cmd1, cmd2;
    QStringList cob2Items, cob3Items, cob4Items, cob5Items;
    QDate date;
    int colour = -1, inputState = -1, na = -1;
    bool sameDay = false, daysBefore = false, installments = true, feeEnabled = true;
    QString days;
    int opened = 0;
};

void watch(TestEnv& env, Seen& seen) {
    env.modal.on<InputForm>([&seen](InputForm& f) {
        ++seen.opened;
        seen.caption = f.windowTitle();
        seen.cob2 = f.Cob2->currentText();
        seen.cob3 = f.Cob3->currentText();
        seen.cob2Items = items(f.Cob2);
        seen.cob3Items = items(f.Cob3);
        seen.cob4Items = items(f.Cob4);
        seen.cob5Items = items(f.Cob5);
        seen.amount = f.Text2->text();
        seen.detail = f.Combo3->currentText();
        seen.note = f.Text1->toPlainText();
        seen.invoice = f.Text6->text();
        seen.rate = f.Text3->text();
        seen.detailCount = f.Label13->text();
        seen.noteCount = f.Label14->text();
        seen.status = f.StatusText();
        seen.cmd1 = f.Cmd1->text();
        seen.cmd2 = f.Cmd2->text();
        seen.date = f.DTPicker1->date();
        seen.colour = f.ColorCombo->currentIndex();
        seen.inputState = f.InputState;
        seen.na = f.na;
        seen.sameDay = f.Option2->isChecked();
        seen.daysBefore = f.Option3->isChecked();
        seen.days = f.Text4->text();
        seen.installments = !f.Command8->isHidden();
        seen.feeEnabled = f.Check2->isEnabled();
        return int(QDialog::Rejected);
    });
}

} // namespace

class TestRecords : public QObject {
    Q_OBJECT
private slots:
    void newEntryPreselectsByTreeNode_data();
    void newEntryPreselectsByTreeNode();
    void capacityStopsBothNewCommands_data();
    void capacityStopsBothNewCommands();
    void newFromSelectedCopiesTheEntry();
    void newFromSelectedAppliesEveryClearOption();
    void newFromSelectedWithoutOneRowIsThePlainNew();
    void editPreparesTheEditWindow();
    void editOfEmptyListOrNoSelection();
    void preparedWindowsStoreWhatTheyShow();
};

void TestRecords::newEntryPreselectsByTreeNode_data() {
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("asset") << "A-現金"
                           << "E-餐飲費"
                           << "A-現金";
    QTest::newRow("liability") << "L-信用卡"
                               << "E-餐飲費"
                               << "L-信用卡";
    QTest::newRow("expense") << "E-交通費"
                             << "E-交通費"
                             << "A-現金";
    QTest::newRow("income") << "I-薪資"
                            << "I-薪資"
                            << "A-現金";
    QTest::newRow("equity") << "Equity"
                            << ""
                            << "Equity";
    QTest::newRow("root") << "資產"
                          << ""
                          << "";
}

void TestRecords::newEntryPreselectsByTreeNode() {
    QFETCH(QString, node);
    QFETCH(QString, first);
    QFETCH(QString, second);
    CommandsFixture f;
    f.accounts();
    MainForm& w = f.open(QString());
    w.SelectNode(w.NodeByKey(node));
    Seen seen;
    watch(f.env, seen);

    w.Data_New->trigger();

    QCOMPARE(seen.opened, 1);
    QCOMPARE(seen.cob2, first);
    QCOMPARE(seen.cob3, second);
    QCOMPARE(seen.caption, QStringLiteral("新增記錄"));
    QCOMPARE(seen.date, f.env.clock.today());
    QCOMPARE(seen.amount, QStringLiteral("0"));
    QCOMPARE(seen.rate, QStringLiteral("1"));
    QCOMPARE(seen.status, QStringLiteral("尚未新增記錄"));
    QCOMPARE(seen.inputState, 0);
    QCOMPARE(seen.na, 0);
    QCOMPARE(seen.colour, 0);
    const QStringList notEquity = {"A-現金", "A-銀行",   "L-信用卡",
                                   "I-薪資", "E-餐飲費", "E-交通費"};
    QCOMPARE(seen.cob2Items, notEquity);
    QCOMPARE(seen.cob4Items, notEquity); // the plain new entry offers every non-equity fee account
    QCOMPARE(seen.cob3Items, QStringList({"Equity", "A-現金", "A-銀行", "L-信用卡"}));
    QCOMPARE(seen.cob5Items, QStringList({"A-現金", "A-銀行", "L-信用卡"}));
}

void TestRecords::capacityStopsBothNewCommands_data() {
    QTest::addColumn<bool>("fromSelected");
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("message");
    const QString plain =
        QStringLiteral("記錄筆數已經到達30000筆上限，建議使用結帳功能來清除舊資料");
    const QString context =
        QStringLiteral("記錄筆數已經到達30000筆上限，請使用結帳功能清除舊資料!");
    QTest::newRow("new, room for one") << false << 29999 << QString();
    QTest::newRow("new, full") << false << 30000 << plain;
    QTest::newRow("from selected, room for one") << true << 29999 << QString();
    QTest::newRow("from selected, full") << true << 30000 << context;
}

void TestRecords::capacityStopsBothNewCommands() {
    QFETCH(bool, fromSelected);
    QFETCH(int, entries);
    QFETCH(QString, message);
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 12000, "午餐");
    MainForm& w = f.open("E-餐飲費");
    f.selectRows({0});
    f.env.ctx.ledger.EntryCount = entries + 1; // the slots beyond the first entry stay empty
    Seen seen;
    watch(f.env, seen);

    if (fromSelected)
        w.MenuTools_New->trigger();
    else
        w.Data_New->trigger();

    QCOMPARE(seen.opened, message.isEmpty() ? 1 : 0);
    QCOMPARE(f.env.prompts.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(f.env.prompts.shown.first().kind, fromSelected ? "warning" : "information");
    QCOMPARE(f.env.ctx.ledger.EntryCount, entries + 1);
}

void TestRecords::newFromSelectedCopiesTheEntry() {
    CommandsFixture f;
    f.accounts();
    const QString longNote = QString(60, QChar(u'備')); // 120 bytes: kept whole in the note row
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", -2550, "  午餐")
        .note(longNote)
        .invoice("AB", "12345678")
        .colour(9)
        .remind(3);
    f.b.entry("2024/01/03", "E-交通費", "L-信用卡", 150000, "車票").note("短").remind(0);
    MainForm& w = f.open("A-現金");
    f.selectRows({0});
    Seen seen;
    watch(f.env, seen);

    w.MenuTools_New->trigger();

    QCOMPARE(seen.opened, 1);
    QCOMPARE(seen.caption, QStringLiteral("新增記錄"));
    QCOMPARE(seen.cob2, QStringLiteral("E-餐飲費"));
    QCOMPARE(seen.cob3, QStringLiteral("A-現金"));
    QCOMPARE(seen.cob4Items, QStringList({"E-餐飲費", "E-交通費"})); // expense accounts only
    QCOMPARE(seen.date, QDate(2024, 1, 2));
    QCOMPARE(seen.amount, QStringLiteral("-25.5"));
    QCOMPARE(seen.detail, QStringLiteral("午餐")); // leading blanks removed too
    QCOMPARE(seen.note, longNote);
    QCOMPARE(seen.invoice, QStringLiteral("AB12345678"));
    QCOMPARE(seen.colour, 9);
    QCOMPARE(seen.daysBefore, true);
    QCOMPARE(seen.days, QStringLiteral("3"));
    QCOMPARE(seen.detailCount, QStringLiteral("明細字數: 4"));
    QCOMPARE(seen.noteCount, QStringLiteral("備註字數: 120"));
    QCOMPARE(seen.status, QStringLiteral("尚未新增記錄"));
    QCOMPARE(seen.inputState, 0);

    // The second entry: same-day reminder, a whole amount, no invoice.
    f.select("E-交通費");
    f.selectRows({0});
    w.MenuTools_New->trigger();
    QCOMPARE(seen.amount, QStringLiteral("1500"));
    QCOMPARE(seen.invoice, QString());
    QCOMPARE(seen.sameDay, true);
    QCOMPARE(seen.cob3, QStringLiteral("L-信用卡"));
}

void TestRecords::newFromSelectedAppliesEveryClearOption() {
    CommandsFixture f;
    f.accounts();
    f.b.entry("2023/12/30", "E-餐飲費", "A-現金", 12000, "午餐")
        .note("便當")
        .invoice("AB", "12345678")
        .colour(4)
        .remind(2);
    MainForm& w = f.open("E-餐飲費");
    for (QAction* item : w.newClearItems())
        item->trigger(); // a click turns the mark over
    f.selectRows({0});
    Seen seen;
    watch(f.env, seen);

    w.MenuTools_New->trigger();

    QCOMPARE(seen.date, f.env.clock.today());
    QCOMPARE(seen.amount, QString());
    QCOMPARE(seen.detail, QString());
    QCOMPARE(seen.note, QString());
    QCOMPARE(seen.invoice, QString());
    QCOMPARE(seen.colour, 0);
    QCOMPARE(seen.cob2, QStringLiteral("E-餐飲費"));
    QCOMPARE(seen.cob3, QStringLiteral("A-現金"));
    QCOMPARE(seen.daysBefore, true);
    QCOMPARE(seen.days, QStringLiteral("2"));
    QCOMPARE(seen.detailCount, QStringLiteral("明細字數: 0"));
    QCOMPARE(seen.noteCount, QStringLiteral("備註字數: 0"));
}

void TestRecords::newFromSelectedWithoutOneRowIsThePlainNew() {
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "E-餐飲費", "A-銀行", 12000, "午餐");
    f.b.entry("2024/01/03", "E-交通費", "A-銀行", 3000, "車票");
    MainForm& w = f.open("A-銀行");
    Seen seen;
    watch(f.env, seen);
    for (const QList<int>& rows : {QList<int>{0, 1}, QList<int>{}}) {
        f.selectRows(rows);
        w.MenuTools_New->trigger();
        QCOMPARE(seen.amount, QStringLiteral("0"));
        QCOMPARE(seen.cob2, QStringLiteral("E-餐飲費")); // preselection by the tree node
        QCOMPARE(seen.cob3, QStringLiteral("A-銀行"));
        QCOMPARE(seen.date, f.env.clock.today());
    }
    QCOMPARE(seen.opened, 2);
}

void TestRecords::editPreparesTheEditWindow() {
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 12345, "  午餐  ").note("便當").remind(0);
    f.b.entry("2024/01/05", "E-已刪除", "A-現金", 100, "舊");
    MainForm& w = f.open("A-現金");
    f.selectRows({0});
    Seen seen;
    watch(f.env, seen);

    QTest::keyClick(w.Liv1, Qt::Key_Return);

    QCOMPARE(seen.opened, 1);
    QCOMPARE(w.SelEdit, short(1));
    QCOMPARE(seen.caption, QStringLiteral("編輯記錄"));
    QCOMPARE(seen.inputState, 1);
    QCOMPARE(seen.cmd1, QStringLiteral("變更"));
    QCOMPARE(seen.cmd2, QStringLiteral("取消"));
    QCOMPARE(seen.installments, false);
    QCOMPARE(seen.feeEnabled, false);
    QCOMPARE(seen.cob4Items, QStringList());
    QCOMPARE(seen.cob5Items, QStringList());
    QCOMPARE(seen.amount, QStringLiteral("123.45"));
    QCOMPARE(seen.detail, QStringLiteral("  午餐")); // leading blanks kept when editing
    QCOMPARE(seen.detailCount, QStringLiteral("明細字數: 6"));
    QCOMPARE(seen.note, QStringLiteral("便當"));
    QCOMPARE(seen.sameDay, true);
    QCOMPARE(seen.date, QDate(2024, 1, 2));

    // An entry whose first account is gone opens with no first account; a double-click on
    // its row is the same command.
    w.show();
    const QPoint centre = f.row(1).rect().center();
    QTest::mouseClick(w.Liv1->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(w.Liv1->viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(seen.opened, 2);
    QCOMPARE(w.SelEdit, short(2));
    QCOMPARE(seen.cob2, QString());
    QCOMPARE(seen.cob3, QStringLiteral("A-現金"));

    f.selectRows({0});
    w.MenuTools_Edit->trigger(); // one selected row: the single edit
    QCOMPARE(seen.opened, 3);
    QCOMPARE(w.SelEdit, short(1));
}

void TestRecords::editOfEmptyListOrNoSelection() {
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 12000, "午餐");
    MainForm& w = f.open("A-銀行"); // nothing listed
    Seen seen;
    watch(f.env, seen);
    QCOMPARE(f.rowCount(), 0);
    w.Liv1_DblClick();
    w.MenuTools_Edit->trigger();
    f.select("A-現金");
    f.selectRows({});
    w.MenuTools_Edit->trigger();
    QCOMPARE(seen.opened, 0);
    QVERIFY(f.env.prompts.shown.isEmpty());
}

void TestRecords::preparedWindowsStoreWhatTheyShow() {
    // The prepared fields are what the entry window stores: an edit that only changes the
    // amount keeps everything else, and an add from the selected entry appends a twin.
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 12000, "午餐")
        .note("便當")
        .invoice("AB", "12345678")
        .colour(3);
    Ledger& l = f.env.ctx.ledger;
    MainForm& w = f.open("A-現金");
    f.selectRows({0});
    f.env.modal.on<InputForm>([](InputForm& form) {
        form.Text2->setText("150");
        form.Cmd1->click();
        return form.result();
    });

    w.Liv1_DblClick();

    QCOMPARE(l.EntryCount, 2);
    QCOMPARE(l.Entries[1].Amount.value(), 15000.0);
    QCOMPARE(l.Entries[1].Detail.trimmed(), QStringLiteral("午餐"));
    QCOMPARE(l.Entries[1].Account1.trimmed(), QStringLiteral("E-餐飲費"));
    QCOMPARE(l.EntryNotes[1].Note.trimmed(), QStringLiteral("便當"));
    QCOMPARE(l.EntryStyles[1].InvoiceLetters.trimmed() + l.EntryInvoices[1].InvoiceDigits.trimmed(),
             QStringLiteral("AB12345678"));
    QCOMPARE(l.EntryStyles[1].ColourIndex, quint8(3));
    QVERIFY(w.LedgerChanged());

    f.env.modal.on<InputForm>([](InputForm& form) {
        form.Cmd1->click();
        form.Cmd2->click();
        return form.result();
    });
    f.selectRows({0});
    w.MenuTools_New->trigger();
    QCOMPARE(l.EntryCount, 3);
    QCOMPARE(l.Entries[2].Date.trimmed(), QStringLiteral("2024/01/02"));
    QCOMPARE(l.Entries[2].Amount.value(), 15000.0);
    QCOMPARE(l.Entries[2].Account2.trimmed(), QStringLiteral("A-現金"));
}

QTEST_MAIN(TestRecords)
#include "tst_records.moc"
