#include "kavex/platform/interpolation.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>
#include <string>

namespace {

void checkIndex(std::size_t i, std::size_t size) {
    if (i >= size) {
        throw std::invalid_argument("interpolation point " + std::to_string(i) + " outside 0.." +
                                    std::to_string(size) + "-1");
    }
}

double between(double x, double x0, double y0, double x1, double y1) {
    // The points themselves answer exactly, without rounding through the slope.
    if (x == x0 || x0 == x1) return y0;
    if (x == x1) return y1;
    return y0 + (x - x0) * (y1 - y0) / (x1 - x0);
}

}  // namespace

void CLinearInterpolation::Add(double x, double y) {
    m_x.push_back(x);
    m_y.push_back(y);
}

double CLinearInterpolation::GetY(double x, bool holdEnds) const {
    if (m_x.empty() || std::isnan(x)) return NoValue;
    for (std::size_t i = 0; i + 1 < m_x.size(); ++i) {
        double lo = std::min(m_x[i], m_x[i + 1]);
        double hi = std::max(m_x[i], m_x[i + 1]);
        if (x >= lo && x <= hi) return between(x, m_x[i], m_y[i], m_x[i + 1], m_y[i + 1]);
    }
    if (m_x.size() == 1 && x == m_x[0]) return m_y[0];
    // The segments of a connected polyline cover everything from its smallest
    // to its largest x, so no segment holding x means x lies outside.
    if (!holdEnds) return NoValue;
    auto [lo, hi] = std::minmax_element(m_x.begin(), m_x.end());
    if (std::isnan(*lo) || std::isnan(*hi)) return NoValue;
    auto end = x < *lo ? lo : hi;
    return m_y[static_cast<std::size_t>(end - m_x.begin())];
}

void CLinearInterpolation::sort(double tolerance) {
    std::vector<std::size_t> order(m_x.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // NaN abscissae go last so that the order stays a strict weak ordering.
    auto less = [this](std::size_t a, std::size_t b) {
        double xa = m_x[a], xb = m_x[b];
        if (std::isnan(xa)) return false;
        if (std::isnan(xb)) return true;
        return xa < xb;
    };
    std::stable_sort(order.begin(), order.end(), less);
    std::vector<double> xs, ys;
    xs.reserve(order.size());
    ys.reserve(order.size());
    for (std::size_t i : order) {
        if (!xs.empty() && std::fabs(m_x[i] - xs.back()) <= tolerance) continue;
        xs.push_back(m_x[i]);
        ys.push_back(m_y[i]);
    }
    m_x = std::move(xs);
    m_y = std::move(ys);
}

void CLinearInterpolation::reset() {
    m_x.clear();
    m_y.clear();
}

double CLinearInterpolation::firstX() const {
    return m_x.empty() ? NoValue : m_x.front();
}
double CLinearInterpolation::firstY() const {
    return m_y.empty() ? NoValue : m_y.front();
}
double CLinearInterpolation::lastX() const {
    return m_x.empty() ? NoValue : m_x.back();
}
double CLinearInterpolation::lastY() const {
    return m_y.empty() ? NoValue : m_y.back();
}

double CLinearInterpolation::GetAtXArray(std::size_t i) const {
    checkIndex(i, m_x.size());
    return m_x[i];
}

double CLinearInterpolation::GetAtYArray(std::size_t i) const {
    checkIndex(i, m_y.size());
    return m_y[i];
}

void CLinearInterpolation::SetAtXArray(std::size_t i, double x) {
    if (i == m_x.size()) return Add(x, 0.0);
    checkIndex(i, m_x.size());
    m_x[i] = x;
}

void CLinearInterpolation::SetAtYArray(std::size_t i, double y) {
    if (i == m_y.size()) return Add(0.0, y);
    checkIndex(i, m_y.size());
    m_y[i] = y;
}
