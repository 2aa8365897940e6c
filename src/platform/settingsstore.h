#pragma once
#include <QString>
#include <memory>

// Per-user settings: text values under the application key "Qivo", by section and key.
// Every read names its default; Booleans are kept as the text "True"/"False".
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString GetSetting(const QString& section, const QString& key,
                               const QString& defaultValue = QString()) const = 0;
    virtual void SaveSetting(const QString& section, const QString& key, const QString& value) = 0;
    virtual void DeleteSetting(const QString& section, const QString& key) = 0;
};

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
    void SaveSetting(const QString& section, const QString& key, const QString& value) override;
    void DeleteSetting(const QString& section, const QString& key) override;
    QString fileName() const;

private:
    void sync(); // writes the file, readable by its owner only
    std::unique_ptr<QSettings> m_settings;
};
