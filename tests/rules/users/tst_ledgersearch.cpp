#include "rules/users/ledgersearch.h"
#include "support/ledgerfiles_fixture.h"

#include <QTemporaryDir>
#include <QtTest>

class LedgerSearchTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void search_data();
    void search();

private:
    QTemporaryDir m_dir;
    QString m_user;
};

void LedgerSearchTest::initTestCase() {
    m_user = m_dir.path() + "/u/";
    FixtureEntry detail;
    detail.detail = QStringLiteral("Lunch ABC");
    writeFixtureEntries(m_user + "detail/", {FixtureEntry(), detail});

    FixtureEntry none;
    none.detail = QStringLiteral("午餐");
    none.note = QStringLiteral("nothing here");
    writeFixtureEntries(m_user + "none/", {none});

    // Only a note, and no Main.qvd at all.
    FixtureEntry note;
    note.note = QStringLiteral("在備註裡的字");
    writeFixtureEntries(m_user + "noteonly/", {note}, Main1);

    // Beyond the first 100 bytes of a long note; stored with its escapes.
    FixtureEntry longNote;
    longNote.note = QString(100, u'x');
    longNote.noteRow = QString(100, u'x') + QStringLiteral("尾巴 \"q\"");
    writeFixtureEntries(m_user + "longnote/", {longNote});

    FixtureEntry blank;
    blank.detail = QStringLiteral("abc");
    writeFixtureEntries(m_user + "blank/", {blank});
}

void LedgerSearchTest::search_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("case ignored") << "abc" << QStringList{"detail", "blank"};
    QTest::newRow("chinese detail") << "午餐" << QStringList{"none"};
    QTest::newRow("note without main file") << "備註" << QStringList{"noteonly"};
    QTest::newRow("long note tail") << "尾巴" << QStringList{"longnote"};
    QTest::newRow("escapes as stored") << "%22q%22" << QStringList{"longnote"};
    QTest::newRow("trailing blank meets padding") << "abc " << QStringList{"detail", "blank"};
    QTest::newRow("nowhere") << "zzz" << QStringList{};
}

void LedgerSearchTest::search() {
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    const QStringList ledgers{"detail", "none", "noteonly", "missing", "longnote", "blank"};
    QCOMPARE(LedgersContaining(m_user, ledgers, text), found);
}

QTEST_GUILESS_MAIN(LedgerSearchTest)
#include "tst_ledgersearch.moc"
