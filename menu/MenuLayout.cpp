// What the menu window looks like when it is loaded.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "menu/Menu.h"
#include "menu/MenuLayout.h"
#include "services/AppIcon.h"
#include "services/Fonts.h"
#include "services/LessonButton.h"

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
    SetCaption(QStringLiteral("ページを選ぼう"));
    setWindowIcon(ui::ProgramIcon());
    SetBackColor(colour::kPaleCyan);
    LayOutMenuBar();
    SetClientSize(kClientWidth, kClientHeight);
    LayOutLessonButtons();
}

void Menu::LayOutLessonButtons() {
    const QFont font = ui::LessonFont(12, /*bold=*/true);
    for (int index = 0; index < kLessonButtons; ++index) {
        ui::CommandButton& button = Command1[static_cast<std::size_t>(index)];
        button.Create(*this, [this, index] { Command1_Click(static_cast<std::int16_t>(index)); });
        button.Widget()->SetKeyboardClickAllowed([this] { return LessonKeysStartLessons(); });
        const menu_layout::TwipsRect place = menu_layout::LessonButtonPlace(index);
        button.Move(place.left, place.top, place.width, place.height);
        button.SetBackColor(colour::kPaleCyan);
        button.SetFont(font);
        button.SetCaption(QString());
        button.SetVisible(index < kButtonsVisibleAtStart);
    }
    // Tab order: ascending index.
    for (int index = 1; index < kLessonButtons; ++index) {
        QWidget::setTabOrder(Command1[static_cast<std::size_t>(index - 1)].Widget(),
                             Command1[static_cast<std::size_t>(index)].Widget());
    }
}

void Menu::LayOutMenuBar() {
    QMenuBar* bar = MenuBar();

    QMenu* readme = bar->addMenu(QStringLiteral("使用法"));
    Readme.Bind(*this, readme->menuAction(), [] {});
    const auto addItem = [this](QMenu* menu, ui::MenuItem& item, const QString& caption,
                                void (Menu::*handler)()) {
        QAction* action = menu->addAction(caption);
        item.Bind(*this, action, [this, handler] { (this->*handler)(); });
    };
    addItem(readme, Clear, QStringLiteral("クリア基準"), &Menu::Clear_Click);
    addItem(readme, Space, QStringLiteral("■"), &Menu::Space_Click);
    addItem(readme, Left, QStringLiteral("←"), &Menu::Left_Click);
    addItem(readme, Ent, QStringLiteral("」"), &Menu::Ent_Click);
    addItem(readme, Indicator, QStringLiteral("インジケーター"), &Menu::Indicator_Click);
    addItem(readme, Color, QStringLiteral("ボタンの色"), &Menu::Color_Click);

    QMenu* speeds = bar->addMenu(QStringLiteral("インディケーター速度"));
    IndicatorSpeed.Bind(*this, speeds->menuAction(), [] {});
    addItem(speeds, S60, QStringLiteral(" 60字／分"), &Menu::S60_Click);
    addItem(speeds, S90, QStringLiteral(" 90字／分"), &Menu::S90_Click);
    addItem(speeds, S120, QStringLiteral("120字／分"), &Menu::S120_Click);
    addItem(speeds, S150, QStringLiteral("150字／分"), &Menu::S150_Click);
    addItem(speeds, S180, QStringLiteral("180字／分"), &Menu::S180_Click);
    for (ui::MenuItem* item : SpeedItems()) {
        item->Action()->setCheckable(true);
    }
    S60.SetChecked(true);

    // A top-level command without a drop-down: it acts at once.
    QAction* developper = bar->addAction(QStringLiteral("技術・開発"));
    Developper.Bind(*this, developper, [this] { Developper_Click(); });

    QMenu* keyboard = bar->addMenu(QStringLiteral("キーボード"));
    Keyboard.Bind(*this, keyboard->menuAction(), [] {});
    addItem(keyboard, FingerGuide, QStringLiteral("指の案内"), &Menu::FingerGuide_Click);
    FingerGuide.Action()->setCheckable(true);
    addItem(keyboard, RomajiGuide, QStringLiteral("ローマ字の案内"), &Menu::RomajiGuide_Click);
    RomajiGuide.Action()->setCheckable(true);
    keyboard->addSeparator();
    addItem(keyboard, JisLayout, QStringLiteral("JIS配列"), &Menu::JisLayout_Click);
    addItem(keyboard, UsLayout, QStringLiteral("US配列"), &Menu::UsLayout_Click);
    JisLayout.Action()->setCheckable(true);
    UsLayout.Action()->setCheckable(true);
    JisLayout.SetChecked(true);
    keyboard->addSeparator();
    addItem(keyboard, WeakKeys, QStringLiteral("苦手なキー"), &Menu::WeakKeys_Click);
    addItem(keyboard, WeakKeyDrill, QStringLiteral("苦手なキーの練習"), &Menu::WeakKeyDrill_Click);

    QAction* record = bar->addAction(QStringLiteral("成績"));
    Record.Bind(*this, record, [this] { Record_Click(); });
}
