#pragma once
// Least-squares line through (k, y_k), k = 1..n.
// Only the sums are kept, so a run of zero samples (the runs a short file lacks)
// costs nothing and gives exactly what adding each zero would give.

#include <cstdint>

namespace qel {

struct LineFit {
    double slope = 0;
    double intercept = 0;
};

class Regression {
public:
    void reset();
    void addSample(double y)
    {
        ++m_n;
        m_sumY += y;
        m_sumKY += double(m_n) * y;
    }
    // Appends `count` samples of value 0.
    void addZeroSamples(std::int64_t count);
    std::int64_t count() const { return m_n; }
    // Needs count() >= 2; with fewer samples the line is flat through their mean.
    LineFit fit() const;

private:
    std::int64_t m_n = 0;
    double m_sumY = 0;   // sum of y_k
    double m_sumKY = 0;  // sum of k * y_k
};

} // namespace qel
