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

// The prompt as a box shows it: each carriage-return-separated line on a line of its own
// (a line feed between them).
text::Text DisplayedPrompt(text::TextView prompt);

// What Ctrl+C in a box puts on the clipboard: the title, the prompt as shown and the buttons'
// words as they read, between dashed lines, as Windows copies its own boxes.
text::Text BoxCopyText(text::TextView title, text::TextView shownPrompt,
                       const text::TextList& buttonTexts);

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
