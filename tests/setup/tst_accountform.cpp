// The account editor driven offscreen with scripted boxes: the split of a selected name into
// the fields, the keys, each command's boxes and what it leaves in the tables, and the main
// window's menu command that opens it.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>

#include "mainwin/mainform_fixture.h"
#include "setup/accountform.h"
#include "setup/accountnoteform.h"
#include "support/accountsfixture.h"

namespace {

QStringList listed(const AccountForm& w) {
    QStringList names;
    for (int r = 0; r < w.List1->count(); ++r)
        names << w.List1->item(r)->text();
    return names;
}

void select(AccountForm& w, const QString& name) {
    const auto found = w.List1->findItems(name, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(name));
    w.List1->setCurrentItem(found.first()); // as a click: List1_Click runs
}

// A real click on the account's row of the list, as the user makes it.
void click(AccountForm& w, const QString& name, Qt::KeyboardModifiers modifiers = {}) {
    const auto found = w.List1->findItems(name, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(name));
    w.List1->scrollToItem(found.first());
    QTest::mouseClick(w.List1->viewport(), Qt::LeftButton, modifiers,
                      w.List1->visualItemRect(found.first()).center());
}

// Characters typed one key at a time, as a keyboard (or an input method) gives them.
void type(QWidget* box, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// The name box emptied the way a user does it: select all, delete.
void clearName(AccountForm& w) {
    QTest::keyClick(w.Cob1->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w.Cob1->lineEdit(), Qt::Key_Delete);
}

QStringList comboItems(const QComboBox* c) {
    QStringList items;
    for (int i = 0; i < c->count(); ++i)
        items << c->itemText(i);
    return items;
}

struct Editor {
    TestEnv env;
    std::unique_ptr<AccountForm> w;
    Editor() {
        AccountsFixture::build(env.ctx.ledger);
        w = std::make_unique<AccountForm>(env.ctx);
        w->show();
    }
    AccountForm* operator->() { return w.get(); }
};

} // namespace

class TestAccountForm : public QObject {
    Q_OBJECT
private slots:
    void opening() {
        Editor e;
        QCOMPARE(e->windowTitle(), QString("科目設定"));
        QCOMPARE(listed(*e.w).size(), 11);
        QCOMPARE(e->StatusText(), QString("共有 11 個科目"));
        QVERIFY(e->Option1->isChecked());
        QCOMPARE(comboItems(e->Combo1), QStringList({"<無>", "A-現金", "A-銀行"}));
        QCOMPARE(comboItems(e->Cob1), QStringList({"銀行存款"}));
        QCOMPARE(e->Cob1->currentText(), QString());
        QCOMPARE(e->List1->currentRow(), -1);
        QVERIFY(e->Cmd0->isDefault());
    }

    void selectionFillsFields_data() {
        QTest::addColumn<QString>("account");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("own");
        QTest::addColumn<bool>("editable");
        QTest::newRow("parent present") << "E-交通費.火車.自強號" << 4 << "E-交通費.火車"
                                        << "自強號" << true;
        QTest::newRow("parent missing") << "E-餐飲.公車" << 4 << "<無>"
                                        << "餐飲.公車" << true;
        QTest::newRow("cash") << "A-現金" << 1 << "<無>"
                              << "現金" << false;
        QTest::newRow("equity") << "Equity" << 0 << "<無>"
                                << "Equity" << false;
        QTest::newRow("liability") << "L-信用卡" << 2 << "<無>"
                                   << "信用卡" << true;
    }
    void selectionFillsFields() {
        QFETCH(QString, account);
        QFETCH(int, kind);
        QFETCH(QString, parent);
        QFETCH(QString, own);
        QFETCH(bool, editable);
        Editor e;
        LedgerBuilder(e.env.ctx.ledger).account("E-餐飲.公車");
        e.w = std::make_unique<AccountForm>(e.env.ctx);
        select(*e.w, "A-現金"); // the buttons come back for the next account
        select(*e.w, account);
        QCOMPARE(e->SelectedKind(), kind);
        QCOMPARE(e->Combo1->currentText(), parent);
        QCOMPARE(e->Cob1->currentText(), own);
        QCOMPARE(e->Cmd1->isEnabled(), editable);
        QCOMPARE(e->Cmd2->isEnabled(), editable);
        if (kind == 0) QCOMPARE(e->Combo1->count(), 1);
        if (kind == 4) QVERIFY(!comboItems(e->Combo1).contains("Equity"));
        QVERIFY(e.env.prompts.shown.isEmpty());
    }

