#pragma once
// The spellings a Japanese input method accepts for the kana units of a key string (Hepburn,
// Kunrei and Nihon-shiki, and the X and L forms of the small kana), one row per unit. A unit
// the table does not hold has one spelling, its own.
#include <array>
#include <optional>
#include <string_view>

#include "services/Text.h"

namespace lessons {

// Stands for the doubled consonant of っ: the first letter of the unit after it.
inline constexpr std::string_view kDoubledConsonant = "*";

struct UnitSpellings {
    std::u16string_view kana;                   // the unit as a pupil reads it
    std::array<std::string_view, 5> spellings;  // unused places stay empty
};

// Of two spellings where one begins the other, the shorter comes first (N before NN, XTU
// before XTSU): a unit is complete as soon as its keys are one of its spellings.
// clang-format off
inline constexpr std::array<UnitSpellings, 16> kRomajiSpellings{{
    // っ comes first: its doubled consonant can look like a unit of its own (the J of じゅ).
    {u"っ", {kDoubledConsonant, "XTU", "LTU", "XTSU", "LTSU"}},
    {u"か", {"KA", "CA"}},
    {u"く", {"KU", "CU", "QU"}},
    {u"こ", {"KO", "CO"}},
    {u"せ", {"SE", "CE"}},
    {u"し", {"SI", "SHI", "CI"}},
    {u"じ", {"ZI", "JI"}},
    {u"ず", {"ZU"}},
    {u"ち", {"TI", "CHI"}},
    {u"つ", {"TU", "TSU"}},
    {u"ふ", {"HU", "FU"}},
    {u"ん", {"N", "NN", "N'", "XN"}},
    // ゃ, ゅ and ょ have cells of their own, which hold the vowel; the cell before holds the
    // rest of the syllable.
    {u"き(ゃゅょ)", {"KY"}},
    {u"し(ゃゅょ)", {"SY", "SH"}},
    {u"じ(ゃゅょ)", {"J", "ZY", "JY"}},
    {u"ち(ゃゅょ)", {"TY", "CH", "CY"}},
}};
// clang-format on

// The row of a unit written as any one of its spellings, `nextUnit` being the unit after it
// (っ doubles its consonant); nothing for a unit the table does not hold.
const UnitSpellings* RowOfUnit(text::TextView unit, text::TextView nextUnit);

// Every spelling of `unit`, in the table's order; the unit alone when it has no row.
text::TextList SpellingsOfUnit(text::TextView unit, text::TextView nextUnit);

// The first spelling of `unit` that begins with `typed`; nothing when no spelling does.
std::optional<text::Text> SpellingBeginningWith(text::TextView unit, text::TextView nextUnit,
                                                text::TextView typed);

}  // namespace lessons
