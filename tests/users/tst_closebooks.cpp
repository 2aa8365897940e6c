// Closing of books: entries before the date fold into opening entries, balances stay exact,
// the removed entries can go into a new ledger first, and the window's questions.
#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "mainwin/commandsfixture.h"
#include "platform/fileio.h"
#include "rules/users/closebooks.h"
#include "rules/users/userfiles.h"
#include "store/balances.h"
#include "store/ledgerfiles.h"
#include "store/linefiles.h"
#include "store/loadledger.h"
#include "store/recordfile.h"
#include "users/payoffform.h"

namespace {

const QString Asked = QStringLiteral(
    "結帳日期為：2024/03/01\r\n\r\n請輸入新帳本名稱，結帳所刪除的資料將存入此帳本。");
const QString Confirm = QStringLiteral("結帳日期為：2024/03/01\r\n\r\n確定結帳嗎？");
const QString Done = QStringLiteral("資料結帳完成");

QStringList entryDates(const Ledger& l) {
    QStringList dates;
    for (int i = 1; i < l.EntryCount; ++i)
        dates << l.Entries[size_t(i)].Date.text();
    return dates;
}

// Opening entries as "account amount/tag", from entry `from` on.
QStringList openings(const Ledger& l, int from) {
    QStringList out;
    for (int i = from; i < l.EntryCount; ++i) {
        const TaggedNumber& a = l.Entries[size_t(i)].Amount;
        out << l.Entries[size_t(i)].Account1.trimmed() + " " + QString::number(a.value()) + "/" +
                   QString::number(a.tag());
    }
    return out;
}

// Accounts in table order: Equity, two assets, a liability, income and expense.
void accounts(LedgerBuilder& b) {
    b.account("Equity")
        .account("A-現金")
        .account("A-銀行")
        .account("L-信用卡")
        .account("I-薪資")
        .account("E-餐飲費");
}

// Around the first of March: the last day of February goes, the first of March stays.
void history(LedgerBuilder& b) {
    b.entry("2024/01/05", "A-現金", "Equity", 100000, "開帳");
    b.entry("2024/02/10", "E-餐飲費", "A-現金", 12000, "午餐")
        .note("早\"午\"餐”")
        .invoice("AB", "12345678");
    b.entry("2024/02/29", "A-銀行", "I-薪資", 500000, "薪水").checked().colour(3);
    b.entry("2024/02/29", "E-餐飲費", "L-信用卡", 30000, "晚餐")
        .note(QString(60, QChar(u'長')) + "\"”");
    b.entry("2024/03/01", "E-餐飲費", "A-現金", 5000, "早餐").remind(2);
    b.entry("2024/03/20", "L-信用卡", "A-銀行", 30000, "繳卡費");
}

} // namespace

class TestCloseBooks : public QObject {
    Q_OBJECT
private slots:
    void foldsHistoryIntoOpeningEntries();
    void openingAmountKeepsTheSumsType_data();
    void openingAmountKeepsTheSumsType();
    void earlierDateAndSecondClosing();
    void roomForOpeningsChecked_data();
    void roomForOpeningsChecked();
    void noRoomWarnsFirst_data();
    void noRoomWarnsFirst();
    void closedLedgerFiles();
    void closedLedgerTakesTheSavedAccounts();
    void appendsToTheLedgerList();

    void windowAsOpened();
    void closingIntoNewLedger();
    void newLedgerNameRefusals();
    void failedNewLedgerLeavesLedgerOpen();
    void untickingAsksAndClosingWithoutCopy();
};

