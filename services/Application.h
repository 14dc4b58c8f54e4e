#pragma once
// The toolkit's application the program runs in: made first, with the program's icon, its
// bundled face and Japanese words on the buttons, the real message boxes, and a run of the
// toolkit's events that lasts until the program ends (services/ProgramEnd.h).
#include <memory>

#include "services/MessageBoxes.h"

namespace ui {

class Application {
  public:
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    MessageBoxes& Boxes();
    // Runs until the program ends; what the program returns to the system.
    int Run();

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace ui
