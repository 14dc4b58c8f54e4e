#include "services/ProgramEnd.h"

#include <cstdio>
#include <cstdlib>

namespace ui {

void EndProgramNow() {
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

}  // namespace ui
