#pragma once
// Six-way control valves, which switch a heating-and-cooling ceiling or
// fan-coil unit between the heating and the cooling circuit: one curve per
// circuit (y per setting), optionally with a flow-controller part.

#include "kavex/curves/kurve.h"
#include "kavex/platform/export.h"
#include "kavex/valves/armatur.h"
#include "kavex/valves/armaturregler.h"

namespace nrvVDIArmaturen {

// Six-way control valve (type 218). The heating curve (circuit 0) is the
// valve's main curve; the cooling curve is circuit 1. Each runs from the
// first setting (largest value) to the last.
class KAVEX_API nrvArmaturSechsWegeRegelarmatur : public nrvArmatur {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturSechsWegeRegelarmatur)

public:
    nrvArmaturSechsWegeRegelarmatur();
    nrvArmaturSechsWegeRegelarmatur(const nrvArmaturSechsWegeRegelarmatur& other);
    nrvArmaturSechsWegeRegelarmatur& operator=(const nrvArmaturSechsWegeRegelarmatur& other);
    ~nrvArmaturSechsWegeRegelarmatur() override;

    using nrvArmatur::read;
    using nrvArmatur::write;
    // Common leaves, leaf "Y" (maximum pressure loss), the heating curve in
    // child "CK" and the cooling curve in child "CK2".
    bool read(CNode* node) override;
    bool write(CNode* node) const override;

    // y of the last / first point of the heating curve; -1.0 without points.
    double getKvmin() const override;
    double getKvmax() const override;
    CKurve& getKurve() override { return m_kurveHeizen; }
    const CKurve& getKurve() const override { return m_kurveHeizen; }
    // Empties both curves and the maximum pressure loss.
    virtual void removeData();

    CKurve& getKurveKühlen() { return m_kurveKuehlen; }
    const CKurve& getKurveKühlen() const { return m_kurveKuehlen; }
    CKurve& getKurveKuehlen() { return m_kurveKuehlen; }
    const CKurve& getKurveKuehlen() const { return m_kurveKuehlen; }
    // Each replaces its curve.
    void addKurve(const CKurve& curve);
    void addKurveKühlen(const CKurve& curve);

    double getDpmax() const { return m_dpmax; }
    void setDpmax(double dp) { m_dpmax = dp; }
    // y of point i of the heating curve (circuit 0) or of the cooling curve
    // (any other circuit); 0 outside that curve.
    double getFlowRateAt(int i, int j) const;
    // y of the first / last point of that curve; 0 without points.
    double getFlowRateMax(int j) const;
    double getFlowRateMin(int j) const;

    bool isEqual(const nrvArmatur& other) const override;
    bool assignFrom(const nrvArmatur& other) override { return assignAs(*this, other); }

private:
    const CKurve& kreis(int j) const { return j == 0 ? m_kurveHeizen : m_kurveKuehlen; }

    CKurve m_kurveHeizen;
    CKurve m_kurveKuehlen;
    double m_dpmax = 0.0;
};

// Six-way control valve with flow control (type 221): the six-way part is
// the valve itself, the flow-controller part a flow controller of its own
// (its parent is this valve).
class KAVEX_API nrvArmaturSechsWegeRegelarmaturMitDFR : public nrvArmaturSechsWegeRegelarmatur {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturSechsWegeRegelarmaturMitDFR)

public:
    nrvArmaturSechsWegeRegelarmaturMitDFR();
    nrvArmaturSechsWegeRegelarmaturMitDFR(const nrvArmaturSechsWegeRegelarmaturMitDFR& other);
    nrvArmaturSechsWegeRegelarmaturMitDFR& operator=(
        const nrvArmaturSechsWegeRegelarmaturMitDFR& other);
    ~nrvArmaturSechsWegeRegelarmaturMitDFR() override;

    using nrvArmatur::read;
    using nrvArmatur::write;
    // The six-way part in the node itself, the flow part in child "DFR".
    bool read(CNode* node) override;
    bool write(CNode* node) const override;
    // Also empties the flow part.
    void removeData() override;

    nrvArmaturDFR& getDFRAnteil() { return m_dfr; }
    const nrvArmaturDFR& getDFRAnteil() const { return m_dfr; }
    // Active differential pressures of the flow part.
    double getWirkdruck() const { return m_dfr.getWirkdruck(); }
    int getWirkdruckCount() const { return m_dfr.getWirkdruckCount(); }
    double getWirkdruckAt(int i) const { return m_dfr.getWirkdruckAt(i); }

    bool isEqual(const nrvArmatur& other) const override;
    bool assignFrom(const nrvArmatur& other) override { return assignAs(*this, other); }

private:
    nrvArmaturDFR m_dfr;
};

}  // namespace nrvVDIArmaturen
