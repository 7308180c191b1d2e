#pragma once
// Median, minimum and maximum of one series of timings.

#include <algorithm>
#include <vector>

namespace kr2::bench {

struct Summary {
    double median = 0;
    double min = 0;
    double max = 0;
};

// An empty series summarises to zeros; an even one takes the mean of the two
// middle values.
inline Summary Summarise(std::vector<double> values) {
    if (values.empty()) return {};
    std::sort(values.begin(), values.end());
    const auto n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

}  // namespace kr2::bench