void TestCloseBooks::foldsHistoryIntoOpeningEntries() {
    Ledger ledger;
    Session session;
    LedgerBuilder b(ledger);
    accounts(b);
    history(b);
    const QString marchKey = "20240301";
    QList<double> before;
    for (int a = 2; a <= 4; ++a)
        before << AccountBalanceTo(ledger, session, a, marchKey);
    const QString kept =
        ledger.entry(5).core.Detail.trimmed() + ledger.entry(6).core.Detail.trimmed();

    const ClosingResult r = CloseBooks(ledger, QDate(2024, 3, 1));

    QCOMPARE(r.removed, 4);
    QCOMPARE(r.openings, 3);
    QCOMPARE(entryDates(ledger),
             QStringList({"2024/03/01", "2024/03/20", "2024/03/01", "2024/03/01", "2024/03/01"}));
    QCOMPARE(ledger.entry(1).core.Detail.trimmed() + ledger.entry(2).core.Detail.trimmed(), kept);
    QCOMPARE(ledger.EntryNotes[1].RemindDays, qint16(2));
    QCOMPARE(openings(ledger, 3),
             QStringList({"A-現金 88000/5", "A-銀行 500000/5", "L-信用卡 30000/5"}));
    for (int i = 3; i <= 5; ++i) {
        const LedgerEntry e = ledger.entry(i);
        QCOMPARE(e.core.Account2.trimmed(), QStringLiteral("Equity"));
        QCOMPARE(e.core.Detail.trimmed(), QStringLiteral("[初值]"));
        QCOMPARE(e.note.RemindOn, qint16(0));
        QCOMPARE(e.note.RemindDays, qint16(0));
        QCOMPARE(e.note.Note.trimmed(), QString());
        QCOMPARE(e.noteRow, QString());
        QCOMPARE(e.invoice.Checked, qint16(0));
        QCOMPARE(e.style.ColourIndex, quint8(0));
    }
    // Assets and liabilities end the day as before; income and expense count from the date on.
    for (int a = 2; a <= 4; ++a)
        QCOMPARE(AccountBalanceTo(ledger, session, a, marchKey), before[a - 2]);
    QCOMPARE(AccountBalanceTo(ledger, session, 5, "20241231"), 0.0);
    QCOMPARE(AccountBalanceTo(ledger, session, 6, "20241231"), 5000.0);
}

// The opening amounts are the exact stored sums, whether or not the ledger shows decimals.
void TestCloseBooks::openingAmountKeepsTheSumsType_data() {
    QTest::addColumn<QList<TaggedNumber>>("amounts");
    QTest::addColumn<QString>("dotState");
    QTest::addColumn<TaggedNumber>("expected");
    using T = TaggedNumber;
    QTest::newRow("no entry") << QList<T>{} << "1" << T::fromInt16(0);
    QTest::newRow("no entry, decimals hidden") << QList<T>{} << "0" << T::fromInt16(0);
    QTest::newRow("doubles") << QList<T>{T::fromDouble(150), T::fromDouble(250)} << "1"
                             << T::fromDouble(400);
    QTest::newRow("converted whole numbers")
        << QList<T>{T::fromInt32(100000), T::fromInt32(200)} << "1" << T::fromInt32(100200);
    QTest::newRow("mixed") << QList<T>{T::fromInt32(100), T::fromDouble(5)} << "1"
                           << T::fromDouble(105);
    QTest::newRow("16-bit ones") << QList<T>{T::fromInt16(100), T::fromInt16(20)} << "1"
                                 << T::fromInt16(120);
    QTest::newRow("16-bit sum too large")
        << QList<T>{T::fromInt16(30000), T::fromInt16(30000)} << "1" << T::fromInt32(60000);
    QTest::newRow("cents kept, decimals hidden")
        << QList<T>{T::fromDouble(199), T::fromDouble(199)} << "0" << T::fromDouble(398);
    QTest::newRow("whole number type, decimals hidden")
        << QList<T>{T::fromInt32(150)} << "0" << T::fromInt32(150);
    QTest::newRow("balance of zero still counted")
        << QList<T>{T::fromDouble(100), T::fromDouble(-100)} << "1" << T::fromDouble(0);
}

