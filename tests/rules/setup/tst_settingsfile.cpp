#include <QtTest>

#include "rules/setup/settingsfile.h"

using SettingsFile::Loaded;
using SettingsFile::Values;

namespace {

// 21 lines with the given replacements (line number from 1 -> text).
QByteArray fileWith(const QMap<int, QByteArray>& lines) {
    QByteArray out;
    for (int n = 1; n <= 21; ++n)
        out += lines.value(n, n >= 3 && n <= 16 ? "1" : n == 21 ? "1" : "0") + "\r\n";
    return out;
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT
private slots:
    void writesTheLinesInOrder();
    void readsBackWhatWasWritten();
    void readsLines_data();
    void readsLines();
    void refusesAFileOfAnotherLength_data();
    void refusesAFileOfAnotherLength();
};

void TestSettingsFile::writesTheLinesInOrder() {
    Values v;
    v.Width = "25";
    v.StartDay = " 5";
    v.Switches = {true, false, true,  true,  false, false, true,
                  true, true,  false, false, false, true,  false};
    v.BackupPath = QStringLiteral("/d/備份/");
    v.DataPath = "";
    v.FontIndex = 15;
    v.CountIndex = 23;
    v.ShowAll = false;
    const QByteArray expected =
        QByteArray(
            "25\r\n 5\r\n1\r\n0\r\n1\r\n1\r\n0\r\n0\r\n1\r\n1\r\n1\r\n0\r\n0\r\n0\r\n1\r\n0\r\n") +
        "/d/\xb3\xc6\xa5\xf7/\r\n\r\n15\r\n23\r\n2\r\n";
    QCOMPARE(SettingsFile::write(v), expected);
    v.ShowAll = true;
    QVERIFY(SettingsFile::write(v).endsWith("\r\n1\r\n"));
}

void TestSettingsFile::readsBackWhatWasWritten() {
    Values v;
    v.Width = "33";
    v.StartDay = "28";
    v.Switches = {false, true, false, true,  true, false, true,
                  false, true, true,  false, true, false, true};
    v.BackupPath = QStringLiteral("/x/自動/");
    v.DataPath = "/y/";
    v.FontIndex = 0;
    v.CountIndex = 5;
    v.ShowAll = true;
    const std::optional<Loaded> l = SettingsFile::read(SettingsFile::write(v));
    QVERIFY(l);
    QCOMPARE(l->Width, v.Width);
    QCOMPARE(l->StartDay, v.StartDay);
    for (int i = 0; i < SettingsFile::SwitchCount; ++i)
        QCOMPARE(l->Switches[i], std::optional<bool>(v.Switches[i]));
    QCOMPARE(l->BackupPath, v.BackupPath);
    QCOMPARE(l->DataPath, v.DataPath);
    QCOMPARE(l->FontIndex, std::optional<int>(0));
    QCOMPARE(l->CountIndex, 5);
    QCOMPARE(l->ShowAll, std::optional<bool>(true));
}

void TestSettingsFile::readsLines_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("expected"); // "-" : the control stays as it is

    QTest::newRow("width of letters") << 1 << QByteArray("abc") << "0";
    QTest::newRow("width with decimals") << 1 << QByteArray("15.50") << "15.5";
    QTest::newRow("width after blanks") << 1 << QByteArray("  30x") << "30";
    QTest::newRow("day") << 2 << QByteArray("7") << "7";
    QTest::newRow("switch 0") << 3 << QByteArray("0") << "0";
    QTest::newRow("switch 1") << 16 << QByteArray(" 1") << "1";
    QTest::newRow("switch 2 leaves") << 5 << QByteArray("2") << "-";
    QTest::newRow("switch letters clear") << 6 << QByteArray("x") << "0";
    QTest::newRow("font 30 gives 11") << 19 << QByteArray("30") << "2";
    QTest::newRow("font -1 gives 11") << 19 << QByteArray("-1") << "2";
    QTest::newRow("font 20 leaves") << 19 << QByteArray("20") << "-";
    QTest::newRow("font 27 leaves") << 19 << QByteArray("27") << "-";
    QTest::newRow("font 15") << 19 << QByteArray("15") << "15";
    QTest::newRow("count 24 gives 7") << 20 << QByteArray("24") << "0";
    QTest::newRow("count 23") << 20 << QByteArray("23") << "23";
    QTest::newRow("show 2") << 21 << QByteArray("2") << "month";
    QTest::newRow("show 1") << 21 << QByteArray("1") << "all";
    QTest::newRow("show 3 leaves") << 21 << QByteArray("3") << "-";
}

void TestSettingsFile::readsLines() {
    QFETCH(int, line);
    QFETCH(QByteArray, text);
    QFETCH(QString, expected);
    const std::optional<Loaded> l = SettingsFile::read(fileWith({{line, text}}));
    QVERIFY(l);
    QString got;
    if (line == 1)
        got = l->Width;
    else if (line == 2)
        got = l->StartDay;
    else if (line <= 16)
        got = l->Switches[line - 3] ? QString::number(int(*l->Switches[line - 3])) : "-";
    else if (line == 19)
        got = l->FontIndex ? QString::number(*l->FontIndex) : "-";
    else if (line == 20)
        got = QString::number(l->CountIndex);
    else
        got = l->ShowAll ? (*l->ShowAll ? "all" : "month") : "-";
    QCOMPARE(got, expected);
}

void TestSettingsFile::refusesAFileOfAnotherLength_data() {
    QTest::addColumn<QByteArray>("file");
    const QByteArray whole = fileWith({});
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("20 lines") << whole.left(whole.size() - 3);
    QTest::newRow("22 lines") << whole + "1\r\n";
    QTest::newRow("LF only") << QByteArray(whole).replace("\r\n", "\n");
}

void TestSettingsFile::refusesAFileOfAnotherLength() {
    QFETCH(QByteArray, file);
    QVERIFY(!SettingsFile::read(file));
}

QTEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
