#include "records/regression.h"

namespace qel {

void Regression::reset()
{
    *this = Regression();
}

void Regression::addZeroSamples(std::int64_t count)
{
    if (count > 0)
        m_n += count;
}

LineFit Regression::fit() const
{
    LineFit line;
    if (m_n == 0)
        return line;
    const double n = double(m_n);
    const double meanX = (n + 1) / 2;
    const double meanY = m_sumY / n;
    if (m_n < 2) {
        line.intercept = meanY;
        return line;
    }
    // Sxy = sum (y_k - meanY)(k - meanX) = sum k*y_k - meanX * sum y_k, since sum (k - meanX) = 0;
    // Sxx = sum (k - meanX)^2 = n (n^2 - 1) / 12.
    const double sxy = m_sumKY - meanX * m_sumY;
    const double sxx = n * (n * n - 1) / 12;
    line.slope = sxy / sxx;
    line.intercept = meanY - meanX * line.slope;
    return line;
}

} // namespace qel
