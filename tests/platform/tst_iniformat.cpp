// The settings file is read and written by the program itself; the files QSettings wrote
// before (and reads after) must stay the same files: same escapes, sections, quoting.
#include "platform/iniformat.h"
#include "platform/settingsstore.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <optional>

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

// Every key of a file as QSettings reads it: its text, or nullopt for a key present without a
// value ("@Invalid()").
using Reading = std::map<QString, std::optional<QString>>;

Reading qtReading(const QString& path) {
    // QSettings keeps what it read of a file by name and may take a rewrite of the same size
    // within the same clock tick for the old file: each reading is of a copy of its own.
    static int copies = 0;
    const QString copy = path + QString(".read%1").arg(++copies);
    put(copy, bytesOf(path));
    QSettings qs(copy, QSettings::IniFormat);
    Reading reading;
    for (const QString& k : qs.allKeys()) {
        const QVariant v = qs.value(k);
        reading[k] = v.isValid() ? std::optional(qsettingsText(qs, k)) : std::nullopt;
    }
    return reading;
}

// QSettings asks for a key by its name without slashes at the ends and doubled ones: a key
// read with such slashes is asked for as another (see qtReading).
QString plainKey(QString k) {
    while (k.contains("//"))
        k.replace("//", "/");
    if (k.startsWith('/')) k.remove(0, 1);
    if (k.endsWith('/')) k.chop(1);
    return k;
}

QString shown(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toPercentEncoding(" =[]\n;,\"@"));
}

// The store over a settings file as it stands: it reads what QSettings reads, and after a
// command stores two values, QSettings reads those as stored and every other key as before;
// so does the store at the next start.
void storeOverFile(const QString& path, const QByteArray& file) {
    put(path, file);
    const Reading before = qtReading(path);
    const IniFormat::Entries parsed = IniFormat::parse(file);
    for (const auto& [key, value] : before) {
        if (plainKey(key) != key || key.isEmpty()) continue;
        const std::optional<IniFormat::Entry> at = parsed.find(key);
        QVERIFY2(at, qPrintable(key + " missing in " + shown(file)));
        const std::optional<QString> text = IniFormat::textOf(*at);
        QVERIFY2(text == value, qPrintable(key + ": \"" + text.value_or("<invalid>") +
                                           "\" where QSettings reads \"" +
                                           value.value_or("<invalid>") + "\" in " + shown(file)));
    }

    const QString name = QStringLiteral("名字 \"甲\"");
    {
        IniSettingsStore store(path);
        QVERIFY(store.SaveSetting("Setting", "UserName", name));
        store.beginBatch();
        QVERIFY(store.SaveSetting("Setting", "UserName", name + "2"));
        QVERIFY(store.SaveSetting("MainForm", "Width", "15001"));
        QVERIFY(store.endBatch());
    }
    Reading expected = before;
    expected["Setting/UserName"] = name + "2";
    expected["MainForm/Width"] = "15001";
    const Reading after = qtReading(path);
    for (const auto& [key, value] : expected) {
        // A key with extra slashes reads as the key without them, which may be a stored one.
        if (plainKey(key) != key && expected.count(plainKey(key))) continue;
        const auto at = after.find(key);
        QVERIFY2(at != after.end(),
                 qPrintable(key + " lost from " + shown(file) + " → " + shown(bytesOf(path))));
        QVERIFY2(at->second == value,
                 qPrintable(key + " reads \"" + at->second.value_or("<invalid>") +
                            "\" instead of \"" + value.value_or("<invalid>") + "\" from " +
                            shown(file) + " → " + shown(bytesOf(path))));
    }
    QCOMPARE(after.size(), expected.size());
    IniSettingsStore again(path);
    QCOMPARE(again.GetSetting("Setting", "UserName"), name + "2");
    QCOMPARE(again.GetSetting("MainForm", "Width"), QString("15001"));
}

} // namespace

