#include "platform/iniformat.h"
#include "platform/ininames.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace IniFormat {

std::optional<Entry> Entries::find(QStringView key) const {
    const qsizetype at = placeOf(key);
    if (at < 0) return std::nullopt;
    const Record& r = m_records[at];
    return Entry{keyOf(r), rawOf(r).toByteArray(), m_sections[r.section].size()};
}

void Entries::put(Entry entry) {
    const qint32 section = sectionOf(entry.key.first(entry.sectionLength));
    const qint32 g = groupFor(groupOf(entry.key));
    Group& group = indexed(g);
    makeRoom(group);
    const quint32 tag = tagOf(entry.key);
    Slot& s = group.cells[slotOf(group, entry.key, tag)];
    if (s.at) {
        Record& r = m_records[s.at - 1];
        r.section = section;
        own(r, std::move(entry));
        return;
    }
    Record r;
    r.section = section;
    own(r, std::move(entry));
    link(g, r);
    s = {quint32(m_records.size()), tag};
    ++group.count;
}

void Entries::remove(QStringView key) {
    const qsizetype at = placeOf(key);
    if (at < 0) return;
    m_records[at].section = -1;
    // Rare: the table of its group is made anew without it.
    const qint32 g = groupAt(groupOf(key));
    m_groups[g].indexed = false;
    m_groups[g].count = 0;
    m_groups[g].cells.clear();
    indexed(g);
}

qsizetype Entries::placeOf(QStringView key) const {
    const qint32 g = groupAt(groupOf(key));
    if (g < 0) return -1;
    const Group& group = indexed(g);
    if (group.cells.empty()) return -1; // none of its records is left
    return qsizetype(group.cells[slotOf(group, key, tagOf(key))].at) - 1;
}

QString Entries::keyOf(const Record& r) const {
    if (r.own >= 0) return m_own[r.own].key;
    return IniFormat::keyOf(m_sections[r.section], nameOf(r));
}

QByteArrayView Entries::nameOf(const Record& r) const {
    return QByteArrayView(m_file).sliced(r.name, r.nameLength);
}

QByteArrayView Entries::rawOf(const Record& r) const {
    if (r.own >= 0) return m_own[r.own].raw;
    return QByteArrayView(m_file).sliced(r.raw, r.rawLength);
}

void Entries::own(Record& r, Entry entry) {
    if (r.own >= 0) {
        m_own[r.own] = std::move(entry);
    } else {
        r.own = qint32(m_own.size());
        m_own.push_back(std::move(entry));
    }
}

qint32 Entries::sectionOf(QStringView section) {
    const QString name = section.toString();
    const auto found = m_sectionAt.constFind(name);
    if (found != m_sectionAt.constEnd()) return *found;
    m_sections.push_back(name);
    return *m_sectionAt.insert(name, qint32(m_sections.size() - 1));
}

QStringView Entries::sectionName(qint32 section) const {
    const QString& prefix = m_sections[section];
    return QStringView(prefix).first(std::max<qsizetype>(0, prefix.size() - 1));
}

qint32 Entries::groupAt(QStringView name) const {
    if (m_lastGroup >= 0 && name == m_lastGroupName) return m_lastGroup;
    const auto found = m_groupAt.constFind(name.toString());
    return found == m_groupAt.constEnd() ? -1 : *found;
}

qint32 Entries::groupFor(QStringView name) {
    // The keys of a file come section by section: the group of the key before is asked
    // for first.
    if (m_lastGroup >= 0 && name == m_lastGroupName) return m_lastGroup;
    m_lastGroupName = name.toString();
    auto found = m_groupAt.constFind(m_lastGroupName);
    if (found == m_groupAt.constEnd()) {
        found = m_groupAt.insert(m_lastGroupName, qint32(m_groups.size()));
        m_groups.emplace_back();
    }
    m_lastGroup = *found;
    return m_lastGroup;
}

void Entries::link(qint32 g, const Record& r) {
    const qint32 at = qint32(m_records.size());
    m_records.push_back(r);
    Group& group = m_groups[g];
    if (group.last >= 0)
        m_records[group.last].next = at;
    else
        group.first = at;
    group.last = at;
}

Entries::Group& Entries::indexed(qint32 g) const {
    Group& group = m_groups[g];
    if (group.indexed) return group;
    group.indexed = true;
    QString key;
    for (qint32 i = group.first; i >= 0; i = m_records[i].next) {
        Record& r = m_records[i];
        if (r.section < 0) continue;
        if (r.own >= 0) {
            key = m_own[r.own].key;
        } else {
            key.truncate(0);
            key += m_sections[r.section];
            appendKey(nameOf(r), key);
        }
        makeRoom(group);
        const quint32 tag = tagOf(key);
        Slot& s = group.cells[slotOf(group, key, tag)];
        if (!s.at) {
            s = {quint32(i + 1), tag};
            ++group.count;
            continue;
        }
        // A key given again keeps its first place. Its value is the one QSettings reads:
        // QSettings reads the sections in the order of their names, each in file order.
        Record& first = m_records[s.at - 1];
        if (sectionName(r.section) >= sectionName(first.section)) {
            const qint32 next = first.next;
            first = r;
            first.next = next;
        }
        r.section = -1;
        r.own = -1;
    }
    return group;
}

void Entries::makeRoom(Group& group) {
    if (group.cells.size() >= 2 * (group.count + 1)) return;
    const std::vector<Slot> old =
        std::exchange(group.cells, std::vector<Slot>(std::max<size_t>(8, 2 * group.cells.size())));
    const size_t mask = group.cells.size() - 1;
    for (const Slot slot : old) {
        if (!slot.at) continue;
        size_t i = firstSlot(slot.tag, mask);
        while (group.cells[i].at)
            i = (i + 1) & mask;
        group.cells[i] = slot;
    }
}

// The high half of the product of Qt's hash of a text with an odd constant: it depends on
// all bits of Qt's hash, whose low bits are much alike.
quint32 Entries::tagOf(QStringView key) {
    return quint32((quint64(qHash(key)) * 0x9E3779B97F4A7C15ull) >> 32);
}

size_t Entries::firstSlot(quint32 tag, size_t mask) {
    return size_t(tag >> std::countl_zero(quint32(mask))) & mask;
}

size_t Entries::slotOf(const Group& group, QStringView key, quint32 tag) const {
    const size_t mask = group.cells.size() - 1;
    // The tag kept in the slot passes over the other keys of a run without reading them.
    for (size_t i = firstSlot(tag, mask);; i = (i + 1) & mask) {
        const Slot slot = group.cells[i];
        if (slot.at == 0 || (slot.tag == tag && keyOf(m_records[slot.at - 1]) == key)) return i;
    }
}

} // namespace IniFormat
