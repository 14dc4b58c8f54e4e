#pragma once
// The menu window: a grid of lesson buttons and a menu bar with the help texts, the
// indicator speed and the development credit.
#include <array>
#include <cstdint>

#include "services/Controls.h"
#include "services/Form.h"

class Menu : public ui::Form {
  public:
    static constexpr int kLessonButtons = 21;  // lessons 0 to 19, and button 20 below the grid

    Menu();  // lays the window out (MenuLayout.cpp)

    // Window events (Menu.cpp).
    void Form_Load();
    void Form_Activate() override;
    void Form_Unload(std::int16_t& cancel) override;

    // A lesson button (LessonStart.cpp).
    void Command1_Click(std::int16_t index);
    // Whether Enter or Space on a focused lesson button may start its lesson now.
    bool LessonKeysStartLessons() const;

    // Help texts and the credit (HelpMessages.cpp).
    void Clear_Click();
    void Space_Click();
    void Left_Click();
    void Ent_Click();
    void Indicator_Click();
    void Color_Click();
    void Developper_Click();

    // The keyboard guide, the session's weak keys and their drill (KeyboardMenu.cpp).
    void FingerGuide_Click();
    void RomajiGuide_Click();
    void JisLayout_Click();
    void UsLayout_Click();
    void WeakKeys_Click();
    void WeakKeyDrill_Click();

    // The session's record (RecordMenu.cpp).
    void Record_Click();

    // The indicator speed (IndicatorSpeedMenu.cpp).
    void S60_Click();
    void S90_Click();
    void S120_Click();
    void S150_Click();
    void S180_Click();

    std::array<ui::CommandButton, kLessonButtons> Command1;

    ui::MenuItem Readme, Clear, Space, Left, Ent, Indicator, Color;
    ui::MenuItem IndicatorSpeed, S60, S90, S120, S150, S180;
    ui::MenuItem Developper;
    ui::MenuItem Keyboard, FingerGuide, RomajiGuide, JisLayout, UsLayout, WeakKeys;
    ui::MenuItem WeakKeyDrill;
    ui::MenuItem Record;

    // The speed items in menu order.
    std::array<ui::MenuItem*, 5> SpeedItems() { return {&S60, &S90, &S120, &S150, &S180}; }

  private:
    void LayOutLessonButtons();
    void LayOutMenuBar();
    void ChooseIndicatorSpeed(int itemIndex);
    void ChooseGuideLayout(bool jis);
};
