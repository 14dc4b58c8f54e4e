#pragma once
// Wrappers for the controls the two windows use: labels, command buttons, lines, the timer
// and menu items. Each exposes the properties the window logic reads and writes, in twips
// and 0x00BBGGRR colours.
#include <chrono>
#include <functional>
#include <vector>

#include "services/Colour.h"
#include "services/NativeHandles.h"
#include "services/Text.h"
#include "services/Twips.h"

namespace ui {

class Form;

// Where a label's caption sits in it.
enum class TextAlignment { TopLeft, TopCentre, TopRight };

// Position, size and visibility shared by every control.
class Control {
  public:
    int Left() const;
    void SetLeft(int twipsValue);
    int Top() const;
    void SetTop(int twipsValue);
    int Width() const;
    void SetWidth(int twipsValue);
    int Height() const;
    void SetHeight(int twipsValue);
    void Move(int left, int top, int width, int height);

    // The control's own Visible setting: true also while its window is hidden.
    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);

    // What a screen reader calls the control (empty: what the control shows) and what it
    // adds about it; screen readers are told when either changes.
    void SetAccessibleName(text::TextView name);
    void SetAccessibleDescription(text::TextView description);
    // Runs `changed` after every change of the control's caption, place or visibility, so
    // that what a screen reader hears of a window can follow what the window shows.
    void OnDisplayChange(std::function<void()> changed);

    // The backend's object behind the control.
    native::Widget* Widget() const { return widget_; }

  protected:
    void Bind(native::Widget* widget) { widget_ = widget; }
    void DisplayChanged() const;

  private:
    native::Widget* widget_ = nullptr;
    twips::TwipsProperty left_, top_, width_, height_;
    std::function<void()> displayChanged_;
};

// Each control is made on its window's client area.
class Label : public Control {
  public:
    void Create(Form& form);
    text::Text Caption() const;
    void SetCaption(text::TextView caption);
    // The caption in two parts, the first in `startColour`, the rest in the label's own
    // colour; the caption and what a screen reader hears are the two as one plain text.
    void SetCaptionInTwoColours(text::TextView start, colour::BgrColour startColour,
                                text::TextView rest);
    // How many characters of the caption show in the start's colour (0: none).
    std::size_t ColouredStartLength() const;
    colour::BgrColour BackColor() const { return backColor_; }
    void SetBackColor(colour::BgrColour colour);
    void SetForeColor(colour::BgrColour colour);
    void SetAlignment(TextAlignment alignment);
    // The lessons' face (services/Fonts.h) at `pointSize`.
    void SetLessonFont(double pointSize, bool bold);
    native::Label* Widget() const;

  private:
    colour::BgrColour backColor_ = 0;
};

class CommandButton : public Control {
  public:
    void Create(Form& form, std::function<void()> onClick);
    text::Text Caption() const;
    void SetCaption(text::TextView caption);
    colour::BgrColour BackColor() const;
    void SetBackColor(colour::BgrColour colour);
    void SetLessonFont(double pointSize, bool bold);
    void SetFocus();
    bool HasFocus() const;
    void Click();
    // Enter and Space click the button only while `allowed` says so.
    void SetKeyboardClickAllowed(std::function<bool()> allowed);
    // Tab moves the focus from `before` to this button.
    void FollowInTabOrder(const CommandButton& before);
    native::Button* Widget() const;
};

// A straight line drawn between two points; decoration only.
class Line : public Control {
  public:
    void Create(Form& form, int x1, int y1, int x2, int y2, colour::BgrColour colour);
};

class Timer {
  public:
    // Ticks while `owner` lives.
    void Create(Form& owner, int intervalMilliseconds, std::function<void()> onTick);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    int Interval() const;
    // Whole intervals since the timer was last enabled, by a monotonic clock: ticks that came
    // late, or not at all while the program was held up, are in it.
    long long ElapsedIntervals() const;
    // Milliseconds since the timer was last enabled, by the same clock; 0 while disabled.
    long long ElapsedMilliseconds() const;

  private:
    native::Timer* timer_ = nullptr;
    std::chrono::steady_clock::time_point enabledAt_;
};

// A table of text a window only shows: headed columns, rows that never take the focus or
// a selection, scrolled by the mouse. A screen reader reads each cell in its spoken form.
class Table : public Control {
  public:
    void Create(Form& form, const text::TextList& headings);
    void SetColumnWidths(const std::vector<int>& twipsValues);
    // Each row's cells as shown and as spoken, top row first.
    void SetRows(const std::vector<text::TextList>& shown,
                 const std::vector<text::TextList>& spoken);
    int RowCount() const;
    text::Text Cell(int row, int column) const;
};

// An item of a window's menu bar (Form::AddMenu and the like): a drop-down's title, an item
// in it, or a command of the bar itself.
class MenuItem {
  public:
    void Bind(Form& form, native::Action* action, std::function<void()> onClick);
    text::Text Caption() const;
    bool Checked() const;
    void SetChecked(bool checked);
    void SetCheckable(bool checkable);
    bool Enabled() const;
    bool Visible() const;
    void Click();
    native::Action* Action() const { return action_; }

  private:
    native::Action* action_ = nullptr;
};

}  // namespace ui