void TestCloseBooks::openingAmountKeepsTheSumsType() {
    QFETCH(QList<TaggedNumber>, amounts);
    QFETCH(QString, dotState);
    QFETCH(TaggedNumber, expected);
    CommandsFixture f;
    f.env.ctx.session.DotState = dotState;
    f.b.account("Equity").account("A-現金").account("E-餐飲費");
    for (const TaggedNumber& a : amounts)
        f.b.entryTagged("2024/02/01", "A-現金", "Equity", a);
    f.b.entryTagged("2024/03/01", "A-現金", "Equity",
                    TaggedNumber::fromDouble(7)); // from the date on: not counted
    MainForm& w = f.open("A-現金");
    f.env.prompts.answer(Prompts::Answer::Yes); // unticked
    f.env.prompts.answer(Prompts::Answer::Yes); // closing confirmed
    f.env.modal.on<PayoffForm>([](PayoffForm& p) {
        p.DTPicker1->setDate(QDate(2024, 3, 1));
        p.Check1->click();
        p.Command1->click();
        return p.result();
    });
    w.Data_Payoff->trigger();

    const Ledger& ledger = f.env.ctx.ledger;
    QCOMPARE(ledger.EntryCount, 3);
    const TaggedNumber got = ledger.Entries[2].Amount;
    QCOMPARE(ledger.Entries[2].Detail.trimmed(), QStringLiteral("[初值]"));
    QCOMPARE(got.tag(), expected.tag());
    QCOMPARE(got.value(), expected.value());
}

void TestCloseBooks::earlierDateAndSecondClosing() {
    Ledger ledger;
    LedgerBuilder b(ledger);
    accounts(b);
    b.entry("2024/03/05", "E-餐飲費", "A-現金", 5000);

    ClosingResult r = CloseBooks(ledger, QDate(2024, 1, 1));
    QCOMPARE(r.removed, 0);
    QCOMPARE(openings(ledger, 2), QStringList({"A-現金 0/2", "A-銀行 0/2", "L-信用卡 0/2"}));
    QCOMPARE(entryDates(ledger).mid(1), QStringList(3, "2024/01/01"));

    // The same date again: the first openings stay (dated on it), a second set of zeros follows.
    r = CloseBooks(ledger, QDate(2024, 1, 1));
    QCOMPARE(r.removed, 0);
    QCOMPARE(ledger.EntryCount, 8);
    QCOMPARE(openings(ledger, 5), QStringList({"A-現金 0/2", "A-銀行 0/2", "L-信用卡 0/2"}));
}

// Entries from the date on plus one opening entry per asset and liability account (three
// here) must fit the table, or the closing changes nothing.
void TestCloseBooks::roomForOpeningsChecked_data() {
    QTest::addColumn<int>("later");   // entries dated on the closing date
    QTest::addColumn<int>("earlier"); // entries dated before it
    QTest::addColumn<bool>("fits");
    QTest::newRow("room for all three") << Ledger::EntryCapacity - 3 << 0 << true;
    QTest::newRow("room for two") << Ledger::EntryCapacity - 2 << 0 << false;
    QTest::newRow("full") << Ledger::EntryCapacity << 0 << false;
    QTest::newRow("removal makes room") << Ledger::EntryCapacity - 5 << 5 << true;
    QTest::newRow("removal not enough") << Ledger::EntryCapacity - 2 << 2 << false;
}

void TestCloseBooks::roomForOpeningsChecked() {
    QFETCH(int, later);
    QFETCH(int, earlier);
    QFETCH(bool, fits);
    Ledger ledger;
    LedgerBuilder b(ledger);
    accounts(b);
    LedgerEntry e = ledger.entry(1);
    e.core.Account1.set("E-餐飲費");
    e.core.Account2.set("A-現金");
    e.core.Amount = TaggedNumber::fromDouble(100);
    e.core.Date.set("2024/04/30");
    for (int i = 0; i < earlier; ++i)
        QVERIFY(ledger.addEntry(e));
    e.core.Date.set("2024/05/01");
    for (int i = 0; i < later; ++i)
        QVERIFY(ledger.addEntry(e));

    QCOMPARE(ClosingFits(ledger, QDate(2024, 5, 1)), fits);
    const ClosingResult r = CloseBooks(ledger, QDate(2024, 5, 1));
    QCOMPARE(r.removed, fits ? earlier : 0);
    QCOMPARE(r.openings, fits ? 3 : 0);
    QCOMPARE(ledger.EntryCount, fits ? later + 3 + 1 : later + earlier + 1);
    QCOMPARE(ledger.Entries[1].Date.text(),
             QString(fits || earlier == 0 ? "2024/05/01" : "2024/04/30"));
}

