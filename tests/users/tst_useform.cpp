#include "support/ledgerfiles_fixture.h"
#include "users_fixture.h"

#include "support/ledgerbuilder.h"
#include "users/useform.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

// Ledger "Base" of user Amy with three accounts, a detail text and a quick entry.
void writeBase(UsersWorld& w, bool withFavorites = true) {
    // Written through a context of its own, so the ledger under test stays empty.
    AppContext other;
    other.session = w.session();
    other.session.LedgerName = "Base";
    LedgerBuilder(other.ledger)
        .account(QStringLiteral("A-現金"))
        .account(QStringLiteral("A-銀行"))
        .account(QStringLiteral("L-信用卡"))
        .account(QStringLiteral("E-餐飲費"))
        .account("Equity")
        .detailText(QStringLiteral("E-餐飲費"), QStringLiteral("午餐"))
        .quickEntry({QStringLiteral("E-餐飲費"), QStringLiteral("A-現金"), "120",
                     QStringLiteral("午餐"), ""});
    QVERIFY(LedgerBuilder::writeFolder(other));
    if (!withFavorites) QFile::remove(other.session.ledgerFolder() + "Favorites.qvd");
}

} // namespace

class UseFormTest : public QObject {
    Q_OBJECT

private slots:
    void applyToNewLedger();
    void applyRefusalKeepsWindowOpen();
    void mergeCommand();
    void mergeCapacityMessages();
};

void UseFormTest::applyToNewLedger() {
    UsersWorld w;
    w.loginAs("Amy", "abc", {"Base", "New", "Third"});
    writeBase(w);
    QStringList items;
    int selectedRow = -2;
    QString caption, label, apply, decline;
    w.env.modal.on<UseForm>([&](UseForm& f) {
        caption = f.windowTitle();
        label = f.Label1->text();
        apply = f.Command1->text();
        decline = f.Command2->text();
        for (int i = 0; i < f.List1->count(); ++i)
            items << f.List1->item(i)->text();
        selectedRow = f.List1->currentRow();
        f.Command1->click();
        return f.result();
    });
    QVERIFY(w.users->OpenLedger("New"));
    QCOMPARE(caption, QStringLiteral("套用科目"));
    QCOMPARE(label, QStringLiteral("是否要套用現有帳本的科目？"));
    QCOMPARE(apply, QStringLiteral("套用"));
    QCOMPARE(decline, QStringLiteral("不要"));
    QCOMPARE(items, QStringList({"Base", "Third"}));
    QCOMPARE(selectedRow, 0);
    const Ledger& ledger = w.env.ctx.ledger;
    QCOMPARE(accountNames(ledger),
             QStringList({"A-現金", "A-銀行", "L-信用卡", "E-餐飲費", "Equity"}));
    QCOMPARE(ledger.EntryCount, 4); // an opening entry per asset and liability account
    QCOMPARE(ledger.Entries[2].Detail.trimmed(), QStringLiteral("[銀行初值]"));
    const QString base = w.session().userFolder() + "Base/";
    const QString fresh = w.session().userFolder() + "New/";
    QCOMPARE(w.fileBytes(fresh + "Note.qvd"), w.fileBytes(base + "Note.qvd"));
    QCOMPARE(w.fileBytes(fresh + "Favorites.qvd"), w.fileBytes(base + "Favorites.qvd"));
}

void UseFormTest::applyRefusalKeepsWindowOpen() {
    UsersWorld w;
    w.loginAs("Amy", "abc", {"Base", "New"});
    writeBase(w, false);
    bool stayedOpen = false;
    w.env.modal.on<UseForm>([&](UseForm& f) {
        f.Command1->click();
        stayedOpen = f.result() == 0 && f.isVisible();
        f.Command2->click();
        return f.result();
    });
    QVERIFY(w.users->OpenLedger("New"));
    QVERIFY(stayedOpen);
    QCOMPARE(w.env.prompts.texts("warning"),
             QStringList{QStringLiteral("找不到 Base 帳本的快速入帳檔，無法套用")});
    // Nothing was copied before the refusal; declining gives the nine default accounts.
    QVERIFY(!QFileInfo::exists(w.session().userFolder() + "New/Note.qvd"));
    QCOMPARE(w.env.ctx.ledger.AccountCount, 10);
    QVERIFY(!w.session().AccountsApplied);
}

