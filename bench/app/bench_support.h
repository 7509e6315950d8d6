#pragma once
// What the panel's timing programs share: a portable folder with a store of entries, and
// the median of the timings.

#include <string>
#include <vector>

namespace bench {

// FOLDER\tubiao\wenjia.qdb with the given number of entries, each with an image file that
// holds the panel icon. Makes the store unless it is there already; false when it cannot be made.
bool makeBenchStore(const std::string& folder, int entries);

double median(std::vector<double> values);

}  // namespace bench
