#pragma once
// The twenty lessons, built into the program. Read in order, the phrases form one message
// welcoming junior-high pupils to the school.
#include <array>
#include <cstddef>
#include <string_view>

namespace lessons {

// The cell of a blank, which is typed with Space.
inline constexpr char16_t kBlankCell = u'■';

struct Lesson {
    // Romaji keys, one unit per kana cell, each unit followed by "_".
    std::string_view keyString;
    // Kana shown on the board, one character per cell; "■" is a blank typed with Space.
    std::u16string_view kanaText;
};

inline constexpr std::size_t kLessonCount = 20;
// The board has 30 cells, of which it fills at most 28.
inline constexpr std::size_t kMaxCells = 28;

inline constexpr std::array<Lesson, kLessonCount> LessonCatalogue{{
    {"TY_U_U_GA_KU_SE_I_NO_ _MI_NA_SA_N_ _", u"ちゅうがくせいの■みなさん■"},
    {"SO_YO_KA_ZE_ _KO_U_KO_U_HE_ _", u"そよかぜ■こうこうへ■"},
    {"YO_U_KO_SO_!_ _", u"ようこそ！■"},
    {"KI_KA_I_KA_ _1_KU_RA_SU_ _", u"きかいか■１くらす■"},
    {"SO_U_GO_U_GA_K_KA_ _", u"そうごうがっか■"},
    {"2_KU_RA_SU_ _DE_SU_ _", u"２くらす■です■"},
    {"SO_U_GO_U_GA_K_KA_HA_ _", u"そうごうがっかは■"},
    {"2_NE_N_SE_I_KA_RA_ _", u"２ねんせいから■"},
    {"5_TU_NO_ _KE_I_RE_TU_NI_ _WA_KA_RE_TE_ _", u"５つの■けいれつに■わかれて■"},
    {"BE_N_KY_O_U_SI_MA_SU_ _", u"べんきょうします■"},
    {"JI_N_BU_N_KA_GA_KU_ _KE_I_RE_TU_ _", u"じんぶんかがく■けいれつ■"},
    {"O_N_GA_KU_ _KE_I_RE_TU_ _", u"おんがく■けいれつ■"},
    {"BI_J_U_TU_ _KE_I_RE_TU_ _", u"びじゅつ■けいれつ■"},
    {"SE_I_KA_TU_KA_GA_KU_ _KE_I_RE_TU_ _", u"せいかつかがく■けいれつ■"},
    {"KA_N_KO_U_ _MA_NE_JI_ME_N_TO_ _KE_I_RE_TU_ _", u"かんこう■まねじめんと■けいれつ■"},
    {"I_ZU_RE_NO_ _KE_I_RE_TU_DE_MO_ _", u"いずれの■けいれつでも■"},
    {"SI_KA_KU_ _SH_U_TO_KU_GA_DE_KI_ _", u"しかく■しゅとくができ■"},
    {"SI_N_GA_KU_TO_ _SH_U_U_SH_O_KU_NI_ _", u"しんがくと■しゅうしょくに■"},
    {"TA_I_O_U_SI_TE_I_MA_SU_ _", u"たいおうしています■"},
    {"ZE_HI_ _KI_BO_U_SI_TE_ _KU_DA_SA_I_ _", u"ぜひ■きぼうして■ください■"},
}};

// Units of a key string: the number of "_" it holds.
constexpr std::size_t UnitCount(std::string_view keyString) {
    std::size_t units = 0;
    for (char c : keyString) {
        units += (c == '_') ? 1 : 0;
    }
    return units;
}

// Whether every unit is non-empty and ends with "_", and only the queue's own characters
// appear: "A" to "Z", "1", "2", "5", "!", " " and "_".
constexpr bool IsWellFormedKeyString(std::string_view keyString) {
    if (keyString.empty() || keyString.back() != '_') {
        return false;
    }
    bool unitOpen = false;
    for (char c : keyString) {
        const bool key =
            (c >= 'A' && c <= 'Z') || c == '1' || c == '2' || c == '5' || c == '!' || c == ' ';
        if (c == '_') {
            if (!unitOpen) {
                return false;
            }
            unitOpen = false;
        } else if (key) {
            unitOpen = true;
        } else {
            return false;
        }
    }
    return true;
}

// Every lesson: as many units as cells, within the cells the board fills, well formed.
constexpr bool CatalogueIsConsistent() {
    for (const Lesson& lesson : LessonCatalogue) {
        if (!IsWellFormedKeyString(lesson.keyString)) {
            return false;
        }
        if (UnitCount(lesson.keyString) != lesson.kanaText.size()) {
            return false;
        }
        if (lesson.kanaText.empty() || lesson.kanaText.size() > kMaxCells) {
            return false;
        }
    }
    return true;
}

static_assert(CatalogueIsConsistent(),
              "every lesson needs one key unit per kana cell and at most 28 cells");

}  // namespace lessons
