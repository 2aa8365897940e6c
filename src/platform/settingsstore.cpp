#include "platform/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace {

// QSettings reads "/" and "\" as group separators; a section or key that contains them must
// stay one name, so they are escaped (and "%" with them, to keep the escape unambiguous).
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

// The file holds the automatic-login password: it is the user's alone. A missing folder is
// made for the owner only and the file created with owner rights before the first write
// (the writer keeps an existing file's rights); an existing file is tightened.
void keepPrivate(const QString& path) {
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir()) {
        QDir().mkpath(QFileInfo(folder).absolutePath());
        QDir().mkdir(folder, ownerOnly | QFile::ExeOwner);
    }
    if (!info.exists()) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly, ownerOnly)) file.close();
    } else if ((info.permissions() & ~(ownerOnly | QFile::ReadUser | QFile::WriteUser)) != 0) {
        QFile::setPermissions(path, ownerOnly);
    }
}

} // namespace

// Organization and application "Qivo": <config folder>/Qivo/Qivo.conf, INI form on every
// platform (QSettings' own INI default would name the file Qivo.ini).
IniSettingsStore::IniSettingsStore()
    : m_settings(
          new QSettings(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                            QStringLiteral("/Qivo/Qivo.conf"),
                        QSettings::IniFormat)) {}

IniSettingsStore::IniSettingsStore(const QString& file)
    : m_settings(new QSettings(file, QSettings::IniFormat)) {}

IniSettingsStore::~IniSettingsStore() {
    m_settings->sync(); // every change was written already
}

QString IniSettingsStore::GetSetting(const QString& section, const QString& key,
                                     const QString& defaultValue) const {
    const QVariant value = m_settings->value(fullKey(section, key));
    if (!value.isValid()) return defaultValue;
    // A hand-edited line with commas reads back as a list; it is still one text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

bool IniSettingsStore::writeValue(const QString& section, const QString& key,
                                  const QString& value) {
    prepareWrite();
    const QString name = fullKey(section, key);
    // A value the file holds already costs no rewrite (a start or a close that changes
    // nothing leaves the file alone).
    if (holds(name, value)) {
        keepPrivate(m_settings->fileName());
        return true;
    }
    m_settings->setValue(name, value);
    if (batching()) {
        m_pending = true;
        return true;
    }
    return sync();
}

bool IniSettingsStore::removeValue(const QString& section, const QString& key) {
    prepareWrite();
    const QString name = fullKey(section, key);
    if (m_settings->status() == QSettings::NoError && !m_settings->contains(name)) {
        keepPrivate(m_settings->fileName());
        return true;
    }
    m_settings->remove(name);
    if (batching()) {
        m_pending = true;
        return true;
    }
    return sync();
}

bool IniSettingsStore::flush() {
    if (!m_pending) return true;
    m_pending = false;
    return sync();
}

bool IniSettingsStore::holds(const QString& name, const QString& value) const {
    if (m_settings->status() != QSettings::NoError) return false;
    const QVariant stored = m_settings->value(name);
    return stored.typeId() == QMetaType::QString && stored.toString() == value;
}

// QSettings keeps the first error for good (a file it could not read as well as a write that
// failed): a write starts from a fresh look at the file, so that it reports its own outcome.
void IniSettingsStore::prepareWrite() {
    if (m_settings->status() != QSettings::NoError) reopen();
}

bool IniSettingsStore::sync() {
    keepPrivate(m_settings->fileName());
    m_settings->sync();
    if (m_settings->status() == QSettings::NoError) return true;
    // The value that could not be written would otherwise stay readable as if stored.
    reopen();
    return false;
}

void IniSettingsStore::reopen() {
    const QString file = m_settings->fileName();
    m_settings.reset(); // first: the new one must not share its unwritten values
    m_settings = std::make_unique<QSettings>(file, QSettings::IniFormat);
}

QString IniSettingsStore::fileName() const {
    return m_settings->fileName();
}