    void optionKeepsTypedName() {
        Editor e;
        e->Cob1->setEditText("自訂");
        e->Option4->click();
        QCOMPARE(e->Cob1->currentText(), QString("自訂"));
        QCOMPARE(comboItems(e->Cob1).first(), QString("餐飲費"));
        QCOMPARE(e->Combo1->count(), 7); // "<無>" and the six E- accounts
    }

    void enterAddsWithOpeningBalance() {
        Editor e;
        e->Option2->click();
        e->Cob1->setEditText("房貸");
        e.env.prompts.answerText(QString("8"));
        QTest::keyClick(e->Cob1->lineEdit(), Qt::Key_Return);
        QCOMPARE(e.env.prompts.shown.size(), 1);
        QCOMPARE(e.env.prompts.shown[0].kind, QString("input"));
        QCOMPARE(e.env.prompts.shown[0].text, QString("請設定 L-房貸 科目的初始金額。"));
        QCOMPARE(e.env.prompts.shown[0].defaultText, QString("0"));
        const Ledger& l = e.env.ctx.ledger;
        QCOMPARE(l.Entries[size_t(l.EntryCount - 1)].Amount.value(), 800.0);
        QCOMPARE(l.Entries[size_t(l.EntryCount - 1)].Date.trimmed(), QString("2024/01/15"));
        QCOMPARE(e->List1->currentItem()->text(), QString("L-房貸"));
        QCOMPARE(e->StatusText(), QString("共有 12 個科目"));
        QCOMPARE(e->Cob1->count(), 3); // Enter put no item into the name box
        QVERIFY(l.LedgerChangedFlag.isSet());
    }

    void openingAnswers_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<double>("hundredths");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("word") << "abc" << 0.0;
        QTest::newRow("negative") << "-5" << 0.0;
        QTest::newRow("three decimals cut") << "12.345" << 1234.0;
        QTest::newRow("grouped") << "1,000" << 100000.0;
        QTest::newRow("not finite") << "1e400" << 0.0;
        QTest::newRow("beyond the range") << "1e14" << 0.0;
    }
    void openingAnswers() {
        QFETCH(QString, answer);
        QFETCH(double, hundredths);
        QCOMPARE(AccountForm::OpeningHundredths(answer), hundredths);
        QCOMPARE(AccountForm::OpeningHundredths(std::nullopt), 0.0);
    }

    void addRefusalKeepsTypedText() {
        Editor e;
        e->Cob1->setEditText("現金 ");
        e->Cmd0->click();
        QCOMPARE(e.env.prompts.texts("warning"), QStringList({"已有相同名稱的科目!"}));
        QCOMPARE(e->Cob1->currentText(), QString("現金 "));
        QCOMPARE(e->List1->count(), 11);
    }

    void escRenamesAndStaysOpen() {
        Editor e;
        select(*e.w, "E-交通費");
        e->Cob1->setEditText("交通");
        QTest::keyClick(e->Cob1->lineEdit(), Qt::Key_Escape); // typed in the name box
        QVERIFY(e->isVisible());
        QCOMPARE(listed(*e.w).mid(4, 4),
                 QStringList({"E-交通", "E-交通.公車", "E-交通.火車", "E-交通.火車.自強號"}));
        QCOMPARE(e->List1->currentItem()->text(), QString("E-交通"));
        QCOMPARE(e->Cob1->currentText(), QString("交通"));
        QCOMPARE(e.env.ctx.ledger.Entries[4].Account2.trimmed(), QString("E-交通"));
        // Esc on a fixed account does nothing.
        select(*e.w, "A-現金");
        e->Cob1->setEditText("錢");
        QTest::keyClick(e.w.get(), Qt::Key_Escape);
        QVERIFY(e->isVisible());
        QCOMPARE(e->List1->item(0)->text(), QString("A-現金"));
    }

