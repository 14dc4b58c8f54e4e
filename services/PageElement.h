#pragma once
// An element of the page that the page backend made for a window, a control or a box, with
// what the window logic reads back from it: its place in pixels, its text, its state. The
// element is the page's; this object holds it for as long as its window lives and gives the
// program's handlers the page's events.
#include <emscripten/val.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "services/Colour.h"
#include "services/Geometry.h"
#include "services/Text.h"

namespace ui {

class FormWindow;

// The page's CSS colour of a 0x00BBGGRR colour ("#rrggbb"); a system colour as the page's own.
std::string CssColour(colour::BgrColour colour);
// A length in the page's pixels ("12px").
std::string CssPixels(int pixels);
// Text as the page holds it (embind takes UTF-8) and back.
emscripten::val PageText(text::TextView text);
text::Text FromPage(const emscripten::val& value);
emscripten::val Document();
// A key event's name of its key (empty when it has none), and whether Ctrl, Alt or Meta was
// held.
text::Text KeyName(const emscripten::val& keyEvent);
bool WithCtrlAltOrMeta(const emscripten::val& keyEvent);
// `node` takes the keyboard, the page staying where it is.
void FocusWithoutScrolling(const emscripten::val& node);
// `handler` runs at each of the page's `event`s, before any element hears it, for as long as
// the program runs.
void ListenToPage(const char* event, std::function<void(emscripten::val)> handler);

class PageElement {
  public:
    // A new element of kind `tag`, with the class `className`, added to `parent` (or left
    // out of the page, for its owner to place).
    PageElement(const char* tag, const char* className, PageElement* parent);
    ~PageElement();
    PageElement(const PageElement&) = delete;
    PageElement& operator=(const PageElement&) = delete;

    emscripten::val& Node() { return node_; }
    const emscripten::val& Node() const { return node_; }
    void SetStyle(const char* property, const std::string& value);
    void SetAttribute(const char* name, const std::string& value);
    void SetAttribute(const char* name, text::TextView value);
    void RemoveAttribute(const char* name);
    // The element's text, all of it (its children go).
    void SetText(text::TextView text);
    void Append(PageElement& child);
    void Append(emscripten::val child);
    // The element is placed in its parent at `area` (pixels), or shown or hidden there.
    void Place(const geometry::Rect& area);
    void Show(bool shown);
    // `handler` runs at each of the element's `event`s, for as long as the element lives.
    void Listen(const char* event, std::function<void(emscripten::val)> handler);

    // The window a control was made on.
    FormWindow* window = nullptr;
    // What the window logic reads back, as it last wrote it.
    geometry::Rect area;
    bool visible = true;
    bool enabled = true;
    text::Text caption;
    std::size_t colouredStart = 0;
    colour::BgrColour backColour = 0;
    bool checkable = false;
    bool checked = false;
    std::function<void()> onClick;
    std::function<bool()> keyboardClickAllowed;
    // A picture's painting (services/PictureInPage.cpp), run at the next frame after
    // RequestPaint, and after the element is placed anew, once however often it was asked.
    std::function<void()> paint;
    void RequestPaint();
    // The rows a table shows (services/ControlsInPage.cpp).
    std::vector<text::TextList> rows;

  private:
    static int PaintAtFrame(double time, void* element);
    bool paintPending_ = false;
    emscripten::val node_;
    std::vector<int> listeners_;
};

// A timer of the page's clock.
class PageTimer {
  public:
    PageTimer(int intervalMilliseconds, std::function<void()> onTick);
    ~PageTimer();
    PageTimer(const PageTimer&) = delete;
    PageTimer& operator=(const PageTimer&) = delete;
    void Start();
    void Stop();
    bool Running() const { return id_ != 0; }
    int Interval() const { return interval_; }

  private:
    static void Tick(void* timer);
    int interval_;
    std::function<void()> onTick_;
    long id_ = 0;
};

}  // namespace ui
