// Copy, delete, tick, colour, move within a day and the sum of the selected entries.
#include <QMenu>
#include <QtTest>

#include "commandsfixture.h"
#include "windowparts/colourtable.h"

namespace {

// One entry of the tables as a comparable text: every part, note row included.
QString describe(const Ledger& l, int i) {
    const EntryCore& c = l.Entries[size_t(i)];
    const EntryNote& n = l.EntryNotes[size_t(i)];
    const EntryInvoice& v = l.EntryInvoices[size_t(i)];
    const EntryStyle& s = l.EntryStyles[size_t(i)];
    return QStringList{c.Date.text(),
                       c.Account1.trimmed(),
                       c.Account2.trimmed(),
                       QString::number(c.Amount.value()) + "/" + QString::number(c.Amount.tag()),
                       c.Detail.trimmed(),
                       QString::number(n.RemindOn),
                       QString::number(n.RemindDays),
                       n.Note.trimmed(),
                       v.InvoiceDigits.trimmed(),
                       QString::number(v.Checked),
                       s.InvoiceLetters.trimmed(),
                       QString::number(s.ColourIndex),
                       l.noteRow(i)}
        .join(u'|');
}

} // namespace

class TestRecordsChange : public QObject {
    Q_OBJECT
private slots:
    void copyAppendsSelectedEntriesInListOrder();
    void copySkipsTheCheckedFields_data();
    void copySkipsTheCheckedFields();
    void copyCapacity_data();
    void copyCapacity();
    void deleteCompactsAllFiveParts();
    void deleteAnsweredNoChangesNothing();
    void deleteKeyWithoutSelectionDoesNothing();
    void tickStoresTheMarkAndRelistingDoesNot();
    void colourSetsSelectedEntriesOnly();
    void moveWithinADay();
    void moveRefused_data();
    void moveRefused();
    void sumForAnAssetAccount();
    void sumForAnExpenseAccountAndNoSelection();
    void contextMenuDisablesSumForEquity();
};

void TestRecordsChange::copyAppendsSelectedEntriesInListOrder() {
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 12000, "午餐")
        .note(QString(70, QChar(u'長')))
        .checked()
        .colour(3)
        .remind(5);
    f.b.entry("2024/01/03", "E-交通費", "A-現金", 3000, "車票").invoice("AB", "12345678");
    f.b.entryTagged("2024/01/04", "E-餐飲費", "A-現金", TaggedNumber::fromInt32(500), "茶");
    Ledger& l = f.env.ctx.ledger;
    MainForm& w = f.open("A-現金");
    QCOMPARE(f.listedEntries(), QList<int>({1, 2, 3}));
    f.selectRows({2, 0});

    w.MenuTools_Copy->trigger();

    QCOMPARE(l.EntryCount, 6);
    // List order, not selection order: entry 1 then entry 3.
    QStringList first = describe(l, 1).split(u'|');
    QCOMPARE(first[9], QStringLiteral("-1"));
    first[9] = "0"; // the copy is never ticked
    QCOMPARE(describe(l, 4), first.join(u'|'));
    QCOMPARE(l.Entries[4].Amount.tag(), l.Entries[1].Amount.tag());
    QCOMPARE(describe(l, 5), describe(l, 3));
    QCOMPARE(l.Entries[5].Amount.tag(), quint16(TaggedNumber::Int32));
    QCOMPARE(f.selectedEntries(), QList<int>({4, 5}));
    QVERIFY(w.LedgerChanged());
    QVERIFY(w.ToolbarButton(3)->isEnabled());
}

void TestRecordsChange::copySkipsTheCheckedFields_data() {
    QTest::addColumn<int>("option"); // 0 日期, 1 金額, 2 明細, 3 備註, 4 發票號碼, 5 顏色
    QTest::addColumn<QString>("expected");
    const QString note = QString(70, QChar(u'長'));
    const QString source = "2024/01/02|E-餐飲費|A-現金|12000/5|午餐|-1|5|" + note.left(50) +
                           "|12345678|0|AB|3|" + note;
    auto with = [&](int field, const QString& value) {
        QStringList parts = source.split(u'|');
        parts[field] = value;
        return parts.join(u'|');
    };
    QTest::newRow("date") << 0 << with(0, "2024/01/15");
    QTest::newRow("amount") << 1 << with(3, "0/2");
    QTest::newRow("detail") << 2 << with(4, "");
    QTest::newRow("note") << 3 << with(7, "").replace("|AB|3|" + note, "|AB|3|");
    QTest::newRow("invoice") << 4 << with(8, "").replace("|0|AB|", "|0||");
    QTest::newRow("colour") << 5 << with(11, "0");
}

