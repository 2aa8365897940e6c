// Every list whose click handler shows the chosen item, driven by real mouse clicks on the
// item's rectangle and by arrow keys: the window shows the item the list has selected, at
// once, with no box; the first click, a click on another item and a key all count.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

#include "mainwin/mainform_fixture.h"
#include "online/numberform.h"
#include "online/numberlistform.h"
#include "schedule/fixureform.h"
#include "schedule/memoform.h"
#include "setup/accountform.h"
#include "setup/noteform.h"
#include "setup/setform.h"

namespace {

// One list of one window: what the window shows for the chosen item, and what it should
// show for each row.
struct ListCase {
    MainFormFixture f;
    std::unique_ptr<QWidget> window;
    std::unique_ptr<QWidget> owner; // a window the listed one needs open beneath it
    QAbstractItemView* list = nullptr;
    std::function<QString()> shown;
    QStringList wanted;
};

void accounts(LedgerBuilder& b) {
    for (const char* name : {"A-現金", "A-銀行", "E-交通費", "E-交通費.公車", "E-餐飲費", "Equity"})
        b.account(QString::fromUtf8(name));
}

std::unique_ptr<ListCase> makeCase(const QString& name) {
    auto c = std::make_unique<ListCase>();
    MainFormFixture& f = c->f;
    AppContext& ctx = f.env.ctx;
    if (name == "account editor") {
        accounts(f.b);
        auto* w = new AccountForm(ctx);
        c->window.reset(w);
        c->list = w->List1;
        // The own name and whether 刪除 may act: the fields follow the selection.
        c->shown = [w] { return w->Cob1->currentText() + (w->Cmd2->isEnabled() ? "" : " fixed"); };
        c->wanted = {"現金 fixed", "銀行", "交通費", "公車", "餐飲費", "Equity fixed"};
    } else if (name == "detail-text accounts") {
        accounts(f.b);
        f.b.detailText("未分類", "早餐")
            .detailText("A-銀行", "轉帳")
            .detailText("E-交通費", "公車票");
        f.b.detailText("E-交通費", "捷運");
        auto* w = new NoteForm(ctx);
        c->window.reset(w);
        c->list = w->List3;
        c->shown = [w] { return w->ListedTexts().join('|'); };
        c->wanted = {"早餐", "", "轉帳", "公車票|捷運", "", ""};
    } else if (name == "settings pages") {
        f.open();
        auto* w = new SetForm(ctx, *f.form);
        c->window.reset(w);
        c->list = w->List1;
        c->shown = [w] { return w->Label3->text(); };
        c->wanted = {"設定程式啟動後的動作", "一般設定",
                     "設定儲存資料時的動作", "科目欄的位置、寬度等相關設定",
                     "設定數字的顯示方式",   "日期的相關設定",
                     "預算的相關設定"};
    } else if (name == "invoice list") {
        f.open();
        auto* lottery = new NumberForm(*f.form);
        c->owner.reset(lottery);
        lottery->Liv2.Invoices = {
            {"2024/01/05", "11111111"}, {"2024/02/06", "22222222"}, {"2024/03/07", "AB33333333"}};
        auto* w = new NumberListForm(*f.form, *lottery);
        c->window.reset(w);
        c->list = w->Liv1;
        c->shown = [w] { return w->Text1->text(); };
        c->wanted = {"11111111", "22222222", "AB33333333"};
    } else if (name == "memos" || name == "recurring memos") {
        auto* w = new MemoForm(ctx);
        c->window.reset(w);
        const bool fixed = name == "recurring memos";
        for (const char* text : {"牙醫", "繳費", "聚餐"}) {
            (fixed ? w->Text3 : w->Text1)->setText(QString::fromUtf8(text));
            (fixed ? w->Command5 : w->Command1)->click();
        }
        (fixed ? w->Text3 : w->Text1)->clear();
        c->list = fixed ? w->Liv2 : w->Liv1;
        c->list->clearSelection();
        c->shown = [w, fixed] { return (fixed ? w->Text3 : w->Text1)->text(); };
        c->wanted = {"牙醫", "繳費", "聚餐"};
    } else if (name == "recurring records") {
        accounts(f.b);
        f.b.recurring(1, "05", "E-交通費", "A-現金", 1000, "月票");
        f.b.recurring(1, "06", "E-餐飲費", "A-銀行", 2000, "便當");
        f.b.recurring(1, "07", "E-交通費.公車", "A-現金", 3000, "儲值");
        f.open();
        auto* w = new FixureForm(*f.form);
        c->window.reset(w);
        c->list = w->Liv1;
        c->shown = [w] { return w->Text3->text() + '|' + w->Combo3[0]->currentText(); };
        c->wanted = {"月票|E-交通費", "便當|E-餐飲費", "儲值|E-交通費.公車"};
    }
    return c;
}

QModelIndex rowIndex(QAbstractItemView* list, int row) {
    return list->model()->index(row, 0);
}

void click(QAbstractItemView* list, int row, Qt::KeyboardModifiers modifiers = {}) {
    const QModelIndex index = rowIndex(list, row);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      list->visualRect(index).center());
}

} // namespace

class TestListChoices : public QObject {
    Q_OBJECT
private slots:
    void shownItemFollowsMouseAndKeys_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        // Rows chosen so that every step changes what the window shows.
        QTest::newRow("account editor") << "account editor" << 1 << 3;
        QTest::newRow("detail-text accounts") << "detail-text accounts" << 2 << 0;
        QTest::newRow("settings pages") << "settings pages" << 3 << 1;
        QTest::newRow("invoice list") << "invoice list" << 2 << 0;
        QTest::newRow("memos") << "memos" << 2 << 0;
        QTest::newRow("recurring memos") << "recurring memos" << 2 << 0;
        QTest::newRow("recurring records") << "recurring records" << 2 << 0;
    }

    void shownItemFollowsMouseAndKeys() {
        QFETCH(QString, list);
        QFETCH(int, first);
        QFETCH(int, second);
        const auto c = makeCase(list);
        QVERIFY(c->list);
        c->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(c->window.get()));
        c->f.env.prompts.clear();
        const QStringList& wanted = c->wanted;

        click(c->list, first);
        QCOMPARE(c->shown(), wanted.at(first));
        click(c->list, second);
        QCOMPARE(c->shown(), wanted.at(second));
        QTest::keyClick(c->list, Qt::Key_Down);
        QCOMPARE(c->shown(), wanted.at(second + 1));
        QTest::keyClick(c->list, Qt::Key_Down);
        QCOMPARE(c->shown(), wanted.at(second + 2));
        QTest::keyClick(c->list, Qt::Key_Up);
        QCOMPARE(c->shown(), wanted.at(second + 1));
        // A click on the item already chosen shows it again.
        click(c->list, first);
        QCOMPARE(c->shown(), wanted.at(first));
        QCOMPARE(c->f.env.prompts.texts(), QStringList());
    }
};

QTEST_MAIN(TestListChoices)
#include "tst_listchoices.moc"
