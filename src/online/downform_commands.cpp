// The download window's commands: the service requests, the CSV imports, the ticks and
// the posting of the ticked rows.
#include <QCheckBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "online/downform.h"
#include "online/windowrequest.h"
#include "platform/desktop/windowroutines.h"
#include "platform/fileio.h"
#include "platform/http.h"
#include "platform/prompts.h"
#include "platform/shell.h"
#include "platform/webpages.h"
#include "rules/online/csvimport.h"
#include "rules/online/downposting.h"
#include "store/appcontext.h"
#include "windowparts/mainview.h"

namespace {

constexpr int StatusColumn = 7;

// Changes to many rows at once: the view hears of them once, after the last, instead of
// once per cell, each time looking the row up in the whole list.
template <typename Change> void changeRows(QTreeWidget* list, Change change) {
    {
        const QSignalBlocker quiet(list->model());
        change();
    }
    const int rows = list->topLevelItemCount();
    QAbstractItemModel* model = list->model();
    if (rows > 0)
        emit model->dataChanged(model->index(0, 0),
                                model->index(rows - 1, list->columnCount() - 1));
}

} // namespace

QString DownForm::serviceHost() const {
    return OnlineService::ServiceHost(m_main.context().services.settings());
}

void DownForm::clearRows() {
    Liv1->clear();
    m_lines.clear();
}

void DownForm::fillList(const QList<OnlineService::StagedRow>& rows) {
    clearRows();
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const OnlineService::StagedRow& row : rows) {
        m_lines.append({row, QString(), false});
        auto* item = new QTreeWidgetItem(row.cells());
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        items.append(item);
    }
    Liv1->addTopLevelItems(items);
    FitColumnsToTexts(Liv1, {0, 3, 6}); // 日期, 金額, 發票
    m_textColumns->keepInView();
}

void DownForm::StageRows(const QList<OnlineService::StagedRow>& rows) {
    fillList(rows);
    setStatus(OnlineService::RowCountStatus(int(m_lines.size())));
    m_stagedFromService = false; // a posting of these never clears the online entries
    Command2_Click();
}

QList<OnlineService::StagedRow> DownForm::Rows() const {
    QList<OnlineService::StagedRow> rows;
    rows.reserve(m_lines.size());
    for (const StagedLine& line : m_lines)
        rows.append(line.row);
    return rows;
}

QStringList DownForm::Statuses() const {
    QStringList statuses;
    statuses.reserve(m_lines.size());
    for (const StagedLine& line : m_lines)
        statuses.append(line.status);
    return statuses;
}

// Row r as its line says: the account cells, 狀態 (失敗 in red) and, once posted, no box.
void DownForm::showStatus(int r) {
    const StagedLine& line = m_lines.at(r);
    QTreeWidgetItem* item = Liv1->topLevelItem(r);
    item->setText(1, line.row.group);
    item->setText(2, line.row.account);
    item->setText(StatusColumn, line.status);
    item->setData(StatusColumn, Qt::ForegroundRole,
                  line.status == DownPosting::StatusFailed ? QVariant(QColor(255, 0, 0))
                                                           : QVariant());
    if (line.posted) {
        item->setCheckState(0, Qt::Unchecked);
        item->setFlags(item->flags() & ~(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled));
    }
}

void DownForm::setTicked(bool on) {
    // A posted row keeps its box empty: it cannot be added twice.
    changeRows(Liv1, [&] {
        for (int r = 0; r < m_lines.size(); ++r)
            if (!m_lines.at(r).posted)
                Liv1->topLevelItem(r)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    });
}

void DownForm::Command2_Click() {
    setTicked(true);
}

void DownForm::Command5_Click() {
    setTicked(false);
}

void DownForm::Command1_Click() {
    AppContext& ctx = m_main.context();
    clearRows();
    if (Text1->text().isEmpty() || Text2->text().isEmpty()) {
        ctx.services.prompts().warning(OnlineService::MsgEnterLogin);
        m_stagedFromService = false;
        return;
    }
    setStatus(OnlineService::MsgConnecting);
    const HttpClient::Reply reply =
        GetWithoutInput(*this, ctx.services.http(),
                        OnlineService::ServiceBaseUrl(serviceHost()) +
                            OnlineService::DownloadRequestPath(Text1->text(), Text2->text()));
    const OnlineService::DownloadResult result =
        OnlineService::ParseDownloadReply(reply, DownPosting::Room(ctx.ledger));
    if (result.kind != OnlineService::DownloadResult::Kind::Rows) {
        ctx.services.prompts().warning(
            result.kind == OnlineService::DownloadResult::Kind::TooMany
                ? OnlineService::TooManyRowsMessage(result.total, DownPosting::Room(ctx.ledger))
                : OnlineService::DownloadMessage(result.kind));
        setStatus(QString());
        m_stagedFromService = false;
        return;
    }
    fillList(result.rows);
    setStatus(OnlineService::RowCountStatus(int(m_lines.size())));
    m_stagedFromService = true;
    Command2_Click();
}

