#pragma once
// Ending the program at once, from inside any handler or modal box: nothing is saved,
// nothing more runs. Each edition ends in its own way (ProgramEndOnDesktop.cpp on the desktop,
// ProgramEndInBrowser.cpp in the browser, where the page is told first).

namespace ui {

[[noreturn]] void EndProgramNow();

}  // namespace ui