// The window warns before any question or name prompt, and nothing changes.
void TestCloseBooks::noRoomWarnsFirst_data() {
    QTest::addColumn<bool>("copy");
    QTest::newRow("into a new ledger") << true;
    QTest::newRow("without a copy") << false;
}

void TestCloseBooks::noRoomWarnsFirst() {
    QFETCH(bool, copy);
    CommandsFixture f;
    f.accounts();
    LedgerEntry e = f.env.ctx.ledger.entry(1);
    e.core.Date.set("2024/05/01");
    e.core.Account1.set("E-餐飲費");
    e.core.Account2.set("A-現金");
    e.core.Amount = TaggedNumber::fromDouble(100);
    while (f.env.ctx.ledger.EntryCount <= Ledger::EntryCapacity)
        QVERIFY(f.env.ctx.ledger.addEntry(e));
    MainForm& w = f.open("A-現金");
    if (!copy) f.env.prompts.answer(Prompts::Answer::Yes); // unticked
    bool open = false;
    f.env.modal.on<PayoffForm>([&](PayoffForm& p) {
        p.DTPicker1->setDate(QDate(2024, 5, 1));
        if (!copy) p.Check1->click();
        p.Command1->click();
        open = p.isVisible();
        return p.result();
    });
    w.Data_Payoff->trigger();
    QVERIFY(open);
    QStringList expected{"剩下的資料筆數不足以容納結帳後的初值記錄，請選擇較晚的結帳日期!"};
    if (!copy) expected.prepend("這樣結帳後的資料將被永遠刪除，確定嗎？");
    QCOMPARE(f.env.prompts.texts(), expected);
    QCOMPARE(f.env.prompts.texts("warning").size(), 1);
    QCOMPARE(f.env.ctx.ledger.EntryCount, Ledger::EntryCapacity + 1);
    QVERIFY(!w.LedgerChanged());
}

void TestCloseBooks::closedLedgerFiles() {
    TestEnv env;
    env.makeLedger("Amy", "Home");
    LedgerBuilder b(env.ctx.ledger);
    accounts(b);
    history(b);
    QVERIFY(LedgerBuilder::writeFolder(env.ctx));
    const QString folder = env.ctx.session.userFolder() + "Old/";
    QVERIFY(QDir().mkpath(folder));

    QVERIFY(WriteClosedLedger(env.ctx.ledger, env.ctx.session, folder, "20240301"));

    QCOMPARE(QDir(folder).entryList(QDir::Files),
             QStringList({"Accounts.qvd", "Main.qvd", "Main1.qvd", "Main2.qvd", "Main2a.qvd",
                          "Main3.qvd"}));
    const QByteArray main = FileIO::readFile(folder + "Main.qvd").value();
    QCOMPARE(RecordFile::recordsIn<EntryCore>(main), 4);
    QCOMPARE(LineFiles::readNoteRows(FileIO::readFile(folder + "Main3.qvd").value()).size(), 4);
    QCOMPARE(FileIO::readFile(folder + "Main2a.qvd").value().size(), 4 * RecordFile::Main2aSlot);

    // Opened as a ledger, it holds the four entries whole, escaped notes read back unchanged.
    AppContext other;
    other.session = env.ctx.session;
    other.session.LedgerName = "Old";
    QVERIFY(LoadLedger(other));
    QCOMPARE(other.ledger.EntryCount, 5);
    for (int i = 1; i <= 4; ++i) {
        const LedgerEntry got = other.ledger.entry(i);
        const LedgerEntry want = env.ctx.ledger.entry(i);
        QCOMPARE(got.core.Date.text(), want.core.Date.text());
        QCOMPARE(got.core.Detail.trimmed(), want.core.Detail.trimmed());
        QCOMPARE(got.core.Amount.value(), want.core.Amount.value());
        QCOMPARE(got.invoice.InvoiceDigits.trimmed(), want.invoice.InvoiceDigits.trimmed());
        QCOMPARE(got.style.ColourIndex, want.style.ColourIndex);
        QCOMPARE(other.ledger.fullNote(i), env.ctx.ledger.fullNote(i));
    }
    QCOMPARE(other.ledger.fullNote(4), QString(60, QChar(u'長')) + "\"”");

    // Nothing before the date: the ledger is made with empty entry files.
    const QString empty = env.ctx.session.userFolder() + "Empty/";
    QVERIFY(QDir().mkpath(empty));
    QVERIFY(WriteClosedLedger(env.ctx.ledger, env.ctx.session, empty, "20240101"));
    QCOMPARE(FileIO::readFile(empty + "Main.qvd").value(), QByteArray());
    QCOMPARE(FileIO::readFile(empty + "Main3.qvd").value(), QByteArray());
}

