// settings-bench: opens and writes large settings files with the settings store and with
// QSettings on the same bytes, each run in a process of its own so that its peak memory is
// its own; prints the median time and memory of each and their ratios.
#include "platform/settingsstore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

int g_samples = 3;              // "--samples N" sets another count
constexpr double kTarget = 3.0; // times QSettings, for both time and memory

// A line of /proc/self/status in bytes (Linux), 0 when unknown.
qint64 statusBytes(const char* field) {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

// Sets the peak back to what is resident now, so that the peak measured next is that of the
// work that follows; false where the system does not allow it.
bool resetPeak() {
    QFile refs("/proc/self/clear_refs");
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

// The file is opened and one value read; for "write", one value then changed and written.
// Prints "<ms> <peak bytes above the resident size before the open>".
int runOne(const QString& impl, const QString& op, const QString& file) {
    const QString section = QStringLiteral("Section0999");
    const QString key = QStringLiteral("Key0999");
    const bool ours = impl == QLatin1String("ours");
    const bool write = op == QLatin1String("write");
    QElapsedTimer timer;
    const qint64 before = statusBytes("VmRSS:");
    resetPeak();
    timer.start();
    const auto store = ours ? std::make_unique<IniSettingsStore>(file) : nullptr;
    const auto qt = ours ? nullptr : std::make_unique<QSettings>(file, QSettings::IniFormat);
    const QString read = ours ? store->GetSetting(section, key, QStringLiteral("none"))
                              : qt->value(section + u'/' + key, QStringLiteral("none")).toString();
    if (write) {
        // The memory of a write is that of the open before it and the write together: the
        // open of QSettings keeps much of what its write needs.
        timer.restart();
        bool stored = false;
        if (ours) {
            stored = store->SaveSetting(section, key, read + u'+');
        } else {
            qt->setValue(section + u'/' + key, read + u'+');
            qt->sync();
            stored = qt->status() == QSettings::NoError;
        }
        if (!stored) {
            std::fprintf(stderr, "%s could not write %s\n", qPrintable(impl), qPrintable(file));
            return 1;
        }
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    const qint64 peak = statusBytes("VmHWM:") - before;
    std::printf("%.3f %lld\n", ms, qlonglong(std::max<qint64>(peak, 0)));
    std::fflush(stdout);
    return 0;
}

struct Sample {
    double ms = 0;
    double mib = 0;
};

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

// The median time and memory of g_samples runs, each on a fresh copy of `source`.
bool measure(const QString& impl, const QString& op, const QString& source, const QString& work,
             Sample& result) {
    std::vector<double> ms, mib;
    for (int i = 0; i < g_samples; ++i) {
        QFile::remove(work);
        if (!QFile::copy(source, work)) return false;
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {"--one", impl, op, work});
        if (!child.waitForFinished(-1) || child.exitCode() != 0) return false;
        const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
        if (fields.size() != 2) return false;
        ms.push_back(fields[0].toDouble());
        mib.push_back(double(fields[1].toLongLong()) / (1024.0 * 1024.0));
    }
    std::sort(ms.begin(), ms.end());
    std::sort(mib.begin(), mib.end());
    result = {ms[ms.size() / 2], mib[mib.size() / 2]};
    return true;
}

// A damaged file: an "=" alone on every line, 40 MB.
QByteArray damagedFile() {
    QByteArray bytes;
    bytes.reserve(40'000'000);
    for (int i = 0; i < 20'000'000; ++i)
        bytes += "=\n";
    return bytes;
}

// 1,000 sections of 1,000 keys each.
QByteArray sectionsFile() {
    QByteArray bytes;
    bytes.reserve(28'000'000);
    for (int s = 0; s < 1000; ++s) {
        bytes += QStringLiteral("[Section%1]\n").arg(s, 4, 10, QLatin1Char('0')).toLatin1();
        for (int k = 0; k < 1000; ++k)
            bytes += QStringLiteral("Key%1=a value %2 of %3\n")
                         .arg(k, 4, 10, QLatin1Char('0'))
                         .arg(k)
                         .arg(s)
                         .toLatin1();
    }
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QLatin1String("--one"))
        return runOne(args[2], args[3], args[4]);
    if (args.size() == 3 && args[1] == QLatin1String("--samples"))
        g_samples = std::max(1, args[2].toInt());

    QTemporaryDir tmp;
    if (!tmp.isValid()) return 1;
    if (!resetPeak()) std::printf("(peak memory includes the start of the process)\n");
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {{"damaged lines", damagedFile()}, {"1000x1000 keys", sectionsFile()}};
    bool within = true;
    for (const auto& file : files) {
        const QString source = tmp.filePath(QString::fromLatin1(file.name) + ".conf");
        if (!writeFile(source, file.bytes)) {
            std::fprintf(stderr, "could not write the generated file\n");
            return 1;
        }
        for (const char* op : {"open", "write"}) {
            Sample ours, qt;
            const QString work = tmp.filePath(QStringLiteral("work.conf"));
            if (!measure("ours", op, source, work, ours) || !measure("qt", op, source, work, qt)) {
                std::fprintf(stderr, "a run of %s %s failed\n", op, file.name);
                return 1;
            }
            const double time = ours.ms / std::max(qt.ms, 0.001);
            const double memory = ours.mib / std::max(qt.mib, 1.0);
            const bool ok = time <= kTarget && memory <= kTarget;
            within = within && ok;
            std::printf("%-5s %-15s %5.1f MB  store %9.1f ms %7.1f MB  QSettings %9.1f ms "
                        "%7.1f MB  ratio time %5.2f memory %5.2f%s\n",
                        op, file.name, double(file.bytes.size()) / 1e6, ours.ms, ours.mib, qt.ms,
                        qt.mib, time, memory, ok ? "" : "  OVER TARGET");
            std::fflush(stdout);
        }
    }
    return within ? 0 : 2;
}
