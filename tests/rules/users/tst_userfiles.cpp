#include "platform/codec.h"
#include "rules/users/namecheck.h"
#include "rules/users/userfiles.h"
#include "store/backuppackage.h"
#include "support/ledgerfiles_fixture.h"
#include "support/testfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using NameCheck::Problem;
Q_DECLARE_METATYPE(NameCheck::Problem)

class UserFilesTest : public QObject {
    Q_OBJECT

private slots:
    void nameCheck_data();
    void nameCheck();
    void nameMessages_data();
    void nameMessages();
    void listedLedgerNames_data();
    void listedLedgerNames();

    void encodePassword_data();
    void encodePassword();
    void decodePassword_data();
    void decodePassword();
    void passwordFileRoundTrip();
    void readPasswordFile_data();
    void readPasswordFile();
    void passwordAcceptable_data();
    void passwordAcceptable();

    void writeLedgerListBytes();
    void readLedgerList_data();
    void readLedgerList();
    void missingLedgerListIsEmpty();

    void createUser();
    void createUserRefusesExisting();
};

void UserFilesTest::nameCheck_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<Problem>("ledger");
    QTest::addColumn<Problem>("user");

    QTest::newRow("plain") << "家用" << Problem::None << Problem::None;
    QTest::newRow("inner blank") << "my book" << Problem::None << Problem::None;
    QTest::newRow("empty") << "" << Problem::Empty << Problem::Empty;
    QTest::newRow("blanks") << "   " << Problem::Empty << Problem::Empty;
    QTest::newRow("dot") << "." << Problem::Reserved << Problem::Reserved;
    QTest::newRow("dotdot") << ".." << Problem::Reserved << Problem::Reserved;
    QTest::newRow("three dots") << "..." << Problem::None << Problem::None;
    QTest::newRow("parent path") << "../x" << Problem::Forbidden << Problem::Forbidden;
    QTest::newRow("backslash") << "a\\b" << Problem::Forbidden << Problem::Forbidden;
    QTest::newRow("colon") << "a:b" << Problem::Forbidden << Problem::Forbidden;
    QTest::newRow("star") << "a*" << Problem::Forbidden << Problem::Forbidden;
    QTest::newRow("question") << "a?" << Problem::Forbidden << Problem::Forbidden;
    QTest::newRow("quote") << "a\"b" << Problem::Forbidden << Problem::Forbidden;
    QTest::newRow("less") << "<a" << Problem::Forbidden << Problem::Forbidden;
    QTest::newRow("greater") << "a>" << Problem::Forbidden << Problem::Forbidden;
    QTest::newRow("bar") << "a|b" << Problem::Forbidden << Problem::Forbidden;
    QTest::newRow("comma") << "a,b" << Problem::Comma << Problem::Comma;
    QTest::newRow("tab") << "a\tb" << Problem::Control << Problem::Control;
    QTest::newRow("line break") << "a\r\nb" << Problem::Control << Problem::Control;
    QTest::newRow("U+0001") << "a\x01"
                               "b"
                            << Problem::Control << Problem::Control;
    QTest::newRow("DEL") << "a\x7f" << Problem::Control << Problem::Control;
    // A folder's character wins: its message lists the characters typed.
    QTest::newRow("slash and line break") << "a/\nb" << Problem::Forbidden << Problem::Forbidden;
    QTest::newRow("outside cp950") << "a😀" << Problem::Unsupported << Problem::Unsupported;
    // 餐 ends in the byte of a backslash: the check works on characters, not bytes.
    QTest::newRow("trail byte backslash") << "餐費" << Problem::None << Problem::None;
    QTest::newRow("20 bytes") << "一二三四五六七八九十" << Problem::None << Problem::None;
    QTest::newRow("21 bytes") << "一二三四五六七八九十a" << Problem::None << Problem::TooLong;
    QTest::newRow("100 bytes") << QString(50, QChar(u'帳')) << Problem::None << Problem::TooLong;
    QTest::newRow("101 bytes") << QString(50, QChar(u'帳')) + "a" << Problem::TooLong
                               << Problem::TooLong;
    QTest::newRow("100 Chinese characters")
        << QString(100, QChar(u'帳')) << Problem::TooLong << Problem::TooLong;
}

void UserFilesTest::nameCheck() {
    QFETCH(QString, name);
    QFETCH(Problem, ledger);
    QFETCH(Problem, user);
    QCOMPARE(NameCheck::checkLedgerName(name), ledger);
    QCOMPARE(NameCheck::checkUserName(name), user);
}

