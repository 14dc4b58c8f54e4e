// The controls as the page's own elements: labels are text, command buttons real buttons,
// lines thin boxes, tables tables, menu items the menu bar's items (services/FormInPage.cpp).
#include <emscripten/val.h>

#include "services/Controls.h"
#include "services/Form.h"
#include "services/FormWindowInPage.h"

namespace ui {

using emscripten::val;

namespace {

// A new element of `tag` on the form's client area, kept by the form.
PageElement* MadeOn(Form& form, const char* tag, const char* className) {
    PageElement* element =
        form.Widget()->Keep(std::make_unique<PageElement>(tag, className, form.Client()));
    element->window = form.Widget();
    return element;
}

// The lessons' face at `pointSize`, as the page names it.
void SetFace(PageElement& element, double pointSize, bool bold) {
    element.SetStyle("font-family", "\"Kunpu PGothic\", sans-serif");
    element.SetStyle("font-size", std::to_string(pointSize) + "pt");
    element.SetStyle("font-weight", bold ? "bold" : "normal");
}

}  // namespace

// ---- Control ----

int Control::Left() const {
    return left_.Read(widget_->area.left);
}
void Control::SetLeft(int v) {
    geometry::Rect area = widget_->area;
    area.left = left_.Write(v);
    widget_->Place(area);
    DisplayChanged();
}
int Control::Top() const {
    return top_.Read(widget_->area.top);
}
void Control::SetTop(int v) {
    geometry::Rect area = widget_->area;
    area.top = top_.Write(v);
    widget_->Place(area);
    DisplayChanged();
}
int Control::Width() const {
    return width_.Read(widget_->area.width);
}
void Control::SetWidth(int v) {
    geometry::Rect area = widget_->area;
    area.width = width_.Write(v);
    widget_->Place(area);
}
int Control::Height() const {
    return height_.Read(widget_->area.height);
}
void Control::SetHeight(int v) {
    geometry::Rect area = widget_->area;
    area.height = height_.Write(v);
    widget_->Place(area);
}

void Control::Move(int left, int top, int width, int height) {
    widget_->Place(
        {left_.Write(left), top_.Write(top), width_.Write(width), height_.Write(height)});
    DisplayChanged();
}

bool Control::Visible() const {
    return widget_->visible;
}
void Control::SetVisible(bool visible) {
    widget_->Show(visible);
    DisplayChanged();
}
bool Control::Enabled() const {
    return widget_->enabled;
}
void Control::SetEnabled(bool enabled) {
    widget_->enabled = enabled;
    widget_->Node().set("disabled", !enabled);
}

void Control::SetAccessibleName(text::TextView name) {
    if (name.empty()) {
        widget_->RemoveAttribute("aria-label");
    } else {
        widget_->SetAttribute("aria-label", name);
    }
}
void Control::SetAccessibleDescription(text::TextView description) {
    widget_->SetAttribute("aria-description", description);
}

// ---- Label ----

void Label::Create(Form& form) {
    Bind(MadeOn(form, "div", "label"));
}

native::Label* Label::Widget() const {
    return Control::Widget();
}
text::Text Label::Caption() const {
    return Widget()->caption;
}
void Label::SetCaption(text::TextView caption) {
    Widget()->caption = text::Text(caption);
    Widget()->colouredStart = 0;
    Widget()->SetText(caption);
    DisplayChanged();
}

// The romaji guide sets every cell's caption at every key, and one or two change: the others
// are left alone.
void Label::SetCaptionInTwoColours(text::TextView start, colour::BgrColour startColour,
                                   text::TextView rest) {
    const text::Text caption = text::Text(start) + text::Text(rest);
    if (Widget()->caption == caption && Widget()->colouredStart == start.size()) {
        return;
    }
    Widget()->caption = caption;
    Widget()->colouredStart = start.size();
    Widget()->SetText({});
    if (!start.empty()) {
        val coloured = Document().call<val>("createElement", val("span"));
        coloured.set("textContent", PageText(start));
        coloured["style"].set("color", CssColour(startColour));
        Widget()->Append(coloured);
    }
    Widget()->Append(Document().call<val>("createTextNode", PageText(rest)));
    DisplayChanged();
}

std::size_t Label::ColouredStartLength() const {
    return Widget()->colouredStart;
}

void Label::SetBackColor(colour::BgrColour colour) {
    backColor_ = colour;
    Widget()->SetStyle("background-color", CssColour(colour));
}

void Label::SetForeColor(colour::BgrColour colour) {
    Widget()->SetStyle("color", CssColour(colour));
}

void Label::SetAlignment(TextAlignment alignment) {
    switch (alignment) {
        case TextAlignment::TopLeft:
            Widget()->SetStyle("text-align", "left");
            return;
        case TextAlignment::TopCentre:
            Widget()->SetStyle("text-align", "center");
            return;
        case TextAlignment::TopRight:
            Widget()->SetStyle("text-align", "right");
            return;
    }
}
void Label::SetLessonFont(double pointSize, bool bold) {
    SetFace(*Widget(), pointSize, bold);
}

// ---- CommandButton ----

void CommandButton::Create(Form& form, std::function<void()> onClick) {
    PageElement* button = MadeOn(form, "button", "command");
    button->SetAttribute("type", std::string("button"));
    button->onClick = [&form, handler = std::move(onClick)] {
        form.NoteInteraction();
        handler();
    };
    // A press gives the button the keyboard, in every engine (Safari leaves it elsewhere).
    button->Listen("pointerdown", [button](val) { FocusWithoutScrolling(button->Node()); });
    // The mouse's click and a screen reader's; the keys click through the window (Enter down,
    // Space up), which keeps the browser from clicking with them too.
    button->Listen("click", [button](val event) {
        event.call<void>("preventDefault");
        if (button->enabled) {
            button->onClick();
        }
    });
    form.Widget()->AddToTabOrder(*button);
    Bind(button);
    SetBackColor(colour::kPaleCyan);
}

native::Button* CommandButton::Widget() const {
    return Control::Widget();
}
text::Text CommandButton::Caption() const {
    return Widget()->caption;
}
void CommandButton::SetCaption(text::TextView caption) {
    Widget()->caption = text::Text(caption);
    Widget()->SetText(caption);
    DisplayChanged();
}
colour::BgrColour CommandButton::BackColor() const {
    return Widget()->backColour;
}
void CommandButton::SetBackColor(colour::BgrColour colour) {
    Widget()->backColour = colour;
    Widget()->SetStyle("background-color", CssColour(colour));
}
void CommandButton::SetLessonFont(double pointSize, bool bold) {
    SetFace(*Widget(), pointSize, bold);
}
void CommandButton::SetFocus() {
    FocusWithoutScrolling(Widget()->Node());
}
bool CommandButton::HasFocus() const {
    return Widget()->Node().strictlyEquals(Document()["activeElement"]);
}
void CommandButton::Click() {
    if (Widget()->enabled) {
        Widget()->onClick();
    }
}
void CommandButton::SetKeyboardClickAllowed(std::function<bool()> allowed) {
    Widget()->keyboardClickAllowed = std::move(allowed);
}
void CommandButton::FollowInTabOrder(const CommandButton& before) {
    Widget()->window->MoveInTabOrder(*Widget(), *before.Widget());
}

// ---- Line ----

void Line::Create(Form& form, int x1, int y1, int x2, int y2, colour::BgrColour colour) {
    PageElement* line = MadeOn(form, "div", "line");
    line->SetAttribute("role", std::string("separator"));
    line->SetStyle("background-color", CssColour(colour));
    Bind(line);
    Move(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + twips::kTwipsPerPixel,
         std::abs(y2 - y1) + twips::kTwipsPerPixel);
}

// ---- Timer ----

void Timer::Create(Form& owner, int intervalMilliseconds, std::function<void()> onTick) {
    timer_ =
        owner.Widget()->Keep(std::make_unique<PageTimer>(intervalMilliseconds, std::move(onTick)));
}

bool Timer::Enabled() const {
    return timer_->Running();
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == timer_->Running()) {
        return;  // enabling a running timer must not restart its interval
    }
    if (enabled) {
        timer_->Start();
        enabledAt_ = std::chrono::steady_clock::now();
    } else {
        timer_->Stop();
    }
}

