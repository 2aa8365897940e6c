#include <QtTest>

#include "rules/schedule/memodue.h"
#include "rules/schedule/memofiles.h"
#include "support/testfiles.h"

// Memo.dat and Fixed.dat: exact bytes, empty tables, compaction, damaged files and failing
// writes; then the memo due rules on tables built in memory.
class TestMemoFiles : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void exactBytes();
    void roundTripKeepsOrderAndTexts();
    void emptyTablesRemoveFiles();
    void compaction();
    void damagedFilesKeptAsBad_data();
    void damagedFilesKeptAsBad();
    void failedWriteKeepsOldFile();
    void linkedFileIsReplacedNotWrittenThrough_data();
    void linkedFileIsReplacedNotWrittenThrough();
    void memoDue_data();
    void memoDue();
    void recurrenceTexts();

private:
    QString folder() const { return m_dir.path() + "/"; }
    QTemporaryDir m_dir;
};

void TestMemoFiles::exactBytes() {
    MemoBook book;
    book.addMemo({"2024/05/06", -1, 3, "abc"});
    book.addFixedMemo({3, "6", 0, "x"});
    QVERIFY(SaveMemoFile(book, folder()));
    QVERIFY(SaveFixedMemoFile(book, folder()));

    const QByteArray memo = TestFiles::get(folder() + "Memo.dat");
    QCOMPARE(memo.size(), 224);
    QCOMPARE(memo.left(10), QByteArray("2024/05/06"));
    QCOMPARE(memo.mid(10, 4), QByteArray("\xFF\xFF\x03\x00", 4));
    QCOMPARE(memo.mid(14, 100), QByteArray("abc") + QByteArray(97, ' '));

    const QByteArray fixed = TestFiles::get(folder() + "Fixed.dat");
    QCOMPARE(fixed.size(), 214);
    QCOMPARE(fixed.left(8), QByteArray("\x03"
                                       "6    \x00\x00",
                                       8));
    QCOMPARE(fixed.mid(8, 100), QByteArray("x") + QByteArray(99, ' '));
}

void TestMemoFiles::roundTripKeepsOrderAndTexts() {
    MemoBook book;
    const QString sixty = QString(60, QChar(0x9910)); // 60 Chinese characters
    book.addMemo({"2024/05/06", 0, 0, "first"});
    book.addMemo({"2024/05/07", -1, 2, sixty});
    book.addFixedMemo({1, "05/06", 4, "yearly"});
    book.addFixedMemo({2, "32", 1, "month end"});
    QVERIFY(SaveMemoFile(book, folder()));
    QVERIFY(SaveFixedMemoFile(book, folder()));

    MemoBook read;
    LoadMemoFiles(read, folder());
    QCOMPARE(read.MemoCount, 3);
    QCOMPARE(read.Memos[1].Text, QString("first"));
    QCOMPARE(read.Memos[2].Text, sixty.left(50)); // the file keeps the first 100 bytes
    QCOMPARE(read.Memos[2].RemindDays, qint16(2));
    QCOMPARE(read.FixedMemoCount, 3);
    QCOMPARE(read.FixedMemos[1].When, QString("05/06"));
    QCOMPARE(read.FixedMemos[2].When, QString("32"));
    QVERIFY(read.UnreadFiles.isEmpty());
    // Saving what was read writes the same bytes again.
    const QByteArray before = TestFiles::get(folder() + "Memo.dat");
    QVERIFY(SaveMemoFile(read, folder()));
    QCOMPARE(TestFiles::get(folder() + "Memo.dat"), before);
}

void TestMemoFiles::emptyTablesRemoveFiles() {
    MemoBook book;
    book.addMemo({"2024/05/06", 0, 0, "a"});
    QVERIFY(SaveMemoFile(book, folder()));
    QVERIFY(QFile::exists(folder() + "Memo.dat"));
    book.Memos[1].Date = "DeleteData";
    book.compactMemos();
    QVERIFY(SaveMemoFile(book, folder()));
    QVERIFY(SaveFixedMemoFile(book, folder()));
    QVERIFY(!QFile::exists(folder() + "Memo.dat"));
    QVERIFY(!QFile::exists(folder() + "Fixed.dat"));
    MemoBook read;
    LoadMemoFiles(read, folder());
    QCOMPARE(read.MemoCount, 1);
    QCOMPARE(read.FixedMemoCount, 1);
}