class TestIniFormat : public QObject {
    Q_OBJECT
private slots:
    void sameFileAsQSettings_data();
    void sameFileAsQSettings();
    void storedTextsReadBack_data();
    void storedTextsReadBack();
    void saveFollowsTheFileAsItIsNow();
    void intactValuesWrittenBackAsTheyStand();
    void readsWhatHandsLeft_data();
    void readsWhatHandsLeft();
    void valueEndingTheFileStaysOneValue();
    void damagedFiles_data();
    void damagedFiles();
    void seededDamage();
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
    // QSettings writes a lone surrogate as U+FFFD, or nothing at the end of the text, and
    // keeps a pair split by an escape one character.
    const QChar high(0xD800), low(0xDC00);
    QTest::newRow("lone high surrogate") << "Setting"
                                         << "UserName" << QString(u'a' + QString(high) + u'b');
    QTest::newRow("lone low surrogate") << "Setting"
                                        << "UserName" << QString(QString(low) + u'a');
    QTest::newRow("lone surrogate last") << "Setting"
                                         << "UserName" << QString(u'a' + QString(high));
    QTest::newRow("pair split by an escape")
        << "Setting"
        << "UserName" << QString(u'x' + QString(high) + u'\t' + QString(low) + u'y');
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
    // Each reads the other's file as QSettings reads its own; the text itself where that
    // can be written.
    const std::optional<QString> read = qtReading(theirs)[fullKey];
    QVERIFY(read);
    if (std::none_of(value.begin(), value.end(), [](QChar c) { return c.isSurrogate(); }))
        QCOMPARE(*read, value);
    QCOMPARE(qtReading(ours)[fullKey], read);
    QCOMPARE(IniSettingsStore(theirs).GetSetting(section, key, "<none>"), *read);
}

void TestIniFormat::storedTextsReadBack_data() {
    QTest::addColumn<QString>("text");
    const QString bom(QChar(0xFEFF));
    QTest::newRow("U+FEFF first") << bom + "abc";
    QTest::newRow("U+FEFF before an at form") << bom + "@Invalid()";
    QTest::newRow("U+FEFF after a control character") << "\t" + bom + "a";
    QTest::newRow("U+FEFF after a quote") << "\"" + bom;
    QTest::newRow("U+FEFF after a backslash") << "\\" + bom + "\\";
    QTest::newRow("U+FEFF twice, a hex digit after") << bom + bom + "1f";
    QTest::newRow("U+FEFF after text") << "a" + bom;
    QTest::newRow("U+FEFF after a blank") << " " + bom;
}

// A text the program stores reads back the same in QSettings and at the next start, even
// where QSettings' own writer would lose a character.
void TestIniFormat::storedTextsReadBack() {
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath("s.conf");
    QVERIFY(IniSettingsStore(path).SaveSetting("Setting", "UserName", text));
    QCOMPARE(qtReading(path)["Setting/UserName"], std::optional(text));
    QCOMPARE(IniSettingsStore(path).GetSetting("Setting", "UserName", "<none>"), text);
    // As another key is stored beside it.
    QVERIFY(IniSettingsStore(path).SaveSetting("Setting", "AccState", "1"));
    QCOMPARE(qtReading(path)["Setting/UserName"], std::optional(text));
}

// The file changed by hand while the program runs: a save or a deletion is judged by the
// file as it is now, not by what the store read at its start.
void TestIniFormat::saveFollowsTheFileAsItIsNow() {
    QTemporaryDir dir;
    const QString path = dir.filePath("s.conf");
    put(path, "[Setting]\nUserName=a\n");
    IniSettingsStore store(path);
    put(path, "[Setting]\nUserName=b\nAutoLoginPassword=583\n");
    QVERIFY(store.SaveSetting("Setting", "UserName", "a"));
    QVERIFY(store.DeleteSetting("Setting", "AutoLoginPassword"));
    const Reading reading = qtReading(path);
    QCOMPARE(reading, (Reading{{"Setting/UserName", "a"}}));
    QCOMPARE(store.GetSetting("Setting", "AutoLoginPassword", "<none>"), QString("<none>"));
}

