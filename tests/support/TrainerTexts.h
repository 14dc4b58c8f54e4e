#pragma once
// The trainer's window and box titles, and lesson 1 as a pupil types it: what the pupils
// of the end-to-end tests, the Windows tests and the benchmarks look for and type.
#include <string>

namespace e2e {

inline const std::string kMenuTitle = "ページを選ぼう";
inline const std::string kBoardTitle = "薫風高校タイピング";
inline const std::string kRecordTitle = "成績";
// The program's name, as the accessibility bus knows it.
inline const std::string kApplicationName = "kunpu-typing";
inline const std::string kStartBoxTitle = "タイピングテスト";
inline const std::string kFinishedBoxTitle = "よくがんばりました";
inline const std::string kTimeBoxTitle = "タイム";
inline const std::string kQuitBoxTitle = "薫風高校";

// Lesson 1's romaji as a pupil types it ("ちゅうがくせいの みなさん", 22 keys): CH for TY.
inline const std::string kLessonOneKeys = "chuugakuseino minasan ";

}  // namespace e2e
