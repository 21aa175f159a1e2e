#pragma once
// Two-axis characteristic curve: kv over setting, pressure loss over flow,
// maximum flow over setting and so on. The curve knows nothing of valves; its
// owner names the leaves under which it is stored.

#include <string>
#include <string_view>
#include <vector>

#include "kavex/curves/armaturobject.h"
#include "kavex/platform/export.h"

namespace nrvBaseArmaturen {

// One point of a curve. x is usually the numeric setting, y the kv value, x2 a
// second abscissa (0 when the curve has none) and einst the setting as printed
// in the catalogue ("1", "2.5", "N", ...).
class KAVEX_API curveNode {
public:
    // x of a setting that has a label but no numeric value.
    static constexpr float NoNumericSetting = -9999.0f;

    curveNode() = default;
    curveNode(float x, std::string einst, float y, float x2 = 0.0f)
        : x(x), x2(x2), y(y), einst(std::move(einst)) {}

    // Takes a catalogue setting: the label, the numeric setting and the second
    // abscissa as texts. A setting with neither label nor number becomes
    // "<unbekannt>" (translated); without a number x is the -9999 marker. y stays.
    // Returns 1 when the catalogue gave a label or a number, else 0.
    int setEinstellung(std::string_view einstText, std::string_view xText, std::string_view x2Text);
    // The setting as shown: "%g" of x plus " (label)" when there is a label;
    // the label alone for a setting without numeric value.
    std::string getEinst() const;
    // Same setting: numeric settings within 1e-5 of each other, or two settings
    // without numeric value and with the same label.
    bool operator==(const curveNode& other) const;

    float x = 0.0f;
    float x2 = 0.0f;
    float y = 0.0f;
    std::string einst;
};

class KAVEX_API CKurve : public nrvArmaturObject {
    KAVEX_DECLARE_DYNCREATE(CKurve)

public:
    // Which neighbour the nearest-point lookups choose between two points.
    enum enNearest : int {
        closest = 0,  // the nearer one; a tie goes to the earlier point
        higher = 1,   // the one with the larger value on the searched axis
        lower = 2     // the one with the smaller value
    };
    // Answer of the interpolating lookups when the curve cannot give a value.
    static constexpr float NoValue = 3.4028235e38f;
    // Answer of getYNearest on an empty curve.
    static constexpr float NoNearestValue = -3.4028235e38f;

    CKurve() = default;
    // Copies carry nodes and units; the owner sets the parent of the copy.
    CKurve(const CKurve& other);
    CKurve& operator=(const CKurve& other);
    ~CKurve() override;

    using nrvArmaturObject::read;
    using nrvArmaturObject::write;

    // Removes all nodes and empties the three units.
    virtual void removeData();
    // Appends the nodes stored under the four leaves (keyX2 optional) behind
    // the nodes already held; false when a required leaf is missing or holds
    // no value behind its unit, or when the lists do not match in length.
    virtual bool read(CNode* node, std::string_view keyX, std::string_view keyEinst,
                      std::string_view keyY, std::string_view keyX2);
    // Adds the leaves keyX, keyEinst, keyX2 (only when some x2 is not 0) and
    // keyY, each the unit followed by the values; false for a null node.
    virtual bool write(CNode* node, std::string_view keyX, std::string_view keyEinst,
                       std::string_view keyY, std::string_view keyX2) const;

    // --- nodes -----------------------------------------------------------
    void addCurveNode(const curveNode& node);
    void addCurveNode(float x, std::string_view einst, float y, float x2 = 0.0f);
    // Inserts before position i; an i below 0 inserts at the front, one beyond
    // the count appends.
    void addCurveNodeAt(int i, const curveNode& node);
    void addCurveNodeAt(int i, float x, std::string_view einst, float y, float x2 = 0.0f);
    // Overwrites node i; false when i is at or beyond the count; a negative i
    // throws std::invalid_argument.
    bool setCurveNodeAt(int i, const curveNode& node);
    // Clamped: below 0 the first node, beyond the end the last node. Throws
    // std::invalid_argument on an empty curve.
    const curveNode& getAt(int i) const;
    // Strict: an index outside 0..count-1 throws std::invalid_argument.
    curveNode& operator[](int i);
    const curveNode& operator[](int i) const;
    // Throw std::invalid_argument on an empty curve.
    const curveNode& getFirstNode() const;
    const curveNode& getLastNode() const;

    int getSize() const { return static_cast<int>(m_nodes.size()); }
    int getCount() const { return getSize(); }
    int getUpperBound() const { return getSize() - 1; }
    bool bIsEmpty() const { return m_nodes.empty(); }
    const std::vector<curveNode>& nodes() const { return m_nodes; }

    // Order of equal values afterwards is not defined.
    void SortbyX(bool descending = false);
    void SortbyY(bool descending = false, bool unused = false);
    // Reverses the order of the nodes.
    void swapNodes();

    // --- units -------------------------------------------------------------
    const std::string& getEinheitx() const { return m_einheitX; }
    void setEinheitx(std::string unit) { m_einheitX = std::move(unit); }
    const std::string& getEinheitx2() const { return m_einheitX2; }
    void setEinheitx2(std::string unit) { m_einheitX2 = std::move(unit); }
    const std::string& getEinheity() const { return m_einheitY; }
    void setEinheity(std::string unit) { m_einheitY = std::move(unit); }

    // --- lookups -----------------------------------------------------------
    // Exact or linearly interpolated value; a query within 1e-5 of a stored
    // abscissa answers that node's value. NoValue when the curve is empty or
    // the query lies outside it; a one-node curve answers its only value.
    float getYInterpol(float x) const;  // y at x
    float getX2(float x) const;         // x2 at x
    float getX(float x2) const;         // x at x2
    float getXInterpol(float y) const;  // x at y
    // y of the node chosen by `mode` around x; the end nodes answer for queries
    // beyond the ends. NoNearestValue on an empty curve.
    float getYNearest(float x, enNearest mode = closest) const;
    // x and label of the node chosen by `mode` around y; 1 when a node was
    // chosen, 0 otherwise (the outputs are then untouched).
    int getXNearest(float& outX, std::string& outEinst, float y, enNearest mode = closest) const;

private:
    std::vector<curveNode> m_nodes;
    std::string m_einheitX;
    std::string m_einheitX2;
    std::string m_einheitY;
};

}  // namespace nrvBaseArmaturen
