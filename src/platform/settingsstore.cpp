#include "platform/settingsstore.h"

#include "platform/fileio.h"
#include "platform/iniformat.h"
#include "platform/prompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>
#include <utility>
#include <vector>

namespace {

// Sections and keys with "/" or "\" must stay one name each (the file's form takes both as
// path separators), so they are escaped, "%" with them to keep the escape unambiguous. The
// files of earlier versions hold the same names.
QString escapeName(const QString& name) {
    QString out;
    out.reserve(name.size());
    for (const QChar c : name) {
        if (c == u'%')
            out += QLatin1String("%25");
        else if (c == u'/')
            out += QLatin1String("%2F");
        else if (c == u'\\')
            out += QLatin1String("%5C");
        else
            out += c;
    }
    return out;
}

QString fullKey(const QString& section, const QString& key) {
    return escapeName(section) + u'/' + escapeName(key);
}

constexpr QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner;

using IniFormat::Entries;

// The file as it is on disk: no file reads as empty; nullopt when a file is there but cannot
// be read (it is then never written over: its values would be lost).
std::optional<QByteArray> readConf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        // A folder that is no folder cannot hold the file: no file, but none to write either.
        const QFileInfo folder(info.absolutePath());
        if (folder.exists() && !folder.isDir()) return std::nullopt;
        return QByteArray();
    }
    return FileIO::readFile(path);
}

// The file holds the automatic-login password: it is the user's alone. A missing folder is
// made for the owner only; the safe writer makes the file itself owner-only.
bool makeFolder(const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    if (QFileInfo(folder).isDir()) return true;
    QDir().mkpath(QFileInfo(folder).absolutePath());
    return QDir().mkdir(folder, ownerOnly | QFile::ExeOwner) || QFileInfo(folder).isDir();
}

// A value that needs no write still tightens an older file readable by others.
void tighten(const QString& path) {
    const QFileInfo info(path);
    if (info.isFile() && (info.permissions() & ~(ownerOnly | QFile::ReadUser | QFile::WriteUser)))
        QFile::setPermissions(path, ownerOnly);
}

// The temporaries of earlier writes whose removal failed go with the next write that works.
void removeLeftTemporaries(const QString& path) {
    const QFileInfo info(path);
    QDir folder(info.absolutePath());
    const QStringList names =
        folder.entryList({u'.' + info.fileName() + QStringLiteral(".*.qvtmp")},
                         QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        folder.remove(name);
}

} // namespace

struct IniSettingsStore::State {
    QString file;
    Entries entries; // the file's values with the changes taken but not yet written
    // The file was there at the start of the run but could not be read: what the run read
    // were defaults, and values derived from them must not replace the user's file.
    bool unreadAtStart = false;
    // The changes since the last write, in order: a value, or nullopt for a removal.
    std::vector<std::pair<QString, std::optional<QString>>> changes;

    // False when a file is there but could not be read (the entries are then none).
    bool load() {
        const std::optional<QByteArray> bytes = readConf(file);
        entries = IniFormat::parse(bytes.value_or(QByteArray()));
        return bytes.has_value();
    }
    void change(const QString& key, const std::optional<QString>& value) {
        changes.emplace_back(key, value);
        apply(entries, key, value);
    }
    static void apply(Entries& to, const QString& key, const std::optional<QString>& value) {
        if (value)
            to.put(IniFormat::entry(key, *value));
        else
            to.remove(key);
    }
};

QString SettingsNotStoredText() {
    return QStringLiteral("無法寫入設定檔，設定值未儲存!");
}

SettingsBatch::~SettingsBatch() {
    if (!m_store.endBatch()) m_prompts.warning(SettingsNotStoredText());
}

// Organization and application "Qivo": <config folder>/Qivo/Qivo.conf.
IniSettingsStore::IniSettingsStore()
    : IniSettingsStore(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                       QStringLiteral("/Qivo/Qivo.conf")) {}

IniSettingsStore::IniSettingsStore(const QString& file) : m_state(std::make_unique<State>()) {
    m_state->file = file;
    m_state->unreadAtStart = !m_state->load();
}

IniSettingsStore::~IniSettingsStore() = default; // every change was written already

QString IniSettingsStore::GetSetting(const QString& section, const QString& key,
                                     const QString& defaultValue) const {
    const std::optional<IniFormat::Entry> e = m_state->entries.find(fullKey(section, key));
    return e ? IniFormat::textOf(*e).value_or(defaultValue) : defaultValue;
}

bool IniSettingsStore::writeValue(const QString& section, const QString& key,
                                  const QString& value) {
    m_state->change(fullKey(section, key), value);
    return batching() || commit();
}

bool IniSettingsStore::removeValue(const QString& section, const QString& key) {
    m_state->change(fullKey(section, key), std::nullopt);
    return batching() || commit();
}

bool IniSettingsStore::flush() {
    return m_state->changes.empty() || commit();
}

bool IniSettingsStore::commit() {
    State& s = *m_state;
    const auto changes = std::exchange(s.changes, {});
    if (s.unreadAtStart) {
        s.entries = Entries();
        return false;
    }
    // The changes go onto the file as it is now, so that nothing written since it was read
    // is lost; a file that cannot be read is left as it is.
    const std::optional<QByteArray> current = readConf(s.file);
    if (!current) {
        s.load();
        return false;
    }
    Entries merged = IniFormat::parse(*current);
    // What the file holds already costs no rewrite (a start or a close that changes nothing
    // leaves the file alone), whatever the store read before; the rest is written.
    bool changed = false;
    for (const auto& [key, value] : changes) {
        const std::optional<IniFormat::Entry> at = merged.find(key);
        if (value ? at && IniFormat::textOf(*at) == *value : !at) continue;
        State::apply(merged, key, value);
        changed = true;
    }
    const QByteArray bytes = changed ? IniFormat::write(merged) : *current;
    const bool exists = QFileInfo::exists(s.file) || QFileInfo(s.file).isSymLink();
    if (!changed || (exists && bytes == *current)) {
        tighten(s.file);
    } else if (!makeFolder(s.file) || !FileIO::writePrivateFileSafely(s.file, bytes)) {
        // A value that did not reach the file must not read as stored.
        s.load();
        return false;
    } else {
        removeLeftTemporaries(s.file);
    }
    s.entries = std::move(merged);
    return true;
}

QString IniSettingsStore::fileName() const {
    return m_state->file;
}