void TestMemoFiles::compaction() {
    MemoBook book;
    for (int i = 1; i <= 5; ++i)
        book.addMemo({"2024/05/0" + QString::number(i), 0, 0, QString::number(i)});
    book.Memos[2].Date = "DeleteData";
    book.Memos[4].Date = "DeleteData";
    book.compactMemos();
    QCOMPARE(book.MemoCount, 4);
    QCOMPARE(book.Memos[1].Text + book.Memos[2].Text + book.Memos[3].Text, QString("135"));

    for (int i = 1; i <= 3; ++i)
        book.addFixedMemo({quint8(i), "01", 0, QString::number(i)});
    book.FixedMemos[1].Period = 0;
    book.compactFixedMemos();
    QCOMPARE(book.FixedMemoCount, 3);
    QCOMPARE(book.FixedMemos[1].Text, QString("2"));
}

void TestMemoFiles::damagedFilesKeptAsBad_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("count");
    QByteArray slot = QByteArray("2024/05/06") + QByteArray(214, ' ');
    QTest::newRow("partial slot") << slot + QByteArray(10, 'x') << 2;
    QTest::newRow("more than 200 memos") << slot.repeated(201) << 201;
}

void TestMemoFiles::damagedFilesKeptAsBad() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, count);
    TestFiles::put(folder() + "Memo.dat", bytes);
    MemoBook book;
    LoadMemoFiles(book, folder());
    QCOMPARE(book.MemoCount, count);
    QCOMPARE(book.UnreadFiles, QStringList{"Memo.dat"});
    QVERIFY(SaveMemoFile(book, folder()));
    QCOMPARE(TestFiles::get(folder() + "Memo.dat.bad"), bytes);
    QCOMPARE(TestFiles::get(folder() + "Memo.dat").size(), (count - 1) * 224);
}

