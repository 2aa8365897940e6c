#include "testenv.h"

TestEnv::TestEnv() {
    ctx.services.setModal(modal);
}
