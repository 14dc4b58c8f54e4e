#pragma once
// Modal message boxes, behind an interface: the program shows real boxes, tests replace
// them with a recording fake that answers from a script.
#include <functional>

#include "services/Text.h"

namespace ui {

enum class BoxIcon { None, Information, Warning, Error };
enum class BoxButtons { Ok, YesNo };  // with Yes and No, Yes is the default
enum class BoxAnswer { Ok, Yes, No };

// What runs once the pupil has answered a box.
using BoxAnswered = std::function<void(BoxAnswer)>;

// The application's title, which a box given no title of its own carries.
text::Text ApplicationTitle();

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;

    // Shows a modal box and returns at once; `answered` runs with the button pressed when
    // the box closes. No handler waits inside itself for an answer, so the program has one
    // flow of control everywhere, the browser included, where nothing may block the page.
    // The prompt's lines are separated by a carriage return (13) alone. An empty title
    // gives the application title.
    void MsgBox(text::TextView prompt, BoxButtons buttons, BoxIcon icon, text::TextView title = {},
                BoxAnswered answered = {});

  protected:
    virtual void Present(const text::Text& prompt, BoxButtons buttons, BoxIcon icon,
                         const text::Text& title, BoxAnswered answered) = 0;
};

}  // namespace ui