int Timer::Interval() const {
    return timer_->Interval();
}

// ---- Table ----
// A real table: its headings stay above the rows, which scroll; a screen reader walks the
// rows cell by cell and reads each cell in its spoken form.

void Table::Create(Form& form, const text::TextList& headings) {
    PageElement* holder = MadeOn(form, "div", "table");
    const val document = Document();
    const auto made = [&document](const char* tag, val parent) {
        val element = document.call<val>("createElement", val(tag));
        parent.call<void>("appendChild", element);
        return element;
    };
    const val table = made("table", holder->Node());
    const val columns = made("colgroup", table);
    const val headingRow = made("tr", made("thead", table));
    for (const text::Text& heading : headings) {
        made("col", columns);
        val cell = made("th", headingRow);
        cell.set("textContent", PageText(heading));
        cell.call<void>("setAttribute", val("scope"), val("col"));
    }
    made("tbody", table);
    Bind(holder);
}

void Table::SetColumnWidths(const std::vector<int>& twipsValues) {
    const val columns = Widget()->Node().call<val>("querySelectorAll", val("col"));
    const int count = columns["length"].as<int>();
    for (int i = 0; i < count && i < static_cast<int>(twipsValues.size()); ++i) {
        columns[i]["style"].set(
            "width", CssPixels(twips::ToPixels(twipsValues[static_cast<std::size_t>(i)])));
    }
}

