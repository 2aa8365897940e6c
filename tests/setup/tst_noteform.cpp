// The detail-text editor and its copy/move window, driven as the user would, with export
// and import through the text dialog and the opening from the main window.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "mainwin/mainform_fixture.h"
#include "platform/codec.h"
#include "rules/setup/detailtextlist.h"
#include "setup/accountnoteform.h"
#include "setup/noteeditform.h"
#include "setup/noteform.h"
#include "store/ledgerfiles.h"
#include "store/saveledger.h"
#include "store/sidefiles.h"
#include "support/testfiles.h"

namespace {
QString item(const QString& account, const QString& text) {
    return account + QChar(0x0001) + text;
}

// Three accounts besides "Equity", their texts interleaved in the table.
struct Editor {
    TestEnv env;
    LedgerBuilder b{env.ctx.ledger};
    std::unique_ptr<NoteForm> form;

    Editor() {
        env.makeLedger("Amy", "Home");
        b.account("A-現金").account("E-餐飲費").account("Equity").account("E-交通費");
        b.detailText("未分類", "早餐")
            .detailText("E-餐飲費", "午餐")
            .detailText("未分類", "午餐")
            .detailText("A-現金", "提款")
            .detailText("E-餐飲費", "晚餐")
            .detailText("E-餐飲費", "宵夜");
    }
    // Pads the table with texts of "E-交通費" up to n texts.
    void fill(int n) {
        for (int i = env.ctx.ledger.DetailTextCount - 1; i < n; ++i)
            b.detailText("E-交通費", QString::number(i));
    }
    NoteForm& open() {
        form = std::make_unique<NoteForm>(env.ctx);
        form->show();
        return *form;
    }
    void select(const QString& account, int row = -1) {
        const auto found = form->List3->findItems(account, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        form->List3->setCurrentItem(found.first());
        if (row >= 0) form->List1->setCurrentRow(row);
    }
    // NoteEditForm picks `target` and presses 確定, then 取消 when it is still open.
    void pickTarget(const QString& target) {
        env.modal.on<NoteEditForm>([target](NoteEditForm& f) {
            f.Combo1->setCurrentIndex(f.Combo1->findText(target));
            f.Command1->click();
            if (f.isVisible()) f.Command2->click();
            return f.result();
        });
    }
    QStringList table() const {
        const Ledger& l = env.ctx.ledger;
        return QStringList(l.DetailTexts.begin() + 1, l.DetailTexts.begin() + l.DetailTextCount);
    }
};

const QStringList Table = {item("未分類", "早餐"),   item("E-餐飲費", "午餐"),
                           item("未分類", "午餐"),   item("A-現金", "提款"),
                           item("E-餐飲費", "晚餐"), item("E-餐飲費", "宵夜")};

QStringList with(std::function<void(QStringList&)> change) {
    QStringList t = Table;
    change(t);
    return t;
}
} // namespace

class TestNoteForm : public QObject {
    Q_OBJECT
private slots:
    void opening() {
        Editor e;
        NoteForm& f = e.open();
        QCOMPARE(f.windowTitle(), QString("編輯明細資料"));
        QCOMPARE(f.List2, Table);
        QStringList accounts;
        for (int i = 0; i < f.List3->count(); ++i)
            accounts << f.List3->item(i)->text();
        QCOMPARE(accounts, (QStringList{"未分類", "A-現金", "E-餐飲費", "E-交通費"}));
        QCOMPARE(f.SelectedAccount(), QString("未分類"));
        QCOMPARE(f.ListedTexts(), (QStringList{"早餐", "午餐"}));
        QCOMPARE(f.PanelText(1), QString("2 / 6"));
        QCOMPARE(f.PanelText(2), QString("※未分類的屬於共用明細"));
        e.select("E-餐飲費");
        QCOMPARE(f.ListedTexts(), (QStringList{"午餐", "晚餐", "宵夜"}));
        QCOMPARE(f.PanelText(1), QString("3 / 6"));
        QStringList buttons;
        for (QPushButton* b : {f.Command2, f.Command3, f.Command7, f.Command8, f.Command4,
                               f.Command5, f.Command6, f.Command9, f.Command1})
            buttons << b->objectName() + "=" + b->text();
        QCOMPARE(buttons, (QStringList{"Command2=新增", "Command3=編輯", "Command7=移動",
                                       "Command8=複製", "Command4=刪除", "Command5=上移",
                                       "Command6=下移", "Command9=匯入", "Command1=匯出"}));
        f.grab().save("/tmp/texts/noteform.png");
    }

