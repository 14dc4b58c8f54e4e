#include "program/SessionRecord.h"

#include <algorithm>

namespace session {

namespace {

std::int64_t OnRunClock(std::int64_t atMs) {
    return std::clamp<std::int64_t>(atMs, 0, kLongestRunMs);
}

std::int64_t Median(std::vector<std::int64_t> values) {
    const std::size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle),
                     values.end());
    const std::int64_t upper = values[middle];
    if (values.size() % 2 != 0) {
        return upper;
    }
    const std::int64_t lower =
        *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle));
    return (lower + upper) / 2;
}

}  // namespace

void RunTiming::Start(text::TextView text) {
    kana_.clear();
    kana_.reserve(text.size());
    for (const char16_t kana : text) {
        kana_.push_back({kana, 0, 0});
    }
    keys_.clear();
    keys_.reserve(text.size() * 3);
    due_ = 0;
    lastKeyMs_ = 0;
    lastKanaMs_ = 0;
}

void RunTiming::KeyAccepted(char16_t key, std::int64_t atMs) {
    // The clock only goes forward: a time read late never makes an earlier key's negative.
    const std::int64_t at = std::max(OnRunClock(atMs), lastKeyMs_);
    keys_.push_back({key, at - lastKeyMs_});
    lastKeyMs_ = at;
}

void RunTiming::KanaCompleted(std::int64_t atMs) {
    const std::int64_t at = std::max(OnRunClock(atMs), lastKanaMs_);
    if (due_ < kana_.size()) {
        kana_[due_].ms = at - lastKanaMs_;
        ++due_;
    }
    lastKanaMs_ = at;
}

void RunTiming::Missed() {
    if (due_ < kana_.size()) {
        ++kana_[due_].misses;
    }
}

void SessionRecord::Add(RunEntry run,
                        const std::vector<std::pair<text::Text, std::int64_t>>& keyTimes) {
    runs_.push_back(std::move(run));
    for (const auto& [key, ms] : keyTimes) {
        auto samples =
            std::find_if(keys_.begin(), keys_.end(),
                         [&key = key](const KeySamples& kept) { return kept.key == key; });
        if (samples == keys_.end()) {
            samples = keys_.insert(keys_.end(), {key, {}});
        }
        samples->ms.push_back(ms);
    }
}

std::vector<KeyPace> SessionRecord::SlowestKeys(std::size_t count) const {
    std::vector<KeyPace> paces;
    for (const KeySamples& samples : keys_) {
        if (samples.ms.size() >= kTimesToJudgeAKey) {
            paces.push_back({samples.key, Median(samples.ms), samples.ms.size()});
        }
    }
    std::stable_sort(paces.begin(), paces.end(),
                     [](const KeyPace& a, const KeyPace& b) { return a.medianMs > b.medianMs; });
    paces.resize(std::min(count, paces.size()));
    return paces;
}

}  // namespace session
