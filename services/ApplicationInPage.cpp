// The program in the page: the windows live on the page's desktop, the boxes are the page's
// dialogs, and every key of the page goes to the open box or to the window with the keyboard.
// The program runs for as long as the page shows it: start-up ends, the page's events go on.
#include <emscripten.h>
#include <emscripten/val.h>

#include "services/Activation.h"
#include "services/Application.h"
#include "services/FormWindowInPage.h"

namespace ui {

using emscripten::val;

namespace {

// The window whose element has the keyboard, or else the active one.
FormWindow* WindowWithKeyboard() {
    const val focused = Document()["activeElement"];
    for (FormWindow* window : PageWindows()) {
        if (window->Showing() && window->Contains(focused)) {
            return window;
        }
    }
    const ActivationTracker* activation = ActivationTracker::Running();
    FormWindow* current = activation != nullptr ? activation->Current() : nullptr;
    return current != nullptr && current->Showing() ? current : nullptr;
}

void KeyOfPage(val event, bool down) {
    if (BoxTakesKey(event, down)) {
        return;
    }
    if (FormWindow* window = WindowWithKeyboard()) {
        window->TakeKey(std::move(event), down);
    }
}

}  // namespace

struct Application::Parts {
    PageMessageBoxes boxes;
};

Application::Application(int& /*argc*/, char** /*argv*/) : parts_(std::make_unique<Parts>()) {
    // The page shows its desktop from now on, so that the windows shown next take the keyboard.
    val::global("window").call<void>("dispatchEvent",
                                     val::global("CustomEvent").new_(val("kunpu-typing-started")));
    Desktop();
    ListenToPage("keydown", [](val event) { KeyOfPage(std::move(event), true); });
    ListenToPage("keyup", [](val event) { KeyOfPage(std::move(event), false); });
}

Application::~Application() = default;

MessageBoxes& Application::Boxes() {
    return parts_->boxes;
}

int Application::Run() {
    // Start-up ends here and the program lives on in the page's events; main's windows stay.
    emscripten_exit_with_live_runtime();
}

}  // namespace ui
