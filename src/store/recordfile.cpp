#include "store/recordfile.h"

#include <QtEndian>
#include <cstring>
#include <type_traits>

namespace RecordFile {

namespace {

// Writes the fields of one slot in place, from byte 0 of a slot of zero bytes.
class SlotWriter {
public:
    SlotWriter(char* slot, int length) : m_data(slot), m_pos(0), m_end(length) {}
    template <int N> void text(const FixedText<N>& t) { put(t.data(), N); }
    void i16(qint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        put(b, 2);
    }
    void u8(quint8 v) {
        const char c = char(v);
        put(&c, 1);
    }
    void tagged(const TaggedNumber& n) {
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

    // The tail after the last field: zero bytes, whatever the slot held before.
    void zeroTail() { std::memset(m_data + m_pos, 0, size_t(m_end - m_pos)); }

private:
    void put(const char* p, qsizetype n) {
        // Every layout fits its slot; the guard keeps a wrong one from writing past it.
        if (m_pos + n > m_end) return;
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
    template <int N> void text(FixedText<N>& t) {
        if (take(N)) t.setBytes(m_slot.sliced(m_pos - N, N));
    }
    void i16(qint16& v) { v = take(2) ? qFromLittleEndian<qint16>(m_slot.data() + m_pos - 2) : 0; }
    void u8(quint8& v) { v = take(1) ? quint8(m_slot[m_pos - 1]) : 0; }
    void tagged(TaggedNumber& n) { n = readTagged(); }

private:
    TaggedNumber readTagged() {
        if (!take(2)) return {};
        const quint16 tag = qFromLittleEndian<quint16>(m_slot.data() + m_pos - 2);
        if (!TaggedNumber::isKnownTag(tag)) {
            m_ok = false;
            return {};
        }
        const int w = TaggedNumber::widthOfTag(tag);
        if (!take(w)) return {};
        const char* p = m_slot.data() + m_pos - w;
        switch (tag) {
        case TaggedNumber::Int16:
            return TaggedNumber::fromInt16(qFromLittleEndian<qint16>(p));
        case TaggedNumber::Int32:
            return TaggedNumber::fromInt32(qFromLittleEndian<qint32>(p));
        case TaggedNumber::Double: {
            const quint64 bits = qFromLittleEndian<quint64>(p);
            double v;
            std::memcpy(&v, &bits, 8);
            return TaggedNumber::fromDouble(v);
        }
        default:
            return {};
        }
    }
    bool take(int n) {
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

// The field order of each layout, listed once: the writer and the reader both walk it, so
// the two directions cannot drift apart.
template <typename IO, typename R> void walk(IO& io, R& r) {
    using T = std::remove_const_t<R>;
    if constexpr (std::is_same_v<T, EntryCore>) {
        io.text(r.Date);
        io.text(r.Account1);
        io.text(r.Account2);
        io.tagged(r.Amount);
        io.text(r.Detail);
    } else if constexpr (std::is_same_v<T, EntryNote>) {
        io.i16(r.RemindOn);
        io.i16(r.RemindDays);
        io.text(r.Note);
    } else if constexpr (std::is_same_v<T, EntryInvoice>) {
        io.text(r.InvoiceDigits);
        io.i16(r.Checked);
    } else if constexpr (std::is_same_v<T, EntryStyle>) {
        io.text(r.InvoiceLetters);
        io.i16(r.Reserved);
        io.u8(r.ColourIndex);
    } else if constexpr (std::is_same_v<T, AccountRecord>) {
        io.text(r.Name);
        io.i16(r.Kind);
        for (auto& cell : r.Budget)
            io.tagged(cell);
    } else {
        static_assert(std::is_same_v<T, RecurringRecord>);
        io.u8(r.Period);
        io.text(r.When);
        io.u8(r.Overdue);
        io.text(r.Account1);
        io.text(r.Account2);
        io.tagged(r.Amount);
        io.text(r.Detail);
    }
}

template <typename T> void writeSlot(char* slot, const T& r) {
    SlotWriter w(slot, slotOf<T>());
    walk(w, r);
    w.zeroTail();
}

template <typename T> bool readSlot(QByteArrayView slot, T& r) {
    SlotReader s(slot);
    walk(s, r);
    return s.ok();
}

} // namespace

int slotLength(const EntryCore*) {
    return MainSlot;
}
int slotLength(const EntryNote*) {
    return Main1Slot;
}
int slotLength(const EntryInvoice*) {
    return Main2Slot;
}
int slotLength(const EntryStyle*) {
    return Main2aSlot;
}
int slotLength(const AccountRecord*) {
    return AccountSlot;
}
int slotLength(const RecurringRecord*) {
    return FixureSlot;
}

void write(char* slot, const EntryCore& r) {
    writeSlot(slot, r);
}
void write(char* slot, const EntryNote& r) {
    writeSlot(slot, r);
}
void write(char* slot, const EntryInvoice& r) {
    writeSlot(slot, r);
}
void write(char* slot, const EntryStyle& r) {
    writeSlot(slot, r);
}
void write(char* slot, const AccountRecord& r) {
    writeSlot(slot, r);
}
void write(char* slot, const RecurringRecord& r) {
    writeSlot(slot, r);
}

bool read(QByteArrayView slot, EntryCore& r) {
    return readSlot(slot, r);
}
bool read(QByteArrayView slot, EntryNote& r) {
    return readSlot(slot, r);
}
bool read(QByteArrayView slot, EntryInvoice& r) {
    return readSlot(slot, r);
}
bool read(QByteArrayView slot, EntryStyle& r) {
    return readSlot(slot, r);
}
bool read(QByteArrayView slot, AccountRecord& r) {
    return readSlot(slot, r);
}
bool read(QByteArrayView slot, RecurringRecord& r) {
    return readSlot(slot, r);
}

} // namespace RecordFile
