// The page's boxes: a modal <dialog> each, which the page keeps the keyboard and the mouse in
// until it is answered. Its keys are the desktop's boxes': Enter and Space press the button
// with the keyboard (the default one at first), Y and N answer a question, Escape answers as
// the box's × does (No to a question), Tab and the arrows go from button to button, Ctrl+C
// copies the box as text. An engine without <dialog> gets a box of the program's own over a
// cover that takes the clicks meant for the windows.
#include <emscripten/val.h>

#include <memory>

#include "services/Activation.h"
#include "services/FormWindowInPage.h"

namespace ui {

using emscripten::val;

namespace {

// A question's buttons, in Japanese on every system, their letters still answering it.
constexpr char16_t kYesWords[] = u"はい(Y)";
constexpr char16_t kNoWords[] = u"いいえ(N)";

struct OpenBox {
    std::unique_ptr<PageElement> cover;  // an engine without <dialog> only
    std::unique_ptr<PageElement> dialog;
    std::vector<std::unique_ptr<PageElement>> parts;
    std::vector<PageElement*> buttons;
    std::vector<BoxAnswer> answers;  // each button's
    BoxAnswer escapeAnswer = BoxAnswer::Ok;
    BoxAnswered answered;
    text::Text copyText;
    bool tracked = false;
    int heldSpaceOn = 0;  // which button Space went down on, +1
};

std::vector<std::unique_ptr<OpenBox>>& OpenBoxes() {
    static std::vector<std::unique_ptr<OpenBox>> boxes;
    return boxes;
}

const char* IconClass(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Information:
            return "box-icon information";
        case BoxIcon::Warning:
            return "box-icon warning";
        case BoxIcon::Error:
            return "box-icon error";
        case BoxIcon::None:
            break;
    }
    return nullptr;
}

const char16_t* IconMark(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Information:
            return u"i";
        case BoxIcon::Warning:
            return u"!";
        default:
            return u"×";
    }
}

// The box belongs to the program window whose handler shows it.
FormWindow* OwnerWindow() {
    if (const ActivationTracker* activation = ActivationTracker::Running()) {
        if (FormWindow* form = activation->Current(); form != nullptr && form->Showing()) {
            return form;
        }
    }
    return nullptr;
}

PageElement& Part(OpenBox& box, const char* tag, const char* className, PageElement& parent) {
    box.parts.push_back(std::make_unique<PageElement>(tag, className, &parent));
    return *box.parts.back();
}

void Answer(OpenBox* box, BoxAnswer answer) {
    auto& boxes = OpenBoxes();
    const auto found = std::find_if(boxes.begin(), boxes.end(),
                                    [box](const auto& open) { return open.get() == box; });
    if (found == boxes.end()) {
        return;  // answered already
    }
    // Kept until the answer has run: the handler that answered is the box's own.
    std::unique_ptr<OpenBox> closing = std::move(*found);
    boxes.erase(found);
    if (closing->cover == nullptr) {
        closing->dialog->Node().call<void>("close");
    }
    closing->dialog->Show(false);
    if (closing->cover != nullptr) {
        closing->cover->Show(false);
    }
    ActivationTracker* activation = ActivationTracker::Running();
    if (closing->tracked && activation != nullptr) {
        activation->BoxAnswered();
    }
    closing->answered(answer);
    if (closing->tracked && ActivationTracker::Running() != nullptr) {
        ActivationTracker::Running()->BoxClosed();
    }
    if (!boxes.empty()) {
        FocusOpenBox();
    }
}

