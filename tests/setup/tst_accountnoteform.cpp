// The text dialog in its three modes, the detail-text line format it exports and imports,
// and the entry window's note editor (展開) driven through the main window.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "entry/inputform.h"
#include "mainwin/mainform_fixture.h"
#include "rules/setup/detailtextlines.h"
#include "setup/accountnoteform.h"

namespace {
const QChar Sep(0x0001);
QString item(const QString& account, const QString& text) {
    return account + Sep + text;
}
const QStringList EditorAccounts{"未分類", "A-現金", "E-餐飲費", "E-交通費"};
} // namespace

class TestAccountNoteForm : public QObject {
    Q_OBJECT
private slots:
    // ---- Line format ---------------------------------------------------------------------

    void exportLines_data() {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("lines");
        QTest::newRow("unfiled alone, others with account")
            << QStringList{item("未分類", "早餐"), item("E-餐飲費", "午餐")}
            << QString("早餐\r\nE-餐飲費 午餐");
        QTest::newRow("blanks at both ends cut")
            << QStringList{item("E-餐飲費   ", "  午 餐  "), item(" 未分類 ", " 宵夜")}
            << QString("E-餐飲費 午 餐\r\n宵夜");
        QTest::newRow("item without separator left out")
            << QStringList{"壞資料", item("A-現金", "提款")} << QString("A-現金 提款");
        QTest::newRow("text keeps a later separator")
            << QStringList{item("A-現金", QString("a") + Sep + "b")}
            << (QString("A-現金 a") + Sep + "b");
        QTest::newRow("empty table") << QStringList{} << QString();
    }
    void exportLines() {
        QFETCH(QStringList, items);
        QFETCH(QString, lines);
        QCOMPARE(DetailTextLines::exportLines(items), lines);
    }

    void accountLines() {
        QCOMPARE(DetailTextLines::accountLines({"A-現金   ", "E-餐飲費", "Equity  "}),
                 QString("A-現金\r\nE-餐飲費\r\nEquity"));
    }