void TestCloseBooks::closedLedgerTakesTheSavedAccounts() {
    TestEnv env;
    env.makeLedger("Amy", "Home");
    LedgerBuilder b(env.ctx.ledger);
    accounts(b);
    const QString folder = env.ctx.session.userFolder() + "Old/";
    QVERIFY(QDir().mkpath(folder));

    // Never saved: no account file to copy.
    QVERIFY(WriteClosedLedger(env.ctx.ledger, env.ctx.session, folder, "20240301"));
    QVERIFY(!QFileInfo::exists(folder + "Accounts.qvd"));

    QVERIFY(LedgerBuilder::writeFolder(env.ctx));
    const QByteArray saved =
        FileIO::readFile(LedgerFiles::path(env.ctx.session, LedgerFiles::Accounts)).value();
    b.account("A-郵局"); // added since the save: not in the copy
    QVERIFY(WriteClosedLedger(env.ctx.ledger, env.ctx.session, folder, "20240301"));
    QCOMPARE(FileIO::readFile(folder + "Accounts.qvd").value(), saved);
}

void TestCloseBooks::appendsToTheLedgerList() {
    QTemporaryDir tmp;
    const QString user = tmp.path() + "/";
    QVERIFY(AppendLedgerName(user, "First"));
    QVERIFY(FileIO::writeFileSafely(user + "DataBase.lst",
                                    "Home\r\nTrip")); // last line without its end
    QVERIFY(AppendLedgerName(user, "舊帳"));
    QCOMPARE(FileIO::readFile(user + "DataBase.lst").value(),
             QByteArray("Home\r\nTrip\r\n") + Ansi::encode("舊帳") + "\r\n");
    QCOMPARE(UserFiles::readLedgerList(user), QStringList({"Home", "Trip", "舊帳"}));
}

// ---- The window -----------------------------------------------------------------------

void TestCloseBooks::windowAsOpened() {
    CommandsFixture f;
    f.accounts();
    f.env.clock.setToday(QDate(2024, 6, 7));
    MainForm& w = f.open(QString());
    QVERIFY(w.Data_Payoff->isEnabled());
    f.env.modal.on<PayoffForm>([](PayoffForm& p) {
        const bool asLoaded =
            p.windowTitle() == QStringLiteral("結帳") && p.DTPicker1->date() == QDate(2024, 6, 7) &&
            p.Check1->isChecked() && p.Command2->isDefault() && !p.Command1->isDefault() &&
            p.Label1->text() ==
                QStringLiteral(
                    "請輸入日期，程式將會刪除這日期之前的交易記錄，並重新計算資產及負債的餘額。") &&
            p.Check1->text() == QStringLiteral("結帳後刪除的資料另存至新帳本");
        p.Command2->click();
        return asLoaded ? p.result() : -1;
    });
    w.Data_Payoff->trigger();
    QCOMPARE(f.env.modal.shown, QStringList({"PayoffForm"}));
    QVERIFY(f.env.prompts.shown.isEmpty());
    QCOMPARE(f.env.ctx.ledger.EntryCount, 1);
}

