#pragma once
// Curve with four ordinates per abscissa. One-pipe radiator connections and
// thermostatic valve bodies with flow limitation keep their four-valued
// characteristics in it (for example kv, maximum differential pressure, active
// differential pressure and maximum flow per setting).

#include <string>
#include <string_view>
#include <vector>

#include "kavex/curves/armaturobject.h"
#include "kavex/curves/kurve.h"
#include "kavex/platform/export.h"

namespace nrvBaseArmaturen {

// A point with four values. x2 and y of the base travel with a copied node but
// a four-value curve never stores them.
class KAVEX_API curveNode14 : public curveNode {
public:
    curveNode14() = default;
    curveNode14(float x, std::string einst, float y1, float y2, float y3, float y4)
        : curveNode(x, std::move(einst), 0.0f), y1(y1), y2(y2), y3(y3), y4(y4) {}

    float y1 = 0.0f;
    float y2 = 0.0f;
    float y3 = 0.0f;
    float y4 = 0.0f;
};

class KAVEX_API CKurve14 : public nrvArmaturObject {
    KAVEX_DECLARE_DYNCREATE(CKurve14)

public:
    CKurve14() = default;
    // Copies carry nodes and units; the owner sets the parent of the copy.
    CKurve14(const CKurve14& other);
    CKurve14& operator=(const CKurve14& other);
    ~CKurve14() override;

    using nrvArmaturObject::read;
    using nrvArmaturObject::write;

    // Removes the nodes and empties the five units.
    virtual void removeData();
    // Needs the keyX leaf (false without it); the others are read when present.
    // The nodes are replaced only when the label list and all four value lists
    // are as long as the x list; otherwise the curve stays as it was. True in
    // both cases.
    virtual bool read(CNode* node, std::string_view keyX, std::string_view keyEinst,
                      std::string_view keyY1, std::string_view keyY2, std::string_view keyY3,
                      std::string_view keyY4);
    // Always adds all six leaves, each the unit followed by the values; false
    // for a null node.
    virtual bool write(CNode* node, std::string_view keyX, std::string_view keyEinst,
                       std::string_view keyY1, std::string_view keyY2, std::string_view keyY3,
                       std::string_view keyY4) const;

    void addCurveNode(const curveNode14& node);
    // All strict: an index outside 0..count-1 (or an empty curve) throws
    // std::invalid_argument.
    const curveNode14& getAt(int i) const;
    const curveNode14& getCurveNodeAt(int i) const;
    curveNode14& operator[](int i);
    const curveNode14& operator[](int i) const;
    const curveNode14& getFirstNode() const;
    const curveNode14& getLastNode() const;

    int getSize() const { return static_cast<int>(m_nodes.size()); }
    int getCount() const { return getSize(); }
    int getUpperBound() const { return getSize() - 1; }
    const std::vector<curveNode14>& nodes() const { return m_nodes; }

    const std::string& getEinheitx() const { return m_einheitX; }
    void setEinheitx(std::string unit) { m_einheitX = std::move(unit); }
    const std::string& getEinheity1() const { return m_einheitY[0]; }
    const std::string& getEinheity2() const { return m_einheitY[1]; }
    const std::string& getEinheity3() const { return m_einheitY[2]; }
    const std::string& getEinheity4() const { return m_einheitY[3]; }
    void setEinheity1(std::string unit) { m_einheitY[0] = std::move(unit); }
    void setEinheity2(std::string unit) { m_einheitY[1] = std::move(unit); }
    void setEinheity3(std::string unit) { m_einheitY[2] = std::move(unit); }
    void setEinheity4(std::string unit) { m_einheitY[3] = std::move(unit); }

private:
    const curveNode14& at(int i) const;

    std::vector<curveNode14> m_nodes;
    std::string m_einheitX;
    std::string m_einheitY[4];
};

}  // namespace nrvBaseArmaturen
