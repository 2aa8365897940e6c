// The quick-entry editor driven offscreen through the list window's commands: adding,
// editing one and several quick entries, the checks of 確定 and the list afterwards.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "entry/quickedit.h"
#include "quick_fixture.h"

namespace {

void standard(QuickFixture& fx) {
    fx.q("E-餐飲費", "A-現金", "120", "午餐")
        .q("I-薪水", "A-銀行", "30000", "薪水")
        .q("A-銀行", "L-信用卡", "500", "繳卡費")
        .q("E-餐飲費", "A-銀行", "120", "晚餐", "n")
        .q("A-現金", "A-現金", "7");
}

// Chooses an item as the user does.
void pick(QComboBox* box, const QString& text) {
    const int i = box->findText(text);
    box->setCurrentIndex(i);
    emit box->activated(i);
}

QStringList items(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

// Registers what to do in the editor; a window still open afterwards is cancelled.
void inEditor(QuickFixture& fx, std::function<void(QuickEdit&)> fill) {
    fx.env.modal.on<QuickEdit>([fill](QuickEdit& e) {
        fill(e);
        if (e.isVisible()) e.Command2->click();
        return e.result();
    });
}

// Fills every field of the add state and presses 確定; true when the editor closed.
bool addThrough(QuickFixture& fx, const QString& cat, const QString& acc, const QString& amount,
                const QString& detail = QString(), const QString& note = QString()) {
    bool closed = false;
    inEditor(fx, [&](QuickEdit& e) {
        if (!cat.isEmpty()) pick(e.Cob1, cat);
        if (!acc.isEmpty()) pick(e.Cob2, acc);
        e.Text1->setText(amount);
        e.Text2->setText(detail);
        e.SetNoteText(note);
        e.Command1->click();
        closed = !e.isVisible();
    });
    fx.quick->Command7->click();
    return closed;
}

bool boxesHidden(const QuickEdit& e) {
    for (QCheckBox* box : e.Check1)
        if (!box->isHidden() || !box->isChecked()) return false;
    return true;
}

} // namespace

class TestQuickEdit : public QObject {
    Q_OBJECT
private slots:
    void addOpensEmpty() {
        QuickFixture fx;
        fx.openQuick();
        QStringList seen;
        bool hidden = false;
        inEditor(fx, [&](QuickEdit& e) {
            seen << e.windowTitle() << QString::number(e.QuickEditState) << items(e.Cob1).join(',')
                 << items(e.Cob2).join(',') << e.Cob1->currentText() << e.Label1->text();
            hidden = boxesHidden(e);
        });
        fx.quick->Command7->click();
        QCOMPARE(seen, (QStringList{"新增記錄", "1", "A-現金,A-銀行,L-信用卡,I-薪水,E-餐飲費",
                                    "A-現金,A-銀行,L-信用卡,Equity", "", ""}));
        QVERIFY(hidden);
        QVERIFY(!fx.changed()); // 取消
        QCOMPARE(fx.env.ctx.ledger.QuickEntryCount, 1);
    }

    void addStoresTextsAsTyped() {
        QuickFixture fx;
        fx.openQuick();
        // The amount exactly as typed; quote marks taken from the detail and the note only
        // because the other fields hold none.
        QVERIFY(addThrough(fx, "E-餐飲費", "Equity", " -1,234.5 ", "說\"明”", "a\"b\nc”"));
        QCOMPARE(fx.table(), QStringList{"E-餐飲費|Equity| -1,234.5 |說明|ab\r\nc"});
        QVERIFY(fx.env.ctx.ledger.QuickEntriesChanged);
        QVERIFY(fx.form->LedgerChanged());
        QCOMPARE(fx.rows(3), QStringList{" -1,234.5 "});
    }

