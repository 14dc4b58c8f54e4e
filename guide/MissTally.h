#pragma once
// The session's weak keys: each miss counted by the key that was expected and the key typed
// in its place. Nothing is saved; the tally lives as long as the program.
#include <cstdint>
#include <vector>

#include "guide/KeyChart.h"

namespace guide {

inline constexpr std::uint16_t kMaxMissesOfAKey = 65535;  // counts hold here, never wrap

struct WeakKey {
    char16_t expected = 0;  // the head of the key queue that was due: "K", " ", "!"
    std::uint16_t misses = 0;
    text::Text typedMostOften;  // the key typed most often in its place
};

class MissTally {
  public:
    // A miss of `expected` (the head that was due); `typed` names the key pressed instead,
    // as the miss box does, a letter in either case counting as its key.
    void Count(char16_t expected, text::TextView typed);

    // The keys missed most, most misses first; of keys missed as often, the one first missed
    // in the session comes first. Each with the key typed most often instead (of those typed
    // as often, the first).
    std::vector<WeakKey> MostMissed(std::size_t count) const;

    // How many misses of the session `expected` carries; those of every head a key of the
    // layout types (the 1 key: 1 and !); and all the misses together.
    std::uint32_t MissesOf(char16_t expected) const;
    std::uint32_t MissesOfKey(char16_t key, Layout layout) const;
    std::uint32_t Total() const;

  private:
    struct TypedInstead {
        text::Text typed;
        std::uint16_t times = 0;
    };
    struct Entry {
        char16_t expected = 0;
        std::uint16_t misses = 0;
        std::vector<TypedInstead> typedInstead;  // in the order first typed
    };
    std::vector<Entry> entries_;  // in the order first missed
};

// What the 「苦手なキー」 box says: the five keys missed most with their counts and the key
// typed most often instead, one a line, or that there are no misses yet.
text::Text WeakKeysPrompt(const MissTally& tally);

}  // namespace guide
