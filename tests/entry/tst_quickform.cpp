// The quick-entry list driven offscreen: listing and filter items, remembered settings,
// applying a row to the entry window, deleting and moving quick entries.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "quick_fixture.h"

namespace {

// Five quick entries; a name used on both sides of one of them, the equity account last.
void standard(QuickFixture& fx) {
    fx.q("E-餐飲費", "A-現金", "120", "午餐")
        .q("I-薪水", "A-銀行", "30000", "薪水")
        .q("A-銀行", "L-信用卡", "500", "繳卡費")
        .q("E-餐飲費", "Equity", "1")
        .q("A-現金", "A-現金", "7");
}

} // namespace

class TestQuickForm : public QObject {
    Q_OBJECT
private slots:
    void filterItemsGroupedByKind() {
        QuickFixture fx;
        standard(fx);
        fx.openQuick();
        QCOMPARE(fx.filterItems(), (QStringList{"全部", "A-現金", "A-銀行", "L-信用卡", "I-薪水",
                                                "E-餐飲費", "Equity"}));
        QCOMPARE(fx.quick->windowTitle(), QString("快速入帳"));
        QVERIFY(fx.quick->Command2->isEnabled());
    }

    void noQuickEntries() {
        QuickFixture fx;
        fx.openQuick();
        QCOMPARE(fx.filterItems(), QStringList{"全部"});
        QCOMPARE(fx.quick->Combo1->currentIndex(), 0);
        QCOMPARE(fx.quick->StatusText(), QString("共 0 筆記錄"));
        // Commands that need a row do nothing.
        fx.quick->Command3->click();
        fx.quick->Command5->click();
        fx.quick->Command4->click();
        QVERIFY(!fx.changed());
        QVERIFY(fx.quick->isVisible());
    }

