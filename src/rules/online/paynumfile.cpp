#include "rules/online/paynumfile.h"

#include <QFileInfo>

#include "platform/fileio.h"

void PaynumFile::load(const QString& userFolder) {
    Invoices.clear();
    Unread = false;
    const QString path = userFolder + FileName;
    if (!QFileInfo::exists(path)) return;
    const auto bytes = FileIO::readFile(path);
    if (!bytes) {
        Unread = true;
        return;
    }
    Invoices = ParsePaynum(*bytes);
}

bool PaynumFile::save(const QString& userFolder) {
    const QString path = userFolder + FileName;
    if (Unread && QFileInfo(path).isFile()) {
        // Kept beside the list before the first rewrite; through the safe writer, so an
        // older copy is replaced only by a complete one.
        const auto bytes = FileIO::readFile(path);
        if (!bytes || !FileIO::writeFileSafely(path + QStringLiteral(".bad"), *bytes)) return false;
    }
    Unread = false;
    return FileIO::writeFileSafely(path, PaynumBytes(Invoices));
}

QByteArray PaynumBytes(const std::vector<PaperInvoice>& invoices) {
    QByteArray bytes;
    for (const PaperInvoice& p : invoices)
        bytes += FileIO::quotedRecord({p.Date, p.Number});
    return bytes;
}

std::vector<PaperInvoice> ParsePaynum(const QByteArray& bytes) {
    std::vector<PaperInvoice> list;
    FileIO::QuotedFieldReader reader(bytes);
    while (auto date = reader.next()) {
        auto number = reader.next();
        if (!number) break; // a date without its number at the end
        list.push_back({*date, *number});
    }
    return list;
}

bool isPaperInvoiceNumber(const QString& trimmedNumber) {
    const qsizetype n = trimmedNumber.size();
    return (n == 8 || n == 10) && !trimmedNumber.contains(u'"');
}

ExpiryLimit expiryLimit(const QDate& today) {
    const int m = today.month();
    if (m <= 2) return {today.year() - 1, 11};
    return {today.year(), ((m - 1) / 2 - 1) * 2 + 1};
}

QString expiryQuestion(const ExpiryLimit& limit) {
    return QStringLiteral("將刪除") + QString::number(limit.year - 1911) + QStringLiteral("年") +
           QString::number(limit.month) + QStringLiteral("月之前的發票，確定嗎？");
}

bool isExpired(const PaperInvoice& invoice, const ExpiryLimit& limit) {
    const QDate d = QDate::fromString(invoice.Date, QStringLiteral("yyyy/MM/dd"));
    if (!d.isValid()) return false;
    return d.year() * 100 + d.month() < limit.limit();
}
