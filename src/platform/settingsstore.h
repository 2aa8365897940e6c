#pragma once
#include <QString>
#include <memory>

// Per-user settings: text values under the application key "Qivo", by section and key.
// Every read names its default; Booleans are kept as the text "True"/"False".
// A write is on disk when it returns true; on false the store still holds what it held
// before, and a caller with a message for it reports it.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString GetSetting(const QString& section, const QString& key,
                               const QString& defaultValue = QString()) const = 0;
    // Not virtual, so that every compiler holds a caller to the result.
    [[nodiscard]] bool SaveSetting(const QString& section, const QString& key,
                                   const QString& value) {
        return writeValue(section, key, value);
    }
    [[nodiscard]] bool DeleteSetting(const QString& section, const QString& key) {
        return removeValue(section, key);
    }

protected:
    virtual bool writeValue(const QString& section, const QString& key, const QString& value) = 0;
    virtual bool removeValue(const QString& section, const QString& key) = 0;
};

// For writers with no message of their own (a window's sizes and remembered choices, the
// marks of a clean run): a value the file does not take is passed over, and the next run
// reads the default or the value stored before.
inline void SaveSettingQuietly(SettingsStore& store, const QString& section, const QString& key,
                               const QString& value) {
    static_cast<void>(store.SaveSetting(section, key, value));
}

class QSettings;

// QSettings in INI form: by default the user's configuration folder "Qivo/Qivo.conf";
// tests hand in a file of their own.
class IniSettingsStore : public SettingsStore {
public:
    IniSettingsStore();                             // Qivo/Qivo.conf in the user's config folder
    explicit IniSettingsStore(const QString& file); // an explicit INI file
    ~IniSettingsStore() override;
    QString GetSetting(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const override;
    QString fileName() const;

protected:
    bool writeValue(const QString& section, const QString& key, const QString& value) override;
    bool removeValue(const QString& section, const QString& key) override;

private:
    void prepareWrite();
    bool sync(); // writes the file, readable by its owner only; false when it failed
    void reopen();
    std::unique_ptr<QSettings> m_settings;
};
