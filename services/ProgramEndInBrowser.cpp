// The browser edition's end: the page hears of it first, so that it can take the program
// away and say that it has ended, and stops asking before it is closed.
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>

#include "services/ProgramEnd.h"

namespace ui {

void EndProgramNow() {
    std::fflush(nullptr);
    EM_ASM({ window.dispatchEvent(new CustomEvent('kunpu-typing-ended')); });
    std::_Exit(EXIT_SUCCESS);
}

}  // namespace ui
