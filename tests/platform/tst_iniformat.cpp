// The settings file is read and written by the program itself; the files QSettings wrote
// before (and reads after) must stay the same files: same escapes, sections, quoting.
#include "platform/settingsstore.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// What QSettings gives for a key, as our store gives it (a list joined by ", ").
QString qsettingsText(QSettings& s, const QString& key) {
    const QVariant v = s.value(key);
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QStringLiteral(", "));
    return v.toString();
}

} // namespace

class TestIniFormat : public QObject {
    Q_OBJECT
private slots:
    void sameFileAsQSettings_data();
    void sameFileAsQSettings();
    void readsWhatHandsLeft_data();
    void readsWhatHandsLeft();
    void valueEndingTheFileStaysOneValue();
};

void TestIniFormat::sameFileAsQSettings_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "Setting"
                           << "AccState"
                           << "11";
    QTest::newRow("empty") << "Setting"
                           << "BackupPath" << QString();
    QTest::newRow("path") << "Setting"
                          << "MyDataBasePath" << QStringLiteral("D:\\資料 夾\\");
    QTest::newRow("blanks at the ends") << "MemoForm"
                                        << "Text"
                                        << " a b ";
    QTest::newRow("separators and quotes") << "InputForm"
                                           << "Note"
                                           << "a;b,c=d \"q\"";
    QTest::newRow("control characters, hex digit after") << "InputForm"
                                                         << "Note"
                                                         << "a\tb\x01"
                                                            "c\x7f"
                                                            "1\r\n";
    QTest::newRow("at sign") << "Setting"
                             << "Who"
                             << "@home";
    QTest::newRow("beyond the basic plane") << "Setting"
                                            << "Emoji" << QStringLiteral("😀é帳");
    QTest::newRow("chinese section and key")
        << QStringLiteral("帳本 段") << QStringLiteral("鍵 1") << "v";
    QTest::newRow("slash, backslash and percent in names") << "Main/Form"
                                                           << "a\\b%2F"
                                                           << "v";
    QTest::newRow("a section named General") << "General"
                                             << "x"
                                             << "g";
    QTest::newRow("key with dots and dashes") << "NumberForm"
                                              << "a-b.c_d"
                                              << "1";
}

// A file with one value: QSettings and the store write the same bytes and each reads the
// other's file.
void TestIniFormat::sameFileAsQSettings() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QString ours = dir.filePath("ours.conf");
    const QString theirs = dir.filePath("theirs.conf");
    {
        IniSettingsStore store(ours);
        QVERIFY(store.SaveSetting(section, key, value));
    }
    // The store's names as QSettings sees them: "/" and "\" kept inside the name.
    auto escaped = [](QString name) {
        return name.replace("%", "%25").replace("/", "%2F").replace("\\", "%5C");
    };
    const QString fullKey = escaped(section) + '/' + escaped(key);
    {
        QSettings qs(theirs, QSettings::IniFormat);
        qs.setValue(fullKey, value);
    }
    QCOMPARE(bytesOf(ours), bytesOf(theirs));
    QSettings qs(ours, QSettings::IniFormat);
    QCOMPARE(qs.value(fullKey).toString(), value);
    QCOMPARE(IniSettingsStore(theirs).GetSetting(section, key, "<none>"), value);
}

void TestIniFormat::readsWhatHandsLeft_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("comments, blanks, CR LF and a BOM")
        << QByteArray("\xef\xbb\xbf; comment\r\n[Setting]\r\n  AccState = 01 ; note\r\n"
                      "\r\n;x=1\r\nMonState=1\r\n");
    QTest::newRow("quoted parts and escapes")
        << QByteArray("[S]\na=\"x;y\" z\nb=\\\"q\\\" \\x5e1\nc=  \" lead\"\nd=\\101\\t\n");
    QTest::newRow("lists") << QByteArray("[S]\na=x, y ,z\nb=\"1,2\", 3\nc=@@x, @Invalid()\n");
    QTest::newRow("sections: general, escaped, twice")
        << QByteArray("[general]\nloose=1\n[%General]\nx=2\n[%U5E33%20b]\n%U9375=3\n"
                      "[S]\na=1\n[T]\nb=2\n[S]\na=4\nc=5\n");
    QTest::newRow("line continued and unicode raw")
        << QByteArray("[S]\na=one\\\ntwo\nb=\xe5\xb8\xb3\xe6\x9c\xac\n\xe9\x8d\xb5=x\n");
    QTest::newRow("escapes at the end") << QByteArray("[S]\na=ab  \\\nb=cd  \\x\nc=ef \\x4\n");
    QTest::newRow("backslash ending the file") << QByteArray("[S]\na=ab  \\");
    QTest::newRow("at forms") << QByteArray(
        "[S]\na=@@b\nb=@String(x)\nc=@Invalid()\nd=@ByteArray(y)\n");
    QTest::newRow("lines without a value, no section")
        << QByteArray("junk\nk=v\n[S\nq=1\n[S]\n=empty key\nw\n");
}

// The keys of a file QSettings reads read the same here, before and after the store
// rewrote the file with a value of its own, and the rewritten file reads the same in
// QSettings.
void TestIniFormat::readsWhatHandsLeft() {
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    const QString path = dir.filePath("q.conf");
    put(path, file);
    QHash<QString, QString> expected;
    QStringList keys;
    {
        QSettings qs(path, QSettings::IniFormat);
        keys = qs.allKeys();
        for (const QString& k : keys)
            if (qs.value(k).isValid()) expected.insert(k, qsettingsText(qs, k));
    }
    QVERIFY(!keys.isEmpty());
    auto check = [&](const IniSettingsStore& store) {
        for (const QString& k : keys) {
            const qsizetype slash = k.indexOf('/');
            // Keys outside a section or nested deeper are not the store's to read.
            if (slash < 0 || slash == k.size() - 1 || k.indexOf('/', slash + 1) >= 0 ||
                k.contains('%'))
                continue;
            QCOMPARE(store.GetSetting(k.left(slash), k.mid(slash + 1), "<none>"),
                     expected.value(k, "<none>"));
        }
    };
    IniSettingsStore store(path);
    check(store);
    QVERIFY(store.SaveSetting("Added", "Key", "v"));
    check(IniSettingsStore(path));
    QSettings again(path, QSettings::IniFormat);
    QStringList now = again.allKeys();
    QVERIFY(now.removeOne("Added/Key"));
    QCOMPARE(QSet<QString>(now.begin(), now.end()), QSet<QString>(keys.begin(), keys.end()));
    for (const QString& k : keys) {
        QCOMPARE(again.value(k).isValid(), expected.contains(k));
        if (expected.contains(k)) QCOMPARE(qsettingsText(again, k), expected.value(k));
    }
}

// A lone backslash ends the last value of a file; a key written after it stays a key.
void TestIniFormat::valueEndingTheFileStaysOneValue() {
    QTemporaryDir dir;
    const QString path = dir.filePath("q.conf");
    put(path, "[S]\na=ab  \\");
    QVERIFY(IniSettingsStore(path).SaveSetting("S", "b", "2"));
    QSettings qs(path, QSettings::IniFormat);
    QCOMPARE(qs.value("S/a").toString(), QString("ab  "));
    QCOMPARE(qs.value("S/b").toString(), QString("2"));
}

QTEST_GUILESS_MAIN(TestIniFormat)
#include "tst_iniformat.moc"