int FocusedButton(const OpenBox& box) {
    const val focused = Document()["activeElement"];
    for (std::size_t i = 0; i < box.buttons.size(); ++i) {
        if (box.buttons[i]->Node().strictlyEquals(focused)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void FocusButton(OpenBox& box, int index) {
    FocusWithoutScrolling(box.buttons[static_cast<std::size_t>(index)]->Node());
}

// Whether the engine has modal dialogs of its own; an older one gets the program's box.
bool EngineHasDialogs() {
    static const bool dialogs = Document()
                                    .call<val>("createElement", val("dialog"))["showModal"]
                                    .typeOf()
                                    .as<std::string>() == "function";
    return dialogs;
}

void CentreOn(OpenBox& box, FormWindow* owner) {
    const val node = box.dialog->Node();
    const int width = node["offsetWidth"].as<int>();
    const int height = node["offsetHeight"].as<int>();
    const val desktop = Desktop().Node();
    geometry::Rect over{0, 0, desktop["clientWidth"].as<int>(), desktop["clientHeight"].as<int>()};
    if (owner != nullptr) {
        const geometry::Rect frame = owner->FrameRect();
        over = {twips::ToPixels(frame.left), twips::ToPixels(frame.top),
                twips::ToPixels(frame.width), twips::ToPixels(frame.height)};
    }
    box.dialog->SetStyle("left", CssPixels(std::max(0, over.left + (over.width - width) / 2)));
    box.dialog->SetStyle("top", CssPixels(std::max(0, over.top + (over.height - height) / 2)));
}

}  // namespace

void FocusOpenBox() {
    if (OpenBoxes().empty()) {
        return;
    }
    OpenBox& box = *OpenBoxes().back();
    if (FocusedButton(box) < 0) {
        FocusButton(box, 0);
    }
}

bool BoxTakesKey(val event, bool down) {
    if (OpenBoxes().empty()) {
        return false;
    }
    OpenBox* box = OpenBoxes().back().get();
    const text::Text key = event["key"].isString() ? FromPage(event["key"]) : text::Text();
    const bool chord =
        event["ctrlKey"].as<bool>() || event["metaKey"].as<bool>() || event["altKey"].as<bool>();
    if (chord) {
        // Copying stays the browser's, and the box says what is copied (its copy event);
        // the page's clipboard is told as well, for engines that copy nothing unselected.
        if (down && (key == u"c" || key == u"C")) {
            val clipboard = val::global("navigator")["clipboard"];
            if (!clipboard.isUndefined() && !clipboard.isNull()) {
                clipboard.call<val>("writeText", PageText(box->copyText))
                    .call<val>("catch", val::module_property("pageIgnore"));
            }
        }
        return false;
    }
    event.call<void>("preventDefault");
    event.call<void>("stopPropagation");
    const int focused = FocusedButton(*box);
    const int count = static_cast<int>(box->buttons.size());
    if (!down) {
        if (key == u" ") {
            const int held = box->heldSpaceOn;
            box->heldSpaceOn = 0;
            if (held != 0 && held == focused + 1) {
                Answer(box, box->answers[static_cast<std::size_t>(held - 1)]);
            }
        }
        return true;
    }
    const bool repeat = event["repeat"].as<bool>();
    if (key == u"Enter") {
        if (!repeat) {
            Answer(box, box->answers[static_cast<std::size_t>(std::max(focused, 0))]);
        }
    } else if (key == u" ") {
        if (!repeat || box->heldSpaceOn == focused + 1) {
            box->heldSpaceOn = focused + 1;
        }
    } else if (key == u"Escape") {
        if (!repeat) {
            Answer(box, box->escapeAnswer);
        }
    } else if (count == 2 && (key == u"y" || key == u"Y")) {
        Answer(box, BoxAnswer::Yes);
    } else if (count == 2 && (key == u"n" || key == u"N")) {
        Answer(box, BoxAnswer::No);
    } else if (key == u"Tab" || key == u"ArrowRight" || key == u"ArrowDown" ||
               key == u"ArrowLeft" || key == u"ArrowUp") {
        const bool back = key == u"ArrowLeft" || key == u"ArrowUp" ||
                          (key == u"Tab" && event["shiftKey"].as<bool>());
        const int from = std::max(focused, 0);
        FocusButton(*box, (from + (back ? count - 1 : 1)) % count);
    }
    return true;
}

void PageMessageBoxes::Present(const text::Text& prompt, BoxButtons buttons, BoxIcon icon,
                               const text::Text& title, BoxAnswered answered) {
    static int boxesMade = 0;
    const std::string id = std::to_string(++boxesMade);
    auto box = std::make_unique<OpenBox>();
    OpenBox* made = box.get();
    const bool dialogs = EngineHasDialogs();
    if (!dialogs) {
        box->cover = std::make_unique<PageElement>("div", "box-cover", &Desktop());
    }
    box->dialog =
        std::make_unique<PageElement>("dialog", dialogs ? "box" : "box fallback", &Desktop());
    PageElement& dialog = *box->dialog;
    dialog.SetAttribute("role", std::string("alertdialog"));
    dialog.SetAttribute("aria-modal", std::string("true"));
    dialog.SetAttribute("aria-labelledby", "box-title-" + id);
    dialog.SetAttribute("aria-describedby", "box-prompt-" + id);
    PageElement& titleBar = Part(*box, "div", "title-bar", dialog);
    PageElement& titleText = Part(*box, "span", "title", titleBar);
    titleText.SetAttribute("id", "box-title-" + id);
    titleText.SetText(title);
    PageElement& close = Part(*box, "span", "close", titleBar);
    close.SetText(u"×");
    close.SetAttribute("aria-hidden", std::string("true"));
    close.Listen("click", [made](val) { Answer(made, made->escapeAnswer); });
    PageElement& body = Part(*box, "div", "box-body", dialog);
    if (const char* iconClass = IconClass(icon)) {
        PageElement& mark = Part(*box, "div", iconClass, body);
        mark.SetAttribute("aria-hidden", std::string("true"));
        mark.SetText(IconMark(icon));
    }
    PageElement& promptText = Part(*box, "div", "box-prompt", body);
    promptText.SetAttribute("id", "box-prompt-" + id);
    const text::Text shown = DisplayedPrompt(prompt);
    promptText.SetText(shown);
    PageElement& row = Part(*box, "div", "box-buttons", dialog);
    text::TextList words;
    const auto addButton = [&](text::TextView caption, BoxAnswer answer) {
        PageElement& button = Part(*box, "button", "box-button", row);
        button.SetAttribute("type", std::string("button"));
        button.SetText(caption);
        // The mouse's click and a screen reader's; the keys are the box's own.
        button.Listen("click", [made, answer](val event) {
            event.call<void>("preventDefault");
            Answer(made, answer);
        });
        box->buttons.push_back(&button);
        box->answers.push_back(answer);
        words.emplace_back(caption);
    };
    if (buttons == BoxButtons::YesNo) {
        addButton(kYesWords, BoxAnswer::Yes);
        addButton(kNoWords, BoxAnswer::No);
        box->escapeAnswer = BoxAnswer::No;
    } else {
        addButton(u"OK", BoxAnswer::Ok);
        box->escapeAnswer = BoxAnswer::Ok;
    }
    box->copyText = BoxCopyText(title, shown, words);
    dialog.Listen("copy", [made](val event) {
        event["clipboardData"].call<void>("setData", val("text/plain"), PageText(made->copyText));
        event.call<void>("preventDefault");
    });
    // A press on the box anywhere but its buttons leaves the keyboard on its button.
    dialog.Listen("pointerdown", [](val event) {
        if (!event["target"].call<val>("closest", val("button")).as<bool>()) {
            event.call<void>("preventDefault");
            FocusOpenBox();
        }
    });
    // The browser closing the box itself (a device's back gesture) answers as Escape does.
    dialog.Listen("cancel", [made](val event) {
        event.call<void>("preventDefault");
        Answer(made, made->escapeAnswer);
    });
    box->answered = std::move(answered);
    FormWindow* owner = OwnerWindow();
    box->tracked = ActivationTracker::Running() != nullptr;
    if (box->tracked) {
        ActivationTracker::Running()->BoxOpened(owner);
    }
    OpenBoxes().push_back(std::move(box));
    if (dialogs) {
        dialog.Node().call<void>("showModal");
    } else {
        dialog.Show(true);
    }
    CentreOn(*made, owner);
    FocusButton(*made, 0);
}

}  // namespace ui
