#include "online/numberform.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

#include "online/numberlistform.h"
#include "online/windowrequest.h"
#include "platform/clock.h"
#include "platform/codec.h"
#include "platform/desktop/windowroutines.h"
#include "platform/http.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"
#include "rules/online/lotteryrules.h"
#include "rules/online/onlineservice.h"
#include "store/appcontext.h"
#include "windowparts/imagelist.h"
#include "windowparts/mainview.h"

namespace {

const QString Section = QStringLiteral("NumberForm");

QString specialKey(int i) {
    return QStringLiteral("Num1-%1").arg(i);
}
QString firstKey(int i) {
    return QStringLiteral("Num2-%1").arg(i);
}

} // namespace

NumberForm::NumberForm(MainView& main, QWidget* parent) : QDialog(parent), m_main(main) {
    setObjectName(QStringLiteral("NumberForm"));
    setWindowTitle(QStringLiteral("統一發票對獎"));
    AppContext& ctx = m_main.context();

    auto label = [this](const QString& text, int x, int y) {
        auto* l = new QLabel(text, this);
        l->move(x, y + 3);
        l->adjustSize();
    };
    auto box = [this](const QString& name, int x, int y, int w) {
        auto* b = new QLineEdit(this);
        b->setObjectName(name);
        b->setGeometry(x, y, w, 24);
        return b;
    };
    auto button = [this](const char* name, const QString& caption, int x, int y, int w) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        b->setGeometry(x, y, w, 28);
        return b;
    };

    label(QStringLiteral("民國"), 10, 10);
    Text0 = box(QStringLiteral("Text0"), 46, 10, 50);
    label(QStringLiteral("年"), 102, 10);
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->addItems(Lottery::periodTexts());
    Combo1->setGeometry(124, 10, 90, 24);
    Command4 = button("Command4", QStringLiteral("取得號碼"), 222, 8, 90);
    DTPicker1 = new QDateEdit(this);
    DTPicker1->setObjectName(QStringLiteral("DTPicker1"));
    DTPicker1->hide();
    DTPicker2 = new QDateEdit(this);
    DTPicker2->setObjectName(QStringLiteral("DTPicker2"));
    DTPicker2->hide();

    label(QStringLiteral("特別獎"), 10, 48);
    Text1[0] = box(QStringLiteral("Text1(0)"), 10, 72, 100);
    label(QStringLiteral("特獎"), 10, 106);
    for (int i = 1; i < 5; ++i)
        Text1[size_t(i)] = box(QStringLiteral("Text1(%1)").arg(i), 10, 130 + (i - 1) * 30, 100);
    label(QStringLiteral("頭獎"), 124, 48);
    for (int i = 0; i < 8; ++i)
        Text2[size_t(i)] = box(QStringLiteral("Text2(%1)").arg(i), 124, 72 + i * 30, 100);

    Liv1 = new QTreeWidget(this);
    Liv1->setObjectName(QStringLiteral("Liv1"));
    Liv1->setRootIsDecorated(false);
    Liv1->setHeaderLabels({QStringLiteral("日期"), QStringLiteral("發票號碼"),
                           QStringLiteral("獎項"), QStringLiteral("金額")});
    Liv1->setGeometry(240, 48, 380, 286);
    const int widths[] = {112, 100, 60, 90};
    for (int c = 0; c < 4; ++c)
        Liv1->setColumnWidth(c, widths[c]);
    FlattenListHeader(Liv1);
    connect(Liv1, &QTreeWidget::itemDoubleClicked, this, [this] { Liv1_DblClick(); });

    Command2 = button("Command2", QStringLiteral("清空"), 10, 344, 90);
    Command1 = button("Command1", QStringLiteral("開始對獎"), 124, 344, 100);
    Command3 = button("Command3", QStringLiteral("發票清單"), 530, 344, 90);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, 380, 630, 24);
    setFixedSize(630, 404);

    connect(Combo1, qOverload<int>(&QComboBox::activated), this, [this] { Combo1_Click(); });
    connect(Command1, &QPushButton::clicked, this, &NumberForm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &NumberForm::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &NumberForm::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &NumberForm::Command4_Click);

    // Form_Load: the boxes from the settings, the previous period, the paper invoices.
    SettingsStore& settings = ctx.services.settings();
    for (int i = 0; i < 5; ++i)
        Text1[size_t(i)]->setText(settings.GetSetting(Section, specialKey(i), QString()));
    for (int i = 0; i < 8; ++i)
        Text2[size_t(i)]->setText(settings.GetSetting(Section, firstKey(i), QString()));
    const Lottery::PeriodChoice start = Lottery::defaultPeriod(ctx.services.clock().today());
    Text0->setText(QString::number(start.rocYear));
    Combo1->setCurrentIndex(start.period);
    Combo1_Click();
    m_userFolder = ctx.session.userFolder();
    Liv2.load(m_userFolder);
}