    // With the mouse, the fields, 編輯 and 刪除 follow the account clicked; no command acts on
    // another account than the one shown.
    void mouseChoiceIsTheAccountShown() {
        Editor e;
        QVERIFY(QTest::qWaitForWindowExposed(e.w.get()));
        click(*e.w, "Equity");
        QCOMPARE(e->Cob1->currentText(), QString("Equity"));
        QVERIFY(!e->Cmd1->isEnabled() && !e->Cmd2->isEnabled());
        click(*e.w, "A-銀行");
        QCOMPARE(e->Cob1->currentText(), QString("銀行"));
        QVERIFY(e->Cmd1->isEnabled() && e->Cmd2->isEnabled());
        click(*e.w, "A-現金");
        QVERIFY(!e->Cmd1->isEnabled() && !e->Cmd2->isEnabled());

        // Chosen by keys, then by the mouse: the rename is the clicked account's.
        click(*e.w, "E-交通費.火車.自強號");
        QTest::keyClick(e->List1, Qt::Key_Down);
        QTest::keyClick(e->List1, Qt::Key_Down);
        QCOMPARE(e->Cob1->currentText(), QString("餐飲費"));
        click(*e.w, "E-交通費");
        QCOMPARE(e->Combo1->currentText(), QString("<無>"));
        clearName(*e.w);
        type(e->Cob1->lineEdit(), "交通");
        QTest::mouseClick(e->Cmd1, Qt::LeftButton);
        QCOMPARE(listed(*e.w).mid(4, 6),
                 QStringList({"E-交通", "E-交通.公車", "E-交通.火車", "E-交通.火車.自強號",
                              "E-交通費用", "E-餐飲費"}));
        QCOMPARE(e.env.prompts.texts(), QStringList());

        // Ctrl+click takes the selection away: both commands are back and ask for one.
        click(*e.w, "E-交通", Qt::ControlModifier);
        QVERIFY(e->List1->selectedItems().isEmpty());
        QVERIFY(e->Cmd1->isEnabled() && e->Cmd2->isEnabled());
        const QStringList before = AccountsFixture::picture(e.env.ctx.ledger);
        QTest::mouseClick(e->Cmd2, Qt::LeftButton);
        QCOMPARE(e.env.prompts.texts(), QStringList({"請先選擇一個科目!"}));
        QCOMPARE(AccountsFixture::picture(e.env.ctx.ledger), before);
    }