    void importLines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("added");
        QTest::newRow("two blanks keep one in the text")
            << QString("E-餐飲費  外食") << QStringList{item("E-餐飲費", " 外食")};
        QTest::newRow("no blank: unfiled")
            << QString("早餐") << QStringList{item("未分類", "早餐")};
        QTest::newRow("unknown or Equity account skipped, rest read")
            << QString("Equity 期初\r\nE-餐飲 午餐\r\ne-餐飲費 午餐\r\nA-現金 提款")
            << QStringList{item("A-現金", "提款")};
        QTest::newRow("account with nothing after its blank")
            << QString("A-現金 ") << QStringList{item("A-現金", "")};
        QTest::newRow("empty lines skipped")
            << QString("\r\n早餐\r\n\r\n") << QStringList{item("未分類", "早餐")};
        QTest::newRow("a lone line feed or carriage return ends a line too")
            << QString("早餐\n午餐\rA-現金 提款\r\n\n晚餐")
            << QStringList{item("未分類", "早餐"), item("未分類", "午餐"), item("A-現金", "提款"),
                           item("未分類", "晚餐")};
        QTest::newRow("blank first: empty account skipped") << QString(" 早餐") << QStringList{};
        QTest::newRow("unfiled text with a blank, account word")
            << QString("E-交通費 公車") << QStringList{item("E-交通費", "公車")};
        QTest::newRow("unfiled text with a blank, other word") << QString("早 餐") << QStringList{};
        QTest::newRow("unfiled written as such")
            << QString("未分類 早餐") << QStringList{item("未分類", "早餐")};
    }
    void importLines() {
        QFETCH(QString, text);
        QFETCH(QStringList, added);
        QStringList working{item("A-現金", "舊")};
        const auto result = DetailTextLines::importLines(text, EditorAccounts, working);
        QCOMPARE(result.added, int(added.size()));
        QVERIFY(!result.full);
        QCOMPARE(working, QStringList{item("A-現金", "舊")} + added);
    }

    void importStopsAtCapacity_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("added");
        QTest::addColumn<bool>("full");
        QTest::newRow("998 and five lines") << 998 << "a\r\nb\r\nc\r\nA-現金 d\r\ne" << 2 << true;
        QTest::newRow("two lines fill it exactly") << 998 << "a\r\nb" << 2 << false;
        QTest::newRow("full, only unusable lines left") << 1000 << "\r\nEquity x" << 0 << false;
        QTest::newRow("full") << 1000 << "a" << 0 << true;
    }
    void importStopsAtCapacity() {
        QFETCH(int, before);
        QFETCH(QString, text);
        QFETCH(int, added);
        QFETCH(bool, full);
        QStringList working;
        for (int i = 0; i < before; ++i)
            working << item("未分類", QString::number(i));
        const auto result = DetailTextLines::importLines(text, EditorAccounts, working);
        QCOMPARE(result.added, added);
        QCOMPARE(result.full, full);
        QCOMPARE(working.size(), before + added);
        if (added) QCOMPARE(working.last(), item("未分類", "b"));
    }

    void exportThenImportRoundTrip() {
        const QStringList items{item("未分類", "早餐"), item("E-餐飲費", "午 餐")};
        QStringList working;
        DetailTextLines::importLines(DetailTextLines::exportLines(items), EditorAccounts, working);
        QCOMPARE(working, items);
    }

    // ---- Dialog ----------------------------------------------------------------------------

    void exportCopiesAndCloses() {
        TestEnv env;
        AccountNoteForm form(env.ctx);
        QCOMPARE(form.windowTitle(), QString("匯出明細"));
        QCOMPARE(form.mode(), AccountNoteForm::Mode::Export);
        QCOMPARE(form.StatusText(), QString("複製到剪貼簿後貼到網路記帳中即可完成設定"));
        QVERIFY(form.Command2->isHidden());
        env.shell.clipboard = "old";
        form.SetText(
            DetailTextLines::exportLines({item("未分類", "早餐"), item("E-餐飲費", "午餐")}));
        form.show();
        form.Command1->click();
        QCOMPARE(env.shell.clipboard, QString("早餐\r\nE-餐飲費 午餐"));
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QVERIFY(!form.isVisible());
        QVERIFY(!env.ctx.ledger.LedgerChangedFlag.isSet());
    }

    void importButtons_data() {
        QTest::addColumn<bool>("clearFirst");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("after");
        const QString old = item("A-現金", "舊");
        QTest::newRow("direct import appends")
            << false << QString("早餐\r\nE-餐飲費 午餐")
            << QStringList{old, item("未分類", "早餐"), item("E-餐飲費", "午餐")};
        QTest::newRow("same lines again double")
            << false << QString("A-現金 舊") << QStringList{old, old};
        QTest::newRow("clear then import")
            << true << QString("早餐") << QStringList{item("未分類", "早餐")};
        QTest::newRow("clear with empty box empties") << true << QString() << QStringList{};
    }
    void importButtons() {
        QFETCH(bool, clearFirst);
        QFETCH(QString, text);
        QFETCH(QStringList, after);
        TestEnv env;
        QStringList working{item("A-現金", "舊")};
        AccountNoteForm form(env.ctx);
        form.SetUpImport(EditorAccounts, &working);
        QCOMPARE(form.mode(), AccountNoteForm::Mode::Import);
        QCOMPARE(form.Command1->text(), QString("直接匯入"));
        QCOMPARE(form.StatusText(), QString("請貼上明細資料後按下匯入"));
        form.show();
        QVERIFY(form.Command2->isVisible());
        form.SetText(text);
        (clearFirst ? form.Command2 : form.Command1)->click();
        QCOMPARE(working, after);
        QVERIFY(env.ctx.ledger.DetailTextsChanged);
        QVERIFY(env.ctx.ledger.LedgerChangedFlag.isSet());
        QVERIFY(!form.isVisible());
        QCOMPARE(env.shell.clipboard, QString()); // import never touches the clipboard
    }

    void importModeByAnyOtherCaption() {
        TestEnv env;
        QStringList working;
        AccountNoteForm form(env.ctx);
        form.ImportAccounts = EditorAccounts;
        form.ImportList = &working;
        form.setWindowTitle("別的標題");
        form.SetText("早餐");
        form.Command1->click();
        QCOMPARE(working, QStringList{item("未分類", "早餐")});
    }

    void noteCountText_data() {
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << QString() << QString("備註字數: 0");
        QTest::newRow("2500 Chinese characters at the limit")
            << QString(2500, QChar(0x4E2D)) << QString("備註字數: 5000");
        QTest::newRow("2501 over the limit")
            << QString(2501, QChar(0x4E2D))
            << QString("備註字數: 5002 (超過上限5000字，請縮減字數)");
        QTest::newRow("line break counts two") << QString("a\r\nb") << QString("備註字數: 4");
    }
    void noteCountText() {
        QFETCH(QString, note);
        QFETCH(QString, shown);
        QCOMPARE(AccountNoteForm::NoteCountText(note), shown);
    }

    void noteEditorCountsOnKeyRelease() {
        TestEnv env;
        AccountNoteForm form(env.ctx);
        form.SetUpNoteEditor("中文\r\nab");
        QCOMPARE(form.windowTitle(), QString("編輯備註"));
        QCOMPARE(form.mode(), AccountNoteForm::Mode::Note);
        QCOMPARE(form.StatusText(), QString("備註字數: 8"));
        QCOMPARE(form.Text(), QString("中文\r\nab"));
        QCOMPARE(form.Text1->size(), QSize(505, 313));
        form.show();
        QVERIFY(!form.Command1->isVisible());
        QVERIFY(!form.Command2->isVisible());
        form.Text1->moveCursor(QTextCursor::End);
        QTest::keyClick(form.Text1, Qt::Key_C);
        QCOMPARE(form.StatusText(), QString("備註字數: 9"));
        QTest::keyClick(form.Text1, Qt::Key_Return);
        QCOMPARE(form.StatusText(), QString("備註字數: 11"));
    }

    // ---- The entry window's 展開 ------------------------------------------------------------

    void entryNoteEditorWritesBack_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("closed by Esc") << false;
        QTest::newRow("closed by the close box") << true;
    }
    void entryNoteEditorWritesBack() {
        QFETCH(bool, closeBox);
        MainFormFixture fx;
        fx.b.account("A-現金").account("E-餐飲費").account("Equity");
        fx.open();
        fx.list("A-現金");
        QString seenStatus, seenText, note, label;
        bool enabled = false;
        fx.env.modal.on<InputForm>([&](InputForm& f) {
            enabled = f.Command1->isEnabled();
            f.SetNoteText("舊\r\nx");
            f.UpdateNoteCounter();
            fx.env.modal.on<AccountNoteForm>([&](AccountNoteForm& d) {
                seenStatus = d.StatusText();
                seenText = d.Text();
                d.Text1->moveCursor(QTextCursor::End);
                QTest::keyClicks(d.Text1, "yz");
                if (closeBox)
                    d.close();
                else
                    QTest::keyClick(&d, Qt::Key_Escape);
                return d.result();
            });
            f.Command1->click();
            note = f.NoteText();
            label = f.Label14->text();
            f.Cmd2->click();
            return f.result();
        });
        fx.form->Data_New_Click();
        QVERIFY(enabled);
        QCOMPARE(fx.env.modal.shown, (QStringList{"InputForm", "AccountNoteForm"}));
        QCOMPARE(seenStatus, QString("備註字數: 5"));
        QCOMPARE(seenText, QString("舊\r\nx"));
        QCOMPARE(note, QString("舊\r\nxyz"));
        QCOMPARE(label, QString("備註字數: 7"));
        QCOMPARE(fx.env.prompts.texts(), QStringList());
    }

    void entryNoteEditorOverLimitLabel() {
        MainFormFixture fx;
        fx.b.account("A-現金").account("E-餐飲費").account("Equity");
        fx.open();
        fx.list("A-現金");
        QString label;
        fx.env.modal.on<InputForm>([&](InputForm& f) {
            fx.env.modal.on<AccountNoteForm>([&](AccountNoteForm& d) {
                d.SetText(QString(2501, QChar(0x4E2D)));
                d.close();
                return d.result();
            });
            f.Command1->click();
            label = f.Label14->text();
            f.Cmd2->click();
            return f.result();
        });
        fx.form->Data_New_Click();
        QCOMPARE(label, QString("備註字數: 5002 (超過上限5000字，請縮減字數)"));
    }
};

QTEST_MAIN(TestAccountNoteForm)
#include "tst_accountnoteform.moc"
