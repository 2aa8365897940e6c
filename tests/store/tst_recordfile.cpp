#include <QtTest>

#include "store/ledger.h"
#include "store/linefiles.h"
#include "store/recordfile.h"

// Byte layouts of the record files and the text forms of the line files.
class TestRecordFile : public QObject {
    Q_OBJECT

private:
    static QByteArray le16(qint16 v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); }
    static QByteArray le32(qint32 v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); }
    static QByteArray le64(double v) { return QByteArray(reinterpret_cast<const char*>(&v), 8); }
    static QByteArray padded(const QByteArray& ascii, int n) {
        return ascii + QByteArray(n - ascii.size(), ' ');
    }

private slots:
    void entryCoreLayout_data() {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("detailAt");
        QTest::newRow("empty") << 0 << QByteArray() << 76;
        QTest::newRow("int16") << 2 << le16(0) << 78;
        QTest::newRow("int32") << 3 << le32(-250000) << 80;
        QTest::newRow("double") << 5 << le64(123456789.0) << 84;
    }
    void entryCoreLayout() {
        QFETCH(int, tag);
        QFETCH(QByteArray, value);
        QFETCH(int, detailAt);

        EntryCore e;
        e.Date.set("2024/03/07");
        e.Account1.set(QStringLiteral("E-餐飲費"));
        e.Account2.set("A-cash");
        e.Amount = tag == 2   ? TaggedNumber::fromInt16(0)
                   : tag == 3 ? TaggedNumber::fromInt32(-250000)
                   : tag == 5 ? TaggedNumber::fromDouble(123456789.0)
                              : TaggedNumber::empty();
        e.Detail.set("lunch");

        QByteArray out;
        RecordFile::append(out, e);
        QByteArray expected = "2024/03/07" + padded(Ansi::encode(QStringLiteral("E-餐飲費")), 32) +
                              padded("A-cash", 32) + le16(qint16(tag)) + value +
                              padded("lunch", 60);
        QCOMPARE(expected.size(), detailAt + 60);
        expected += QByteArray(284 - expected.size(), '\0');
        QCOMPARE(out, expected);
        QByteArray reused(284, char(0xAA)); // what a slot held before never shows through
        RecordFile::write(reused.data(), e);
        QCOMPARE(reused, expected);

        EntryCore back;
        QVERIFY(RecordFile::read(out, back));
        QCOMPARE(back.Amount.tag(), quint16(tag));
        QCOMPARE(back.Amount.value(), e.Amount.value());
        QCOMPARE(back.Detail.trimmed(), QString("lunch"));
        QByteArray again;
        RecordFile::append(again, back);
        QCOMPARE(again, out);
    }

    void smallRecordLayouts() {
        EntryNote n;
        n.RemindOn = -1;
        n.RemindDays = 3;
        n.Note.set("hi");
        QByteArray out;
        RecordFile::append(out, n);
        QCOMPARE(out, le16(-1) + le16(3) + padded("hi", 100) + QByteArray(100, '\0'));

        EntryInvoice inv;
        inv.InvoiceDigits.set("12345678");
        inv.Checked = -1;
        out.clear();
        RecordFile::append(out, inv);
        QCOMPARE(out, QByteArray("12345678") + le16(-1) + QByteArray(8, '\0'));

        EntryStyle st;
        st.InvoiceLetters.set("AB");
        st.ColourIndex = 9;
        out.clear();
        RecordFile::append(out, st);
        QCOMPARE(out, QByteArray("AB") + le16(0) + QByteArray(1, '\x09') + QByteArray(3, '\0'));
    }

    void accountAndRecurringLayouts() {
        AccountRecord a;
        a.Name.set("Equity");
        a.Kind = 0;
        a.Budget[0] = TaggedNumber::fromDouble(1200000);
        a.Budget[12] = TaggedNumber::fromInt16(5);
        QByteArray out;
        RecordFile::append(out, a);
        QByteArray expected = padded("Equity", 32) + le16(0) + le16(5) + le64(1200000);
        for (int i = 1; i <= 11; ++i)
            expected += le16(0);
        expected += le16(2) + le16(5);
        expected += QByteArray(276 - expected.size(), '\0');
        QCOMPARE(out, expected);
        AccountRecord back;
        QVERIFY(RecordFile::read(out, back));
        QVERIFY(back.Budget[5].isEmpty());
        QCOMPARE(back.Budget[12].tag(), quint16(2));

        RecurringRecord r;
        r.Period = 1;
        r.When.set("32");
        r.Overdue = 1;
        r.Account1.set("E-rent");
        r.Account2.set("A-bank");
        r.Amount = TaggedNumber::fromDouble(1500000);
        r.Detail.set("rent");
        out.clear();
        RecordFile::append(out, r);
        expected = QByteArray(1, '\x01') + padded("32", 5) + QByteArray(1, '\x01') +
                   padded("E-rent", 32) + padded("A-bank", 32) + le16(5) + le64(1500000) +
                   padded("rent", 60);
        QCOMPARE(expected.size(), 141);
        expected += QByteArray(276 - 141, '\0');
        QCOMPARE(out, expected);
    }

    void unassignedFieldsAreZeroBytes() {
        QByteArray out;
        RecordFile::append(out, EntryInvoice());
        QCOMPARE(out, QByteArray(18, '\0'));
    }

    void unknownTagIsRefused() {
        QByteArray slot(284, '\0');
        slot[74] = 7; // tag 7: not one the program knows
        EntryCore e;
        QVERIFY(!RecordFile::read(slot, e));
    }

    void partialLastSlotIsNoRecord() {
        QByteArray file;
        RecordFile::append(file, EntryStyle());
        RecordFile::append(file, EntryStyle());
        file.chop(3);
        QCOMPARE(RecordFile::recordsIn<EntryStyle>(file), 1);
        EntryStyle s;
        QVERIFY(RecordFile::readRecord(file, 1, s));
        QVERIFY(!RecordFile::readRecord(file, 2, s));
        QCOMPARE(RecordFile::recordsIn<EntryStyle>(QByteArray()), 0);
    }

    void fixedTextCutsOnCharacterBoundary() {
        // Sixteen Chinese characters fill 32 bytes exactly; one more ASCII character is cut.
        const QString sixteen = QString(16, QChar(0x73FE)); // 現
        FixedText<32> a(sixteen);
        QCOMPARE(a.trimmed(), sixteen);
        FixedText<32> b(QStringLiteral("A-") + sixteen);
        // "A-" + 15 characters is 32 bytes; the 16th does not fit.
        QCOMPARE(b.trimmed(), QStringLiteral("A-") + QString(15, QChar(0x73FE)));
        // 31 bytes then a two-byte character: cut before it, padded with a blank.
        FixedText<32> c(QString(31, 'x') + QChar(0x73FE));
        QCOMPARE(QByteArray(c.bytes().data(), 32), QByteArray(31, 'x') + ' ');
    }

    void rawBytesSurviveUnchanged() {
        // NULs inside a field that was read stay as they were when the record is saved.
        QByteArray slot(18, '\0');
        slot[0] = '1';
        slot[2] = '2'; // "1", NUL, "2", then NULs
        EntryInvoice inv;
        QVERIFY(RecordFile::read(slot, inv));
        QCOMPARE(inv.InvoiceDigits.trimmed(), QString("12"));
        QByteArray out;
        RecordFile::append(out, inv);
        QCOMPARE(out, slot);
    }

    void noteRowEscapes_data() {
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("escaped");
        QTest::addColumn<QString>("readBack");
        const QString rq(QChar(0x201D));
        QTest::newRow("quote") << "say \"hi\""
                               << "say %22hi%22"
                               << "say \"hi\"";
        QTest::newRow("right quote") << "a" + rq << "a%E2%80%9D"
                                     << "a" + rq;
        QTest::newRow("percent text is not escaped") << "100%22"
                                                     << "100%22"
                                                     << "100\"";
        QTest::newRow("comma and line break stay") << "a,b\r\nc"
                                                   << "a,b\r\nc"
                                                   << "a,b\r\nc";
    }
    void noteRowEscapes() {
        QFETCH(QString, note);
        QFETCH(QString, escaped);
        QFETCH(QString, readBack);
        QCOMPARE(LineFiles::escapeNoteRow(note), escaped);
        const QByteArray file = LineFiles::noteRowsFile({QString(), note, QString()}, 2);
        QCOMPARE(file, "\"" + Ansi::encode(escaped) + "\"\r\n\"\"\r\n");
        const QStringList rows = LineFiles::readNoteRows(file);
        QCOMPARE(rows, QStringList({readBack, QString()}));
    }

    void boolLines() {
        QCOMPARE(LineFiles::boolLinesFile({true, false, true}),
                 QByteArray("True\r\nFalse\r\nTrue\r\n"));
        const auto values = LineFiles::readBoolLines("True\r\nmaybe\r\nFalse");
        QCOMPARE(values.size(), 3);
        QCOMPARE(values[0], std::optional<bool>(true));
        QCOMPARE(values[1], std::optional<bool>());
        QCOMPARE(values[2], std::optional<bool>(false));
    }
};

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_recordfile.moc"
