// The indicator speed menu: one item checked, always the one whose speed is chosen.
#include "menu/IndicatorSpeeds.h"
#include "menu/Menu.h"
#include "program/Module1.h"

void Menu::ChooseIndicatorSpeed(int itemIndex) {
    const auto items = SpeedItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i]->SetChecked(static_cast<int>(i) == itemIndex);
    }
    Module1::TargetSpeed = speed_menu::kIndicatorSpeeds[static_cast<std::size_t>(itemIndex)];
}

void Menu::S60_Click() {
    ChooseIndicatorSpeed(0);
}
void Menu::S90_Click() {
    ChooseIndicatorSpeed(1);
}
void Menu::S120_Click() {
    ChooseIndicatorSpeed(2);
}
void Menu::S150_Click() {
    ChooseIndicatorSpeed(3);
}
void Menu::S180_Click() {
    ChooseIndicatorSpeed(4);
}