void UserFilesTest::nameMessages_data() {
    QTest::addColumn<Problem>("problem");
    QTest::addColumn<QString>("ledger");
    QTest::addColumn<QString>("user");
    QTest::newRow("none") << Problem::None << ""
                          << "";
    QTest::newRow("empty") << Problem::Empty << "您還沒輸入帳本名稱"
                           << "您還沒輸入帳號名稱";
    QTest::newRow("forbidden") << Problem::Forbidden << "帳本名稱中不可包含 \\/:*?\"<>| 字元"
                               << "帳號名稱中不可包含 \\/:*?\"<>| 字元";
    QTest::newRow("comma") << Problem::Comma << "帳本名稱中不可包含逗號「,」"
                           << "帳號名稱中不可包含逗號「,」";
    QTest::newRow("control") << Problem::Control << "帳本名稱中不可包含換行或其他控制字元"
                             << "帳號名稱中不可包含換行或其他控制字元";
    QTest::newRow("reserved") << Problem::Reserved << "帳本名稱不可以是「.」或「..」"
                              << "帳號名稱不可以是「.」或「..」";
    QTest::newRow("unsupported") << Problem::Unsupported << "帳本名稱不可以包含軟體不支援的文字!"
                                 << "帳號名稱不可以包含軟體不支援的文字!";
    QTest::newRow("too long") << Problem::TooLong << "帳本名稱最多100個字元 (一個中文字算2個字元)"
                              << "帳號名稱最多20個字元 (一個中文字算2個字元)";
}

void UserFilesTest::nameMessages() {
    QFETCH(Problem, problem);
    QFETCH(QString, ledger);
    QFETCH(QString, user);
    QCOMPARE(NameCheck::ledgerMessage(problem), ledger);
    QCOMPARE(NameCheck::userMessage(problem), user);
}

// Names read back from a list are kept whatever their length; the rest of the check holds.
void UserFilesTest::listedLedgerNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("kept");
    QTest::newRow("plain") << "家用" << true;
    QTest::newRow("longer than a typed name") << QString(100, QChar(u'帳')) << true;
    QTest::newRow("dotdot") << ".." << false;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("control") << "a\x01"
                                "b"
                             << false;
}

void UserFilesTest::listedLedgerNames() {
    QFETCH(QString, name);
    QFETCH(bool, kept);
    QCOMPARE(NameCheck::isValidLedgerName(name), kept);
}

void UserFilesTest::encodePassword_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("line");
    QTest::newRow("letters") << "abc"
                             << "006100620063";
    QTest::newRow("demo") << "583"
                          << "003500380033";
    QTest::newRow("upper-case digits") << "~Z"
                                       << "007E005A";
    // 碼 is BD 58: the trail byte is the letter X.
    QTest::newRow("chinese") << "密碼"
                             << "B14BBD58";
    QTest::newRow("outside cp950") << "a😀"
                                   << "0061003F";
}

void UserFilesTest::encodePassword() {
    QFETCH(QString, password);
    QFETCH(QString, line);
    QCOMPARE(UserFiles::encodePassword(password), line);
}

void UserFilesTest::decodePassword_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("password");
    QTest::newRow("letters") << "006100620063"
                             << "abc";
    QTest::newRow("lower-case hex") << "b14bbd58"
                                    << "密碼";
    QTest::newRow("mixed") << "0061B14B0031"
                           << "a密1";
    QTest::newRow("short last group") << "0061006263"
                                      << "abc";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("not hex") << "00610G62"
                             << "";
    QTest::newRow("sign") << "+061"
                          << "";
    QTest::newRow("blank inside") << "00 61"
                                  << "";
}

void UserFilesTest::decodePassword() {
    QFETCH(QString, line);
    QFETCH(QString, password);
    QCOMPARE(UserFiles::decodePassword(line), password);
}

void UserFilesTest::passwordFileRoundTrip() {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    QVERIFY(UserFiles::writePassword(folder, QStringLiteral("密碼abc")));
    QCOMPARE(fixtureBytes(folder + "DataBase.pwd"), QByteArray("B14BBD58006100620063\r\n"));
    QCOMPARE(UserFiles::readPassword(folder), QStringLiteral("密碼abc"));
}

