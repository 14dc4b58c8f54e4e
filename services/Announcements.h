#pragma once
// What a screen reader is told as the program goes, beside what it reads of the windows by
// itself: a window as it shows, a box as it opens (at once, over anything being said), and
// the kana the pupil types next. This is the one list of what is announced, for every
// edition; each edition hands the texts on in its own way (LiveRegions.h).
#include "services/Text.h"

namespace ui {

// A window the program shows, by its title.
void AnnounceWindowShown(text::TextView title);

// A box as it opens: its title, then its prompt, line by line.
void AnnounceBox(text::TextView title, text::TextView prompt);

// What the pupil types next, as the board describes it ("次に打つ文字：ち").
void AnnounceNextToType(text::TextView description);

// A label followed by its current value ("打ったキー：CHU"), or the label alone while
// there is no value to tell.
text::Text LabelledValue(text::TextView label, text::TextView value);

}  // namespace ui
