#include "services/Form.h"

#include "services/BackendFormWindow.h"

namespace ui {

Form::Form(bool withMenuBar) : window_(std::make_unique<FormWindow>(*this, withMenuBar)) {}

Form::~Form() = default;

void Form::SetCaption(text::TextView caption) {
    window_->SetCaption(caption);
}
text::Text Form::Caption() const {
    return window_->Caption();
}
void Form::SetAccessibleDescription(text::TextView description) {
    window_->SetAccessibleDescription(description);
}
void Form::SetBackColor(colour::BgrColour colour) {
    window_->SetBackColor(colour);
}
void Form::SetClientSize(int widthTwips, int heightTwips) {
    window_->SetClientSize(widthTwips, heightTwips);
}

int Form::WindowLeft() const {
    return window_->WindowLeft();
}
void Form::SetWindowLeft(int twipsValue) {
    window_->SetWindowLeft(twipsValue);
}
int Form::Top() const {
    return window_->Top();
}
void Form::SetTop(int twipsValue) {
    window_->SetTop(twipsValue);
}
int Form::Height() const {
    return window_->Height();
}
geometry::Rect Form::FrameRect() const {
    return window_->FrameRect();
}
geometry::Rect Form::ScreenArea() const {
    return window_->ScreenArea();
}
int Form::Width() const {
    return window_->Width();
}
void Form::SetWidth(int twipsValue) {
    window_->SetWidth(twipsValue);
}

void Form::Show() {
    window_->Show();
}
void Form::Hide() {
    window_->Hide();
}
bool Form::Showing() const {
    return window_->Showing();
}
void Form::SetVisible(bool visible) {
    window_->SetVisible(visible);
}
void Form::NoteInteraction() {
    window_->NoteInteraction();
}

void Form::TakeKeys() {
    window_->TakeKeys();
}
void Form::TakeKeysWithoutInputMethod() {
    window_->TakeKeysWithoutInputMethod();
}
void Form::TakeKeyboard() {
    window_->TakeKeyboard();
}
void Form::NeverTakeKeyboard() {
    window_->NeverTakeKeyboard();
}
void Form::Follow(Form& watched, std::function<void()> hidden, std::function<void()> moved) {
    window_->Follow(*watched.window_, std::move(hidden), std::move(moved));
}

void Form::AddMenu(MenuItem& title, text::TextView caption) {
    window_->AddMenu(title, caption);
}
void Form::AddMenuItem(MenuItem& item, text::TextView caption, std::function<void()> onClick) {
    window_->AddMenuItem(item, caption, std::move(onClick));
}
void Form::AddMenuSeparator() {
    window_->AddMenuSeparator();
}
void Form::AddMenuCommand(MenuItem& item, text::TextView caption, std::function<void()> onClick) {
    window_->AddMenuCommand(item, caption, std::move(onClick));
}

native::Widget* Form::Client() const {
    return window_->Client();
}

}  // namespace ui
