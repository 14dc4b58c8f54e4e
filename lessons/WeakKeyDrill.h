#pragma once
// A drill of the session's weak keys: one run of words from the twenty lessons that type
// them. Nothing is random, so the same weak keys always give the same phrase.
#include <optional>
#include <vector>

#include "lessons/RunBuilder.h"

namespace lessons {

inline constexpr std::size_t kDrillKeys = 3;
// The drill fills fewer cells than the longest lesson: a short run to repeat.
inline constexpr std::size_t kDrillCells = 20;

// The keys a drill practises: of the weak keys, weakest first (the keys of the queue as the
// board expects them: "K", "!", "5"), the first three that a word of the lessons types in
// one of its spellings. A key no word types (a blank, a mark of the keyboard alone) is
// skipped, and so is a key named twice.
std::vector<char16_t> DrillKeys(const std::vector<char16_t>& weakestFirst);

// The drill of `keys`: the words of the lessons (the kana between two blanks) that type
// them, taken in turn for each key, its words that type it in the most of their kana first,
// each word once and followed by "■", within kDrillCells. The units are the catalogue's own.
// Nothing when no word types any of the keys.
std::optional<BuiltRun> BuildDrill(const std::vector<char16_t>& keys);

}  // namespace lessons
