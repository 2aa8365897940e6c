// The invoice lottery: its periods, the check, and the paper-invoice list.
#include "onlinetool.h"

#include "mainwin/mainform.h"
#include "online/numberform.h"
#include "online/numberlistform.h"
#include "rules/online/lotteryrules.h"
#include "store/ledger.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>

namespace {

const QString DateFormat = QStringLiteral("yyyy/MM/dd");

// Answers every request with the given body, as the service would.
class BodyReply : public HttpClient {
public:
    QByteArray body;
    Reply get(const QString&) override { return {Outcome::Ok, body}; }
};

// "yyyy/mm/dd,NUMBER" per line; false on a line of another form.
bool readInvoices(const QByteArray& bytes, std::vector<PaperInvoice>& invoices) {
    for (QString line : QString::fromUtf8(bytes).split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.isEmpty()) continue;
        const qsizetype comma = line.indexOf(u',');
        const QString date = line.left(comma);
        const QString number = line.mid(comma + 1);
        if (comma < 0 || !QDate::fromString(date, DateFormat).isValid() || number.isEmpty())
            return false;
        invoices.push_back({date, number});
    }
    return true;
}

int runLottery(OnlineRun& run, const VerbArgs& args) {
    const char* usage = "lottery WINNING_FILE INVOICES [--dot-state 0|1] [--money-state 0|1]";
    const QString dot = args.options.value(QStringLiteral("dot-state"), QStringLiteral("1"));
    const QString money = args.options.value(QStringLiteral("money-state"), QStringLiteral("1"));
    if (args.positional.size() != 2 || (dot != u"0" && dot != u"1") ||
        (money != u"0" && money != u"1"))
        return BadArguments(QString::fromUtf8(usage));
    BodyReply reply;
    QByteArray invoiceBytes;
    std::vector<PaperInvoice> invoices;
    if (!ReadArgumentFile(args.positional[0], reply.body) ||
        !ReadArgumentFile(args.positional[1], invoiceBytes))
        return BadArguments(QString::fromUtf8(usage));
    if (!readInvoices(invoiceBytes, invoices))
        return BadArguments(QStringLiteral("INVOICES holds lines yyyy/mm/dd,NUMBER"));
    run.ctx.session.DotState = dot;
    run.ctx.session.Setting.MoneyState = money;
    run.ctx.services.setHttp(reply);

    NumberForm& form = run.mainWindow().LotteryWindow();
    form.Command2_Click();
    form.Command4_Click(); // 取得號碼 with the file as the reply

    // Every invoice is in range: the range runs from the first date to the last.
    QDate first, last;
    for (const PaperInvoice& p : invoices) {
        const QDate d = QDate::fromString(p.Date, DateFormat);
        if (!first.isValid() || d < first) first = d;
        if (!last.isValid() || d > last) last = d;
    }
    std::vector<Lottery::ResultRow> rows =
        Lottery::collectInvoices(Ledger(), invoices, first, last);
    std::array<QString, 5> special;
    std::array<QString, 8> firstPrizes;
    for (size_t i = 0; i < firstPrizes.size(); ++i)
        firstPrizes[i] = Lottery::prizeBoxValue(form.Text2[i]->text());
    for (size_t i = 0; i < special.size(); ++i)
        special[i] = Lottery::prizeBoxValue(form.Text1[i]->text());
    Lottery::checkPrizes(rows, special, firstPrizes);

    QJsonArray out;
    for (const Lottery::ResultRow& r : rows)
        out.append(QJsonArray{r.date, r.number, r.prize, r.amount});
    PrintJson(QJsonObject{{"warning", BoxText(run.prompts.boxes, "warning")},
                          {"plain", BoxText(run.prompts.boxes, "plain")},
                          {"rows", out},
                          {"status", Lottery::resultLine(rows, run.ctx.session)}});
    return ExitOk;
}

int runPeriod(OnlineRun& run, const VerbArgs& args) {
    bool ok = true;
    const int period = args.positional.value(1).toInt(&ok);
    if ((args.positional.size() != 0 && args.positional.size() != 2) ||
        (args.positional.size() == 2 && (!ok || period < 0 || period > 5)))
        return BadArguments(QStringLiteral("period [YEAR PERIOD_INDEX]"));
    NumberForm& form = run.mainWindow().LotteryWindow(); // the loading's choice
    if (args.positional.size() == 2) {
        form.Text0->setText(args.positional[0]);
        form.Combo1->setCurrentIndex(period);
        form.Combo1_Click();
    }
    PrintJson(QJsonObject{
        {"year", form.Text0->text()},
        {"period", form.Combo1->currentText()},
        {"start", form.DTPicker1->date().toString(DateFormat)},
        {"end", form.DTPicker2->date().toString(DateFormat)},
        {"path", Lottery::winningNumbersPath(form.Text0->text(), form.Combo1->currentIndex())}});
    return ExitOk;
}

QJsonArray invoiceRows(const NumberForm& form) {
    QJsonArray rows;
    for (const PaperInvoice& p : form.Liv2.Invoices)
        rows.append(QJsonArray{p.Date, p.Number});
    return rows;
}

int runPaynum(OnlineRun& run, const VerbArgs& args) {
    if (args.positional.size() != 1)
        return BadArguments(QStringLiteral("paynum USER_FOLDER [--expire]"));
    if (!run.useUserFolder(args.positional[0])) return ExitNotOpened;
    MainForm& main = run.mainWindow();
    if (!args.has(QStringLiteral("expire"))) {
        PrintJson(QJsonObject{{"rows", invoiceRows(main.LotteryWindow())}});
        return ExitOk;
    }
    // 刪除過期發票 answered Yes, then the list closes and is stored.
    run.prompts.answers = {QStringLiteral("yes")};
    run.modal.handlers.insert(QStringLiteral("NumberListForm"), [](QDialog& d) {
        static_cast<NumberListForm&>(d).Command3_Click();
        return int(QDialog::Accepted);
    });
    main.Tools_NumberList_Click();
    const QJsonValue warning = BoxText(run.prompts.boxes, "warning");
    PrintJson(QJsonObject{{"question", BoxText(run.prompts.boxes, "question")},
                          {"rows", invoiceRows(main.LotteryWindow())},
                          {"warning", warning}});
    return warning.isNull() ? ExitOk : ExitNotOpened;
}

const OnlineVerb lotteryVerb(
    "lottery",
    "lottery WINNING_FILE INVOICES [--dot-state 0|1] [--money-state 0|1]   (INVOICES: UTF-8 "
    "lines yyyy/mm/dd,NUMBER)",
    {"dot-state", "money-state"}, {}, runLottery);
const OnlineVerb periodVerb("period", "period [YEAR PERIOD_INDEX]", {}, {}, runPeriod);
const OnlineVerb paynumVerb("paynum", "paynum USER_FOLDER [--expire]", {}, {"expire"}, runPaynum);

} // namespace
