#include "services/PageElement.h"

#include <emscripten/bind.h>
#include <emscripten/eventloop.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <unordered_map>

namespace ui {

using emscripten::val;

namespace {

// The page's events reach the program by number: a listener made in the page
// (services/PageEvents.js) calls pageEvent with its number and the event.
std::unordered_map<int, std::function<void(val)>>& Handlers() {
    static std::unordered_map<int, std::function<void(val)>> handlers;
    return handlers;
}

void PageEvent(int id, val event) {
    const auto found = Handlers().find(id);
    if (found == Handlers().end()) {
        return;  // the element it belonged to has gone
    }
    // A copy: the handler may make its element go, and this listener with it.
    const std::function<void(val)> handler = found->second;
    handler(std::move(event));
}

const char* SystemColourName(int index) {
    switch (index) {
        case 1:   // desktop
        case 4:   // menu
        case 15:  // button face
            return "ButtonFace";
        case 5:  // window
            return "Canvas";
        case 13:  // highlight
            return "Highlight";
        case 14:  // highlighted text
            return "HighlightText";
        case 18:  // button text
            return "ButtonText";
        default:  // window text, menu text
            return "CanvasText";
    }
}

}  // namespace

EMSCRIPTEN_BINDINGS(page_events) {
    emscripten::function("pageEvent", &PageEvent);
}

std::string CssColour(colour::BgrColour value) {
    if (colour::IsSystemColour(value)) {
        return SystemColourName(colour::SystemColourIndex(value));
    }
    const colour::Rgb rgb = colour::ToRgb(value);
    char css[8];
    std::snprintf(css, sizeof css, "#%02x%02x%02x", rgb.red, rgb.green, rgb.blue);
    return css;
}

std::string CssPixels(int pixels) {
    return std::to_string(pixels) + "px";
}

val PageText(text::TextView shown) {
    return val(text::ToUtf8(shown));
}

text::Text FromPage(const val& value) {
    return text::FromUtf8(value.as<std::string>());
}

val Document() {
    return val::global("document");
}

text::Text KeyName(const val& keyEvent) {
    const val key = keyEvent["key"];
    return key.isString() ? FromPage(key) : text::Text();
}

bool WithCtrlAltOrMeta(const val& keyEvent) {
    return keyEvent["ctrlKey"].as<bool>() || keyEvent["altKey"].as<bool>() ||
           keyEvent["metaKey"].as<bool>();
}

void FocusWithoutScrolling(const val& node) {
    val options = val::object();
    options.set("preventScroll", true);
    node.call<void>("focus", options);
}

namespace {

int NewListener(std::function<void(val)> handler) {
    static int lastId = 0;
    Handlers().emplace(++lastId, std::move(handler));
    return lastId;
}

}  // namespace

void ListenToPage(const char* event, std::function<void(val)> handler) {
    const int id = NewListener(std::move(handler));
    val::global("window").call<void>("addEventListener", val(event),
                                     val::module_property("pageListener")(id), val(true));
}

PageElement::PageElement(const char* tag, const char* className, PageElement* parent)
    : node_(Document().call<val>("createElement", val(tag))) {
    if (className != nullptr && *className != '\0') {
        node_.set("className", val(className));
    }
    if (parent != nullptr) {
        parent->Append(*this);
    }
}

PageElement::~PageElement() {
    for (const int id : listeners_) {
        Handlers().erase(id);
    }
    if (!node_.isNull()) {
        node_.call<void>("remove");
    }
}

void PageElement::SetStyle(const char* property, const std::string& value) {
    node_["style"].call<void>("setProperty", val(property), val(value));
}

void PageElement::SetAttribute(const char* name, const std::string& value) {
    node_.call<void>("setAttribute", val(name), val(value));
}

void PageElement::SetAttribute(const char* name, text::TextView value) {
    node_.call<void>("setAttribute", val(name), PageText(value));
}

void PageElement::RemoveAttribute(const char* name) {
    node_.call<void>("removeAttribute", val(name));
}

void PageElement::SetText(text::TextView shown) {
    node_.set("textContent", PageText(shown));
}

void PageElement::Append(PageElement& child) {
    node_.call<void>("appendChild", child.node_);
}

void PageElement::Append(val child) {
    node_.call<void>("appendChild", child);
}

void PageElement::Place(const geometry::Rect& placed) {
    area = placed;
    SetStyle("left", CssPixels(placed.left));
    SetStyle("top", CssPixels(placed.top));
    SetStyle("width", CssPixels(placed.width));
    SetStyle("height", CssPixels(placed.height));
    if (paint) {
        RequestPaint();
    }
}

void PageElement::RequestPaint() {
    if (!paintPending_) {
        paintPending_ = true;
        emscripten_request_animation_frame(&PageElement::PaintAtFrame, this);
    }
}

int PageElement::PaintAtFrame(double /*time*/, void* element) {
    auto* painted = static_cast<PageElement*>(element);
    painted->paintPending_ = false;
    painted->paint();
    return EM_FALSE;
}

void PageElement::Show(bool shown) {
    visible = shown;
    node_.set("hidden", !shown);
}

void PageElement::Listen(const char* event, std::function<void(val)> handler) {
    const int id = NewListener(std::move(handler));
    listeners_.push_back(id);
    node_.call<void>("addEventListener", val(event), val::module_property("pageListener")(id));
}

PageTimer::PageTimer(int intervalMilliseconds, std::function<void()> onTick)
    : interval_(intervalMilliseconds), onTick_(std::move(onTick)) {}

PageTimer::~PageTimer() {
    Stop();
}

void PageTimer::Start() {
    if (id_ == 0) {
        id_ = emscripten_set_interval(&PageTimer::Tick, interval_, this);
    }
}

void PageTimer::Stop() {
    if (id_ != 0) {
        emscripten_clear_interval(id_);
        id_ = 0;
    }
}

void PageTimer::Tick(void* timer) {
    static_cast<PageTimer*>(timer)->onTick_();
}

}  // namespace ui
