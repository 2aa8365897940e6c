#include "store/recordstream.h"

#include <QFileInfo>

namespace {
constexpr int kBlockRecords = 256;
}

bool RecordStream::open(const QString& path, qint64 limit) {
    const QFileInfo info(path);
    if (!info.exists()) return true;
    // A device would never end and a named pipe would block: regular files only.
    if (!info.isFile()) return false;
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) return false;
    m_size = m_file.size();
    if (m_size > limit) {
        m_file.close();
        return false;
    }
    return true;
}

QByteArrayView RecordStream::next() {
    if (m_failed || !isOpen() || m_taken >= records()) return {};
    if (m_pos + m_slot > m_buffer.size() && !fill()) return {};
    const QByteArrayView record = QByteArrayView(m_buffer).sliced(m_pos, m_slot);
    m_pos += m_slot;
    ++m_taken;
    return record;
}

bool RecordStream::fill() {
    const qint64 wanted = qint64(qMin(kBlockRecords, records() - m_taken)) * m_slot;
    m_buffer.resize(qsizetype(wanted));
    if (m_file.read(m_buffer.data(), wanted) != wanted) {
        m_failed = true; // shorter than it was when opened, or unreadable
        return false;
    }
    m_pos = 0;
    return true;
}
