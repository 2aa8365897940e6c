#pragma once
// What the window benchmarks share: a logged-in context over the full-size generated ledger
// with services that never block a timed run, and the report lines.
#include "generate.h"
#include "timing.h"

#include "platform/clock.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"
#include "store/appcontext.h"

#include <QDate>
#include <QDateTime>
#include <QTemporaryDir>

#include <cstdio>

namespace Bench {

// Boxes would block a timed run: every one is counted and answered "no".
class SilentPrompts : public Prompts {
public:
    int boxes = 0;
    void information(const QString&, const QString&) override { ++boxes; }
    void warning(const QString& text, const QString&) override {
        ++boxes;
        std::fprintf(stderr, "warning: %s\n", qPrintable(text));
    }
    void plain(const QString&, const QString&) override { ++boxes; }
    Answer question(const QString&, Buttons, const QString&) override {
        ++boxes;
        return Answer::No;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return {};
    }
    std::optional<QString> password(const QString&, const QString&) override { return {}; }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&, QString*) override {
        return {};
    }
    QString browseFolder(const QString&) override { return {}; }
};

class FixedClock : public Clock {
public:
    QDate today() const override { return QDate(2024, 12, 31); }
    QDateTime now() const override { return QDateTime(today(), QTime(12, 0)); }
};

// User "Bench" with ledger "Full" open, settings in a temporary folder.
struct WindowBench {
    QTemporaryDir tmp;
    IniSettingsStore settings{tmp.path() + QStringLiteral("/settings.ini")};
    SilentPrompts prompts;
    FixedClock clock;
    AppContext ctx;

    WindowBench() {
        ctx.services.setSettings(settings);
        ctx.services.setPrompts(prompts);
        ctx.services.setClock(clock);
        ctx.session.AppFolder = tmp.path() + QStringLiteral("/");
        ctx.session.DataRoot = tmp.path() + QStringLiteral("/DataBase/");
        ctx.session.CurrentUser = QStringLiteral("Bench");
        ctx.session.LedgerName = QStringLiteral("Full");
        GenerateFullLedger(ctx.ledger);
        std::printf("ledger: %d entries, %d accounts\n", ctx.ledger.EntryCount - 1,
                    ctx.ledger.AccountCount - 1);
    }
};

inline void report(const char* name, double ms, double baseline) {
    std::printf("%-40s %9.2f ms %8.1fx\n", name, ms, ms / baseline);
}

// A line with its limit; false when the median passed it.
inline bool reportWithin(const char* name, double ms, double baseline, double limitMs) {
    std::printf("%-40s %9.2f ms %8.1fx  limit %.0f ms%s\n", name, ms, ms / baseline, limitMs,
                ms > limitMs ? "  over" : "");
    return ms <= limitMs;
}

// The yardstick of every line, reported first: one pass summing the entries' amounts.
inline double entryPassBaseline(const Ledger& ledger, const char* name) {
    const double baseline = medianMs([&] {
        double sum = 0;
        for (int i = 1; i < ledger.EntryCount; ++i)
            sum += ledger.Entries[size_t(i)].Amount.value();
        g_sink = sum;
    });
    report(name, baseline, baseline);
    return baseline;
}

} // namespace Bench
