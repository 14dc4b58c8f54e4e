// The guide's window: laid out once, shown under the board while it is on, following the
// board's place and its key queue, and handing back the keyboard whenever the window
// system gives it to the guide.
#include "guide/KeyboardGuide.h"

#include "guide/GuidePlacement.h"
#include "program/Module1.h"
#include "program/Program.h"
#include "services/Announcements.h"

namespace {

constexpr colour::BgrColour kBackground = 0x00FFFFFF;

}  // namespace

KeyboardGuide::KeyboardGuide() : ui::Form(/*withMenuBar=*/false) {
    SetCaption(u"キーボード");
    SetBackColor(kBackground);
    // Never the active window: the keys belong to the board and to the boxes.
    NeverTakeKeyboard();

    drawn_.tally = &Module1::WeakKeys;
    drawing_.Create(*this, [this](ui::Painter& painter, geometry::Size) {
        guide::PaintKeyboard(painter, drawn_);
    });
    const geometry::Size size = guide::KeyboardSize();
    const int width = twips::FromPixels(size.width);
    const int height = twips::FromPixels(size.height);
    drawing_.Move(0, 0, width, height);
    SetClientSize(width, height);
    Redraw();
}

void KeyboardGuide::FollowBoard(char16_t head, bool afterMiss) {
    head_ = head;
    afterMiss_ = afterMiss;
    ShowUnderBoardIfDue();
    Redraw();
}

void KeyboardGuide::SetOn(bool on) {
    on_ = on;
    ShowUnderBoardIfDue();
    Redraw();
}

void KeyboardGuide::SetLayout(guide::Layout layout) {
    drawn_.layout = layout;
    Redraw();
}

geometry::Rect KeyboardGuide::KeyRectInWindow(char16_t key) const {
    return guide::KeyAreaOf(key, drawn_.layout).Translated(drawing_.AreaInWindow().TopLeft());
}

void KeyboardGuide::Form_Unload(std::int16_t& cancel) {
    cancel = 1;  // kept, hidden, for the next time the guide is turned on
    ui::Program::Current().KeyboardGuideClosed();
    SetOn(false);
}

void KeyboardGuide::ShowUnderBoardIfDue() {
    ui::Form* board = ui::Program::Current().BoardWindowIfLoaded();
    if (!on_ || board == nullptr || !board->Showing()) {
        SetVisible(false);
        return;
    }
    // Follows the board from now on: where it moves, and when it hides.
    if (followed_ != board) {
        Follow(
            *board, [this] { SetVisible(false); },
            [this] {
                if (Showing()) {
                    PlaceUnderBoard();
                }
            });
        followed_ = board;
    }
    PlaceUnderBoard();
    if (!Showing()) {
        SetVisible(true);
    }
}

// The frames may only be known once the window manager has framed the windows, after the
// guide first showed: the place is checked again whenever the board has news for the guide,
// and the window moves only when it is wrong.
void KeyboardGuide::PlaceUnderBoard() {
    const ui::Form* board = ui::Program::Current().BoardWindowIfLoaded();
    if (board == nullptr) {
        return;
    }
    const geometry::Point place =
        guide::GuidePlace(board->FrameRect(), FrameRect().Extent(), board->ScreenArea());
    if (place.x != WindowLeft()) {
        SetWindowLeft(place.x);
    }
    if (place.y != Top()) {
        SetTop(place.y);
    }
}

// A screen reader hears what the line under the keyboard says: the key due and its finger.
void KeyboardGuide::Redraw() {
    drawn_.line = guide::DueKeyLine(head_, drawn_.layout);
    drawn_.due = guide::StrokeFor(head_, drawn_.layout);
    drawn_.missed = afterMiss_;
    drawing_.Redraw();
    SetAccessibleDescription(
        ui::LabelledValue(afterMiss_ ? u"もう一度" : u"次のキー", drawn_.line));
}
