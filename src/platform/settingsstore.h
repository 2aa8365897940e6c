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

    // The writes between beginBatch and endBatch reach the file together, in one write at
    // endBatch, which reports whether they did; inside, a write's true says only that the
    // store took the value. Batches nest; the outermost end writes.
    void beginBatch() { ++m_batchDepth; }
    [[nodiscard]] bool endBatch() {
        if (m_batchDepth == 0 || --m_batchDepth > 0) return true;
        return flush();
    }

protected:
    virtual bool writeValue(const QString& section, const QString& key, const QString& value) = 0;
    virtual bool removeValue(const QString& section, const QString& key) = 0;
    bool batching() const { return m_batchDepth > 0; }
    // Puts the values taken during a batch into the file.
    virtual bool flush() { return true; }

private:
    int m_batchDepth = 0;
};

// The quiet writes of one occasion (a window's close): the file is rewritten once when the
// scope ends, and not at all when no value changed.
class SettingsBatch {
public:
    explicit SettingsBatch(SettingsStore& store) : m_store(store) { m_store.beginBatch(); }
    ~SettingsBatch() { static_cast<void>(m_store.endBatch()); }
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;

private:
    SettingsStore& m_store;
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
    bool flush() override;

private:
    bool m_pending = false; // a batch holds values the file has not yet
    void prepareWrite();
    bool holds(const QString& name, const QString& value) const; // the file has this text
    bool sync(); // writes the file, readable by its owner only; false when it failed
    void reopen();
    std::unique_ptr<QSettings> m_settings;
};
