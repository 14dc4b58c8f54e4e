// The guide's window: laid out once, shown under the board while it is on, following the
// board's place and its key queue, and handing back the keyboard whenever the window
// system gives it to the guide.
#include "guide/KeyboardGuide.h"

#include <QEvent>

#include "board/PracticeBoard.h"
#include "guide/GuidePlacement.h"
#include "guide/KeyboardDrawing.h"
#include "menu/Menu.h"
#include "program/Module1.h"
#include "program/Program.h"
#include "services/Accessibility.h"
#include "services/AppIcon.h"

namespace {

constexpr colour::BgrColour kBackground = 0x00FFFFFF;

PracticeBoard* BoardIfShown() {
    PracticeBoard* board = ui::Program::Current().BoardIfLoaded();
    return board != nullptr && board->isVisible() ? board : nullptr;
}

}  // namespace

KeyboardGuide::KeyboardGuide() : ui::Form(/*withMenuBar=*/false) {
    SetCaption(QStringLiteral("キーボード"));
    setWindowIcon(ui::ProgramIcon());
    SetBackColor(kBackground);
    // Never the active window: the keys belong to the board and to the boxes.
    NeverTakeKeyboard();

    drawing_ = new KeyboardDrawing(Client());
    drawing_->SetTally(&Module1::WeakKeys);
    const QSize size = KeyboardDrawing::SizeNeeded();
    SetClientSize(twips::FromPixels(size.width()), twips::FromPixels(size.height()));
    Redraw();
}

void KeyboardGuide::FollowBoard(QChar head, bool afterMiss) {
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
    layout_ = layout;
    drawing_->SetLayout(layout);
    Redraw();
}

QRect KeyboardGuide::KeyRectInWindow(char16_t key) const {
    const QRect drawn = drawing_->KeyRect(key);
    return drawn.translated(drawing_->mapTo(this, QPoint(0, 0)));
}

void KeyboardGuide::Form_Unload(std::int16_t& cancel) {
    cancel = 1;  // kept, hidden, for the next time the guide is turned on
    ui::Program::Current().MenuWindow().FingerGuide.SetChecked(false);
    SetOn(false);
}

void KeyboardGuide::ShowUnderBoardIfDue() {
    PracticeBoard* board = BoardIfShown();
    if (!on_ || board == nullptr) {
        setVisible(false);
        return;
    }
    // Follows the board from now on: where it moves, and when it hides.
    if (followed_ != board) {
        board->installEventFilter(this);
        followed_ = board;
    }
    PlaceUnderBoard();
    if (!isVisible()) {
        setVisible(true);
    }
}

// The frames may only be known once the window manager has framed the windows, after the
// guide first showed: the place is checked again whenever the board has news for the guide,
// and the window moves only when it is wrong.
void KeyboardGuide::PlaceUnderBoard() {
    const PracticeBoard* board = ui::Program::Current().BoardIfLoaded();
    if (board == nullptr) {
        return;
    }
    const QPoint place =
        guide::GuidePlace(board->FrameRect(), FrameRect().size(), board->ScreenArea());
    if (place.x() != WindowLeft()) {
        SetWindowLeft(place.x());
    }
    if (place.y() != Top()) {
        SetTop(place.y());
    }
}

// A screen reader hears what the line under the keyboard says: the key due and its finger.
void KeyboardGuide::Redraw() {
    const QString line = guide::DueKeyLine(head_, layout_);
    drawing_->SetDue(guide::StrokeFor(head_, layout_), afterMiss_, line);
    const QString label = afterMiss_ ? QStringLiteral("もう一度") : QStringLiteral("次のキー");
    ui::SetAccessibleDescription(*this, ui::LabelledValue(label, line));
}

bool KeyboardGuide::eventFilter(QObject* watched, QEvent* event) {
    if (watched == followed_) {
        if (event->type() == QEvent::Hide) {
            setVisible(false);
        } else if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
                   isVisible()) {
            PlaceUnderBoard();
        }
    }
    return ui::Form::eventFilter(watched, event);
}