void Table::SetRows(const std::vector<text::TextList>& shown,
                    const std::vector<text::TextList>& spoken) {
    Widget()->rows = shown;
    val body = Widget()->Node().call<val>("querySelector", val("tbody"));
    body.set("textContent", val(""));
    for (std::size_t r = 0; r < shown.size(); ++r) {
        val row = Document().call<val>("createElement", val("tr"));
        for (std::size_t c = 0; c < shown[r].size(); ++c) {
            val cell = Document().call<val>("createElement", val("td"));
            cell.set("textContent", PageText(shown[r][c]));
            if (r < spoken.size() && c < spoken[r].size()) {
                cell.call<void>("setAttribute", val("aria-label"), PageText(spoken[r][c]));
            }
            row.call<void>("appendChild", cell);
        }
        body.call<void>("appendChild", row);
    }
    DisplayChanged();
}

int Table::RowCount() const {
    return static_cast<int>(Widget()->rows.size());
}

text::Text Table::Cell(int row, int column) const {
    const std::vector<text::TextList>& rows = Widget()->rows;
    if (row < 0 || row >= static_cast<int>(rows.size()) || column < 0 ||
        column >= static_cast<int>(rows[static_cast<std::size_t>(row)].size())) {
        return text::Text();
    }
    return rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

// ---- MenuItem ----

void MenuItem::Bind(Form& form, native::Action* action, std::function<void()> onClick) {
    action_ = action;
    // A checkable item changes its check as it is chosen, before its handler reads it.
    action->onClick = [this, &form, handler = std::move(onClick)] {
        form.NoteInteraction();
        if (action_->checkable) {
            SetChecked(!action_->checked);
        }
        handler();
    };
}

text::Text MenuItem::Caption() const {
    return action_->caption;
}
bool MenuItem::Checked() const {
    return action_->checked;
}
void MenuItem::SetChecked(bool checked) {
    if (!action_->checkable) {
        return;
    }
    action_->checked = checked;
    action_->SetAttribute("aria-checked", std::string(checked ? "true" : "false"));
}
void MenuItem::SetCheckable(bool checkable) {
    action_->checkable = checkable;
    action_->SetAttribute("role", std::string(checkable ? "menuitemcheckbox" : "menuitem"));
    if (checkable) {
        action_->SetAttribute("aria-checked", std::string(action_->checked ? "true" : "false"));
    } else {
        action_->checked = false;
        action_->RemoveAttribute("aria-checked");
    }
}
bool MenuItem::Enabled() const {
    return action_->enabled;
}
bool MenuItem::Visible() const {
    return action_->visible;
}
void MenuItem::Click() {
    if (action_->enabled && action_->onClick) {
        action_->onClick();
    }
}

}  // namespace ui
