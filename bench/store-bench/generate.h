#pragma once
#include "store/ledger.h"

// Fills the tables with a full-size ledger: 2000 accounts with sub-accounts, 30000 entries
// over three years (short and long notes, invoices, colours, reminders), 1000 detail texts,
// 500 quick entries and 200 recurring records. The same seed gives the same ledger.
void GenerateFullLedger(Ledger& ledger, quint32 seed = 20240101);
