// The detail-text editor's commands on its working list, without the window.
#include <QtTest>

#include "rules/setup/detailtextlist.h"

using DetailTextList::Outcome;

Q_DECLARE_METATYPE(DetailTextList::Outcome)

namespace {
QString item(const QString& account, const QString& text) {
    return account + QChar(0x0001) + text;
}

// Texts of three accounts interleaved, as a table grown over time looks.
QStringList table() {
    return {item("未分類", "早餐"), item("E-餐飲費", "午餐"), item("未分類", "午餐"),
            item("A-現金", "提款"), item("E-餐飲費", "晚餐"), item("E-餐飲費", "宵夜")};
}

// The table with items i and j exchanged, or one replaced, or one appended.
QStringList swapped(int i, int j) {
    QStringList t = table();
    t.swapItemsAt(i, j);
    return t;
}
QStringList replaced(int i, const QString& with) {
    QStringList t = table();
    t[i] = with;
    return t;
}
QStringList removed(int i) {
    QStringList t = table();
    t.removeAt(i);
    return t;
}
QStringList appended(const QString& with) {
    return table() << with;
}

QStringList filled(int n) {
    QStringList t;
    for (int i = 0; i < n; ++i)
        t << item("未分類", QString::number(i));
    return t;
}

Outcome run(const QString& command, QStringList& list, const QString& account, const QString& text,
            const QString& other) {
    if (command == "add") return DetailTextList::add(list, account, text);
    if (command == "rename") return DetailTextList::rename(list, account, text, other);
    if (command == "remove") return DetailTextList::remove(list, account, text);
    if (command == "exchange") return DetailTextList::exchange(list, account, text, other);
    if (command == "copy") return DetailTextList::copy(list, account, text, other);
    if (command == "move") return DetailTextList::move(list, account, text, other);
    qFatal("unknown command");
}
} // namespace

class TestDetailTextList : public QObject {
    Q_OBJECT
private slots:
    void commands_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("other"); // new text, neighbour or target account
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QStringList>("after");

        QTest::newRow("add appends at the end of the table")
            << "add"
            << "A-現金"
            << "存款"
            << "" << Outcome::Done << appended(item("A-現金", "存款"));
        QTest::newRow("add of a text the account has is refused")
            << "add"
            << "E-餐飲費"
            << "晚餐"
            << "" << Outcome::Exists << table();
        QTest::newRow("add of another account's text is accepted")
            << "add"
            << "A-現金"
            << "午餐"
            << "" << Outcome::Done << appended(item("A-現金", "午餐"));
        QTest::newRow("add compares exactly (a blank makes another text)")
            << "add"
            << "E-餐飲費"
            << "晚餐 "
            << "" << Outcome::Done << appended(item("E-餐飲費", "晚餐 "));

        QTest::newRow("rename in place")
            << "rename"
            << "E-餐飲費"
            << "晚餐"
            << "消夜" << Outcome::Done << replaced(4, item("E-餐飲費", "消夜"));
        QTest::newRow("rename onto an existing text leaves two")
            << "rename"
            << "E-餐飲費"
            << "晚餐"
            << "午餐" << Outcome::Done << replaced(4, item("E-餐飲費", "午餐"));
        QTest::newRow("rename of a text not in the list") << "rename"
                                                          << "A-現金"
                                                          << "早餐"
                                                          << "x" << Outcome::NotFound << table();

        QTest::newRow("remove") << "remove"
                                << "未分類"
                                << "午餐"
                                << "" << Outcome::Done << removed(2);
        QTest::newRow("remove matches the account too") << "remove"
                                                        << "A-現金"
                                                        << "午餐"
                                                        << "" << Outcome::NotFound << table();

        QTest::newRow("up across texts of other accounts")
            << "exchange"
            << "E-餐飲費"
            << "晚餐"
            << "午餐" << Outcome::Done << swapped(1, 4);
        QTest::newRow("down to the neighbour") << "exchange"
                                               << "E-餐飲費"
                                               << "晚餐"
                                               << "宵夜" << Outcome::Done << swapped(4, 5);
        QTest::newRow("exchange with a missing neighbour")
            << "exchange"
            << "E-餐飲費"
            << "晚餐"
            << "早餐" << Outcome::NotFound << table();

