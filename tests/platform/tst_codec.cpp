#include "platform/codec.h"
#include "support/randompieces.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

#include <optional>

class TestCodec : public QObject {
    Q_OBJECT
private slots:
    void encodesKnownBytes_data();
    void encodesKnownBytes();
    void decodesBackAndKeepsTrailBytesThatLookLikeAscii();
    void loneLeadByteAtEndBecomesReplacement();
    void byteLengthCountsChineseAsTwo();
    void cutNeverSplitsACharacter_data();
    void cutNeverSplitsACharacter();
    void unmappableCharacters();
    void charCodeAndFixedField();
    void wholePairs_data();
    void wholePairs();
    void everyCodeConvertsAsTheConverter();
    void mixedTextsConvertAsTheConverter();
};

namespace {
// The code page's converter itself, on a fresh state for each text.
QString converterDecode(QByteArrayView bytes) {
    QStringDecoder decoder("windows-950", QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}
// Encoded whole, or nullopt when a character has no code.
std::optional<QByteArray> converterEncode(QStringView text) {
    QStringEncoder encoder("windows-950", QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) return std::nullopt;
    return bytes;
}
} // namespace

void TestCodec::encodesKnownBytes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("cash") << QStringLiteral("現金") << QByteArray::fromHex("B27BAAF7");
    QTest::newRow("meal, trail byte is backslash")
        << QStringLiteral("餐") << QByteArray::fromHex("C05C");
    QTest::newRow("euro") << QStringLiteral("€") << QByteArray::fromHex("A3E1");
    QTest::newRow("ascii") << QStringLiteral("A1,b") << QByteArray("A1,b");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestCodec::encodesKnownBytes() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Ansi::encode(text), bytes);
    QCOMPARE(Ansi::decode(bytes), text);
}

void TestCodec::decodesBackAndKeepsTrailBytesThatLookLikeAscii() {
    // 餐 ends in "\" and 現 in "{": decoding must not treat them as ASCII.
    const QString text = QStringLiteral("早餐\\現金{x}");
    QCOMPARE(Ansi::decode(Ansi::encode(text)), text);
}

void TestCodec::loneLeadByteAtEndBecomesReplacement() {
    QCOMPARE(Ansi::decode(QByteArray::fromHex("41B2")),
             QStringLiteral("A") + QChar(QChar::ReplacementCharacter));
    // A complete pair before the cut stays whole.
    QCOMPARE(Ansi::decode(QByteArray::fromHex("B27BAA")),
             QStringLiteral("現") + QChar(QChar::ReplacementCharacter));
}

void TestCodec::byteLengthCountsChineseAsTwo() {
    const QString sixteen = QStringLiteral("一二三四五六七八九十甲乙丙丁戊己");
    QCOMPARE(sixteen.size(), 16);
    QCOMPARE(Ansi::byteLength(sixteen), 32);
    QCOMPARE(Ansi::byteLength(QStringLiteral("a現b")), 4);
}

void TestCodec::cutNeverSplitsACharacter_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxBytes");
    QTest::addColumn<QString>("expected");
    const QString sixteen = QStringLiteral("一二三四五六七八九十甲乙丙丁戊己");
    QTest::newRow("31 of 32") << sixteen << 31 << sixteen.left(15);
    QTest::newRow("exact") << sixteen << 32 << sixteen;
    QTest::newRow("mixed odd") << QStringLiteral("a現金") << 4 << QStringLiteral("a現");
    QTest::newRow("zero") << QStringLiteral("現") << 0 << QString();
    QTest::newRow("one before a wide character") << QStringLiteral("現") << 1 << QString();
}

void TestCodec::cutNeverSplitsACharacter() {
    QFETCH(QString, text);
    QFETCH(int, maxBytes);
    QFETCH(QString, expected);
    const QString cut = Ansi::cutToBytes(text, maxBytes);
    QCOMPARE(cut, expected);
    QVERIFY(Ansi::encode(cut).size() <= maxBytes);
}

void TestCodec::unmappableCharacters() {
    const QString emoji = QString::fromUtf8("a\xF0\x9F\x98\x80"
                                            "b"); // one character, two units
    QCOMPARE(Ansi::encode(emoji), QByteArray("a?b"));
    QCOMPARE(Ansi::byteLength(emoji), 3);
    QVERIFY(!Ansi::isEncodable(emoji));
    QVERIFY(Ansi::isEncodable(QStringLiteral("現金 abc")));
}