void TestRecordsChange::copySkipsTheCheckedFields() {
    QFETCH(int, option);
    QFETCH(QString, expected);
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 12000, "午餐")
        .note(QString(70, QChar(u'長')))
        .invoice("AB", "12345678")
        .checked()
        .colour(3)
        .remind(5);
    MainForm& w = f.open("A-現金");
    w.copyClearItems()[size_t(option)]->trigger();
    f.selectRows({0});

    w.MenuTools_Copy->trigger();

    QCOMPARE(describe(f.env.ctx.ledger, 2), expected);
}

void TestRecordsChange::copyCapacity_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("message");
    QTest::newRow("two copies fit") << 29998 << QString();
    QTest::newRow("one short")
        << 29999
        << QStringLiteral("剩下的資料筆數不足以容納這次的新增數量，請使用結帳功能清除舊資料!");
    QTest::newRow("full") << 30000
                          << QStringLiteral(
                                 "記錄筆數已經到達30000筆上限，請使用結帳功能清除舊資料!");
}

void TestRecordsChange::copyCapacity() {
    QFETCH(int, entries);
    QFETCH(QString, message);
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 12000, "午餐");
    f.b.entry("2024/01/03", "E-餐飲費", "A-現金", 3000, "茶");
    MainForm& w = f.open("A-現金");
    f.env.ctx.ledger.EntryCount = entries + 1;
    f.selectRows({0, 1});

    w.MenuTools_Copy->trigger();

    QCOMPARE(f.env.prompts.texts("warning"),
             message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(f.env.ctx.ledger.EntryCount, message.isEmpty() ? 30001 : entries + 1);
    QCOMPARE(w.LedgerChanged(), message.isEmpty());
}

void TestRecordsChange::deleteCompactsAllFiveParts() {
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 100, "一");
    f.b.entry("2024/01/03", "E-交通費", "A-銀行", 200, "二")
        .note(QString(60, QChar(u'二')))
        .invoice("CD", "22222222")
        .checked()
        .colour(2)
        .remind(1);
    f.b.entry("2024/01/04", "E-餐飲費", "A-現金", 300, "三").note("三備註").colour(4);
    f.b.entry("2024/01/05", "E-餐飲費", "A-現金", 400, "四").note(QString(60, QChar(u'四')));
    Ledger& l = f.env.ctx.ledger;
    const QString second = describe(l, 2);
    const QString fourth = describe(l, 4);
    MainForm& w = f.open("E-餐飲費");
    QCOMPARE(f.listedEntries(), QList<int>({1, 3, 4}));
    f.selectRows({0, 1});
    f.env.prompts.answer(Prompts::Answer::Yes);

    w.Data_Del->trigger();

    QCOMPARE(f.env.prompts.texts(), QStringList({"您確定要刪除這 2 筆資料嗎？"}));
    QCOMPARE(l.EntryCount, 3);
    QCOMPARE(describe(l, 1), second);
    QCOMPARE(describe(l, 2), fourth);
    QCOMPARE(f.listedEntries(), QList<int>({2}));
    QCOMPARE(f.selectedEntries(), QList<int>({2}));
    QVERIFY(w.LedgerChanged());

    // Deleting every listed row leaves an empty list.
    f.selectRows({0});
    f.env.prompts.answer(Prompts::Answer::Yes);
    QTest::keyClick(w.Liv1, Qt::Key_Delete);
    QCOMPARE(l.EntryCount, 2);
    QCOMPARE(f.rowCount(), 0);
    QCOMPARE(describe(l, 1), second);
}

void TestRecordsChange::deleteAnsweredNoChangesNothing() {
    CommandsFixture f;
    f.meals({"一", "二"});
    Ledger& l = f.env.ctx.ledger;
    MainForm& w = f.open("A-現金");
    f.selectRows({1});
    f.env.prompts.answer(Prompts::Answer::No);
    w.ToolbarButton(6)->trigger(); // the toolbar button runs the same command
    QCOMPARE(f.env.prompts.texts(), QStringList({"您確定要刪除這 1 筆資料嗎？"}));
    QCOMPARE(l.EntryCount, 3);
    QCOMPARE(l.Entries[2].Detail.trimmed(), QStringLiteral("二"));
    QVERIFY(!w.LedgerChanged());

    f.env.prompts.answer(Prompts::Answer::Yes); // and so does its drop-down's first item
    w.Toolbar1Button6Item1->trigger();
    QCOMPARE(l.EntryCount, 2);
}

