#pragma once
// Placeholder until the ledger tables land.
struct Ledger {};
