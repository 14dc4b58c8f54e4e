#pragma once
// What a screen reader is told as the program goes, beside what it reads of the windows by
// itself: a window as it shows, a box as it opens (at once, over anything being said), and
// the kana the pupil types next. This is the one list of what is announced, for every
// edition; each edition hands the texts on in its own way (LiveRegions.h).
#include <QString>

namespace ui {

// A window the program shows, by its title.
void AnnounceWindowShown(const QString& title);

// A box as it opens: its title, then its prompt, line by line.
void AnnounceBox(const QString& title, const QString& prompt);

// What the pupil types next, as the board describes it ("次に打つ文字：ち").
void AnnounceNextToType(const QString& description);

}  // namespace ui
