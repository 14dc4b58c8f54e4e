#pragma once
// The program's text: UTF-16, as the lessons and the key queue hold it, in the standard
// library's string, so the window logic and its pure computations need no toolkit. The
// services' Qt backend converts at its edge (services/QtText.h).
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace text {

using Text = std::u16string;
using TextView = std::u16string_view;
using TextList = std::vector<Text>;

// Letters and marks of the key strings, which are ASCII.
Text FromLatin1(std::string_view latin1);
// Text written in the source as UTF-8, and text to write to a log or a test's message;
// a broken sequence becomes U+FFFD.
Text FromUtf8(std::string_view utf8);
std::string ToUtf8(TextView text);

// Decimal digits, a minus sign before a negative number.
Text Number(long long value);

bool Contains(TextView text, char16_t unit);
bool Contains(TextView text, TextView part);

// The parts between the separators: "A_B_" gives "A", "B" and "".
TextList Split(TextView text, char16_t separator);
Text Join(const TextList& parts, TextView separator);

}  // namespace text