    void emptyTableClosesToCountOne() {
        TestEnv env;
        env.ctx.ledger.DetailTextCount = 1;
        LedgerBuilder(env.ctx.ledger).account("A-現金").account("Equity");
        NoteForm f(env.ctx);
        f.show();
        QCOMPARE(f.List3->count(), 2);
        QCOMPARE(f.List1->count(), 0);
        QCOMPARE(f.PanelText(1), QString("0 / 0"));
        f.close();
        QCOMPARE(env.ctx.ledger.DetailTextCount, 1);
        QVERIFY(!env.ctx.ledger.DetailTextsChanged);
        QVERIFY(!env.ctx.ledger.LedgerChangedFlag.isSet());
    }

    // Each command on the same small table: what the lists, the status and the boxes show,
    // and what the table holds once the window has closed.
    void commands_data() {
        QTest::addColumn<QString>("account");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("answer"); // input box answer or target account
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<int>("selectedRow");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("table");

        const QStringList none;
        QTest::newRow("add appends and selects it")
            << "A-現金" << -1 << "Command2"
            << "存款" << QStringList{"請輸入您要新增的明細內容"} << QStringList{"提款", "存款"} << 1
            << "2 / 7" << with([](QStringList& t) { t << item("A-現金", "存款"); });
        QTest::newRow("add of an existing text")
            << "E-餐飲費" << -1 << "Command2"
            << "晚餐" << QStringList{"請輸入您要新增的明細內容", "這筆明細已經存在，無法新增!"}
            << QStringList{"午餐", "晚餐", "宵夜"} << -1 << "3 / 6" << Table;
        QTest::newRow("add of another account's text")
            << "A-現金" << -1 << "Command2"
            << "早餐" << QStringList{"請輸入您要新增的明細內容"} << QStringList{"提款", "早餐"} << 1
            << "2 / 7" << with([](QStringList& t) { t << item("A-現金", "早餐"); });
        QTest::newRow("add cancelled") << "A-現金" << -1 << "Command2"
                                       << "" << QStringList{"請輸入您要新增的明細內容"}
                                       << QStringList{"提款"} << -1 << "1 / 6" << Table;
        QTest::newRow("edit onto an existing text leaves two")
            << "E-餐飲費" << 1 << "Command3"
            << "午餐" << QStringList{"要改成什麼名稱?"} << QStringList{"午餐", "午餐", "宵夜"} << 1
            << "3 / 6" << with([](QStringList& t) { t[4] = item("E-餐飲費", "午餐"); });
        QTest::newRow("Enter edits")
            << "未分類" << 0 << "Enter"
            << "早點" << QStringList{"要改成什麼名稱?"} << QStringList{"早點", "午餐"} << 0
            << "2 / 6" << with([](QStringList& t) { t[0] = item("未分類", "早點"); });
        QTest::newRow("double-click edits")
            << "未分類" << 1 << "DoubleClick"
            << "中餐" << QStringList{"要改成什麼名稱?"} << QStringList{"早餐", "中餐"} << 1
            << "2 / 6" << with([](QStringList& t) { t[2] = item("未分類", "中餐"); });
        QTest::newRow("edit without a selection")
            << "未分類" << -1 << "Command3"
            << "" << none << QStringList{"早餐", "午餐"} << -1 << "2 / 6" << Table;
        QTest::newRow("delete") << "E-餐飲費" << 1 << "Command4"
                                << "" << none << QStringList{"午餐", "宵夜"} << -1 << "2 / 5"
                                << with([](QStringList& t) { t.removeAt(4); });
        QTest::newRow("Delete key deletes the only text")
            << "A-現金" << 0 << "Delete"
            << "" << none << QStringList{} << -1 << "0 / 5"
            << with([](QStringList& t) { t.removeAt(3); });
        QTest::newRow("up across texts of other accounts")
            << "E-餐飲費" << 1 << "Command5"
            << "" << none << QStringList{"晚餐", "午餐", "宵夜"} << 0 << "3 / 6"
            << with([](QStringList& t) { t.swapItemsAt(1, 4); });
        QTest::newRow("up from the top does nothing")
            << "E-餐飲費" << 0 << "Command5"
            << "" << none << QStringList{"午餐", "晚餐", "宵夜"} << 0 << "3 / 6" << Table;
        QTest::newRow("down") << "E-餐飲費" << 1 << "Command6"
                              << "" << none << QStringList{"午餐", "宵夜", "晚餐"} << 2 << "3 / 6"
                              << with([](QStringList& t) { t.swapItemsAt(4, 5); });
        QTest::newRow("down from the bottom does nothing")
            << "E-餐飲費" << 2 << "Command6"
            << "" << none << QStringList{"午餐", "晚餐", "宵夜"} << 2 << "3 / 6" << Table;
        QTest::newRow("move keeps the table position")
            << "未分類" << 0 << "Command7"
            << "E-交通費" << none << QStringList{"午餐"} << -1 << "1 / 6"
            << with([](QStringList& t) { t[0] = item("E-交通費", "早餐"); });
        QTest::newRow("move to the same account")
            << "未分類" << 0 << "Command7"
            << "未分類" << QStringList{"來源科目與目的科目相同，請重新選擇"}
            << QStringList{"早餐", "午餐"} << 0 << "2 / 6" << Table;
        QTest::newRow("copy appends at the end")
            << "未分類" << 0 << "Command8"
            << "A-現金" << none << QStringList{"早餐", "午餐"} << 0 << "2 / 7"
            << with([](QStringList& t) { t << item("A-現金", "早餐"); });
        QTest::newRow("copy to an account that has the text")
            << "未分類" << 1 << "Command8"
            << "E-餐飲費" << QStringList{"E-餐飲費科目中已有這筆明細"}
            << QStringList{"早餐", "午餐"} << 1 << "2 / 6" << Table;
        QTest::newRow("copy to the same account")
            << "A-現金" << 0 << "Command8"
            << "A-現金" << QStringList{"來源科目與目的科目相同，請重新選擇"} << QStringList{"提款"}
            << 0 << "1 / 6" << Table;
        QTest::newRow("copy without a selection")
            << "A-現金" << -1 << "Command8"
            << "" << none << QStringList{"提款"} << -1 << "1 / 6" << Table;
    }
    void commands() {
        QFETCH(QString, account);
        QFETCH(int, row);
        QFETCH(QString, action);
        QFETCH(QString, answer);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, listed);
        QFETCH(int, selectedRow);
        QFETCH(QString, status);
        QFETCH(QStringList, table);
        Editor e;
        NoteForm& f = e.open();
        e.select(account, row);
        const bool copyOrMove = action == "Command7" || action == "Command8";
        if (copyOrMove)
            e.pickTarget(answer);
        else if (boxes.value(0).startsWith("請輸入") || boxes.value(0) == "要改成什麼名稱?")
            e.env.prompts.answerText(answer.isEmpty() ? std::nullopt
                                                      : std::optional<QString>(answer));

