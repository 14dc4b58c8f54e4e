// What the menu window looks like when it is loaded.
#include "menu/MenuLayout.h"
#include "menu/Menu.h"

namespace {

using menu_layout::kClientHeight;
using menu_layout::kClientWidth;
constexpr int kButtonWidth = 1335;
constexpr int kButtonHeight = 495;
constexpr int kGridColumns = 5;
constexpr int kGridMargin = 120;
constexpr int kColumnStep = 1440;
constexpr int kRowStep = 720;
// Button 20 stands apart, below the grid; only its top strip shows inside the window.
constexpr int kLastButtonLeft = 2280;
constexpr int kLastButtonTop = 2880;
constexpr int kButtonsVisibleAtStart = 2;

}  // namespace

namespace menu_layout {

TwipsRect LessonButtonPlace(int index) {
    if (index >= Menu::kLessonButtons - 1) {
        return {kLastButtonLeft, kLastButtonTop, kButtonWidth, kButtonHeight};
    }
    return {kGridMargin + kColumnStep * (index % kGridColumns),
            kGridMargin + kRowStep * (index / kGridColumns), kButtonWidth, kButtonHeight};
}

}  // namespace menu_layout

Menu::Menu() : ui::Form(/*withMenuBar=*/true) {
    SetCaption(u"ページを選ぼう");
    SetBackColor(colour::kPaleCyan);
    LayOutMenuBar();
    SetClientSize(kClientWidth, kClientHeight);
    LayOutLessonButtons();
}

void Menu::LayOutLessonButtons() {
    for (int index = 0; index < kLessonButtons; ++index) {
        ui::CommandButton& button = Command1[static_cast<std::size_t>(index)];
        button.Create(*this, [this, index] { Command1_Click(static_cast<std::int16_t>(index)); });
        button.SetKeyboardClickAllowed([this] { return LessonKeysStartLessons(); });
        const menu_layout::TwipsRect place = menu_layout::LessonButtonPlace(index);
        button.Move(place.left, place.top, place.width, place.height);
        button.SetBackColor(colour::kPaleCyan);
        button.SetLessonFont(12, /*bold=*/true);
        button.SetCaption({});
        button.SetVisible(index < kButtonsVisibleAtStart);
    }
    // Tab order: ascending index.
    for (std::size_t index = 1; index < Command1.size(); ++index) {
        Command1[index].FollowInTabOrder(Command1[index - 1]);
    }
}

void Menu::LayOutMenuBar() {
    const auto addItem = [this](ui::MenuItem& item, text::TextView caption,
                                void (Menu::*handler)()) {
        AddMenuItem(item, caption, [this, handler] { (this->*handler)(); });
    };
    AddMenu(Readme, u"使用法");
    addItem(Clear, u"クリア基準", &Menu::Clear_Click);
    addItem(Space, u"■", &Menu::Space_Click);
    addItem(Left, u"←", &Menu::Left_Click);
    addItem(Ent, u"」", &Menu::Ent_Click);
    addItem(Indicator, u"インジケーター", &Menu::Indicator_Click);
    addItem(Color, u"ボタンの色", &Menu::Color_Click);

    AddMenu(IndicatorSpeed, u"インディケーター速度");
    addItem(S60, u" 60字／分", &Menu::S60_Click);
    addItem(S90, u" 90字／分", &Menu::S90_Click);
    addItem(S120, u"120字／分", &Menu::S120_Click);
    addItem(S150, u"150字／分", &Menu::S150_Click);
    addItem(S180, u"180字／分", &Menu::S180_Click);
    for (ui::MenuItem* item : SpeedItems()) {
        item->SetCheckable(true);
    }
    S60.SetChecked(true);

    // A top-level command without a drop-down: it acts at once.
    AddMenuCommand(Developper, u"技術・開発", [this] { Developper_Click(); });

    AddMenu(Keyboard, u"キーボード");
    addItem(FingerGuide, u"指の案内", &Menu::FingerGuide_Click);
    FingerGuide.SetCheckable(true);
    addItem(RomajiGuide, u"ローマ字の案内", &Menu::RomajiGuide_Click);
    RomajiGuide.SetCheckable(true);
    AddMenuSeparator();
    addItem(JisLayout, u"JIS配列", &Menu::JisLayout_Click);
    addItem(UsLayout, u"US配列", &Menu::UsLayout_Click);
    JisLayout.SetCheckable(true);
    UsLayout.SetCheckable(true);
    JisLayout.SetChecked(true);
    AddMenuSeparator();
    addItem(WeakKeys, u"苦手なキー", &Menu::WeakKeys_Click);
    addItem(WeakKeyDrill, u"苦手なキーの練習", &Menu::WeakKeyDrill_Click);

    AddMenuCommand(Record, u"成績", [this] { Record_Click(); });
}