int NumberForm::yearOrCurrent() {
    int year = Lottery::yearBoxValue(Text0->text());
    if (year == 0) {
        year = Lottery::currentRocYear(m_main.context().services.clock().today());
        Text0->setText(QString::number(year));
    }
    return year;
}

void NumberForm::Combo1_Click() {
    const Lottery::DateRange range = Lottery::periodRange(yearOrCurrent(), Combo1->currentIndex());
    DTPicker1->setDate(range.first);
    DTPicker2->setDate(range.last);
}

void NumberForm::Command4_Click() {
    AppContext& ctx = m_main.context();
    yearOrCurrent(); // a box that holds no year gets the current one first
    const QString path = Lottery::winningNumbersPath(Text0->text(), Combo1->currentIndex());
    const HttpClient::Reply reply = GetWithoutInput(
        *this, ctx.services.http(),
        OnlineService::ServiceBaseUrl(OnlineService::ServiceHost(ctx.services.settings())) + path);
    if (reply.outcome == HttpClient::Outcome::TimedOut) {
        ctx.services.prompts().warning(QStringLiteral("連線失敗!"));
        return;
    }
    const QString text =
        reply.outcome == HttpClient::Outcome::Failed ? QString() : Ansi::decode(reply.body);
    const Lottery::WinningNumbers w = Lottery::parseWinningNumbers(text);
    switch (w.result) {
    case Lottery::WinningNumbers::Result::Empty:
        ctx.services.prompts().warning(QStringLiteral("沒有資料可以下載!"));
        return;
    case Lottery::WinningNumbers::Result::NotAvailable:
        ctx.services.prompts().plain(QStringLiteral("目前線上沒有這個月份的中獎號碼"));
        return;
    case Lottery::WinningNumbers::Result::Numbers:
        break;
    }
    for (size_t i = 0; i < Text1.size(); ++i)
        Text1[i]->setText(w.special[i]);
    for (size_t i = 0; i < Text2.size(); ++i)
        Text2[i]->setText(w.first[i]);
}

void NumberForm::Command1_Click() {
    AppContext& ctx = m_main.context();
    // The range follows the year and period shown, even when only the year was changed.
    Combo1_Click();
    const QDate first = DTPicker1->date();
    const QDate last = DTPicker2->date();
    if (!first.isValid() || !last.isValid()) {
        ctx.services.prompts().warning(QStringLiteral("不是正確的日期格式"));
        return;
    }
    std::vector<Lottery::ResultRow> rows =
        Lottery::collectInvoices(ctx.ledger, Liv2.Invoices, first, last);
    std::array<QString, 5> special;
    std::array<QString, 8> firstPrizes;
    auto readBox = [](QLineEdit* box) {
        const QString t = Lottery::prizeBoxValue(box->text());
        box->setText(t);
        return t;
    };
    for (size_t i = 0; i < Text2.size(); ++i)
        firstPrizes[i] = readBox(Text2[i]);
    for (size_t i = 0; i < Text1.size(); ++i)
        special[i] = readBox(Text1[i]);
    Lottery::checkPrizes(rows, special, firstPrizes);

    Liv1->clear();
    const QIcon image = ImageList2::icon(12);
    for (const Lottery::ResultRow& r : rows) {
        auto* item = new QTreeWidgetItem(Liv1, {r.date, r.number, r.prize, r.amount});
        item->setIcon(0, image);
    }
    StatusBar1->showMessage(Lottery::resultLine(rows, ctx.session));
}

void NumberForm::Command2_Click() {
    for (QLineEdit* box : Text1)
        box->clear();
    for (QLineEdit* box : Text2)
        box->clear();
}

void NumberForm::Command3_Click() {
    ShowInvoiceList(m_main, *this, this);
}

void NumberForm::Liv1_DblClick() {
    QTreeWidgetItem* row = Liv1->currentItem();
    if (Liv1->topLevelItemCount() == 0 || !row) return;
    m_main.ChooseFilterText(row->text(1));
    m_searchRequested = true;
    done(QDialog::Accepted);
}

void NumberForm::Form_Unload() {
    SettingsStore& settings = m_main.context().services.settings();
    // One rewrite of the file for the whole close.
    const SettingsBatch once(settings, m_main.context().services.prompts());
    for (int i = 0; i < 5; ++i)
        SaveSettingQuietly(settings, Section, specialKey(i), Text1[size_t(i)]->text());
    for (int i = 0; i < 8; ++i)
        SaveSettingQuietly(settings, Section, firstKey(i), Text2[size_t(i)]->text());
}

QString NumberForm::StatusText() const {
    return StatusBar1->currentMessage();
}
