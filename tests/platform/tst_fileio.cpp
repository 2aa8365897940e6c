#include "platform/fileio.h"

#include "platform/codec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestFileIO : public QObject {
    Q_OBJECT
private slots:
    void safeWriteReplacesWholeFile();
    void safeWriteKeepsOldFileWhenWriteFails();
    void privateWriteIsOwnerOnly();
    void safeWriteReplacesALink_data();
    void safeWriteReplacesALink();
    void safeWriteKeepsTheRightsOfTheOldFile();
    void records();
    void lines();
    void quotedFields_data();
    void quotedFields();
    void quotedRecordRoundTrip();
    void folderListingSkipsHidden();
};

void TestFileIO::safeWriteReplacesWholeFile() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.dat"));
    QVERIFY(FileIO::writeFileSafely(file, QByteArray("long old content")));
    QVERIFY(FileIO::writeFileSafely(file, QByteArray("new")));
    QCOMPARE(FileIO::readFile(file), std::optional<QByteArray>(QByteArray("new")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.dat")});
    QVERIFY(!FileIO::readFile(dir.filePath(QStringLiteral("missing"))).has_value());
}

void TestFileIO::safeWriteKeepsOldFileWhenWriteFails() {
    QTemporaryDir dir;
    // The target's folder is a plain file: no temporary file can be made beside the target.
    const QString blocker = dir.filePath(QStringLiteral("sub"));
    QVERIFY(FileIO::writeFileSafely(blocker, QByteArray("old")));
    QVERIFY(!FileIO::writeFileSafely(blocker + QStringLiteral("/x.dat"), QByteArray("new")));
    QCOMPARE(FileIO::readFile(blocker), std::optional<QByteArray>(QByteArray("old")));

    // A folder in the target's place: the rename cannot replace it, nothing is lost.
    const QString target = dir.filePath(QStringLiteral("target"));
    QVERIFY(QDir().mkpath(target));
    QVERIFY(FileIO::writeFileSafely(target + QStringLiteral("/inner.dat"), QByteArray("kept")));
    QVERIFY(!FileIO::writeFileSafely(target, QByteArray("new")));
    QVERIFY(QFileInfo(target).isDir());
    QCOMPARE(FileIO::readFile(target + QStringLiteral("/inner.dat")),
             std::optional<QByteArray>(QByteArray("kept")));
    // No temporary file is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             (QStringList{QStringLiteral("sub"), QStringLiteral("target")}));
}

void TestFileIO::privateWriteIsOwnerOnly() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("login.dat"));
    const mode_t old = umask(0); // a permissive umask must not widen the file
    QVERIFY(FileIO::writeFileSafely(file, QByteArray("old")));
    QVERIFY(QFileInfo(file).permissions() & QFileDevice::ReadOther);
    const bool written = FileIO::writePrivateFileSafely(file, QByteArray("secret"));
    umask(old);
    QVERIFY(written);
    QCOMPARE(FileIO::readFile(file), std::optional<QByteArray>(QByteArray("secret")));
    // Owner, group and others; the "user" bits repeat the owner's for the running user.
    const QFileDevice::Permissions rights(0x7077);
    QCOMPARE(QFileInfo(file).permissions() & rights,
             QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// A link where the file belongs is replaced by the new file; what it pointed to, a file
// in another folder or nothing at all, stays as it was.
void TestFileIO::safeWriteReplacesALink_data() {
    QTest::addColumn<bool>("dangling");
    QTest::addColumn<bool>("ownerOnly");
    QTest::newRow("link to a file elsewhere") << false << false;
    QTest::newRow("dangling link") << true << false;
    QTest::newRow("owner-only file, link to a file elsewhere") << false << true;
    QTest::newRow("owner-only file, dangling link") << true << true;
}

void TestFileIO::safeWriteReplacesALink() {
    QFETCH(bool, dangling);
    QFETCH(bool, ownerOnly);
    QTemporaryDir folder, elsewhere;
    const QString outside = elsewhere.filePath(QStringLiteral("outside.dat"));
    if (!dangling) QVERIFY(FileIO::writeFileSafely(outside, QByteArray("outside")));
    const QString file = folder.filePath(QStringLiteral("a.dat"));
    QVERIFY(QFile::link(outside, file));

    const QByteArray bytes("new content");
    QVERIFY(ownerOnly ? FileIO::writePrivateFileSafely(file, bytes)
                      : FileIO::writeFileSafely(file, bytes));
    const QFileInfo written(file);
    QVERIFY(!written.isSymLink());
    QVERIFY(written.isFile());
    QCOMPARE(FileIO::readFile(file), std::optional<QByteArray>(bytes));
    if (dangling)
        QVERIFY(!QFileInfo::exists(outside));
    else
        QCOMPARE(FileIO::readFile(outside), std::optional<QByteArray>(QByteArray("outside")));
    QCOMPARE(
        QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        dangling ? QStringList() : QStringList{QStringLiteral("outside.dat")});
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("a.dat")});
}

