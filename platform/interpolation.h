#pragma once
// Piecewise-linear interpolation table. Points are kept in the order they were
// added; GetY uses the first segment (in that order) whose x range holds the
// query, so ascending and descending tables both work without sorting.

#include <cstddef>
#include <vector>

#include "kavex/platform/export.h"

class KAVEX_API CLinearInterpolation {
public:
    // The "no value" answer of GetY: the largest double.
    static constexpr double NoValue = 1.7976931348623157e308;

    void Add(double x, double y);
    // y at x, interpolated between the neighbouring points. Outside the range
    // of the points: with holdEnds == false the answer is NoValue; with true the
    // y of the nearer end point (smallest or largest x) is continued flat, as a
    // valve does not open or close beyond its last measured point. A one-point
    // table answers its y at that x (and everywhere with holdEnds). An empty
    // table always answers NoValue.
    double GetY(double x, bool holdEnds = false) const;
    // Orders the points by x; points whose x lie within `tolerance` of the
    // previous one are dropped (the first one stays).
    void sort(double tolerance = 1e-6);
    void reset();
    std::size_t getSize() const { return m_x.size(); }
    bool isEmpty() const { return m_x.empty(); }
    double firstX() const;  // NoValue on an empty table
    double firstY() const;
    double lastX() const;
    double lastY() const;
    // By index; an index outside 0..getSize()-1 throws std::invalid_argument.
    double GetAtXArray(std::size_t i) const;
    double GetAtYArray(std::size_t i) const;
    // Index getSize() appends a point (its other coordinate 0); beyond that throws.
    void SetAtXArray(std::size_t i, double x);
    void SetAtYArray(std::size_t i, double y);

private:
    std::vector<double> m_x;
    std::vector<double> m_y;
};
