#include "common/Stats.h"

#include <algorithm>
#include <cstdio>
#include <iomanip>
#include <sstream>

namespace bench {

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    if (values.size() % 2 == 1) {
        return values[middle];
    }
    return (values[middle - 1] + values[middle]) / 2.0;
}

double Worst(const std::vector<double>& values) {
    return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
}

std::string Fixed(double value, int decimals) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(decimals) << value;
    return text.str();
}

std::string FixedList(const std::vector<double>& values, int decimals) {
    std::string list;
    for (double value : values) {
        if (!list.empty()) {
            list += ' ';
        }
        list += Fixed(value, decimals);
    }
    return list;
}

void PrintRow(const std::string& measure, const std::string& text) {
    std::printf("%-22s %s\n", measure.c_str(), text.c_str());
    std::fflush(stdout);
}

void Progress(const std::string& note) {
    std::fprintf(stderr, "  [bench] %s\n", note.c_str());
    std::fflush(stderr);
}

}  // namespace bench
