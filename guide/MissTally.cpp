#include "guide/MissTally.h"

#include <algorithm>

#include "lessons/KeyQueue.h"

namespace guide {

namespace {

constexpr std::size_t kKeysInThePrompt = 5;

// A letter in upper case: a to z and their full-width forms; other keys as they are.
text::Text KeyOfLetter(text::TextView typed) {
    text::Text key(typed);
    if (key.size() == 1 &&
        ((key[0] >= u'a' && key[0] <= u'z') || (key[0] >= u'ａ' && key[0] <= u'ｚ'))) {
        key[0] = static_cast<char16_t>(key[0] - (u'a' - u'A'));
    }
    return key;
}

void Raise(std::uint16_t& count) {
    if (count < kMaxMissesOfAKey) {
        ++count;
    }
}

}  // namespace

void MissTally::Count(char16_t expected, text::TextView typed) {
    auto entry = std::find_if(entries_.begin(), entries_.end(),
                              [&expected](const Entry& e) { return e.expected == expected; });
    if (entry == entries_.end()) {
        entry = entries_.insert(entries_.end(), Entry{expected, 0, {}});
    }
    Raise(entry->misses);
    // A letter is one key, whichever case it typed.
    const text::Text key = KeyOfLetter(typed);
    auto instead = std::find_if(entry->typedInstead.begin(), entry->typedInstead.end(),
                                [&key](const TypedInstead& t) { return t.typed == key; });
    if (instead == entry->typedInstead.end()) {
        instead = entry->typedInstead.insert(entry->typedInstead.end(), TypedInstead{key, 0});
    }
    Raise(instead->times);
}

std::vector<WeakKey> MissTally::MostMissed(std::size_t count) const {
    std::vector<WeakKey> keys;
    for (const Entry& entry : entries_) {
        const auto most = std::max_element(
            entry.typedInstead.begin(), entry.typedInstead.end(),
            [](const TypedInstead& a, const TypedInstead& b) { return a.times < b.times; });
        keys.push_back({entry.expected, entry.misses,
                        most == entry.typedInstead.end() ? text::Text() : most->typed});
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const WeakKey& a, const WeakKey& b) { return a.misses > b.misses; });
    keys.resize(std::min(count, keys.size()));
    return keys;
}

std::uint32_t MissTally::MissesOf(char16_t expected) const {
    for (const Entry& entry : entries_) {
        if (entry.expected == expected) {
            return entry.misses;
        }
    }
    return 0;
}

std::uint32_t MissTally::MissesOfKey(char16_t key, Layout layout) const {
    std::uint32_t misses = 0;
    for (const Entry& entry : entries_) {
        const std::optional<Stroke> stroke = StrokeFor(entry.expected, layout);
        if (stroke && stroke->key == key) {
            misses += entry.misses;
        }
    }
    return misses;
}

std::uint32_t MissTally::Total() const {
    std::uint32_t total = 0;
    for (const Entry& entry : entries_) {
        total += entry.misses;
    }
    return total;
}

text::Text WeakKeysPrompt(const MissTally& tally) {
    const std::vector<WeakKey> keys = tally.MostMissed(kKeysInThePrompt);
    if (keys.empty()) {
        return u"まだミスはありません";
    }
    text::TextList lines;
    for (const WeakKey& key : keys) {
        lines.push_back(lessons::ExpectedKeyName(key.expected) + u'　' +
                        text::Number(key.misses) + u"回（よく押したキー：" + key.typedMostOften +
                        u'）');
    }
    return text::Join(lines, u"\r");
}

}  // namespace guide
