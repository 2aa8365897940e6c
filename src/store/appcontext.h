#pragma once
#include "platform/services.h"
#include "store/ledger.h"
#include "store/session.h"

// Everything one run shares: the open ledger, the login state with the settings mirrors,
// and the services. The application owns one; every test builds and throws away its own.
struct AppContext {
    Services services;
    Session session;
    Ledger ledger;
};
