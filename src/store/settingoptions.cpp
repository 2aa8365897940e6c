#include "store/settingoptions.h"

#include "platform/settingsstore.h"

namespace {

QString text(const char* latin1) {
    return *latin1 ? QString::fromLatin1(latin1) : QString();
}

} // namespace

SettingMirrors::SettingMirrors() {
    for (const SettingOption& o : SettingOptions::All)
        if (o.mirror) this->*o.mirror = text(o.fallback);
}

namespace SettingOptions {

const SettingOption* find(QStringView key) {
    for (const SettingOption& o : All)
        if (key == QLatin1String(o.key)) return &o;
    return nullptr;
}

QString fallback(QStringView key) {
    const SettingOption* o = find(key);
    Q_ASSERT(o);
    return o ? text(o->fallback) : QString();
}

QString read(const SettingsStore& store, QStringView key) {
    return store.GetSetting(Section, key.toString(), fallback(key));
}

void readMirrors(const SettingsStore& store, SettingMirrors& mirrors) {
    for (const SettingOption& o : All)
        if (o.mirror)
            mirrors.*o.mirror = store.GetSetting(Section, QLatin1String(o.key), text(o.fallback));
}

QStringList figureValues(const Session& session) {
    QStringList values{session.DotState};
    for (const SettingOption& o : All)
        if (o.decidesFigures && o.mirror) values << session.Setting.*o.mirror;
    return values;
}

} // namespace SettingOptions
