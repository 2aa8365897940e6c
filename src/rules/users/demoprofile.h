#pragma once
#include <functional>

struct AppContext;

// Opening or saving the demo's ledger, with whatever the caller tells the user; true when
// it succeeded.
using LedgerStep = std::function<bool(AppContext&)>;

// The demo profile the login window invites to ("帳號 Test 密碼 583"): user "Test" with
// password "583" and one ledger "範例帳本", seeded as every new ledger is, holding a few
// example entries dated up to today (an income, two expenses, a transfer). Made in the data
// folder of ctx.session; the open ledger and login state of ctx are not touched. False when
// the user already exists or a file could not be written (nothing is left half made). The
// ledger is opened with open and written with save.
bool CreateDemoProfile(AppContext& ctx, const LedgerStep& open, const LedgerStep& save);
