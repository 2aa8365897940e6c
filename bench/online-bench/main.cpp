// online-bench: the download window on the full-size generated ledger, offscreen. A download
// of 30000 records, from the service's reply to the ticked list, and the posting (加入帳本)
// of those 30000 ticked rows; the rows are the generated ledger's own entries, posted into
// its full account table once its entries were taken out, so that all of them fit. Then the
// expiry of a paper-invoice list of 8 MB. The download and the posting are timed twice: called
// directly, and as a user does them in the shown window, a mouse click on 下載資料 (the reply
// coming from a scripted service on 127.0.0.1 through the network client) and one on 加入帳本
// once the staged list has been painted, each until the list is painted again. Each is the
// median of five runs against one pass that only decodes the reply; a line over its limit
// says "over" and the run ends with exit code 1.
#include "timing.h"
#include "userinput.h"
#include "windowbench.h"

#include "mainwin/mainform.h"
#include "online/downform.h"
#include "online/numberform.h"
#include "online/numberlistform.h"
#include "platform/codec.h"
#include "platform/http.h"
#include "store/amounts.h"
#include "support/fakeserver.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <cstdio>
#include <memory>

using Bench::g_sink;
using Bench::medianMs;
using Bench::report;
using Bench::reportWithin;

namespace {

// The service, answering every request with the same whole reply.
class CannedHttp : public HttpClient {
public:
    QByteArray body;
    Reply get(const QString&) override { return {Outcome::Ok, body}; }
};

// The expiry's question is answered Yes.
class YesPrompts : public Bench::SilentPrompts {
public:
    Answer question(const QString& text, Buttons buttons, const QString& title) override {
        SilentPrompts::question(text, buttons, title);
        return Answer::Yes;
    }
};

// The download reply of the ledger's entries: seven lines each.
QByteArray replyOfEntries(const Ledger& ledger) {
    QString text;
    for (int i = 1; i < ledger.EntryCount; ++i) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        const EntryStyle& s = ledger.EntryStyles[size_t(i)];
        const EntryInvoice& inv = ledger.EntryInvoices[size_t(i)];
        QString note = ledger.fullNote(i);
        note.replace(u'\n', u' ').remove(u'\r');
        text += e.Date.text() + u'\n' + e.Account1.trimmed() + u'\n' + e.Account2.trimmed() +
                u'\n' + QString::number(e.Amount.value() / 100.0, 'f', 2) + u'\n' +
                e.Detail.trimmed() + u'\n' + note + u'\n' + s.InvoiceLetters.trimmed() +
                inv.InvoiceDigits.trimmed() + u'\n';
    }
    return Ansi::encode(text);
}

// 300,000 paper invoices over five years, about 8 MB as Paynum.dat.
std::vector<PaperInvoice> paperInvoices() {
    std::vector<PaperInvoice> list;
    const QDate first(2020, 1, 1);
    for (int i = 0; i < 300000; ++i)
        list.push_back({first.addDays(i % 1827).toString(QStringLiteral("yyyy/MM/dd")),
                        QStringLiteral("AB%1").arg(10000000 + i)});
    return list;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    Bench::WindowBench bench;
    AppContext& ctx = bench.ctx;
    CannedHttp http;
    ctx.services.setHttp(http);
    http.body = replyOfEntries(ctx.ledger);
    std::printf("reply: %lld bytes\n", static_cast<long long>(http.body.size()));

    const double baseline = medianMs([&] { g_sink = double(Ansi::decode(http.body).size()); });
    report("baseline: decode the reply", baseline, baseline);

    MainForm main(ctx);
    main.EndProcess = [] {};
    constexpr double LimitMs = 1000;
    bool within = true;

    std::unique_ptr<DownForm> form;
    auto freshWindow = [&] {
        form.reset();
        form = std::make_unique<DownForm>(main);
        form->resize(1280, 800);
        form->show();
        form->Text1->setText(QStringLiteral("amy"));
        form->Text2->setText(QStringLiteral("pw"));
    };
    // The ledger keeps its accounts; its entries make room for the staged and posted rows.
    Ledger& ledger = ctx.ledger;
    auto roomyWindow = [&] {
        ledger.truncateEntries(1);
        freshWindow();
    };
    within &=
        reportWithin("download 30000 records (staged, ticked)",
                     medianMs([&] { form->Command1_Click(); }, roomyWindow), baseline, LimitMs);
    std::printf("  rows: %d\n", form->Liv1->topLevelItemCount());

    auto stagedWindow = [&] {
        roomyWindow();
        form->Command1_Click();
    };
    within &=
        reportWithin("post 30000 ticked rows (加入帳本)",
                     medianMs([&] { form->Command3_Click(); }, stagedWindow), baseline, LimitMs);
    std::printf("  posted: %d, %s\n", ledger.EntryCount - 1, qPrintable(form->StatusText()));

    // The same, clicked in the shown window, with the reply from the service over the network.
    FakeServer server;
    NetworkHttpClient network;
    ctx.services.setHttp(network);
    if (!bench.settings.SaveSetting(QStringLiteral("Online"), QStringLiteral("Host"),
                                    server.hostPort()))
        return 1;
    auto paintedWindow = [&] {
        roomyWindow();
        Bench::untilPainted(Bench::PaintCounter(*form));
        server.respond(http.body);
    };
    auto clickUntilListPainted = [&](QPushButton* button) {
        return Bench::msUntilPainted(*form->Liv1, [&] { Bench::click(button); });
    };
    within &= reportWithin(
        "click 下載資料: 30000 rows staged",
        Bench::medianOfRuns([&] { return clickUntilListPainted(form->Command1); }, paintedWindow),
        baseline, LimitMs);
    std::printf("  rows: %d\n", form->Liv1->topLevelItemCount());
    auto stagedAndPainted = [&] {
        paintedWindow();
        clickUntilListPainted(form->Command1);
    };
    within &=
        reportWithin("click 加入帳本: 30000 rows posted",
                     Bench::medianOfRuns([&] { return clickUntilListPainted(form->Command3); },
                                         stagedAndPainted),
                     baseline, LimitMs);
    std::printf("  posted: %d, %s\n", ledger.EntryCount - 1, qPrintable(form->StatusText()));
    form.reset();
    ctx.services.setHttp(http);

    YesPrompts yes;
    ctx.services.setPrompts(yes);
    NumberForm& lottery = main.LotteryWindow();
    const std::vector<PaperInvoice> invoices = paperInvoices();
    std::unique_ptr<NumberListForm> list;
    auto loadedList = [&] {
        list.reset();
        lottery.Liv2.Invoices = invoices;
        list = std::make_unique<NumberListForm>(main, lottery);
    };
    within &=
        reportWithin("expire 300000 paper invoices (8 MB)",
                     medianMs([&] { list->Command3_Click(); }, loadedList), baseline, LimitMs);
    std::printf("  kept: %d\n", list->Liv1->topLevelItemCount());
    return within ? 0 : 1;
}
