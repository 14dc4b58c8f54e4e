// The help menu and the development credit: each item shows its fixed text.
#include "menu/HelpTexts.h"
#include "menu/Menu.h"
#include "program/Program.h"

namespace {

void ShowHelp(help::Topic topic) {
    ui::Program::Current().Boxes().MsgBox(help::HelpPrompt(topic), ui::BoxButtons::Ok,
                                          ui::BoxIcon::None);
}

}  // namespace

void Menu::Clear_Click() {
    ShowHelp(help::Topic::Clear);
}
void Menu::Space_Click() {
    ShowHelp(help::Topic::Space);
}
void Menu::Left_Click() {
    ShowHelp(help::Topic::Left);
}
void Menu::Ent_Click() {
    ShowHelp(help::Topic::Ent);
}
void Menu::Indicator_Click() {
    ShowHelp(help::Topic::Indicator);
}
void Menu::Color_Click() {
    ShowHelp(help::Topic::Color);
}
void Menu::Developper_Click() {
    ShowHelp(help::Topic::Developper);
}