        if (action == "Enter")
            QTest::keyClick(f.List1, Qt::Key_Return);
        else if (action == "Delete")
            QTest::keyClick(f.List1, Qt::Key_Delete);
        else if (action == "DoubleClick")
            emit f.List1->itemDoubleClicked(f.List1->currentItem());
        else
            f.findChild<QPushButton*>(action)->click();

        QCOMPARE(e.env.prompts.texts(), boxes);
        QCOMPARE(e.env.prompts.pendingAnswers(), 0);
        QCOMPARE(f.ListedTexts(), listed);
        const int selected = f.List1->currentItem() && f.List1->currentItem()->isSelected()
                                 ? f.List1->currentRow()
                                 : -1;
        QCOMPARE(selected, selectedRow);
        QCOMPARE(f.PanelText(1), status);
        QCOMPARE(f.List2, table);
        const bool changed = table != Table;
        QCOMPARE(e.env.ctx.ledger.DetailTextsChanged, changed);
        QCOMPARE(e.env.ctx.ledger.LedgerChangedFlag.isSet(), changed);
        QVERIFY(f.isVisible()); // no command closes the editor
        f.close();
        QCOMPARE(e.table(), table);
    }

    void copyOrMoveWindow() {
        Editor e;
        NoteForm& f = e.open();
        e.select("E-餐飲費", 2);
        QString caption, label, source, text, chosen;
        QStringList choices;
        bool hiddenBoxes = false;
        e.env.modal.on<NoteEditForm>([&](NoteEditForm& d) {
            caption = d.windowTitle();
            label = d.Label1->text();
            source = d.Text1->text();
            text = d.Text2->text();
            chosen = d.Combo1->currentText();
            for (int i = 0; i < d.Combo1->count(); ++i)
                choices << d.Combo1->itemText(i);
            hiddenBoxes = !d.Text1->isVisible() && !d.Text2->isVisible();
            d.grab().save("/tmp/texts/noteeditform.png");
            d.Command2->click();
            return d.result();
        });
        f.Command7->click();
        QVERIFY(hiddenBoxes);
        QCOMPARE(caption, QString("移動明細"));
        QCOMPARE(label, QString("宵夜\r\n\r\n要移動到哪一個科目?"));
        QCOMPARE(source, QString("E-餐飲費"));
        QCOMPARE(text, QString("宵夜"));
        QCOMPARE(chosen, QString("E-餐飲費"));
        QCOMPARE(choices, (QStringList{"未分類", "A-現金", "E-餐飲費", "E-交通費"}));
        QCOMPARE(f.List2, Table); // 取消 changes nothing
        QCOMPARE(f.ListedTexts(), (QStringList{"午餐", "晚餐", "宵夜"}));
        f.Command8->click();
        QCOMPARE(caption, QString("複製明細"));
        QCOMPARE(label, QString("宵夜\r\n\r\n要複製到哪一個科目?"));
        QVERIFY(!e.env.ctx.ledger.LedgerChangedFlag.isSet());
    }