void DownForm::Command6_Click() {
    AppContext& ctx = m_main.context();
    Prompts& prompts = ctx.services.prompts();
    if (Text1->text().isEmpty() || Text2->text().isEmpty()) {
        prompts.warning(OnlineService::MsgEnterLogin);
        return;
    }
    if (prompts.question(OnlineService::MsgClearQuestion) != Prompts::Answer::Yes) return;
    const HttpClient::Reply reply =
        GetWithoutInput(*this, ctx.services.http(),
                        OnlineService::ServiceBaseUrl(serviceHost()) +
                            OnlineService::ClearRequestPath(Text1->text(), Text2->text()));
    switch (OnlineService::ParseClearReply(reply)) {
    case OnlineService::ClearResult::TimedOut:
        prompts.warning(OnlineService::MsgConnectFailed);
        break;
    case OnlineService::ClearResult::Refused:
        prompts.warning(OnlineService::MsgLoginRefused);
        break;
    case OnlineService::ClearResult::Done:
        clearRows();
        prompts.information(OnlineService::MsgClearDone);
        break;
    case OnlineService::ClearResult::Ignored:
        break;
    }
}

void DownForm::Command7_Click() {
    OpenWebPage(m_main.context().services.shell(), m_main.context().services.prompts(),
                OnlineService::ServicePageUrl(serviceHost()));
}

void DownForm::importFile(bool tavrix) {
    const QString path = m_main.context().services.prompts().openFile(
        QStringLiteral("開啟檔案"), QStringLiteral("CSV檔案 (*.csv)|*.csv"));
    if (path.isEmpty()) return; // cancelled: the list keeps its rows
    // A file that cannot be read stages nothing, as an empty one.
    const QByteArray bytes = FileIO::readFile(path).value_or(QByteArray());
    const qsizetype room = DownPosting::Room(m_main.context().ledger);
    const OnlineService::Staging staging =
        tavrix ? CsvImport::TavrixCsvFile(bytes, room) : CsvImport::ImportCsvFile(bytes, room);
    if (staging.refused()) {
        // As a failed download: the list stays empty, nothing to post.
        clearRows();
        setStatus(QString());
        m_stagedFromService = false;
        m_main.context().services.prompts().warning(
            OnlineService::TooManyRowsMessage(staging.total, room));
        return;
    }
    StageRows(staging.rows);
}

void DownForm::Command8_Click() {
    importFile(false);
}

void DownForm::Misc_Tavrix_Click() {
    importFile(true);
}

void DownForm::Command3_Click() {
    AppContext& ctx = m_main.context();
    const int count = int(m_lines.size());
    if (count == 0) return;
    QList<bool> ticked;
    changeRows(Liv1, [&] {
        for (int r = 0; r < count; ++r) {
            m_lines[r].status.clear();
            showStatus(r);
            ticked.append(!m_lines.at(r).posted &&
                          Liv1->topLevelItem(r)->checkState(0) == Qt::Checked);
        }
    });
    if (!ticked.contains(true)) {
        ctx.services.prompts().warning(DownPosting::MsgNothingTicked);
        return;
    }

    QList<OnlineService::StagedRow> rows = Rows();
    const DownPosting::Result result = DownPosting::PostRows(ctx.ledger, rows, ticked);
    if (result.accountsAdded) m_accountsAdded = true;
    changeRows(Liv1, [&] {
        for (int r = 0; r < count; ++r) {
            StagedLine& line = m_lines[r];
            // The posting drops a trailing CR from both account cells.
            line.row = rows.at(r);
            // The stop at the entry limit fails every row from where it stopped; a row
            // posted by an earlier press is in the ledger all the same.
            line.status = line.posted ? QString() : result.statuses.at(r);
            if (line.status == DownPosting::StatusOk) line.posted = true;
            showStatus(r);
        }
    });
    FitColumnsToTexts(Liv1, {StatusColumn});
    m_textColumns->keepInView();
    if (result.ledgerFull) {
        ctx.services.prompts().warning(DownPosting::LedgerFullMessage());
        ctx.ledger.markChanged();
        return;
    }
    ctx.services.prompts().information(DownPosting::SummaryMessage(result));
    setStatus(DownPosting::SummaryStatus(result));
    if (result.ok > 0 && result.bad == 0 && Check2->isChecked() && m_stagedFromService)
        Command6_Click();
    ctx.ledger.markChanged();
}
