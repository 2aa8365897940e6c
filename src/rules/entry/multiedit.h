#pragma once
#include <QList>
#include <QString>
#include <array>
#include <optional>

#include "store/ledger.h"

// Writing chosen field values into several entries at once: what the fields show when the
// entries agree, the checks of the ticked fields, and the writes.
namespace MultiEdit {

// The fields in the order of their check boxes.
enum Field { Date, Account1, Account2, Amount, Detail, Note, Invoice, Mark, Colour };
constexpr int FieldCount = 9;

// Items of the mark list, in order: 勾選標記 sets the check mark, 取消勾選 clears it.
QString markItem(int index);

// What each field shows on opening: set only when every given entry agrees on the field
// with the first one (texts compared as stored, amounts as numbers).
struct Prefill {
    std::optional<QString> date;
    std::optional<QString> account1; // trailing blanks removed
    std::optional<QString> account2;
    std::optional<QString> amount; // currency units, plain decimal text
    std::optional<QString> detail;
    std::optional<QString> note;    // lines joined with CR LF
    std::optional<QString> invoice; // letters then digits
    std::optional<int> colour;
};
// entries: valid entry indices, the reference entry first; none gives an empty prefill.
Prefill prefill(const Ledger& ledger, const QList<int>& entries);

// The window's fields as 確定 reads them. A list with nothing chosen has an empty optional.
struct Values {
    std::array<bool, FieldCount> ticked{};
    QString date;
    std::optional<QString> account1;
    std::optional<QString> account2;
    QString amount;
    QString detail;
    QString note; // lines joined with CR LF
    QString invoice;
    std::optional<int> mark;   // item position, 0 or 1
    std::optional<int> colour; // 0..9
};

// The checks in their order; the first refusal's message (a warning box), or nullopt.
// The invoice text is trimmed in v when its check is reached, whatever the outcome.
std::optional<QString> check(Values& v);

// Message when a selected row names no entry of the tables or the write cannot be
// prepared; nothing has been written then.
QString failureMessage();

struct WriteResult {
    std::optional<QString> refusal; // a check's message or failureMessage(); nothing written
    QList<int> written;             // indices written, in order
    bool changed = false;           // at least one field was written into an entry
};

// Checks the fields and every entry index, works out every value once, then writes the
// ticked fields into each entry in order. On a refusal no table has changed. Sets the
// unsaved-changes flag only when something was written.
WriteResult write(Ledger& ledger, Values& v, const QList<int>& entries);

} // namespace MultiEdit