void TestCloseBooks::closingIntoNewLedger() {
    CommandsFixture f;
    f.accounts();
    history(f.b);
    QVERIFY(LedgerBuilder::writeFolder(f.env.ctx));
    const QString user = f.env.ctx.session.userFolder();
    QVERIFY(UserFiles::writeLedgerList(user, {"Home"}));
    MainForm& w = f.open("A-現金");

    f.env.prompts.answerText(QStringLiteral("2024,上半"));
    bool closed = false;
    f.env.modal.on<PayoffForm>([&](PayoffForm& p) {
        p.DTPicker1->setDate(QDate(2024, 3, 1));
        p.Command1->click();
        closed = !p.isVisible();
        return p.result();
    });
    w.Data_Payoff->trigger();

    QVERIFY(closed);
    // No yes/no question with the box ticked: the name takes its place.
    QCOMPARE(f.env.prompts.texts(), QStringList({Asked, Done}));
    QCOMPARE(f.env.prompts.shown.first().kind, QStringLiteral("input"));
    QCOMPARE(UserFiles::readLedgerList(user), QStringList({"Home", "2024上半"}));
    QCOMPARE(RecordFile::recordsIn<EntryCore>(FileIO::readFile(user + "2024上半/Main.qvd").value()),
             4);
    QCOMPARE(entryDates(f.env.ctx.ledger).size(), 2 + 3);
    // The open ledger changed in memory only; the list shows the account's opening entry last.
    QCOMPARE(RecordFile::recordsIn<EntryCore>(
                 FileIO::readFile(f.env.ctx.session.ledgerFolder() + "Main.qvd").value()),
             6);
    QCOMPARE(f.column(1), QStringList({"2024/03/01", "2024/03/01"}));
    QCOMPARE(f.selectedRows(), QList<EntryListRowRef>({f.row(1)}));
    QCOMPARE(f.nodeText("A-現金"), QStringLiteral("現金: 830.00"));
    QVERIFY(w.LedgerChanged());
}

void TestCloseBooks::newLedgerNameRefusals() {
    CommandsFixture f;
    f.accounts();
    history(f.b);
    const QString user = f.env.ctx.session.userFolder();
    QVERIFY(UserFiles::writeLedgerList(user, {"Home"}));
    QVERIFY(FileIO::writeFileSafely(user + "note.txt", "x"));
    MainForm& w = f.open("A-現金");
    const QByteArray list = FileIO::readFile(user + "DataBase.lst").value();

    // A ledger, then a plain file of that name: asked again each time; then the cancel.
    f.env.prompts.answerText(QStringLiteral("Home"));
    f.env.prompts.answerText(QStringLiteral("note.txt"));
    f.env.prompts.answerText(std::nullopt);
    // Then a name that cannot be a folder: refused, and the command ends.
    f.env.prompts.answerText(QStringLiteral("a/b"));
    // And one too long for a folder: refused with the limit.
    f.env.prompts.answerText(QString(100, QChar(u'帳')));
    bool openAfter = false;
    f.env.modal.on<PayoffForm>([&](PayoffForm& p) {
        p.DTPicker1->setDate(QDate(2024, 3, 1));
        p.Command1->click();
        p.Command1->click();
        p.Command1->click();
        openAfter =
            p.isVisible() && p.DTPicker1->date() == QDate(2024, 3, 1) && p.Check1->isChecked();
        p.Command2->click();
        return p.result();
    });
    w.Data_Payoff->trigger();

    const QString exists = QStringLiteral("帳本已存在，請輸入其他名稱。");
    QCOMPARE(f.env.prompts.texts(),
             QStringList({Asked, exists, Asked, exists, Asked, Asked,
                          QStringLiteral("帳本名稱中不可包含 \\/:*?\"<>| 字元"), Asked,
                          QStringLiteral("帳本名稱最多100個字元 (一個中文字算2個字元)")}));
    QCOMPARE(f.env.prompts.pendingAnswers(), 0);
    QVERIFY(openAfter);
    QCOMPARE(QDir(user).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList({"Home"}));
    QCOMPARE(FileIO::readFile(user + "DataBase.lst").value(), list);
    QCOMPARE(f.env.ctx.ledger.EntryCount, 7);
    QVERIFY(!w.LedgerChanged());
}