void TestFileIO::safeWriteKeepsTheRightsOfTheOldFile() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.dat"));
    QVERIFY(FileIO::writeFileSafely(file, QByteArray("old")));
    const QFileDevice::Permissions rights =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther;
    QVERIFY(QFile::setPermissions(file, rights));
    QVERIFY(FileIO::writeFileSafely(file, QByteArray("new")));
    const QFileDevice::Permissions all(0x7077);
    QCOMPARE(QFileInfo(file).permissions() & all, rights);
}

void TestFileIO::records() {
    const QByteArray file("AAAABBBBCC"); // two whole slots of 4 and a partial one
    QCOMPARE(FileIO::recordCount(file, 4), 2);
    QCOMPARE(FileIO::record(file, 4, 1), QByteArrayView("AAAA"));
    QCOMPARE(FileIO::record(file, 4, 2), QByteArrayView("BBBB"));
    QVERIFY(FileIO::record(file, 4, 3).isEmpty());
    QVERIFY(FileIO::record(file, 4, 0).isEmpty());
}

void TestFileIO::lines() {
    const QStringList lines{QStringLiteral("早餐"), QString(), QStringLiteral("x\\y")};
    const QByteArray bytes = FileIO::joinLines(lines);
    QCOMPARE(bytes, Ansi::encode(QStringLiteral("早餐\r\n\r\nx\\y\r\n")));
    QCOMPARE(FileIO::splitLines(bytes), lines);
    // A last line without CR LF counts; no lines in an empty file.
    QCOMPARE(FileIO::splitLines(QByteArray("a\r\nb")), (QStringList{"a", "b"}));
    QCOMPARE(FileIO::splitLines(QByteArray()), QStringList());
}

void TestFileIO::quotedFields_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("quoted") << QByteArray("\"a\",\"b\"\r\n\"c\"\r\n") << QStringList{"a", "b", "c"};
    QTest::newRow("comma and break inside quotes")
        << QByteArray("\"a,b\",\"line1\r\nline2\"\r\n") << QStringList{"a,b", "line1\r\nline2"};
    QTest::newRow("unquoted, blanks skipped")
        << QByteArray("  12 , abc,\"q\"\r\n3") << QStringList{"12", "abc", "q", "3"};
    QTest::newRow("empty fields") << QByteArray("\"\",,\"x\"") << QStringList{"", "", "x"};
    QTest::newRow("encoded") << Ansi::encode(QStringLiteral("\"餐\",\"現金\"\r\n"))
                             << QStringList{QStringLiteral("餐"), QStringLiteral("現金")};
    QTest::newRow("comma at line end: empty last field, next line stays a record")
        << QByteArray("\"a\",\r\n\"b\", \r\n\"c\",") << QStringList{"a", "", "b", "", "c", ""};
    QTest::newRow("blank lines between records")
        << QByteArray("\"a\"\r\n\r\n\"b\"\r\n") << QStringList{"a", "b"};
    QTest::newRow("missing closing quote") << QByteArray("\"abc") << QStringList{"abc"};
    QTest::newRow("empty file") << QByteArray() << QStringList();
}

void TestFileIO::quotedFields() {
    QFETCH(QByteArray, file);
    QFETCH(QStringList, fields);
    FileIO::QuotedFieldReader reader(file);
    QStringList read;
    while (auto field = reader.next())
        read.append(*field);
    QCOMPARE(read, fields);
    QVERIFY(reader.atEnd());
}

void TestFileIO::quotedRecordRoundTrip() {
    const QStringList fields{QStringLiteral("餐,費"), QString(), QStringLiteral("x")};
    const QByteArray bytes = FileIO::quotedRecord(fields);
    QCOMPARE(bytes, Ansi::encode(QStringLiteral("\"餐,費\",\"\",\"x\"\r\n")));
    FileIO::QuotedFieldReader reader(bytes);
    QStringList read;
    while (auto field = reader.next())
        read.append(*field);
    QCOMPARE(read, fields);
}

void TestFileIO::folderListingSkipsHidden() {
    QTemporaryDir dir;
    for (const char* sub : {"b", "A", ".hidden"})
        QVERIFY(QDir(dir.path()).mkdir(QString::fromLatin1(sub)));
    for (const char* f : {"z.txt", ".x", "c.dat"})
        QVERIFY(FileIO::writeFileSafely(dir.filePath(QString::fromLatin1(f)), "1"));
    QCOMPARE(FileIO::subFolders(dir.path()), (QStringList{"A", "b"}));
    QCOMPARE(FileIO::plainFiles(dir.path() + "/"), (QStringList{"c.dat", "z.txt"}));
    QCOMPARE(FileIO::subFolders(dir.filePath(QStringLiteral("none"))), QStringList());
}

QTEST_GUILESS_MAIN(TestFileIO)
#include "tst_fileio.moc"
