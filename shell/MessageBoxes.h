#pragma once
// Modal message boxes, behind an interface: the program shows real boxes, tests replace
// them with a recording fake that answers from a script.
#include <QString>

namespace ui {

enum class BoxIcon { None, Information, Warning, Error };
enum class BoxButtons { Ok, YesNo };  // with Yes and No, Yes is the default
enum class BoxAnswer { Ok, Yes, No };

// The application's title, which a box given no title of its own carries.
QString ApplicationTitle();

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;

    // Shows a modal box and returns the button pressed. The prompt's lines are separated
    // by a carriage return (13) alone. An empty title gives the application title.
    BoxAnswer MsgBox(const QString& prompt, BoxButtons buttons, BoxIcon icon,
                     const QString& title = QString());

  protected:
    virtual BoxAnswer Present(const QString& prompt, BoxButtons buttons, BoxIcon icon,
                              const QString& title) = 0;
};

}  // namespace ui
