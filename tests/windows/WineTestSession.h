#pragma once
// What the Windows tests' main sets up for them.
#include <string>

#include "support/XSession.h"

namespace e2e {

// The X display the Windows tests run on.
const xsession::XSession& WineSession();
// The installer under test (KunpuTyping-<version>-setup.exe), as a Linux path.
std::string SetupProgramPath();

}  // namespace e2e