void UseFormTest::mergeCommand() {
    UsersWorld w;
    w.loginAs("Amy", "abc", {"Home", "Other", "Third"});
    w.session().LedgerName = "Home";
    LedgerBuilder(w.env.ctx.ledger).account(QStringLiteral("A-現金")).account("Equity");
    FixtureEntry e;
    e.detail = QStringLiteral("合併的");
    writeFixtureEntries(w.session().userFolder() + "Other/", {e});
    writeFixtureAccounts(w.session().userFolder() + "Other/",
                         {fixtureAccount(QStringLiteral("A-現金"), KindAsset),
                          fixtureAccount(QStringLiteral("E-餐飲費"), KindExpense)});
    QStringList items;
    QString caption;
    int selectedRow = -2;
    bool stayedOnEmptyChoice = false;
    w.env.modal.on<UseForm>([&](UseForm& f) {
        caption = f.windowTitle();
        for (int i = 0; i < f.List1->count(); ++i)
            items << f.List1->item(i)->text();
        selectedRow = f.List1->currentRow();
        f.Command1->click(); // nothing chosen yet
        stayedOnEmptyChoice = f.result() == 0 && f.isVisible();
        f.List1->setCurrentRow(0);
        f.Command1->click();
        return f.result();
    });
    w.form->File_Add->trigger();

    QCOMPARE(caption, QStringLiteral("合併帳本"));
    QCOMPARE(items, QStringList({"Other", "Third"}));
    QCOMPARE(selectedRow, -1);
    QVERIFY(stayedOnEmptyChoice);
    QCOMPARE(w.env.prompts.texts(), QStringList{QStringLiteral("合併完成，請重新開啟帳本")});
    QCOMPARE(w.env.ctx.ledger.EntryCount, 2);
    QCOMPARE(accountNames(w.env.ctx.ledger), QStringList({"A-現金", "Equity", "E-餐飲費"}));
    QVERIFY(w.form->LedgerChanged());
    QVERIFY(w.env.ctx.ledger.AccountsChanged);
    QVERIFY(w.session().AccountsApplied);
}

void UseFormTest::mergeCapacityMessages() {
    UsersWorld w;
    w.loginAs("Amy", "abc", {"Home", "Other"});
    w.session().LedgerName = "Home";
    Ledger& ledger = w.env.ctx.ledger;
    for (int i = 1; i <= Ledger::AccountCapacity; ++i)
        ledger.addAccount(fixtureAccount(QStringLiteral("E-%1").arg(i), KindExpense));
    ledger.EntryCount = Ledger::EntryCapacity;
    writeFixtureEntries(w.session().userFolder() + "Other/", {FixtureEntry(), FixtureEntry()});
    writeFixtureAccounts(
        w.session().userFolder() + "Other/",
        {fixtureAccount("E-1", KindExpense), fixtureAccount("E-new", KindExpense)});
    w.env.modal.on<UseForm>([](UseForm& f) {
        f.List1->setCurrentRow(0);
        f.Command1->click();
        return f.result();
    });
    w.form->File_Add->trigger();
    QCOMPARE(
        w.env.prompts.texts(),
        QStringList({QStringLiteral("欲合併的資料已超出30000筆上限，將只有部分資料合併成功"),
                     QStringLiteral("欲合併的科目資料已超出2000個上限，將只有部分科目合併成功"),
                     QStringLiteral("合併完成，請重新開啟帳本")}));
    QCOMPARE(w.env.prompts.shown.at(0).kind, QString("plain"));
    QCOMPARE(w.env.prompts.shown.at(0).title, QStringLiteral("注意"));
    QCOMPARE(w.env.prompts.shown.at(1).title, QStringLiteral("注意"));
    QCOMPARE(ledger.EntryCount, Ledger::EntryCapacity + 1);
}

QTEST_MAIN(UseFormTest)
#include "tst_useform.moc"
