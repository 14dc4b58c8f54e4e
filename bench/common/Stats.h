#pragma once
// Medians and the lines of the result table.
#include <string>
#include <vector>

namespace bench {

// The middle value; the mean of the two middle values for an even count; 0 for none.
double Median(std::vector<double> values);
double Worst(const std::vector<double>& values);

// "12.3" with `decimals` digits after the point.
std::string Fixed(double value, int decimals);
// "12.3 11.9 14.0": every value, in the order measured.
std::string FixedList(const std::vector<double>& values, int decimals);

// One row of the table: the measure's name in a column of its own, then the text.
void PrintRow(const std::string& measure, const std::string& text);
// A progress note on stderr, so the table on stdout stays clean.
void Progress(const std::string& note);

}  // namespace bench