// Values written by hand in forms of their own that read whole are written back byte for
// byte when another value is stored.
void TestIniFormat::intactValuesWrittenBackAsTheyStand() {
    QTemporaryDir dir;
    const QString path = dir.filePath("s.conf");
    const QByteArray file = "[Setting]\n"
                            "Quoted=\"583\"\n"
                            "Escapes=\\x41\\102\\u\n"
                            "Blanks= a\t\n"
                            "List=\"1,2\", 3 ,@@x\n"
                            "Continued=one\\\ntwo\n"
                            "Chinese=\xe5\xb8\xb3\"\xe6\x9c\xac\"\n"
                            "Typed=@Rect(1 2 3 4)\n";
    put(path, file);
    const Reading before = qtReading(path);
    QVERIFY(IniSettingsStore(path).SaveSetting("Setting", "UserName", "v"));
    QCOMPARE(bytesOf(path), file + "UserName=v\n");
    Reading expected = before;
    expected["Setting/UserName"] = "v";
    QCOMPARE(qtReading(path), expected);
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
    // QSettings reads the sections in the order of their names, General first.
    QTest::newRow("a key in a section and outside")
        << QByteArray("[T]\na=1\n[General]\nT\\a=2\nT%2Fb=3\n[T]\nb=4\n[T-]\nc=5\n");
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

void TestIniFormat::damagedFiles_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("cut inside a quoted value")
        << QByteArray("[Setting]\nAccState=1\nAutoLoginPassword=\" p@ss");
    QTest::newRow("backslash before a CR ending the file")
        << QByteArray("[Setting]\nAutoBackupPath=D:\\Backup\\\r");
    QTest::newRow("CR line ends, backslash last")
        << QByteArray("[MainForm]\rHeight=9000\r[Setting]\rMainFontSize=11\r"
                      "AutoBackupPath=D:\\Backup\\\r");
    QTest::newRow("backslash before a CR in the middle, CR line ends")
        << QByteArray("[Setting]\rAutoBackupPath=D:\\Backup\\\r\rMainFontSize=12\r");
    QTest::newRow("backslash before CR LF in the middle")
        << QByteArray("[Setting]\r\nAutoBackupPath=D:\\Backup\\\r\nMainFontSize=12\r\n");
    QTest::newRow("byte-order mark after an escape")
        << QByteArray("[Setting]\nAutoBackupPath=D:\\\\\xef\xbb\xbf\xe5\x82\x99\xe4\xbb\xbd\n");
    QTest::newRow("byte-order mark after a quote")
        << QByteArray("[Setting]\nBackupPath=\"a\"\xef\xbb\xbf"
                      "b\n");
    QTest::newRow("byte-order mark opening a value") << QByteArray("[Setting]\nX=\xef\xbb\xbf"
                                                                   "ab\n");
    QTest::newRow("character cut at the end of the file")
        << QByteArray("[Setting]\nUserName=\xe5\xb8\xb3\xe6\x9c");
    QTest::newRow("lone lead byte before an escape")
        << QByteArray("[Setting]\nX=a\xe5\\tb\nY=c\xe5\"d\"\nZ=e\xe5,f\n");
    QTest::newRow("character split by an escape") << QByteArray("[Setting]\nX=\xe5\xb8\\n\xb3\n");
    QTest::newRow("open quote before a section")
        << QByteArray("[Setting]\nX=\"abc\n[MainForm]\nWidth=1\nY=\"\n");
    QTest::newRow("list cut by the end") << QByteArray("[Setting]\nX=a, \"b");
    QTest::newRow("key outside any section")
        << QByteArray("Loose=1\nSetting\\Deep=2\n[Setting]\nA=3\n");
    QTest::newRow("key and section ending in a backslash")
        << QByteArray("[Setting]\nMyDataBasePath\\\t=C:\\\\Q\n[MainForm\\]\nWidth=1\n");
    QTest::newRow("empty section name") << QByteArray("[]\nk=1\n[Setting]\nA=3\n");
    QTest::newRow("section named general in lower case")
        << QByteArray("[%general]\nk=1\n[Setting]\nA=3\n");
    QTest::newRow("U+FEFF escaped, cut inside its quote")
        << QByteArray("[InputForm]\nNote=\"\\xfeff");
    QTest::newRow("second item of a list opening with U+FEFF, cut")
        << QByteArray("[InputForm]\nNote=,\"\\xfeff");
    QTest::newRow("lone surrogate escaped, cut inside its quote")
        << QByteArray("[InputForm]\nNote=\"a\\xd800\\x31");
}