        QTest::newRow("copy appends under the target")
            << "copy"
            << "未分類"
            << "早餐"
            << "E-餐飲費" << Outcome::Done << appended(item("E-餐飲費", "早餐"));
        QTest::newRow("copy to an account that has the text")
            << "copy"
            << "未分類"
            << "午餐"
            << "E-餐飲費" << Outcome::Exists << table();
        QTest::newRow("copy onto the same account") << "copy"
                                                    << "A-現金"
                                                    << "提款"
                                                    << "A-現金" << Outcome::SameAccount << table();

        QTest::newRow("move keeps the table position")
            << "move"
            << "未分類"
            << "早餐"
            << "E-餐飲費" << Outcome::Done << replaced(0, item("E-餐飲費", "早餐"));
        QTest::newRow("move makes no duplicate test")
            << "move"
            << "未分類"
            << "午餐"
            << "E-餐飲費" << Outcome::Done << replaced(2, item("E-餐飲費", "午餐"));
        QTest::newRow("move onto the same account") << "move"
                                                    << "A-現金"
                                                    << "提款"
                                                    << "A-現金" << Outcome::SameAccount << table();
    }
    void commands() {
        QFETCH(QString, command);
        QFETCH(QString, account);
        QFETCH(QString, text);
        QFETCH(QString, other);
        QFETCH(Outcome, outcome);
        QFETCH(QStringList, after);
        QStringList list = table();
        QCOMPARE(run(command, list, account, text, other), outcome);
        QCOMPARE(list, after);
    }

    void duplicatesActOnTheFirst() {
        // Two equal items after a rename: delete and rename reach the first in table order.
        QStringList list = {item("A-現金", "x"), item("E-餐飲費", "y"), item("A-現金", "x")};
        QCOMPARE(DetailTextList::rename(list, "A-現金", "x", "z"), Outcome::Done);
        QCOMPARE(list,
                 (QStringList{item("A-現金", "z"), item("E-餐飲費", "y"), item("A-現金", "x")}));
        list = {item("A-現金", "x"), item("E-餐飲費", "y"), item("A-現金", "x")};
        QCOMPARE(DetailTextList::remove(list, "A-現金", "x"), Outcome::Done);
        QCOMPARE(list, (QStringList{item("E-餐飲費", "y"), item("A-現金", "x")}));
    }

    void capacity_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("size");
        QTest::addColumn<Outcome>("outcome");
        QTest::newRow("add at 999") << "add" << 999 << Outcome::Done;
        QTest::newRow("add at 1000") << "add" << 1000 << Outcome::Full;
        QTest::newRow("copy at 999") << "copy" << 999 << Outcome::Done;
        QTest::newRow("copy at 1000") << "copy" << 1000 << Outcome::Full;
        QTest::newRow("move at 1000 adds nothing") << "move" << 1000 << Outcome::Done;
    }
    void capacity() {
        QFETCH(QString, command);
        QFETCH(int, size);
        QFETCH(Outcome, outcome);
        QStringList list = filled(size);
        // "5" is a text of 未分類 here; added to A-現金 it is new there.
        const QString account = command == "add" ? "A-現金" : "未分類";
        QCOMPARE(run(command, list, account, "5", "A-現金"), outcome);
        QCOMPARE(list.size(), qMin(command == "move" ? size : size + 1, 1000));
        QVERIFY(list.size() <= 1000);
    }

    void textsOfAnAccount() {
        QStringList list = table();
        list << "未分類" << item("", "無科目") << item("E-餐飲費", QString("a") + QChar(1) + "b");
        QCOMPARE(DetailTextList::textsOf(list, "E-餐飲費"),
                 (QStringList{"午餐", "晚餐", "宵夜", "a"}));
        QCOMPARE(DetailTextList::textsOf(list, "未分類"), (QStringList{"早餐", "午餐"}));
        QCOMPARE(DetailTextList::textsOf(list, "E-餐飲"), QStringList());
        QCOMPARE(DetailTextList::countText(3, list), QString("3 / 9"));
        QCOMPARE(DetailTextList::countText(0, {}), QString("0 / 0"));
    }
};

QTEST_MAIN(TestDetailTextList)
#include "tst_detailtextlist.moc"