    void limitOfTheTable_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("texts");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<int>("after");
        QTest::newRow("add at 999")
            << "Command2" << 999 << QStringList{"請輸入您要新增的明細內容"} << 1000;
        QTest::newRow("add at 1000")
            << "Command2" << 1000 << QStringList{"最多只能新增1000筆明細"} << 1000;
        QTest::newRow("copy at 999") << "Command8" << 999 << QStringList{} << 1000;
        QTest::newRow("copy at 1000 keeps the window open")
            << "Command8" << 1000 << QStringList{"最多只能新增1000筆明細"} << 1000;
    }
    void limitOfTheTable() {
        QFETCH(QString, button);
        QFETCH(int, texts);
        QFETCH(QStringList, boxes);
        QFETCH(int, after);
        Editor e;
        e.fill(texts);
        NoteForm& f = e.open();
        e.select("A-現金", 0);
        bool stayedOpen = false;
        e.env.modal.on<NoteEditForm>([&](NoteEditForm& d) {
            d.Combo1->setCurrentIndex(d.Combo1->findText("未分類"));
            d.Command1->click();
            stayedOpen = d.isVisible();
            if (stayedOpen) d.Command2->click();
            return d.result();
        });
        if (button == "Command2" && texts < 1000) e.env.prompts.answerText(QString("存款"));
        f.findChild<QPushButton*>(button)->click();
        QCOMPARE(e.env.prompts.texts(), boxes);
        QCOMPARE(stayedOpen, texts >= 1000 && button == "Command8");
        QCOMPARE(f.List2.size(), after);
        QCOMPARE(f.PanelText(1), QString("%1 / %2").arg(f.List1->count()).arg(after));
        f.close();
        QCOMPARE(e.env.ctx.ledger.DetailTextCount, after + 1);
    }

    void exportThroughTheDialog() {
        Editor e;
        e.b.detailText("E-交通費", "  公車 ");
        NoteForm& f = e.open();
        QString shown, caption;
        e.env.modal.on<AccountNoteForm>([&](AccountNoteForm& d) {
            caption = d.windowTitle();
            shown = d.Text();
            d.Command1->click();
            return d.result();
        });
        f.Command1->click();
        const QString lines = "早餐\r\nE-餐飲費 午餐\r\n午餐\r\nA-現金 提款\r\nE-餐飲費 晚餐\r\n"
                              "E-餐飲費 宵夜\r\nE-交通費 公車";
        QCOMPARE(caption, QString("匯出明細"));
        QCOMPARE(shown, lines);
        QCOMPARE(e.env.shell.clipboard, lines);
        QVERIFY(!e.env.ctx.ledger.LedgerChangedFlag.isSet());
    }

    // A line of Note.qvd of Latin letters without a blank, longer than the dialog's box can
    // show, exported and imported with the dialog shown and laid out: every text comes back
    // and goes to the file byte for byte.
    void longLineWithoutBlanksKeptExactly() {
        Editor e;
        const QString text = QString(64 * 1024, u'q') + QStringLiteral("餐Z");
        const QString note = LedgerFiles::path(e.env.ctx.session, LedgerFiles::Note);
        TestFiles::put(note, Ansi::encode(item("E-餐飲費", text) + "\r\n"));
        QVERIFY(LoadNoteFile(e.env.ctx));
        NoteForm& f = e.open();
        auto shownThen = [&](const QString& pasted) {
            e.env.modal.on<AccountNoteForm>([pasted](AccountNoteForm& d) {
                d.show();
                if (!pasted.isNull()) d.Text1->setPlainText(pasted);
                QCoreApplication::processEvents(); // laid out and painted
                d.Command1->click();
                return d.result();
            });
        };
        shownThen(QString());
        f.Command1->click();
        QCOMPARE(e.env.shell.clipboard, "E-餐飲費 " + text);

        shownThen("A-現金 " + text + "\n" + text);
        f.Command9->click();
        const QStringList texts{item("E-餐飲費", text), item("A-現金", text), item("未分類", text)};
        QCOMPARE(f.List2, texts);
        f.close();
        QVERIFY(WriteLedgerFiles(e.env.ctx, {SaveNoteFile}));
        QCOMPARE(TestFiles::get(note), Ansi::encode(texts.join("\r\n") + "\r\n"));
    }

    // A pasted line break, tab or separator would split the text's line in Note.qvd or move
    // it under another account: 新增 and 編輯 refuse it and change nothing.
    void typedControlCharactersRefused_data() {
        QTest::addColumn<bool>("rename");
        QTest::addColumn<QString>("typed");
        QTest::newRow("add CR LF") << false << "叫車\r\n";
        QTest::newRow("add LF inside") << false << "宵夜\r\n點心";
        QTest::newRow("add separator") << false << "宵夜\u0001點心";
        QTest::newRow("rename tab") << true << "晚\t餐";
        QTest::newRow("rename LF") << true << "晚餐\n";
    }
    void typedControlCharactersRefused() {
        QFETCH(bool, rename);
        QFETCH(QString, typed);
        Editor e;
        NoteForm& f = e.open();
        const QStringList before = f.List2;
        e.select("E-餐飲費", 1);
        e.env.prompts.answerText(typed);
        (rename ? f.Command3 : f.Command2)->click();
        QCOMPARE(e.env.prompts.texts("warning"),
                 QStringList{"明細內容不可以包含軟體不支援的文字!"});
        QCOMPARE(f.List2, before);
        QCOMPARE(f.ListedTexts(), QStringList({"午餐", "晚餐", "宵夜"}));
    }

    void importThroughTheDialog_data() {
        QTest::addColumn<int>("texts"); // in the table before
        QTest::addColumn<bool>("clearFirst");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("two blanks, Equity, no blank, empty line, nothing after the blank")
            << 6 << false << "E-餐飲費  外食\r\nEquity 期初\r\n點心\r\n\r\nA-現金 "
            << QStringList{item("E-餐飲費", " 外食"), item("未分類", "點心"), item("A-現金", "")}
            << QStringList{};
        QTest::newRow("LF and CR LF both end a line")
            << 6 << false << "A-現金 存款\nE-交通費 公車\r\n點心"
            << QStringList{item("A-現金", "存款"), item("E-交通費", "公車"), item("未分類", "點心")}
            << QStringList{};
        QTest::newRow("tabs and separators inside a line are dropped")
            << 6 << false << "E-交通費 叫\t車\r\n宵夜\u0001點心\r\n"
            << QStringList{item("E-交通費", "叫車"), item("未分類", "宵夜點心")} << QStringList{};
        QTest::newRow("998 texts and five lines")
            << 998 << false << "a\r\nb\r\nc\r\nA-現金 d\r\ne"
            << QStringList{item("未分類", "a"), item("未分類", "b")}
            << QStringList{"最多只能新增1000筆明細"};
    }
    void importThroughTheDialog() {
        QFETCH(int, texts);
        QFETCH(bool, clearFirst);
        QFETCH(QString, pasted);
        QFETCH(QStringList, added);
        QFETCH(QStringList, boxes);
        Editor e;
        e.fill(texts);
        NoteForm& f = e.open();
        const QStringList before = f.List2;
        e.select("A-現金");
        e.env.modal.on<AccountNoteForm>([&](AccountNoteForm& d) {
            d.Text1->setPlainText(pasted);
            (clearFirst ? d.Command2 : d.Command1)->click();
            return d.result();
        });
        f.Command9->click();
        QCOMPARE(f.List2, before + added);
        QCOMPARE(e.env.prompts.texts(), boxes);
        // The selected account's list shows what it holds now.
        QCOMPARE(f.ListedTexts(), DetailTextList::textsOf(f.List2, "A-現金"));
        QCOMPARE(f.PanelText(1),
                 QString("%1 / %2").arg(f.List1->count()).arg(before.size() + added.size()));
        QVERIFY(e.env.ctx.ledger.DetailTextsChanged);
        QVERIFY(e.env.ctx.ledger.LedgerChangedFlag.isSet());
        f.close();
        QCOMPARE(e.table(), before + added);
    }

    void clearThenImport_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("empty box empties the table") << QString() << QStringList{};
        QTest::newRow("pasted lines replace every account's texts")
            << "A-現金 存款" << QStringList{item("A-現金", "存款")};
    }
    void clearThenImport() {
        QFETCH(QString, pasted);
        QFETCH(QStringList, after);
        Editor e;
        NoteForm& f = e.open();
        e.select("E-餐飲費", 0);
        QString caption, action;
        e.env.modal.on<AccountNoteForm>([&](AccountNoteForm& d) {
            caption = d.windowTitle();
            action = d.Command1->text();
            d.SetText(pasted);
            d.Command2->click();
            return d.result();
        });
        f.Command9->click();
        QCOMPARE(caption, QString("匯入明細"));
        QCOMPARE(action, QString("直接匯入"));
        QCOMPARE(f.List2, after);
        QCOMPARE(f.ListedTexts(), QStringList()); // nothing left of what was listed
        QCOMPARE(f.PanelText(1), QString("0 / %1").arg(after.size()));
        f.close();
        QCOMPARE(e.table(), after);
        QCOMPARE(e.env.ctx.ledger.DetailTextCount, int(after.size()) + 1);
    }

    void importCancelledChangesNothing() {
        Editor e;
        NoteForm& f = e.open();
        e.env.modal.on<AccountNoteForm>([](AccountNoteForm& d) {
            d.SetText("點心");
            d.close();
            return d.result();
        });
        f.Command9->click();
        QCOMPARE(f.List2, Table);
        QVERIFY(!e.env.ctx.ledger.LedgerChangedFlag.isSet());
    }

    void openedFromTheMainWindow() {
        MainFormFixture fx;
        fx.b.account("A-現金").account("E-餐飲費").account("Equity");
        fx.b.detailText("E-餐飲費", "午餐");
        MainForm& w = fx.open();
        fx.list("E-餐飲費");
        QVERIFY(w.Set_Note->isEnabled());
        QCOMPARE(w.Set_Note->text(), QString("明細設定(&N)"));
        QVERIFY(w.ToolbarButton(10)->isEnabled());
        fx.env.modal.on<NoteForm>([&](NoteForm& f) {
            f.List3->setCurrentItem(f.List3->findItems("E-餐飲費", Qt::MatchExactly).first());
            fx.env.prompts.answerText(QString("晚餐"));
            f.Command2->click();
            QTest::keyClick(&f, Qt::Key_Escape); // any way of closing writes the table back
            return f.result();
        });
        w.Toolbar1_ButtonClick(10);
        QCOMPARE(fx.env.modal.shown, QStringList{"NoteForm"});
        QCOMPARE(fx.env.ctx.ledger.DetailTextCount, 3);
        QCOMPARE(fx.env.ctx.ledger.DetailTexts[2], item("E-餐飲費", "晚餐"));
        QVERIFY(w.ToolbarButton(3)->isEnabled()); // unsaved changes
        QVERIFY(w.Combo2->findText("晚餐") >= 0); // the filter offers the new text
    }
};

QTEST_MAIN(TestNoteForm)
#include "tst_noteform.moc"