    void listingByFilter_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("all") << "全部" << QStringList{"1", "2", "3", "4", "5"};
        QTest::newRow("either side") << "A-銀行" << QStringList{"2", "3"};
        QTest::newRow("both sides once") << "A-現金" << QStringList{"1", "5"};
        QTest::newRow("equity") << "Equity" << QStringList{"4"};
    }
    void listingByFilter() {
        QFETCH(QString, filter);
        QFETCH(QStringList, listed);
        QuickFixture fx;
        standard(fx);
        QuickForm& w = fx.openQuick();
        w.ChooseFilter(w.Combo1->findText(filter));
        QCOMPARE(fx.rows(QuickForm::IndexColumn), listed);
        QCOMPARE(w.StatusText(), QString("共 %1 筆記錄").arg(listed.size()));
    }

    void rowShowsTextsAsStored() {
        QuickFixture fx;
        fx.q("E-餐飲費", "A-現金", "123.5", " 午餐 ", "a\r\nb");
        fx.openQuick();
        QTreeWidgetItem* row = fx.quick->Liv1->topLevelItem(0);
        QCOMPARE(row->text(0), QString());
        for (int c = 1; c <= 5; ++c)
            QCOMPARE(row->text(c),
                     (QStringList{"", "E-餐飲費", "A-現金", "123.5", " 午餐 ", "a\r\nb"}[c]));
        QVERIFY(!row->icon(0).isNull());
        QVERIFY(fx.quick->Liv1->isColumnHidden(QuickForm::IndexColumn));
    }

    void storedFilterPosition_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("by position") << "2"
                                     << "A-銀行";
        QTest::newRow("last item") << "6"
                                   << "Equity";
        QTest::newRow("past the end") << "7"
                                      << "全部";
        QTest::newRow("none chosen") << "-1"
                                     << "全部";
        QTest::newRow("not a number") << "x"
                                      << "全部";
    }
    void storedFilterPosition() {
        QFETCH(QString, stored);
        QFETCH(QString, chosen);
        QuickFixture fx;
        standard(fx);
        QVERIFY(fx.env.settings.SaveSetting("InputForm", "Combo1", stored));
        fx.openQuick();
        QCOMPARE(fx.quick->Combo1->currentText(), chosen);
    }

    void settingsRestoredAndWritten() {
        QuickFixture fx;
        standard(fx);
        QVERIFY(fx.env.settings.SaveSetting("InputForm", "LW2", "3000"));
        QVERIFY(fx.env.settings.SaveSetting("QuickForm", "Width", "12000"));
        QuickForm& w = fx.openQuick();
        QCOMPARE(w.Liv1->columnWidth(1), 200);
        QCOMPARE(w.width(), 800);
        w.ChooseFilter(3);
        w.Liv1->setColumnWidth(4, 100);
        w.close(); // by the frame
        auto get = [&](const char* section, const char* key) {
            return fx.env.settings.GetSetting(section, key);
        };
        QCOMPARE(get("InputForm", "Combo1"), QString("3"));
        QCOMPARE(get("InputForm", "LW5"), QString("1500"));
        QCOMPARE(get("InputForm", "LW2"), QString("3000"));
        QCOMPARE(get("InputForm", "LW1"), QString("300"));
        QCOMPARE(get("QuickForm", "Width"), QString("12000"));
        QVERIFY(!get("QuickForm", "Height").isEmpty());
        QVERIFY(get("QuickForm", "LW1").isEmpty()); // column widths live with the entry window
    }

    // The real road: the entry window's 快速入帳 button, a kind filter pressed on each list.
    void applyFillsEntryWindow() {
        QuickFixture fx;
        const QString longDetail(31, QChar(0x4E2D)); // 62 bytes
        fx.q("E-餐飲費", "L-信用卡", "123.5", longDetail, "x\r\ny");
        fx.open();
        fx.list("A-現金");
        QStringList first, status;
        bool buttonOn = false;
        fx.env.modal.on<QuickForm>([&](QuickForm& w) {
            w.Liv1->setCurrentItem(w.Liv1->topLevelItem(0));
            w.Command4->click();
            return w.result();
        });
        fx.env.modal.on<InputForm>([&](InputForm& f) {
            f.Command6[0]->click();  // A* on the first list
            f.Command10[1]->click(); // L* on the second
            buttonOn = f.Command2->isEnabled();
            f.Command2->click();
            for (int i = 0; i < f.Cob2->count(); ++i)
                first << f.Cob2->itemText(i);
            status << f.Cob2->currentText() << f.Cob3->currentText() << f.Command6[0]->text()
                   << f.Command10[1]->text() << f.Text2->text() << f.Combo3->currentText()
                   << f.Label13->text() << f.NoteText() << f.Label14->text() << f.Text3->text()
                   << f.Label2->text();
            f.Cmd2->click();
            return f.result();
        });
        fx.form->Data_New_Click();
        QVERIFY(buttonOn);
        QCOMPARE(fx.env.modal.shown, (QStringList{"InputForm", "QuickForm"}));
        QCOMPARE(first, (QStringList{"A-現金", "A-銀行", "L-信用卡", "I-薪水", "E-餐飲費"}));
        QCOMPARE(status, (QStringList{"E-餐飲費", "L-信用卡", "A", "L", "123.5", longDetail,
                                      "明細字數: 62 (超過上限60個字元，請縮減字數)", "x\r\ny",
                                      "備註字數: 4", "1", "支付給"}));
        QCOMPARE(fx.env.ctx.ledger.EntryCount, 1); // nothing stored
    }

    // Ctrl+click leaves the row current but no longer selected: 套用 and the moves act on no
    // row the list does not show selected.
    void commandsNeedTheRowSelected() {
        QuickFixture fx;
        standard(fx);
        QuickForm& w = fx.openQuick();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QStringList before = fx.table();
        const QRect rect = w.Liv1->visualItemRect(w.Liv1->topLevelItem(1));
        QTest::mouseClick(w.Liv1->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseClick(w.Liv1->viewport(), Qt::LeftButton, Qt::ControlModifier, rect.center());
        QVERIFY(w.Liv1->selectedItems().isEmpty());
        w.Command6->click();
        w.Command5->click();
        w.Command4->click();
        QCOMPARE(fx.table(), before);
        QVERIFY(w.isVisible()); // nothing was applied
    }

    void applyKeepsChoiceOfUnlistedAccount() {
        QuickFixture fx;
        fx.q("E-舊科目", "A-銀行", "5");
        QuickForm& w = fx.openQuick();
        fx.input->Cob2->addItems({"E-餐飲費", "I-薪水"});
        fx.input->Cob2->setCurrentIndex(1);
        fx.input->Cob3->addItems({"A-現金", "A-銀行"});
        fx.input->Cob3->setCurrentIndex(0);
        w.Liv1->setCurrentItem(w.Liv1->topLevelItem(0));
        // An item view takes a double-click after the press of the same click.
        const QPoint at = w.Liv1->visualItemRect(w.Liv1->topLevelItem(0)).center();
        QTest::mouseClick(w.Liv1->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(w.Liv1->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(fx.input->Text2->text(), QString("5"));
        QCOMPARE(fx.input->Cob2->currentText(), QString("I-薪水"));
        QCOMPARE(fx.input->Cob3->currentText(), QString("A-銀行"));
        QCOMPARE(fx.input->Text2->text(), QString("5"));
        QVERIFY(!w.isVisible());
    }

    void deleteSelectedRows() {
        QuickFixture fx;
        standard(fx);
        QuickForm& w = fx.openQuick();
        w.ChooseFilter(w.Combo1->findText("A-銀行"));
        fx.select({0});
        w.Command3->click();
        QCOMPARE(fx.table(),
                 (QStringList{"E-餐飲費|A-現金|120|午餐|", "A-銀行|L-信用卡|500|繳卡費|",
                              "E-餐飲費|Equity|1||", "A-現金|A-現金|7||"}));
        QVERIFY(fx.env.ctx.ledger.QuickEntriesChanged);
        QVERIFY(fx.form->LedgerChanged());
        // The filter stays while its account is still used; I-薪水 has left the items.
        QCOMPARE(w.Combo1->currentText(), QString("A-銀行"));
        QCOMPARE(fx.rows(QuickForm::IndexColumn), QStringList{"2"});
        QVERIFY(!fx.filterItems().contains("I-薪水"));

        // The last quick entry of the filter's account: back to 全部, by the Delete key.
        fx.select({0});
        QTest::keyClick(w.Liv1, Qt::Key_Delete);
        QCOMPARE(w.Combo1->currentText(), QString("全部"));
        QCOMPARE(fx.rows(QuickForm::IndexColumn), (QStringList{"1", "2", "3"}));
    }

    void deleteSeveralAndEverything() {
        QuickFixture fx;
        standard(fx);
        QuickForm& w = fx.openQuick();
        fx.select({1, 3, 4});
        w.MenuTools_Del->trigger();
        QCOMPARE(fx.table(),
                 (QStringList{"E-餐飲費|A-現金|120|午餐|", "A-銀行|L-信用卡|500|繳卡費|"}));
        fx.select({0, 1});
        w.Command3->click();
        QCOMPARE(fx.env.ctx.ledger.QuickEntryCount, 1);
        QCOMPARE(fx.filterItems(), QStringList{"全部"});
        QCOMPARE(w.Combo1->currentIndex(), 0);
        QCOMPARE(w.StatusText(), QString("共 0 筆記錄"));
    }

    void deleteWithoutSelectionChangesNothing() {
        QuickFixture fx;
        standard(fx);
        QuickForm& w = fx.openQuick();
        w.Liv1->clearSelection();
        w.Command3->click();
        QCOMPARE(fx.env.ctx.ledger.QuickEntryCount, 6);
        QVERIFY(!fx.changed());
    }

    void moveUnderFilter() {
        QuickFixture fx;
        standard(fx);
        QuickForm& w = fx.openQuick();
        w.ChooseFilter(w.Combo1->findText("A-現金")); // slots 1 and 5
        fx.select({0, 1});
        w.Liv1->setCurrentItem(w.Liv1->topLevelItem(1), 0, QItemSelectionModel::NoUpdate);
        w.Command5->click();
        QCOMPARE(fx.table(), (QStringList{"A-現金|A-現金|7||", "I-薪水|A-銀行|30000|薪水|",
                                          "A-銀行|L-信用卡|500|繳卡費|", "E-餐飲費|Equity|1||",
                                          "E-餐飲費|A-現金|120|午餐|"}));
        QCOMPARE(fx.rows(1), (QStringList{"A-現金", "E-餐飲費"}));
        QCOMPARE(fx.rows(QuickForm::IndexColumn), (QStringList{"1", "5"}));
        // The moved quick entry stays current and selected; the other row loses its selection.
        QCOMPARE(w.Liv1->currentItem(), w.Liv1->topLevelItem(0));
        QVERIFY(w.Liv1->topLevelItem(0)->isSelected());
        QVERIFY(!w.Liv1->topLevelItem(1)->isSelected());
        QVERIFY(fx.changed());

        // At the top nothing moves.
        fx.env.ctx.ledger.QuickEntriesChanged = false;
        w.Command5->click();
        QVERIFY(!fx.env.ctx.ledger.QuickEntriesChanged);
        // Down again restores the order.
        w.Command6->click();
        QCOMPARE(fx.table().first(), QString("E-餐飲費|A-現金|120|午餐|"));
        QCOMPARE(w.Liv1->currentItem(), w.Liv1->topLevelItem(1));
    }

    void moveKeepsOtherSelections() {
        QuickFixture fx;
        standard(fx);
        QuickForm& w = fx.openQuick();
        fx.select({4, 0});
        w.Liv1->setCurrentItem(w.Liv1->topLevelItem(2), 0, QItemSelectionModel::Select);
        w.Command6->click();
        QList<int> selected;
        for (int r = 0; r < 5; ++r)
            if (w.Liv1->topLevelItem(r)->isSelected()) selected << r;
        QCOMPARE(selected, (QList<int>{0, 3, 4}));
        QCOMPARE(w.Liv1->indexOfTopLevelItem(w.Liv1->currentItem()), 3);
    }
};

QTEST_MAIN(TestQuickForm)
#include "tst_quickform.moc"
