#include "store/recordfile.h"

#include <QtEndian>
#include <cstring>

namespace RecordFile {

namespace {

// Writes the fields of one slot in place, from byte 0 of a slot of zero bytes.
class SlotWriter {
public:
    SlotWriter(char* slot, int length) : m_data(slot), m_pos(0), m_end(length) {}
    template <int N>
    void text(const FixedText<N>& t) { put(t.data(), N); }
    void i16(qint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        put(b, 2);
    }
    void u8(quint8 v)
    {
        const char c = char(v);
        put(&c, 1);
    }
    void tagged(const TaggedNumber& n)
    {
        char b[8];
        qToLittleEndian(n.tag(), b);
        put(b, 2);
        switch (n.tag()) {
        case TaggedNumber::Int16:
            qToLittleEndian(qint16(n.value()), b);
            put(b, 2);
            break;
        case TaggedNumber::Int32:
            qToLittleEndian(qint32(n.value()), b);
            put(b, 4);
            break;
        case TaggedNumber::Double: {
            quint64 bits;
            const double v = n.value();
            std::memcpy(&bits, &v, 8);
            qToLittleEndian(bits, b);
            put(b, 8);
            break;
        }
        default:
            break;
        }
    }

private:
    void put(const char* p, qsizetype n)
    {
        // Every layout fits its slot; the guard keeps a wrong one from writing past it.
        if (m_pos + n > m_end)
            return;
        std::memcpy(m_data + m_pos, p, size_t(n));
        m_pos += n;
    }
    char* m_data;
    qsizetype m_pos;
    qsizetype m_end;
};

class SlotReader {
public:
    explicit SlotReader(QByteArrayView slot) : m_slot(slot) {}
    bool ok() const { return m_ok; }
    template <int N>
    void text(FixedText<N>& t)
    {
        if (take(N))
            t.setBytes(m_slot.sliced(m_pos - N, N));
    }
    qint16 i16()
    {
        return take(2) ? qFromLittleEndian<qint16>(m_slot.data() + m_pos - 2) : 0;
    }
    quint8 u8() { return take(1) ? quint8(m_slot[m_pos - 1]) : 0; }
    TaggedNumber tagged()
    {
        if (!take(2))
            return {};
        const quint16 tag = qFromLittleEndian<quint16>(m_slot.data() + m_pos - 2);
        if (!TaggedNumber::isKnownTag(tag)) {
            m_ok = false;
            return {};
        }
        const int w = TaggedNumber::widthOfTag(tag);
        if (!take(w))
            return {};
        const char* p = m_slot.data() + m_pos - w;
        switch (tag) {
        case TaggedNumber::Int16: return TaggedNumber::fromInt16(qFromLittleEndian<qint16>(p));
        case TaggedNumber::Int32: return TaggedNumber::fromInt32(qFromLittleEndian<qint32>(p));
        case TaggedNumber::Double: {
            const quint64 bits = qFromLittleEndian<quint64>(p);
            double v;
            std::memcpy(&v, &bits, 8);
            return TaggedNumber::fromDouble(v);
        }
        default: return {};
        }
    }

private:
    bool take(int n)
    {
        if (!m_ok || m_pos + n > m_slot.size()) {
            m_ok = false;
            return false;
        }
        m_pos += n;
        return true;
    }
    QByteArrayView m_slot;
    qsizetype m_pos = 0;
    bool m_ok = true;
};

} // namespace

int slotLength(const EntryCore*) { return MainSlot; }
int slotLength(const EntryNote*) { return Main1Slot; }
int slotLength(const EntryInvoice*) { return Main2Slot; }
int slotLength(const EntryStyle*) { return Main2aSlot; }
int slotLength(const AccountRecord*) { return AccountSlot; }
int slotLength(const RecurringRecord*) { return FixureSlot; }

void write(char* slot, const EntryCore& r)
{
    SlotWriter w(slot, MainSlot);
    w.text(r.Date);
    w.text(r.Account1);
    w.text(r.Account2);
    w.tagged(r.Amount);
    w.text(r.Detail);
}

void write(char* slot, const EntryNote& r)
{
    SlotWriter w(slot, Main1Slot);
    w.i16(r.RemindOn);
    w.i16(r.RemindDays);
    w.text(r.Note);
}

void write(char* slot, const EntryInvoice& r)
{
    SlotWriter w(slot, Main2Slot);
    w.text(r.InvoiceDigits);
    w.i16(r.Checked);
}

void write(char* slot, const EntryStyle& r)
{
    SlotWriter w(slot, Main2aSlot);
    w.text(r.InvoiceLetters);
    w.i16(r.Reserved);
    w.u8(r.ColourIndex);
}

void write(char* slot, const AccountRecord& r)
{
    SlotWriter w(slot, AccountSlot);
    w.text(r.Name);
    w.i16(r.Kind);
    for (const TaggedNumber& b : r.Budget)
        w.tagged(b);
}

void write(char* slot, const RecurringRecord& r)
{
    SlotWriter w(slot, FixureSlot);
    w.u8(r.Period);
    w.text(r.When);
    w.u8(r.Overdue);
    w.text(r.Account1);
    w.text(r.Account2);
    w.tagged(r.Amount);
    w.text(r.Detail);
}

bool read(QByteArrayView slot, EntryCore& r)
{
    SlotReader s(slot);
    s.text(r.Date);
    s.text(r.Account1);
    s.text(r.Account2);
    r.Amount = s.tagged();
    s.text(r.Detail);
    return s.ok();
}

bool read(QByteArrayView slot, EntryNote& r)
{
    SlotReader s(slot);
    r.RemindOn = s.i16();
    r.RemindDays = s.i16();
    s.text(r.Note);
    return s.ok();
}

bool read(QByteArrayView slot, EntryInvoice& r)
{
    SlotReader s(slot);
    s.text(r.InvoiceDigits);
    r.Checked = s.i16();
    return s.ok();
}

bool read(QByteArrayView slot, EntryStyle& r)
{
    SlotReader s(slot);
    s.text(r.InvoiceLetters);
    r.Reserved = s.i16();
    r.ColourIndex = s.u8();
    return s.ok();
}

bool read(QByteArrayView slot, AccountRecord& r)
{
    SlotReader s(slot);
    s.text(r.Name);
    r.Kind = s.i16();
    for (TaggedNumber& b : r.Budget)
        b = s.tagged();
    return s.ok();
}

bool read(QByteArrayView slot, RecurringRecord& r)
{
    SlotReader s(slot);
    r.Period = s.u8();
    s.text(r.When);
    r.Overdue = s.u8();
    s.text(r.Account1);
    s.text(r.Account2);
    r.Amount = s.tagged();
    s.text(r.Detail);
    return s.ok();
}

} // namespace RecordFile
