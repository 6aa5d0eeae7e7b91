// What every benchmark program shares: the performance counter and the median of repeated runs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace tonvale::bench {

class Stopwatch {
  public:
    Stopwatch() { QueryPerformanceCounter(&start_); }
    double seconds() const {
        LARGE_INTEGER now{};
        LARGE_INTEGER frequency{};
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(now.QuadPart - start_.QuadPart) /
               static_cast<double>(frequency.QuadPart);
    }

  private:
    LARGE_INTEGER start_{};
};

// The middle of the samples (the mean of the two middle ones for an even count): one run
// disturbed by another process on the machine does not move it.
inline double median(std::vector<double> samples) {
    if (samples.empty()) {
        throw std::runtime_error("no samples");
    }
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    return samples.size() % 2 != 0 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

}  // namespace tonvale::bench
