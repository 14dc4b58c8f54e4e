#pragma once
// The session's record: every finished run with the time each kana took and its misses,
// and the time before each key. The board collects a run's times as it judges, in
// milliseconds of the run's clock; nothing is saved, and a new start begins an empty record.
#include <cstdint>
#include <vector>

#include "services/Text.h"

namespace session {

// The run's clock holds where the run's tick counter holds (32,767 tenths of a second):
// a time never goes past the time the run is judged by.
inline constexpr std::int64_t kLongestRunMs = 32767LL * 100;

struct KanaTime {
    char16_t kana = 0;    // the cell's character; "■" for a blank
    std::int64_t ms = 0;  // from the end of the kana before (or the start) to its end
    int misses = 0;       // wrong keys while it was due
};

struct KeyTime {
    char16_t key = 0;     // the head of the key queue that was typed: "K", " ", "!"
    std::int64_t ms = 0;  // since the key before it in the run, or the start of the run
};

// One run, as the board judges it key by key.
class RunTiming {
  public:
    // A new run over `text`, one kana per cell; its clock starts at 0.
    void Start(text::TextView text);
    // `key` was accepted at `atMs` of the run's clock.
    void KeyAccepted(char16_t key, std::int64_t atMs);
    // The kana due is complete at `atMs`; the next one is due.
    void KanaCompleted(std::int64_t atMs);
    // A wrong key while the kana due was due.
    void Missed();

    const std::vector<KanaTime>& Kana() const { return kana_; }
    const std::vector<KeyTime>& Keys() const { return keys_; }

  private:
    std::vector<KanaTime> kana_;
    std::vector<KeyTime> keys_;
    std::size_t due_ = 0;  // the kana being typed
    std::int64_t lastKeyMs_ = 0;
    std::int64_t lastKanaMs_ = 0;
};

// A finished run as the record lists it.
struct RunEntry {
    text::Text page;        // 「1ページ」
    double shownSpeed = 0;  // as the result box gave it
    int misses = 0;         // as the result box gave them
    int targetSpeed = 0;    // the indicator speed the run had to reach
    bool cleared = false;
    std::vector<KanaTime> kana;
};

// How long the pupil waits before one key, over the session.
struct KeyPace {
    text::Text key;         // as the miss box names it: "K", "スペースキー"
    std::int64_t medianMs;  // the median of its times
    std::size_t times;      // how often it was typed
};

inline constexpr std::size_t kTimesToJudgeAKey = 5;

class SessionRecord {
  public:
    // A finished run and the times before its keys, each key named as the miss box names it.
    void Add(RunEntry run, const std::vector<std::pair<text::Text, std::int64_t>>& keyTimes);

    // Oldest first.
    const std::vector<RunEntry>& Runs() const { return runs_; }
    // The `count` keys the pupil waits longest before, by the median, of those typed at least
    // kTimesToJudgeAKey times; of keys as slow, the one first typed in the session first.
    std::vector<KeyPace> SlowestKeys(std::size_t count) const;

  private:
    struct KeySamples {
        text::Text key;
        std::vector<std::int64_t> ms;
    };
    std::vector<RunEntry> runs_;
    std::vector<KeySamples> keys_;  // in the order first typed
};

}  // namespace session
