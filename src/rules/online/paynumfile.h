#pragma once
#include <QDate>
#include <QString>
#include <vector>

// One paper invoice of the user's list.
struct PaperInvoice {
    QString Date;   // "yyyy/mm/dd"
    QString Number; // as entered, 8 or 10 characters
};

// The user's paper-invoice list, Paynum.dat in the user folder: one line per invoice,
// "date","number" ended by CR LF, cp950.
struct PaynumFile {
    static constexpr const char* FileName = "Paynum.dat";

    std::vector<PaperInvoice> Invoices;
    // The file existed but could not be read: it is kept as "Paynum.dat.bad" before its
    // first rewrite, so that the list saved from an empty start never destroys it.
    bool Unread = false;

    // Fills the list from the user folder (ending in "/"); a missing file is an empty list.
    void load(const QString& userFolder);
    // Rewrites the file whole (temporary file, then rename); false when it could not be
    // written, the old file then stays.
    [[nodiscard]] bool save(const QString& userFolder);
};

// The list as the file holds it, and back. A date without its number at the end is dropped.
QByteArray PaynumBytes(const std::vector<PaperInvoice>& invoices);
std::vector<PaperInvoice> ParsePaynum(const QByteArray& bytes);

// A typed invoice number is accepted when, trimmed, it has 8 or 10 characters and no
// double quote (which would end its quoted field in the file).
bool isPaperInvoiceNumber(const QString& trimmedNumber);

// The first month of the period before the current two-month period: invoices of earlier
// months are expired. `limit` is yyyymm; the question names the ROC year and the month.
struct ExpiryLimit {
    int year = 0;
    int month = 0;
    int limit() const { return year * 100 + month; }
};
ExpiryLimit expiryLimit(const QDate& today);
QString expiryQuestion(const ExpiryLimit& limit);
// True when the invoice's date lies before the limit's month. A date that does not read
// is kept.
bool isExpired(const PaperInvoice& invoice, const ExpiryLimit& limit);