    // The name is what was typed: the suggested names are offered, never filled in.
    void typedNameIsNotCompleted_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("added");
        QTest::newRow("獎 under 收入") << 3 << "獎"
                                       << "I-獎";
        QTest::newRow("書 under 支出") << 4 << "書"
                                       << "E-書";
        QTest::newRow("交通 under 支出") << 4 << "交通"
                                         << "E-交通";
    }
    void typedNameIsNotCompleted() {
        QFETCH(int, kind);
        QFETCH(QString, typed);
        QFETCH(QString, added);
        Editor e;
        QVERIFY(QTest::qWaitForWindowExposed(e.w.get()));
        QTest::mouseClick(kind == 3 ? e->Option3 : e->Option4, Qt::LeftButton);
        QVERIFY(e->Cob1->findText(kind == 3 ? "獎金" : "書籍費") >= 0); // still offered
        e->Cob1->lineEdit()->setFocus();
        type(e->Cob1->lineEdit(), typed);
        QCOMPARE(e->Cob1->currentText(), typed);
        QTest::mouseClick(e->Cmd0, Qt::LeftButton);
        QCOMPARE(e.env.prompts.texts(), QStringList());
        QCOMPARE(listed(*e.w).last(), added);
    }

    void commandsNeedASelection() {
        Editor e;
        for (QPushButton* b :
             {e->Cmd1, e->Cmd2, e->Command3, e->Command4, e->Command5, e->Command6})
            b->click();
        QCOMPARE(e.env.prompts.texts("information"), QStringList(6, "請先選擇一個科目!"));
        QVERIFY(!e.env.ctx.ledger.LedgerChangedFlag.isSet());
    }

    void deleteAsksWhenUsed_data() {
        QTest::addColumn<QString>("account");
        QTest::addColumn<int>("answer"); // -1: no question
        QTest::addColumn<int>("entriesLeft");
        QTest::newRow("yes") << "E-交通費" << int(Prompts::Answer::Yes) << 3;
        QTest::newRow("no") << "E-交通費" << int(Prompts::Answer::No) << 6;
        QTest::newRow("unused") << "E-交通費.公車" << -1 << 6;
    }
    void deleteAsksWhenUsed() {
        QFETCH(QString, account);
        QFETCH(int, answer);
        QFETCH(int, entriesLeft);
        Editor e;
        const QStringList before = AccountsFixture::picture(e.env.ctx.ledger);
        select(*e.w, account);
        if (answer >= 0) e.env.prompts.answer(Prompts::Answer(answer));
        e->Cmd2->click();
        const bool removed = answer != int(Prompts::Answer::No);
        QStringList expected;
        if (answer >= 0)
            expected
                << "這個科目已經有建立資料，確定要刪除嗎？若確定會把這個科目的相關資料全部刪除!";
        if (answer == int(Prompts::Answer::Yes)) expected << "科目刪除完成";
        QCOMPARE(e.env.prompts.texts(), expected);
        QCOMPARE(e.env.ctx.ledger.EntryCount - 1, entriesLeft);
        QCOMPARE(e->List1->count(), removed ? 10 : 11);
        QCOMPARE(e->StatusText(), QString("共有 %1 個科目").arg(e->List1->count()));
        QCOMPARE(e->List1->currentRow(), removed ? -1 : e->List1->currentRow());
        if (!removed) QCOMPARE(AccountsFixture::picture(e.env.ctx.ledger), before);
    }

    void orderingCommands() {
        Editor e;
        select(*e.w, "L-信用卡");
        e->Command3->click(); // 上移: across the kind border, stays selected
        QCOMPARE(listed(*e.w).mid(0, 3), QStringList({"A-現金", "L-信用卡", "A-銀行"}));
        QCOMPARE(e->List1->currentItem()->text(), QString("L-信用卡"));
        QCOMPARE(e->SelectedKind(), 2);
        e->Command2->click(); // 排序: grouped and ordered, nothing selected
        QCOMPARE(listed(*e.w).mid(0, 3), QStringList({"A-現金", "A-銀行", "L-信用卡"}));
        QCOMPARE(e->List1->currentRow(), -1);
        select(*e.w, "E-餐飲費");
        e->Command5->click();
        QCOMPARE(listed(*e.w).at(4), QString("E-餐飲費"));
        QCOMPARE(e->List1->currentRow(), -1);
        select(*e.w, "Equity");
        e->Command4->click(); // already last: nothing moves
        QCOMPARE(listed(*e.w).last(), QString("Equity"));
        QCOMPARE(e->List1->currentItem()->text(), QString("Equity"));
        QVERIFY(e.env.prompts.shown.isEmpty());
    }

    void exportPutsNamesOnClipboard() {
        TestEnv env;
        LedgerBuilder(env.ctx.ledger).account("A-現金").account("E-餐飲費").account("Equity");
        AccountForm w(env.ctx);
        QString caption;
        env.modal.on<AccountNoteForm>([&](AccountNoteForm& d) {
            caption = d.windowTitle();
            d.Command1->click();
            return d.result();
        });
        w.Command1->click();
        QCOMPARE(caption, QString("匯出明細"));
        QCOMPARE(env.shell.clipboardText(), QString("A-現金\r\nE-餐飲費\r\nEquity"));
        QVERIFY(!env.ctx.ledger.LedgerChangedFlag.isSet());
    }

    void mainWindowOpensItAndRebuildsTree() {
        MainFormFixture f;
        f.b.defaultAccounts();
        MainForm& main = f.open();
        QVERIFY(main.Set_Acc->isEnabled());
        f.env.modal.on<AccountForm>([&](AccountForm& w) {
            w.Option4->click();
            w.Cob1->setEditText("書籍費");
            w.Cmd0->click();
            return int(QDialog::Rejected);
        });
        main.ToolbarButton(9)->trigger();
        QCOMPARE(f.env.modal.shown, QStringList({"AccountForm"}));
        QVERIFY(main.NodeByKey("E-書籍費"));
    }
};

QTEST_MAIN(TestAccountForm)
#include "tst_accountform.moc"
