#pragma once
// The keyboard guide 「キーボード」: a keyboard drawn under the practice board, each key
// tinted by the finger that types it, the key the board waits for lit up and the finger
// named beneath. It shows while 「指の案内」 is on and the board shows, and never takes the
// keyboard from the board or a box.
#include <QChar>
#include <QObject>
#include <QRect>
#include <cstdint>

#include "guide/KeyChart.h"
#include "services/Form.h"

class KeyboardDrawing;

class KeyboardGuide : public ui::Form {
  public:
    KeyboardGuide();

    // The board's call: the head of its queue, which the pupil types next (nothing when no
    // key is due), and whether the key before it was a miss.
    void FollowBoard(QChar head, bool afterMiss);

    // 「指の案内」: the guide shows under the board while it is on.
    void SetOn(bool on);
    bool IsOn() const { return on_; }
    void SetLayout(guide::Layout layout);
    guide::Layout CurrentLayout() const { return layout_; }

    // Where a key of the current layout is drawn, in the window's own coordinates.
    QRect KeyRectInWindow(char16_t key) const;

    // Closing the window turns the guide off.
    void Form_Unload(std::int16_t& cancel) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowUnderBoardIfDue();
    void PlaceUnderBoard();
    void Redraw();

    KeyboardDrawing* drawing_ = nullptr;
    QObject* followed_ = nullptr;  // the board whose hide and moves the guide follows
    bool on_ = false;
    guide::Layout layout_ = guide::Layout::Jis;
    QChar head_;
    bool afterMiss_ = false;
};