void TestCloseBooks::failedNewLedgerLeavesLedgerOpen() {
    CommandsFixture f;
    f.accounts();
    history(f.b);
    const QString user = f.env.ctx.session.userFolder();
    // A list that cannot be rewritten: the copy cannot be recorded.
    QVERIFY(QDir().mkpath(user + "DataBase.lst"));
    MainForm& w = f.open("A-現金");
    f.env.prompts.answerText(QStringLiteral("Old"));
    bool openAfter = false;
    f.env.modal.on<PayoffForm>([&](PayoffForm& p) {
        p.DTPicker1->setDate(QDate(2024, 3, 1));
        p.Command1->click();
        openAfter = p.isVisible();
        p.Command2->click();
        return p.result();
    });
    w.Data_Payoff->trigger();

    QCOMPARE(f.env.prompts.texts("warning"), QStringList({"新帳本寫入失敗，結帳已取消。"}));
    QVERIFY(!f.env.prompts.texts().contains(Done));
    QVERIFY(openAfter);
    QVERIFY(!QFileInfo::exists(user + "Old"));
    QCOMPARE(f.env.ctx.ledger.EntryCount, 7);
    QVERIFY(!w.LedgerChanged());
}

void TestCloseBooks::untickingAsksAndClosingWithoutCopy() {
    CommandsFixture f;
    f.accounts();
    history(f.b);
    const QString user = f.env.ctx.session.userFolder();
    MainForm& w = f.open("A-現金");
    const QString lostForever = QStringLiteral("這樣結帳後的資料將被永遠刪除，確定嗎？");
    f.env.prompts.answer(Prompts::Answer::No);  // unticking refused: ticked again
    f.env.prompts.answer(Prompts::Answer::Yes); // unticked
    f.env.prompts.answer(Prompts::Answer::No);  // closing declined
    f.env.prompts.answer(Prompts::Answer::Yes); // unticked again after ticking
    f.env.prompts.answer(Prompts::Answer::Yes); // closing confirmed
    QList<bool> ticks;
    int entriesAfterDecline = 0;
    f.env.modal.on<PayoffForm>([&](PayoffForm& p) {
        p.DTPicker1->setDate(QDate(2024, 3, 1));
        p.Check1->click();
        ticks << p.Check1->isChecked();
        p.Check1->click();
        ticks << p.Check1->isChecked();
        p.Command1->click();
        entriesAfterDecline = f.env.ctx.ledger.EntryCount;
        ticks << p.isVisible();
        p.Check1->click(); // ticking asks nothing
        p.Check1->click();
        ticks << p.Check1->isChecked();
        p.Command1->click();
        ticks << p.isVisible();
        return p.result();
    });
    w.Data_Payoff->trigger();

    QCOMPARE(ticks, QList<bool>({true, false, true, false, false}));
    QCOMPARE(f.env.prompts.pendingAnswers(), 0);
    // Nothing was kept elsewhere: the user folder holds only the open ledger.
    QCOMPARE(QDir(user).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList({"Home"}));
    QCOMPARE(entryDates(f.env.ctx.ledger).size(), 2 + 3);
    QVERIFY(w.LedgerChanged());
    QCOMPARE(entriesAfterDecline, 7);
    QCOMPARE(f.env.prompts.texts(),
             QStringList({lostForever, lostForever, Confirm, lostForever, Confirm, Done}));
}

QTEST_MAIN(TestCloseBooks)
#include "tst_closebooks.moc"