void TestRecordsChange::deleteKeyWithoutSelectionDoesNothing() {
    CommandsFixture f;
    f.meals({"一"});
    MainForm& w = f.open("A-現金");
    f.selectRows({});
    QTest::keyClick(w.Liv1, Qt::Key_Delete);
    QVERIFY(f.env.prompts.shown.isEmpty());
    QCOMPARE(f.env.ctx.ledger.EntryCount, 2);
}

void TestRecordsChange::tickStoresTheMarkAndRelistingDoesNot() {
    CommandsFixture f;
    f.meals({"一", "二"}).checked();
    Ledger& l = f.env.ctx.ledger;
    MainForm& w = f.open("A-現金");
    QVERIFY(!w.LedgerChanged()); // filling the list set no flag

    // The check box of the first row changes (as a user's click does).
    f.row(0)->setCheckState(0, Qt::Checked);
    QCOMPARE(l.EntryInvoices[1].Checked, qint16(-1));
    QVERIFY(w.LedgerChanged());

    f.env.ctx.ledger.LedgerChangedFlag.clear();
    f.row(1)->setCheckState(0, Qt::Unchecked);
    QCOMPARE(l.EntryInvoices[2].Checked, qint16(0));
    QVERIFY(w.LedgerChanged());

    f.env.ctx.ledger.LedgerChangedFlag.clear();
    w.MenuTools_Refresh->trigger();
    QCOMPARE(f.row(0)->checkState(0), Qt::Checked);
    QVERIFY(!w.LedgerChanged());
}

void TestRecordsChange::colourSetsSelectedEntriesOnly() {
    CommandsFixture f;
    f.meals({"一", "二", "三"}, [](LedgerBuilder& entry) { entry.colour(1); });
    Ledger& l = f.env.ctx.ledger;
    MainForm& w = f.open("A-現金");
    f.selectRows({0, 2});

    w.SetColor_9->trigger();

    QCOMPARE(l.EntryStyles[1].ColourIndex, quint8(9));
    QCOMPARE(l.EntryStyles[2].ColourIndex, quint8(1));
    QCOMPARE(l.EntryStyles[3].ColourIndex, quint8(9));
    const QColor yellow = ColourTable::colour(9);
    for (int column : {4, 5, 6}) {
        QCOMPARE(f.row(0)->foreground(column).color(), yellow);
        QCOMPARE(f.row(2)->foreground(column).color(), yellow);
        QVERIFY(f.row(1)->foreground(column).color() != yellow);
    }
    QCOMPARE(f.selectedEntries(), QList<int>({1, 3}));
    QVERIFY(w.LedgerChanged());
}

void TestRecordsChange::moveWithinADay() {
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 100, "早餐")
        .note(QString(60, QChar(u'早')))
        .invoice("AB", "11111111")
        .colour(2)
        .remind(1);
    f.b.entry("2024/01/02", "E-交通費", "A-現金", 200, "車票").checked();
    Ledger& l = f.env.ctx.ledger;
    const QString one = describe(l, 1);
    const QString two = describe(l, 2);
    MainForm& w = f.open("A-現金");
    QCOMPARE(f.row(1)->checkState(0), Qt::Checked);
    const QStringList lowerTexts = [&] {
        QStringList t;
        for (int c = 0; c <= 6; ++c)
            t << f.row(1)->text(c);
        return t;
    }();
    f.selectRows({1});

    w.MenuTools_Up->trigger();

    QCOMPARE(describe(l, 1), two);
    QCOMPARE(describe(l, 2), one);
    for (int c = 0; c <= 6; ++c)
        QCOMPARE(f.row(0)->text(c), lowerTexts[c]);
    QCOMPARE(f.listedEntries(), QList<int>({1, 2})); // the numbers stay with their positions
    QCOMPARE(f.row(0)->checkState(0), Qt::Checked);
    QCOMPARE(f.row(1)->checkState(0), Qt::Unchecked);
    QCOMPARE(l.EntryInvoices[1].Checked, qint16(-1)); // exchanging the marks set nothing
    QCOMPARE(l.EntryInvoices[2].Checked, qint16(0));
    QCOMPARE(f.selectedEntries(), QList<int>({1}));
    QVERIFY(w.LedgerChanged());

    // The toolbar's 下移 moves it back.
    w.ToolbarButton(24)->trigger();
    QCOMPARE(describe(l, 1), one);
    QCOMPARE(describe(l, 2), two);
    QCOMPARE(f.selectedEntries(), QList<int>({2}));
}

