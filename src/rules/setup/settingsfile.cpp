#include "rules/setup/settingsfile.h"

#include <QStringList>

#include "platform/fileio.h"
#include "platform/runtime.h"
#include "store/settingoptions.h"

namespace SettingsFile {
namespace {

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// The number at the start of a line as a list index would take it.
int index(const QString& line) {
    const double n = Runtime::leadingNumber(line);
    if (!(n > -1e9 && n < 1e9)) // also NaN
        return -1;
    return int(Runtime::roundHalfEven(n));
}

QString numberText(const QString& line) {
    return QString::number(Runtime::leadingNumber(line), 'g', 15);
}

} // namespace

const QStringList& FontSizes() {
    static const QStringList sizes = {"9",  "10", "11", "12", "13", "14", "15", "16",
                                      "18", "20", "22", "24", "26", "28", "32", "36"};
    return sizes;
}

const QStringList& BackupCounts() {
    static const QStringList counts = [] {
        QStringList c;
        for (int n = 7; n <= 30; ++n)
            c << QString::number(n);
        return c;
    }();
    return counts;
}

int DefaultFontIndex() {
    return int(FontSizes().indexOf(SettingOptions::fallback(u"MainFontSize")));
}

int DefaultCountIndex() {
    return int(BackupCounts().indexOf(SettingOptions::fallback(u"AutoBackupMaxCount")));
}

QByteArray write(const Values& values) {
    QStringList lines{values.Width, values.StartDay};
    for (bool on : values.Switches)
        lines << flag(on);
    lines << values.BackupPath << values.DataPath << QString::number(values.FontIndex)
          << QString::number(values.CountIndex)
          << (values.ShowAll ? QStringLiteral("1") : QStringLiteral("2"));
    return FileIO::joinLines(lines);
}

std::optional<Loaded> read(const QByteArray& file) {
    const QStringList lines = FileIO::splitLines(file);
    if (lines.size() != LineCount) return std::nullopt;
    Loaded l;
    l.Width = numberText(lines[0]);
    l.StartDay = numberText(lines[1]);
    for (int s = 0; s < SwitchCount; ++s) {
        const double n = Runtime::leadingNumber(lines[2 + s]);
        if (n == 0)
            l.Switches[s] = false;
        else if (n == 1)
            l.Switches[s] = true;
    }
    l.BackupPath = lines[16];
    l.DataPath = lines[17];
    const int font = index(lines[18]);
    if (font < 0 || font > 27)
        l.FontIndex = DefaultFontIndex();
    else if (font <= 15)
        l.FontIndex = font;
    const int count = index(lines[19]);
    l.CountIndex = (count < 0 || count > 23) ? DefaultCountIndex() : count;
    const double show = Runtime::leadingNumber(lines[20]);
    if (show == 1)
        l.ShowAll = true;
    else if (show == 2)
        l.ShowAll = false;
    return l;
}

} // namespace SettingsFile
