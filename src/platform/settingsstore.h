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

// What the user is told when the settings file did not take a write and the command has no
// message of its own.
QString SettingsNotStoredText();

class Prompts;

// The writes of one occasion (a window's close, a command): the file is rewritten once when
// the scope ends, and not at all when no value changed; when that write fails, the user is
// told (SettingsNotStoredText) and the file stays as it was.
class SettingsBatch {
public:
    SettingsBatch(SettingsStore& store, Prompts& prompts) : m_store(store), m_prompts(prompts) {
        m_store.beginBatch();
    }
    ~SettingsBatch();
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;

private:
    SettingsStore& m_store;
    Prompts& m_prompts;
};

// For the writes inside a SettingsBatch, which reports for them, and for the marks that no
// user waits for (a window's remembered choices at a moment without a command): a value the
// file does not take is passed over, and the next run reads the default or the value
// stored before.
inline void SaveSettingQuietly(SettingsStore& store, const QString& section, const QString& key,
                               const QString& value) {
    static_cast<void>(store.SaveSetting(section, key, value));
}

// The INI file of QSettings, read and written by the program itself: each write goes through
// the checked safe writer (a new temporary beside the file, then the rename), so a write that
// fails leaves the previous file whole, and no lock file is ever waited for. By default the
// user's configuration folder "Qivo/Qivo.conf"; tests hand in a file of their own.
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
    struct State;
    // Puts the changes taken since the last write into the file as it is on disk now;
    // false, with the values of the file back in memory, when it could not be written.
    bool commit();
    std::unique_ptr<State> m_state;
};
