#pragma once
// The keyboard guide 「キーボード」: a keyboard drawn under the practice board, each key
// tinted by the finger that types it, the key the board waits for lit up and the finger
// named beneath. It shows while 「指の案内」 is on and the board shows, and never takes the
// keyboard from the board or a box.
#include <cstdint>

#include "guide/KeyChart.h"
#include "guide/KeyboardDrawing.h"
#include "services/Form.h"
#include "services/Geometry.h"
#include "services/Picture.h"

class KeyboardGuide : public ui::Form {
  public:
    KeyboardGuide();

    // The board's call: the head of its queue, which the pupil types next (0 when no key is
    // due), and whether the key before it was a miss.
    void FollowBoard(char16_t head, bool afterMiss);
    // 「指の案内」: the guide shows under the board while it is on.
    void SetOn(bool on);
    bool IsOn() const { return on_; }
    void SetLayout(guide::Layout layout);
    guide::Layout CurrentLayout() const { return drawn_.layout; }
    // Where a key of the current layout is drawn, in the window's own pixels.
    geometry::Rect KeyRectInWindow(char16_t key) const;

    // Closing the window turns the guide off.
    void Form_Unload(std::int16_t& cancel) override;

  private:
    void ShowUnderBoardIfDue();
    void PlaceUnderBoard();
    void Redraw();

    ui::Picture drawing_;
    guide::KeyboardState drawn_;
    const ui::Form* followed_ = nullptr;  // the board whose hide and moves the guide follows
    bool on_ = false;
    char16_t head_ = 0;
    bool afterMiss_ = false;
};
