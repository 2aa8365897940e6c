#pragma once
struct AppContext;

// The account editor's commands on a full-size ledger, each against one plain pass over the
// tables it must read, and within 100 ms: renaming an account with 20 sub-accounts,
// deleting an account that 1000 entries use, sorting 2000 accounts. `ctx` names a saved
// full-size ledger; it is loaded again before every timed run.
void BenchAccountCommands(AppContext& ctx);
