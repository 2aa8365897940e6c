#include "rules/online/onlineservice.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>

#include "platform/codec.h"
#include "platform/fileio.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "rules/users/userfiles.h"

namespace OnlineService {

StagedRow StagedRow::fromCells(const QStringList& cells) {
    return {cells.value(0), cells.value(1), cells.value(2), cells.value(3),
            cells.value(4), cells.value(5), cells.value(6)};
}

QStringList StagedRow::cells() const {
    return {date, group, account, amount, detail, note, invoice};
}

QString ServiceHost(SettingsStore& settings) {
    return settings.GetSetting(QStringLiteral("Online"), QStringLiteral("Host"),
                               QStringLiteral("qivoka.example"));
}

QString PercentEncodeAnsi(const QString& text) {
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    for (const char byte : Ansi::encode(text)) {
        const auto c = static_cast<unsigned char>(byte);
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
        if (plain) {
            out += QLatin1Char(char(c));
        } else {
            out += u'%';
            out += QLatin1Char(hex[c >> 4]);
            out += QLatin1Char(hex[c & 15]);
        }
    }
    return out;
}

static QString loginQuery(const QString& name, const QString& password) {
    return QStringLiteral("?user=") + PercentEncodeAnsi(Runtime::trimBlanks(name)) +
           QStringLiteral("&pass=") + PercentEncodeAnsi(Runtime::trimBlanks(password));
}

QString DownloadRequestPath(const QString& name, const QString& password) {
    return QStringLiteral("/zel/zel2_qivo_getdata2.php") + loginQuery(name, password);
}

QString ClearRequestPath(const QString& name, const QString& password) {
    return QStringLiteral("/zel/zel2_clear.php") + loginQuery(name, password);
}

QString UnescapeEntities(QString text) {
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

namespace {

// Calls `record` with the lines of every seven-line record of `text` (fewer for a short last
// one), as views into it: the reply is cut at every LF, one trailing CR dropped from each
// line, and the line after a final LF never starts a record. No list of the lines is made,
// so a reply of millions of empty lines costs no more than its text.
template <typename Record> void forEachRecord(QStringView text, Record record) {
    std::array<QStringView, StagedColumns> lines;
    int n = 0;
    qsizetype pos = 0;
    while (true) {
        const qsizetype nl = text.indexOf(u'\n', pos);
        const bool last = nl < 0;
        if (last && n == 0) break;
        QStringView line = last ? text.sliced(pos) : text.sliced(pos, nl - pos);
        if (line.endsWith(u'\r')) line.chop(1);
        lines[size_t(n++)] = line;
        if (n == StagedColumns || last) {
            record(lines, n);
            n = 0;
        }
        if (last) break;
        pos = nl + 1;
    }
}

bool isBlank(const std::array<QStringView, StagedColumns>& lines, int n) {
    return std::all_of(lines.begin(), lines.begin() + n,
                       [](QStringView line) { return line.trimmed().isEmpty(); });
}

} // namespace

QString TooManyRowsMessage(qsizetype rows, qsizetype room) {
    return QStringLiteral("資料共 ") + QString::number(rows) +
           QStringLiteral(" 筆，超過帳本還能加入的 ") + QString::number(room) +
           QStringLiteral(" 筆，無法載入!");
}

DownloadResult ParseDownloadReply(const HttpClient::Reply& reply, qsizetype room) {
    DownloadResult result;
    if (reply.outcome == HttpClient::Outcome::TimedOut) {
        result.kind = DownloadResult::Kind::TimedOut;
        return result;
    }
    if (reply.outcome != HttpClient::Outcome::Ok || reply.body.isEmpty()) return result;
    const QString text = Ansi::decode(reply.body);
    QStringView first = QStringView(text).left(text.indexOf(u'\n'));
    if (first.endsWith(u'\r')) first.chop(1);
    if (first == QLatin1String("Error")) {
        result.kind = DownloadResult::Kind::Refused;
        return result;
    }
    if (first == QLatin1String("Stop")) {
        result.kind = DownloadResult::Kind::Paused;
        return result;
    }
    // Counted first: rows are built only when all of them could be posted.
    forEachRecord(text, [&](const auto& lines, int n) {
        if (!isBlank(lines, n)) ++result.total;
    });
    if (result.total > room) {
        result.kind = DownloadResult::Kind::TooMany;
        return result;
    }
    result.kind = DownloadResult::Kind::Rows;
    result.rows.reserve(result.total);
    forEachRecord(text, [&](const auto& lines, int n) {
        if (isBlank(lines, n)) return;
        QStringList cells{lines[0].toString()};
        for (int k = 1; k < StagedColumns; ++k) {
            QString cell = k < n ? lines[size_t(k)].toString() : QString();
            if (k == 6) cell = Runtime::trimBlanks(cell);
            cells.append(UnescapeEntities(cell));
        }
        result.rows.append(StagedRow::fromCells(cells));
    });
    return result;
}

ClearResult ParseClearReply(const HttpClient::Reply& reply) {
    if (reply.outcome == HttpClient::Outcome::TimedOut) return ClearResult::TimedOut;
    if (reply.outcome != HttpClient::Outcome::Ok) return ClearResult::Ignored;
    QString text = Ansi::decode(reply.body);
    if (text.endsWith(u'\n')) text.chop(1);
    if (text.endsWith(u'\r')) text.chop(1);
    if (text == QLatin1String("Done")) return ClearResult::Done;
    if (text == QLatin1String("Error")) return ClearResult::Refused;
    return ClearResult::Ignored;
}

QString DownloadMessage(DownloadResult::Kind kind) {
    switch (kind) {
    case DownloadResult::Kind::Rows:
        return QString();
    case DownloadResult::Kind::NoData:
        return MsgNoData;
    case DownloadResult::Kind::Refused:
        return MsgLoginRefused;
    case DownloadResult::Kind::Paused:
        return MsgPaused;
    case DownloadResult::Kind::TimedOut:
        return MsgConnectFailed;
    case DownloadResult::Kind::TooMany:
        return QString(); // TooManyRowsMessage, with the counts
    }
    return QString();
}

QString RowCountStatus(int rows) {
    return QStringLiteral("共 ") + QString::number(rows) + QStringLiteral(" 筆資料");
}

RememberedLogin ReadRememberedLogin(const QString& userFolder) {
    RememberedLogin login;
    const QString path = userFolder + LoginFileName;
    login.exists = QFile::exists(path);
    if (!login.exists) return login;
    const auto file = FileIO::readFile(path);
    if (!file) return login;
    const QStringList lines = FileIO::splitLines(*file);
    if (!lines.isEmpty()) login.name = lines.at(0);
    if (lines.size() > 1) login.password = UserFiles::decodePassword(lines.at(1).trimmed());
    return login;
}

bool WriteRememberedLogin(const QString& userFolder, const QString& name, const QString& password) {
    const QString path = userFolder + LoginFileName;
    // The password is only disguised: the file is its owner's alone from its first byte.
    return FileIO::writePrivateFileSafely(
        path, FileIO::joinLines({name, UserFiles::encodePassword(password)}));
}

bool ForgetRememberedLogin(const QString& userFolder) {
    const QString path = userFolder + LoginFileName;
    return !QFile::exists(path) || QFile::remove(path);
}

} // namespace OnlineService
