#pragma once
// Builders the valve tests share: curves through (x, y) points and the text
// form of a node.

#include <string>
#include <vector>

#include "kavex/curves/kurve.h"
#include "kavex/platform/treestore.h"

namespace valvetest {

struct Pt {
    float x, y;
};

// A curve of any kind derived from CKurve through the points, without labels.
template <class Curve = nrvBaseArmaturen::CKurve>
Curve curveOf(const std::vector<Pt>& points) {
    Curve k;
    for (const Pt& p : points)
        k.addCurveNode(p.x, "", p.y);
    return k;
}

inline std::string textOf(const CNode& node) {
    std::string text;
    node.WriteToString(text);
    return text;
}

}  // namespace valvetest
