// The menu bar's 「成績」: a command of its own, which opens the session's record at once.
#include "menu/Menu.h"
#include "program/Program.h"

void Menu::Record_Click() {
    ui::Program::Current().ShowRecord();
}
