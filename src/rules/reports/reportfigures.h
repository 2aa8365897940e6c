#pragma once
#include <QList>
#include <QString>
#include <QStringList>

// The figures every report window shares: the short percent text of an amount in a total,
// and sub-account amounts added into their parents along the "." of names.
namespace ReportFigures {

// "0%" for a total of 0, "100%" when the amount is the total; below 0.1 percent "0.0%" or
// "0.1%"; otherwise the percentage's number text (15 significant digits, "." as the
// decimal point) cut to 3 characters below 10 and to 4 characters below 10000 ("33.3%",
// "150.%"); from 10000 on the whole part in full ("25000%").
QString FormatShare(double amount, double total);

// One row of a statement table: its name (account name without the kind prefix), its own
// amount and its amount with every sub-account added in.
struct RollUpRow {
    QString name;
    double own = 0;
    double withSubAccounts = 0;
};

// Adds every row's own amount into the first row named by each proper prefix of its name
// cut at a "." (parents, grandparents, ...). Expects withSubAccounts == own on entry; own
// amounts stay. Rows whose ancestors are missing still reach the ancestors present.
void RollUpSubAccounts(QList<RollUpRow>& rows);

// Whether each name is top level in its table: no proper prefix of it cut at a "." names
// another row. These rows are the ones listed when sub-accounts are added into parents.
QList<bool> TopLevelRows(const QStringList& names);

} // namespace ReportFigures
