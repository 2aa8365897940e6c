#pragma once
#include <QJsonObject>

struct AppContext;

// The open ledger as one JSON object (texts trimmed as TrimFixed does).
QJsonObject LedgerJson(const AppContext& ctx);
