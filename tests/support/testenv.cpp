#include "testenv.h"

TestEnv::TestEnv() {
    ctx.services.modal = &modal;
}