void TestRecordsChange::moveRefused_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("up");
    QTest::newRow("up on the first row") << 0 << true;
    QTest::newRow("down on the last row") << 2 << false;
    QTest::newRow("neighbour of another date") << 1 << false;
}

void TestRecordsChange::moveRefused() {
    QFETCH(int, row);
    QFETCH(bool, up);
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 100, "一");
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 200, "二");
    f.b.entry("2024/01/03", "E-餐飲費", "A-現金", 300, "三");
    Ledger& l = f.env.ctx.ledger;
    MainForm& w = f.open("A-現金");
    f.selectRows({row});
    (up ? w.MenuTools_Up : w.MenuTools_Down)->trigger();
    QCOMPARE(l.Entries[1].Detail.trimmed(), QStringLiteral("一"));
    QCOMPARE(l.Entries[2].Detail.trimmed(), QStringLiteral("二"));
    QCOMPARE(l.Entries[3].Detail.trimmed(), QStringLiteral("三"));
    QVERIFY(!w.LedgerChanged());
    QVERIFY(f.env.prompts.shown.isEmpty());
}

void TestRecordsChange::sumForAnAssetAccount() {
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "I-薪資", "A-現金", 125000, "薪水");
    f.b.entry("2024/01/03", "A-銀行", "A-現金", 30000, "存款");
    f.b.entry("2024/01/04", "A-現金", "A-現金", 700, "自己");
    f.b.entry("2024/01/05", "E-餐飲費", "A-現金", 999, "未選");
    MainForm& w = f.open("A-現金");
    QCOMPARE(w.ListedAccount, QStringLiteral("A-現金"));
    f.selectRows({0, 1});

    w.MenuTools_Cal->trigger();

    const QString crlf = "\r\n";
    QCOMPARE(f.env.prompts.shown.size(), 1);
    QCOMPARE(f.env.prompts.shown[0].kind, QStringLiteral("plain"));
    QCOMPARE(f.env.prompts.shown[0].text,
             "您所選擇記錄的金額計算如下：" + crlf + crlf + "資產轉移(轉入)：0.00" + crlf +
                 "資產轉移(轉出)：300.00" + crlf + "差額：-300.00" + crlf + crlf +
                 "收入總合：1,250.00" + crlf + "支出總合：0.00" + crlf + "結餘：1,250.00");

    // An entry with the listed account on both sides counts in and out.
    f.env.prompts.clear();
    const int self = f.listedEntries().indexOf(3);
    f.selectRows({self});
    w.MenuTools_Cal->trigger();
    QVERIFY(f.env.prompts.shown[0].text.contains("資產轉移(轉入)：7.00" + crlf +
                                                 "資產轉移(轉出)：7.00"));
}

void TestRecordsChange::sumForAnExpenseAccountAndNoSelection() {
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 12000, "一");
    f.b.entry("2024/01/03", "E-餐飲費", "A-銀行", 8000, "二");
    MainForm& w = f.open("E-餐飲費");
    f.selectRows({});
    w.MenuTools_Cal->trigger();
    QVERIFY(f.env.prompts.shown.isEmpty());

    f.selectRows({0, 1});
    w.MenuTools_Cal->trigger();
    QCOMPARE(f.env.prompts.texts("information"), QStringList({"您所選擇記錄的金額總合是：200.00"}));
}

void TestRecordsChange::contextMenuDisablesSumForEquity() {
    CommandsFixture f;
    f.accounts();
    MainForm& w = f.open("Equity");
    w.Liv1_MouseUp(Qt::RightButton, QPoint(10, 10));
    QVERIFY(!w.MenuTools_Cal->isEnabled());
    w.Menu_MenuTools->hide();
    f.select("A-現金");
    w.show();
    QTest::mouseClick(w.Liv1->viewport(), Qt::RightButton, {},
                      QPoint(5, 5)); // the release pops it up
    QVERIFY(w.MenuTools_Cal->isEnabled());
    QVERIFY(w.Menu_MenuTools->isVisible());
    w.Menu_MenuTools->hide();
}

QTEST_MAIN(TestRecordsChange)
#include "tst_records_change.moc"
