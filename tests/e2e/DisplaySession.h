#pragma once
// The X display the end-to-end tests run on. The test program's main starts it before the
// first test and stops it after the last.
#include "support/XSession.h"

namespace e2e {

const xsession::XSession& Session();
void UseSession(const xsession::XSession* session);

}  // namespace e2e