void TestMemoFiles::failedWriteKeepsOldFile() {
    // A folder standing where the file should go: the write fails and reports it.
    QVERIFY(QDir(folder()).mkpath("Fixed.dat"));
    MemoBook book;
    book.addFixedMemo({3, "1", 0, "x"});
    QVERIFY(!SaveFixedMemoFile(book, folder()));
    QVERIFY(QFileInfo(folder() + "Fixed.dat").isDir());

    // An old file stays whole when the new one cannot be written.
    book.addMemo({"2024/05/06", 0, 0, "old"});
    QVERIFY(SaveMemoFile(book, folder()));
    const QByteArray old = TestFiles::get(folder() + "Memo.dat");
    QFile::setPermissions(folder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    book.Memos[1].Text = "new";
    const bool saved = SaveMemoFile(book, folder());
    QFile::setPermissions(folder(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (geteuid() == 0) QSKIP("root writes into read-only folders");
    QVERIFY(!saved);
    QCOMPARE(TestFiles::get(folder() + "Memo.dat"), old);
}

// A memo file that is a link to a file elsewhere: the save puts the memos in the user
// folder in the link's place; the file the link led to keeps its bytes.
void TestMemoFiles::linkedFileIsReplacedNotWrittenThrough_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("Memo.dat") << QString("Memo.dat");
    QTest::newRow("Fixed.dat") << QString("Fixed.dat");
}

void TestMemoFiles::linkedFileIsReplacedNotWrittenThrough() {
    QFETCH(QString, file);
    QTemporaryDir user, elsewhere;
    const QString folder = user.path() + "/";
    const QString outside = elsewhere.filePath("outside.txt");
    TestFiles::put(outside, "not a memo");
    QVERIFY(QFile::link(outside, folder + file));
    MemoBook book;
    book.addMemo({"2024/05/06", 0, 0, "a"});
    book.addFixedMemo({3, "1", 0, "x"});
    QVERIFY(file == "Memo.dat" ? SaveMemoFile(book, folder) : SaveFixedMemoFile(book, folder));
    QVERIFY(!QFileInfo(folder + file).isSymLink());
    QCOMPARE(TestFiles::get(folder + file),
             file == "Memo.dat" ? MemoFileBytes(book) : FixedMemoFileBytes(book));
    QCOMPARE(TestFiles::get(outside), QByteArray("not a memo"));
}

void TestMemoFiles::memoDue_data() {
    QTest::addColumn<int>("period"); // 0 a one-off memo dated `when`
    QTest::addColumn<QString>("when");
    QTest::addColumn<int>("lead");
    QTest::addColumn<QString>("today");
    QTest::addColumn<bool>("due");
    QTest::newRow("one-off, lead start") << 0 << "2026/05/10" << 3 << "2026/05/07" << true;
    QTest::newRow("one-off, before lead") << 0 << "2026/05/10" << 3 << "2026/05/06" << false;
    QTest::newRow("one-off, day after") << 0 << "2026/05/10" << 3 << "2026/05/11" << false;
    QTest::newRow("one-off, negative lead") << 0 << "2026/05/10" << -1 << "2026/05/10" << false;
    QTest::newRow("monthly 31 in April") << 2 << "31" << 0 << "2026/04/30" << false;
    QTest::newRow("month end, lead 2") << 2 << "32" << 2 << "2026/04/28" << true;
    QTest::newRow("month end, lead 2, early") << 2 << "32" << 2 << "2026/04/27" << false;
    QTest::newRow("day 01, lead 5, month before") << 2 << "01" << 5 << "2026/04/28" << false;
    QTest::newRow("day 01 on the day") << 2 << "01" << 5 << "2026/05/01" << true;
    QTest::newRow("yearly 01/02, lead 5, Dec") << 1 << "01/02" << 5 << "2025/12/30" << false;
    QTest::newRow("yearly 01/02, lead 5, Jan 1") << 1 << "01/02" << 5 << "2026/01/01" << true;
    QTest::newRow("yearly 02/29, common year") << 1 << "02/29" << 0 << "2026/02/28" << false;
    QTest::newRow("yearly 02/29, leap year") << 1 << "02/29" << 0 << "2024/02/29" << true;
    QTest::newRow("weekly Sunday") << 3 << "0" << 0 << "2026/12/13" << true;
    QTest::newRow("weekly Sunday, lead ignored") << 3 << "0" << 3 << "2026/12/12" << false;
}

void TestMemoFiles::memoDue() {
    QFETCH(int, period);
    QFETCH(QString, when);
    QFETCH(int, lead);
    QFETCH(QString, today);
    QFETCH(bool, due);
    MemoBook book;
    if (period == 0) {
        book.addMemo({when, 0, 0, "off"}); // reminder off: never due
        book.addMemo({when, -1, qint16(lead), " on "});
    } else {
        book.addFixedMemo({quint8(period), when, qint16(lead), "fixed"});
    }
    const auto rows = DueMemoReminders(book, QDate::fromString(today, "yyyy/MM/dd"));
    QCOMPARE(rows.size(), size_t(due ? 1 : 0));
    if (due && period == 0) {
        QCOMPARE(rows[0].index, 2);
        QCOMPARE(rows[0].clock, 1);
        QCOMPARE(rows[0].text, QString("on"));
    }
    if (due && period != 0) QCOMPARE(rows[0].index, 0);
}

void TestMemoFiles::recurrenceTexts() {
    QCOMPARE(RecurrenceText({1, "05/06", 0, {}}), QString("每年 05/06"));
    QCOMPARE(RecurrenceText({2, "05", 0, {}}), QString("每月 05 日"));
    QCOMPARE(RecurrenceText({2, "32", 0, {}}), QString("每月 月底"));
    QCOMPARE(RecurrenceText({3, "6", 0, {}}), QString("每週六"));
    QCOMPARE(RecurrenceText({3, "0", 0, {}}), QString("每週日"));
    QCOMPARE(WeekdayCharacter(QDate(2026, 12, 9)), QString("三"));
}

QTEST_GUILESS_MAIN(TestMemoFiles)
#include "tst_memofiles.moc"