    // The counters follow typing in their boxes (keys go to the box, not to its viewport).
    void countersFollowTyping_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("label");
        QTest::newRow("letters") << "abc"
                                 << "備註字數: 3";
        QTest::newRow("line break") << "a\nb"
                                    << "備註字數: 4";
    }
    void countersFollowTyping() {
        QFETCH(QString, typed);
        QFETCH(QString, label);
        QuickFixture fx;
        fx.openQuick();
        QString note, detail;
        inEditor(fx, [&](QuickEdit& e) {
            for (const QChar c : typed) {
                if (c == u'\n')
                    QTest::keyClick(e.Text3, Qt::Key_Return);
                else
                    QTest::keyClicks(e.Text3, QString(c));
            }
            note = e.Label6->text();
            QTest::keyClicks(e.Text2, "ab");
            detail = e.Label1->text();
        });
        fx.quick->Command7->click();
        QCOMPARE(note, label);
        QCOMPARE(detail, QString("明細字數: 2"));
    }

    void filterAfterAdd_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("after");
        QTest::newRow("all stays") << "全部"
                                   << "I-薪水"
                                   << "L-信用卡"
                                   << "全部";
        QTest::newRow("moves to the account") << "A-現金"
                                              << "I-薪水"
                                              << "L-信用卡"
                                              << "L-信用卡";
        QTest::newRow("filter used as category") << "A-銀行"
                                                 << "A-銀行"
                                                 << "Equity"
                                                 << "Equity";
    }
    void filterAfterAdd() {
        QFETCH(QString, before);
        QFETCH(QString, category);
        QFETCH(QString, account);
        QFETCH(QString, after);
        QuickFixture fx;
        standard(fx);
        QuickForm& w = fx.openQuick();
        w.ChooseFilter(w.Combo1->findText(before));
        QVERIFY(addThrough(fx, category, account, "1"));
        QCOMPARE(w.Combo1->currentText(), after);
        QTreeWidgetItem* last = w.Liv1->topLevelItem(w.Liv1->topLevelItemCount() - 1);
        QCOMPARE(w.Liv1->currentItem(), last);
        QCOMPARE(QuickForm::SlotOf(last), 6);
    }

    void refusals_data() {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        const QString crlf2 = "\r\n\r\n";
        QTest::newRow("no category") << ""
                                     << "A-現金"
                                     << "1"
                                     << ""
                                     << ""
                                     << "warning"
                                     << "您還沒選擇分類欄位";
        QTest::newRow("no account") << "E-餐飲費"
                                    << ""
                                    << "1"
                                    << ""
                                    << ""
                                    << "warning"
                                    << "您還沒選擇科目欄位";
        QTest::newRow("same account") << "A-現金"
                                      << "A-現金"
                                      << "1"
                                      << ""
                                      << ""
                                      << "warning"
                                      << "選擇的科目不能重複";
        QTest::newRow("empty amount") << "A-現金"
                                      << "A-銀行"
                                      << ""
                                      << ""
                                      << ""
                                      << "warning"
                                      << "金額部分不是數字格式";
        QTest::newRow("amount with letters") << "A-現金"
                                             << "A-銀行"
                                             << "12a"
                                             << ""
                                             << ""
                                             << "warning"
                                             << "金額部分不是數字格式";
        QTest::newRow("amount too large") << "A-現金"
                                          << "A-銀行"
                                          << "1e999"
                                          << ""
                                          << ""
                                          << "warning"
                                          << "金額部分不是數字格式";
        QTest::newRow("detail 62 bytes")
            << "A-現金"
            << "A-銀行"
            << "1" << QString(31, QChar(0x4E2D)) << ""
            << "plain"
            << "明細字數已超過60個字元，請縮減字數" + crlf2 + "目前字數為: 62 (中文字算2個字元)";
        QTest::newRow("note 5001 bytes") << "A-現金"
                                         << "A-銀行"
                                         << "1"
                                         << "" << QString(5001, 'x') << "plain"
                                         << "備註字數已超過5000個字元，請縮減字數" + crlf2 +
                                                "目前字數為: 5001 (中文字算2個字元)";
        QTest::newRow("note line breaks count") << "A-現金"
                                                << "A-銀行"
                                                << "1"
                                                << "" << QString(4999, 'x') + "\n"
                                                << "plain"
                                                << "備註字數已超過5000個字元，請縮減字數" + crlf2 +
                                                       "目前字數為: 5001 (中文字算2個字元)";
    }
    void refusals() {
        QFETCH(QString, category);
        QFETCH(QString, account);
        QFETCH(QString, amount);
        QFETCH(QString, detail);
        QFETCH(QString, note);
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QuickFixture fx;
        standard(fx);
        fx.openQuick();
        QString amountAfter;
        inEditor(fx, [&](QuickEdit& e) {
            if (!category.isEmpty()) pick(e.Cob1, category);
            if (!account.isEmpty()) pick(e.Cob2, account);
            e.Text1->setText(amount);
            e.Text2->setText(detail);
            e.SetNoteText(note);
            e.Command1->click();
            QVERIFY(e.isVisible());
            amountAfter = e.Text1->text();
        });
        fx.quick->Command7->click();
        QCOMPARE(fx.env.prompts.texts(kind), QStringList{message});
        QCOMPARE(fx.env.prompts.shown.size(), 1);
        QCOMPARE(amountAfter, amount);
        QCOMPARE(fx.env.ctx.ledger.QuickEntryCount, 6);
        QVERIFY(!fx.changed());
    }

    void detailOfSixtyBytesAccepted() {
        QuickFixture fx;
        fx.openQuick();
        QVERIFY(addThrough(fx, "E-餐飲費", "A-現金", "1", QString(30, QChar(0x4E2D))));
        QCOMPARE(fx.env.ctx.ledger.QuickEntryCount, 2);
    }

    void capacity_data() {
        QTest::addColumn<int>("existing");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("countAfter");
        QTest::newRow("499: the last one fits") << 499 << "1" << QStringList{} << 501;
        QTest::newRow("500: full")
            << 500 << "1" << QStringList{"快速入帳已經到達500筆上限，無法再加入了"} << 501;
        QTest::newRow("500: checks come first")
            << 500 << "" << QStringList{"金額部分不是數字格式"} << 501;
    }
    void capacity() {
        QFETCH(int, existing);
        QFETCH(QString, amount);
        QFETCH(QStringList, messages);
        QFETCH(int, countAfter);
        QuickFixture fx;
        for (int i = 0; i < existing; ++i)
            fx.q("E-餐飲費", "A-現金", QString::number(i));
        fx.openQuick();
        const bool closed = addThrough(fx, "I-薪水", "A-銀行", amount);
        QCOMPARE(fx.env.prompts.texts("warning"), messages);
        QCOMPARE(closed, messages.isEmpty());
        QCOMPARE(fx.env.ctx.ledger.QuickEntryCount, countAfter);
        QCOMPARE(fx.changed(), messages.isEmpty());
        QCOMPARE(fx.table().last(), messages.isEmpty() ? QString("I-薪水|A-銀行|1||")
                                                       : QString("E-餐飲費|A-現金|499||"));
    }

    void editOneTrimsDetailAndNote() {
        QuickFixture fx;
        fx.q("E-餐飲費", "A-現金", " 120 ", " 午餐 ", " n\r\nm ");
        QuickForm& w = fx.openQuick();
        fx.select({0});
        QStringList seen;
        bool hidden = false;
        inEditor(fx, [&](QuickEdit& e) {
            seen << e.windowTitle() << e.Cob1->currentText() << e.Cob2->currentText()
                 << e.Text1->text() << e.Text2->text() << e.NoteText() << e.Label1->text()
                 << e.Label6->text();
            hidden = boxesHidden(e);
            e.Command1->click();
        });
        w.Command1->click();
        QCOMPARE(seen, (QStringList{"編輯單筆記錄", "E-餐飲費", "A-現金", " 120 ", "午餐", "n\r\nm",
                                    "明細字數: 4", "備註字數: 4"}));
        QVERIFY(hidden);
        QCOMPARE(fx.table(), QStringList{"E-餐飲費|A-現金| 120 |午餐|n\r\nm"});
        QVERIFY(fx.changed());

        // Pressing 確定 again without a change leaves the ledger unchanged.
        fx.env.ctx.ledger.QuickEntriesChanged = false;
        fx.form->SetLedgerChanged(false);
        fx.select({0});
        inEditor(fx, [](QuickEdit& e) { e.Command1->click(); });
        w.MenuTools_Edit->trigger();
        QCOMPARE(fx.env.modal.shown.count("QuickEdit"), 2);
        QVERIFY(!fx.changed());
    }

    void filterAfterEditOne_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("after");
        QTest::newRow("filter no longer used") << 0 << "A-銀行"
                                               << "A-銀行";
        QTest::newRow("filter still the category") << 1 << "A-銀行"
                                                   << "A-現金";
    }
    void filterAfterEditOne() {
        QFETCH(int, row);
        QFETCH(QString, account);
        QFETCH(QString, after);
        QuickFixture fx;
        standard(fx);
        QuickForm& w = fx.openQuick();
        w.ChooseFilter(w.Combo1->findText("A-現金")); // slots 1 and 5
        fx.select({row});
        const int slot = QuickForm::SlotOf(w.Liv1->currentItem());
        inEditor(fx, [&](QuickEdit& e) {
            pick(e.Cob2, account);
            e.Command1->click();
        });
        w.Command1->click();
        QCOMPARE(w.Combo1->currentText(), after);
        QList<int> selected;
        for (int r = 0; r < w.Liv1->topLevelItemCount(); ++r)
            if (w.Liv1->topLevelItem(r)->isSelected())
                selected << QuickForm::SlotOf(w.Liv1->topLevelItem(r));
        QCOMPARE(selected, QList<int>{slot});
        QCOMPARE(fx.env.ctx.ledger.QuickEntries[size_t(slot)].Account2, account);
    }

    void editOneWithUnlistedAccount() {
        QuickFixture fx;
        fx.q("E-舊科目", "A-現金", "1");
        QuickForm& w = fx.openQuick();
        fx.select({0});
        int chosen = 0;
        inEditor(fx, [&](QuickEdit& e) {
            chosen = e.Cob1->currentIndex();
            e.Command1->click();
        });
        w.Command1->click();
        QCOMPARE(chosen, -1);
        QCOMPARE(fx.env.prompts.texts("warning"), QStringList{"您還沒選擇分類欄位"});
        QCOMPARE(fx.table(), QStringList{"E-舊科目|A-現金|1||"});
    }

    // Rows 1 and 4 share account, amount and note... only the account and amount here.
    void editManyWritesClickedFieldsOnly() {
        QuickFixture fx;
        standard(fx);
        QuickForm& w = fx.openQuick();
        fx.select({0, 3}); // slots 1 and 4: E-餐飲費 / A-現金 and A-銀行, amount 120
        QStringList seen;
        QList<bool> ticked;
        inEditor(fx, [&](QuickEdit& e) {
            seen << e.windowTitle() << e.Cob1->currentText() << e.Cob2->currentText()
                 << e.Text1->text() << e.Text2->text() << e.Label1->text();
            for (QCheckBox* box : e.Check1)
                ticked << (box->isVisible() && box->isChecked());
            // Clicked into: ticked. Reached by the keyboard only: not ticked.
            QTest::mouseClick(e.Text2, Qt::LeftButton);
            e.Text2->setText("新明細");
            QTest::keyClick(e.Text2, Qt::Key_End);
            seen << e.Label1->text();
            e.Text1->setFocus();
            QTest::keyClicks(e.Text1, "9");
            e.Command1->click();
        });
        w.Command1->click();
        QCOMPARE(seen, (QStringList{"編輯多筆記錄", "E-餐飲費", "", "120", "", "", "明細字數: 6"}));
        QCOMPARE(ticked, (QList<bool>{false, false, false, false, false}));
        QCOMPARE(fx.table(),
                 (QStringList{"E-餐飲費|A-現金|120|新明細|", "I-薪水|A-銀行|30000|薪水|",
                              "A-銀行|L-信用卡|500|繳卡費|", "E-餐飲費|A-銀行|120|新明細|n",
                              "A-現金|A-現金|7||"}));
        QVERIFY(fx.changed());
    }

    void editManyUntickEmptiesField() {
        QuickFixture fx;
        standard(fx);
        QuickForm& w = fx.openQuick();
        fx.select({0, 1});
        QString noteAfterUntick;
        inEditor(fx, [&](QuickEdit& e) {
            QTest::mouseClick(e.Text3->viewport(), Qt::LeftButton);
            e.SetNoteText("x");
            e.Check1[4]->click(); // unticked: the note is emptied
            noteAfterUntick = e.NoteText();
            e.Check1[4]->click(); // ticked by hand: stays empty
            // Category alone may equal the account of a quick entry.
            pick(e.Cob1, "A-現金");
            e.Command1->click();
        });
        w.Command1->click();
        QCOMPARE(noteAfterUntick, QString());
        QCOMPARE(fx.table().mid(0, 2),
                 (QStringList{"A-現金|A-現金|120|午餐|", "A-現金|A-銀行|30000|薪水|"}));
    }

    void editManyChecks_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("message");
        QTest::newRow("both accounts ticked and equal") << "same"
                                                        << "選擇的科目不能重複";
        QTest::newRow("ticked empty amount") << "amount"
                                             << "金額部分不是數字格式";
        QTest::newRow("unticked long detail")
            << "detail"
            << "明細字數已超過60個字元，請縮減字數\r\n\r\n目前字數為: 61 (中文字算2個字元)";
    }
    void editManyChecks() {
        QFETCH(QString, what);
        QFETCH(QString, message);
        QuickFixture fx;
        standard(fx);
        QuickForm& w = fx.openQuick();
        fx.select({1, 2});
        inEditor(fx, [&](QuickEdit& e) {
            if (what == "same") {
                pick(e.Cob1, "A-銀行");
                pick(e.Cob2, "A-銀行");
            } else if (what == "amount") {
                QTest::mouseClick(e.Text1, Qt::LeftButton);
            } else {
                e.Text2->setText(QString(61, 'd'));
            }
            e.Command1->click();
        });
        w.Command1->click();
        QCOMPARE(fx.env.prompts.texts(), QStringList{message});
        QVERIFY(!fx.changed());
    }

    void editManyNothingTicked() {
        QuickFixture fx;
        standard(fx);
        QuickForm& w = fx.openQuick();
        w.ChooseFilter(w.Combo1->findText("A-銀行"));
        const QStringList before = fx.table();
        fx.select({0, 1});
        bool closed = false;
        inEditor(fx, [&](QuickEdit& e) {
            e.Text2->setText("typed, not ticked");
            e.Command1->click();
            closed = !e.isVisible();
        });
        w.Command1->click();
        QVERIFY(closed);
        QCOMPARE(fx.table(), before);
        QVERIFY(!fx.changed());
        QCOMPARE(w.Combo1->currentText(), QString("A-銀行"));
    }

    void cancelChangesNothing() {
        QuickFixture fx;
        standard(fx);
        QuickForm& w = fx.openQuick();
        const QStringList before = fx.table();
        fx.select({0});
        inEditor(fx, [](QuickEdit& e) {
            pick(e.Cob2, "Equity");
            e.Text2->setText("x");
        });
        w.Command1->click();
        QCOMPARE(fx.table(), before);
        QVERIFY(!fx.changed());
        QVERIFY(fx.env.prompts.shown.isEmpty());
    }
};

QTEST_MAIN(TestQuickEdit)
#include "tst_quickedit.moc"