// Files cut short, edited by hand or damaged: what the store keeps reads as it read before.
void TestIniFormat::damagedFiles() {
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    storeOverFile(dir.filePath("q.conf"), file);
}

// Files as earlier versions wrote them, with a few bytes inserted or removed, or the end cut
// off, at places and of kinds drawn from a fixed seed.
void TestIniFormat::seededDamage() {
    QTemporaryDir dir;
    const QString base = dir.filePath("base.conf");
    {
        QSettings qs(base, QSettings::IniFormat);
        qs.setValue("Setting/AccState", "11");
        qs.setValue("Setting/UserName", QStringLiteral("王小明"));
        qs.setValue("Setting/AutoLoginPassword", " p@ss, \"x\";y");
        qs.setValue("Setting/AutoBackupPath", QStringLiteral("D:\\備份\\"));
        qs.setValue("Setting/MyDataBasePath", QStringLiteral("C:\\Qivo\\DataBase\\"));
        qs.setValue("Setting/MainFontSize", "11");
        qs.setValue("Setting/Note", QStringLiteral("一\t二\n三 "));
        qs.setValue("Setting/Empty", "");
        qs.setValue("MainForm/Width", "15000");
        qs.setValue("MainForm/LW1", "1200");
        qs.setValue(QStringLiteral("帳本/最後"), QStringLiteral("家用=帳"));
        qs.setValue("Update/State", "0");
    }
    const QByteArray lf = bytesOf(base);
    QByteArray crlf = lf;
    crlf.replace("\n", "\r\n");
    QByteArray cr = lf;
    cr.replace('\n', '\r');
    const QList<QByteArray> pieces = {
        "\\",           "\"", ";", ",",    "=",    "[",    "]",    "\r",
        "\n",           "\t", " ", "%",    "@",    "\xe5", "\xb8", "\xef\xbb\xbf",
        "\xe5\xb8\xb3", "x",  "0", "\x80", "\xff", "\\x",  "\\0"};
    QRandomGenerator random(20261211);
    for (int n = 0; n < 1500; ++n) {
        const QByteArray& source = n % 3 == 0 ? lf : n % 3 == 1 ? crlf : cr;
        QByteArray file = source;
        const int kind = random.bounded(3);
        if (kind == 2) {
            file.truncate(random.bounded(int(file.size())) + 1);
        } else {
            for (int k = 1 + random.bounded(3); k > 0; --k) {
                const int at = random.bounded(int(file.size()));
                if (kind == 0)
                    file.insert(at, pieces.at(random.bounded(int(pieces.size()))));
                else
                    file.remove(at, 1 + random.bounded(3));
            }
        }
        storeOverFile(dir.filePath(QString("c%1.conf").arg(n)), file);
        if (QTest::currentTestFailed()) {
            qWarning("case %d", n);
            return;
        }
    }
}

QTEST_GUILESS_MAIN(TestIniFormat)
#include "tst_iniformat.moc"
