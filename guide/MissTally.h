#pragma once
// The session's weak keys: each miss counted by the key that was expected and the key typed
// in its place. Nothing is saved; the tally lives as long as the program.
#include <QChar>
#include <QString>
#include <cstdint>
#include <vector>

#include "guide/KeyChart.h"

namespace guide {

inline constexpr std::uint16_t kMaxMissesOfAKey = 65535;  // counts hold here, never wrap

struct WeakKey {
    QChar expected;  // the head of the key queue that was due: "K", " ", "!"
    std::uint16_t misses = 0;
    QString typedMostOften;  // the key typed most often in its place
};

class MissTally {
  public:
    // A miss of `expected` (the head that was due); `typed` names the key pressed instead,
    // as the miss box does, a letter in either case counting as its key.
    void Count(QChar expected, const QString& typed);

    // The keys missed most, most misses first; of keys missed as often, the one first missed
    // in the session comes first. Each with the key typed most often instead (of those typed
    // as often, the first).
    std::vector<WeakKey> MostMissed(std::size_t count) const;

    // How many misses of the session `expected` carries; those of every head a key of the
    // layout types (the 1 key: 1 and !); and all the misses together.
    std::uint32_t MissesOf(QChar expected) const;
    std::uint32_t MissesOfKey(char16_t key, Layout layout) const;
    std::uint32_t Total() const;

  private:
    struct TypedInstead {
        QString typed;
        std::uint16_t times = 0;
    };
    struct Entry {
        QChar expected;
        std::uint16_t misses = 0;
        std::vector<TypedInstead> typedInstead;  // in the order first typed
    };
    std::vector<Entry> entries_;  // in the order first missed
};

// What the 「苦手なキー」 box says: the five keys missed most with their counts and the key
// typed most often instead, one a line, or that there are no misses yet.
QString WeakKeysPrompt(const MissTally& tally);

}  // namespace guide