void UserFilesTest::readPasswordFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("password");
    QTest::newRow("one line") << QByteArray("006100620063\r\n") << "abc";
    QTest::newRow("no line end") << QByteArray("006100620063") << "abc";
    QTest::newRow("up to a comma") << QByteArray("00610062,0063\r\n") << "ab";
    QTest::newRow("second line ignored") << QByteArray("0061\r\n0062\r\n") << "a";
    QTest::newRow("empty file") << QByteArray() << "";
    QTest::newRow("empty first line") << QByteArray("\r\n0061\r\n") << "";
    QTest::newRow("damaged") << QByteArray("zzzz\r\n") << "";
}

void UserFilesTest::readPasswordFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, password);
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    writeFixtureBytes(folder + "DataBase.pwd", bytes);
    QCOMPARE(UserFiles::readPassword(folder), password);
    QCOMPARE(UserFiles::readPassword(folder + "missing/"), QString());
}

void UserFilesTest::passwordAcceptable_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("ok");
    QTest::newRow("2") << "ab" << false;
    QTest::newRow("3") << "abc" << true;
    QTest::newRow("16") << "abcdefghijklmnop" << true;
    QTest::newRow("17") << "abcdefghijklmnopq" << false;
    QTest::newRow("symbols") << "!@#" << true;
    QTest::newRow("chinese") << "密碼我" << true;
    QTest::newRow("outside cp950") << "ab😀" << false;
}

void UserFilesTest::passwordAcceptable() {
    QFETCH(QString, password);
    QFETCH(bool, ok);
    QCOMPARE(UserFiles::isPasswordAcceptable(password), ok);
}

void UserFilesTest::writeLedgerListBytes() {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    QVERIFY(UserFiles::writeLedgerList(folder, {QStringLiteral("現金"), QStringLiteral("B")}));
    QCOMPARE(fixtureBytes(folder + "DataBase.lst"),
             Ansi::encode(QStringLiteral("現金")) + "\r\nB\r\n");
    QVERIFY(UserFiles::writeLedgerList(folder, {}));
    QCOMPARE(fixtureBytes(folder + "DataBase.lst"), QByteArray());
}

void UserFilesTest::readLedgerList_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");
    const QByteArray meal = Ansi::encode(QStringLiteral("餐費")); // trail byte 0x5C
    // Blanks trimmed; empty items, "..", slashes skipped; a last line without a line end
    // counts; a trail byte 0x5C does not split the name.
    QTest::newRow("CR LF") << QByteArray("  a  \r\n\r\n..\r\nx/y\r\n") + meal + "\r\nlast"
                           << QStringList{"a", "餐費", "last"};
    QTest::newRow("LF alone") << QByteArray("a\nb\n") + meal + "\n"
                              << QStringList{"a", "b", "餐費"};
    QTest::newRow("CR alone") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("mixed ends") << QByteArray("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("comma splits") << QByteArray("b,c\r\n") << QStringList{"b", "c"};
    QTest::newRow("quoted") << QByteArray("\"my book\"\r\n  \"b\"\r\n")
                            << QStringList{"my book", "b"};
}

void UserFilesTest::readLedgerList() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    writeFixtureBytes(folder + "DataBase.lst", bytes);
    QCOMPARE(UserFiles::readLedgerList(folder), names);
}

void UserFilesTest::missingLedgerListIsEmpty() {
    QTemporaryDir dir;
    QVERIFY(UserFiles::readLedgerList(dir.path() + "/").isEmpty());
}

void UserFilesTest::createUser() {
    QTemporaryDir dir;
    const QString root = dir.path() + "/data/"; // created on the way
    QVERIFY(UserFiles::createUser(root, QStringLiteral("小明"), QStringLiteral("abc")));
    const QString folder = root + QStringLiteral("小明/");
    QCOMPARE(fixtureBytes(folder + "DataBase.lst"), QByteArray());
    QCOMPARE(fixtureBytes(folder + "DataBase.pwd"), QByteArray("006100620063\r\n"));
    QVERIFY(TestFiles::ownerOnly(folder));
    // The password is only disguised: its file is the user's alone, as a restore writes it.
    QVERIFY(TestFiles::ownerOnly(folder + "DataBase.pwd"));
    QVERIFY(IsOwnerOnlyUserFile(UserFiles::PasswordFileName));
}

void UserFilesTest::createUserRefusesExisting() {
    QTemporaryDir dir;
    const QString root = dir.path() + "/";
    writeFixtureBytes(root + "taken", "x");
    QVERIFY(!UserFiles::createUser(root, QStringLiteral("taken"), QStringLiteral("abc")));
    QCOMPARE(fixtureBytes(root + "taken"), QByteArray("x"));
}

QTEST_GUILESS_MAIN(UserFilesTest)
#include "tst_userfiles.moc"
