#pragma once
// Where the menu window's lesson buttons sit, in twips inside its client area: a plain
// function, so the end-to-end tests find a button on the screen as the window places it.
namespace menu_layout {

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The client area under the menu bar.
inline constexpr int kClientWidth = 7440;
inline constexpr int kClientHeight = 2985;

// Buttons 0 to 19 fill a grid of five columns; button 20 stands apart, below the grid.
TwipsRect LessonButtonPlace(int index);

}  // namespace menu_layout