void TestCodec::charCodeAndFixedField() {
    QCOMPARE(Ansi::charCode(QStringLiteral("A")), 65);
    QCOMPARE(Ansi::charCode(QStringLiteral("餐")), 0xC05C);
    QCOMPARE(Ansi::fixedField(QStringLiteral("現金"), 6), QByteArray::fromHex("B27BAAF72020"));
    QCOMPARE(Ansi::fixedField(QStringLiteral("現金"), 3), QByteArray::fromHex("B27B20"));
}

void TestCodec::wholePairs_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("whole");
    QTest::newRow("ascii") << QByteArray("\"a\",\r\n") << true;
    QTest::newRow("encoded text") << Ansi::encode(QStringLiteral("許功蓋\u3000x")) << true;
    QTest::newRow("lowest and highest pairs") << QByteArray("\x81\x40\xFE\xFE") << true;
    QTest::newRow("lead byte at the end") << QByteArray("a\xA4") << false;
    QTest::newRow("lead byte before a quote") << QByteArray("\xA4\"") << false;
    QTest::newRow("trail byte 0x7F") << QByteArray("\xA4\x7F") << false;
    QTest::newRow("trail byte 0xA0") << QByteArray("\xA4\xA0") << false;
    QTest::newRow("single 0x80") << QByteArray::fromHex("8061") << false;
    QTest::newRow("single 0xFF") << QByteArray("a\xFF") << false;
}

void TestCodec::wholePairs() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, whole);
    QCOMPARE(Ansi::hasWholePairs(bytes), whole);
}

// The program converts most texts through tables it fills from the converter; the results
// must be the converter's for every code: each single byte, each lead byte with every second
// byte, each character of the basic plane (an unmappable one encodes as "?").
void TestCodec::everyCodeConvertsAsTheConverter() {
    for (int b = 0; b < 0x100; ++b) {
        if (b >= 0x81 && b <= 0xFE) continue; // a lone lead byte is the case above
        const QByteArray one(1, char(b));
        QCOMPARE(Ansi::decode(one), converterDecode(one));
    }
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int second = 0; second < 0x100; ++second) {
            const char bytes[2] = {char(lead), char(second)};
            const QByteArrayView pair(bytes, 2);
            QVERIFY2(Ansi::decode(pair) == converterDecode(pair),
                     pair.toByteArray().toHex().constData());
            QVERIFY2(Ansi::encodesBack(pair) == (Ansi::encode(Ansi::decode(pair)) == pair),
                     pair.toByteArray().toHex().constData());
        }
    }
    for (int u = 0; u < 0x10000; ++u) {
        const QChar c{char16_t(u)};
        if (c.isSurrogate()) continue;
        const QString text(c);
        const auto expected = converterEncode(text);
        QVERIFY2(Ansi::encode(text) == expected.value_or("?"), qPrintable(QString::number(u, 16)));
        QCOMPARE(Ansi::isEncodable(text), expected.has_value());
    }
}

// Texts of ASCII, two-byte characters (assigned or not) and stray bytes, in any order, convert
// as the converter converts them whole.
void TestCodec::mixedTextsConvertAsTheConverter() {
    const QList<QByteArray> pieces = {"a",        "\\",       " ",        QByteArray(1, '\0'),
                                      "\xA4\x40", "\xC0\x5C", "\xA1\x40", "\xF9\xFE",
                                      "\x81\x40", "\xC8\x7E", "\x80",     "\xFF",
                                      "\xA3\xE1", "\xA4\x20"};
    QRandomGenerator random(950);
    for (int n = 0; n < 5000; ++n) {
        const QByteArray bytes = randomPieces(random, pieces, 12);
        const QString text = converterDecode(bytes);
        QVERIFY2(Ansi::decode(bytes) == text, bytes.toHex().constData());
        if (const auto whole = converterEncode(text))
            QVERIFY2(Ansi::encode(text) == *whole, bytes.toHex().constData());
    }
}

QTEST_GUILESS_MAIN(TestCodec)
#include "tst_codec.moc"
