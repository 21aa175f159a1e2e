#pragma once
// Self-acting regulators of heating networks: the differential pressure
// controller, the flow controller (also pressure-independent control valves),
// and the combined controller that carries a flow-controller part.

#include <string>
#include <vector>

#include "kavex/curves/kurve.h"
#include "kavex/platform/export.h"
#include "kavex/valves/armatur.h"

namespace nrvVDIArmaturen {

// Differential pressure controller (types 205, 209). Three curves:
// - the differential-pressure curve: setpoint (y) per setting (x), from the
//   highest setpoint to the lowest;
// - the deviation curve: proportional deviation (y) over kv (x), from the
//   largest kv to the smallest;
// - the maximum-flow curve: maximum flow (y) per setting (x).
class KAVEX_API nrvArmaturDDR : public nrvArmatur {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturDDR)

public:
    nrvArmaturDDR();
    nrvArmaturDDR(const nrvArmaturDDR& other);
    nrvArmaturDDR& operator=(const nrvArmaturDDR& other);
    ~nrvArmaturDDR() override;

    using nrvArmatur::read;
    using nrvArmatur::write;
    // Common leaves, an empty leaf "Y" and the curves in the children "CKDP",
    // "CKKV" and "CKVS".
    bool read(CNode* node) override;
    bool write(CNode* node) const override;

    // kv of the last / first point of the deviation curve; -1.0 without points.
    double getKvmin() const override;
    double getKvmax() const override;
    CKurve& getKurve() override { return m_kennlinieDp; }
    const CKurve& getKurve() const override { return m_kennlinieDp; }
    // Setpoint of the last / first point of the differential-pressure curve;
    // -1.0 without points.
    virtual double getDpSollMin() const;
    virtual double getDpSollMax() const;
    // Empties the three curves.
    virtual void removeData();

    CKurve& getKennlinieDp() { return m_kennlinieDp; }
    const CKurve& getKennlinieDp() const { return m_kennlinieDp; }
    CKurve& getKennlinieKvzuPAbw() { return m_kennlinieKvzuPAbw; }
    const CKurve& getKennlinieKvzuPAbw() const { return m_kennlinieKvzuPAbw; }
    CKurve& getKennlinieMaxVolStrom() { return m_kennlinieMaxVolStrom; }
    const CKurve& getKennlinieMaxVolStrom() const { return m_kennlinieMaxVolStrom; }
    // Each replaces its curve.
    void addKennlinieDp(const CKurve& curve);
    void addKennlinieKvzuPAbw(const CKurve& curve);
    void addKennlinieMaxVolStrom(const CKurve& curve);

    // Proportional deviation at kv, read from the deviation curve
    // (CKurve::NoValue when the curve cannot give one).
    float getpAbwAtkv(float kv) const;
    // The deviation curve turned round and shifted by dp: for every point
    // (kv, deviation) the point (deviation + dp, kv). `curve` is emptied first.
    void getKvzuDpKurveAt(float dp, CKurve& curve) const;
    // The differential pressure at which the controller, set to dp, passes
    // kv: the turned deviation curve shifted by dp plus the deviation at kv,
    // read at kv. True when the result lies inside the setpoint range; false
    // as well without differential-pressure curve (result untouched then).
    bool getKvzudeltaP(float kv, float dp, float& result) const;

    bool isEqual(const nrvArmatur& other) const override;
    bool assignFrom(const nrvArmatur& other) override { return assignAs(*this, other); }

private:
    void adoptCurves();

    CKurve m_kennlinieDp;
    CKurve m_kennlinieKvzuPAbw;
    CKurve m_kennlinieMaxVolStrom;
};

// Flow controller (types 207, 214, 220). The flow curve holds the set flow
// (y) per setting (x), from the largest flow to the smallest. The active
// differential pressure (mbar) is given once for the valve and, where the
// catalogue has it, once per setting.
class KAVEX_API nrvArmaturDFR : public nrvArmatur {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturDFR)

public:
    nrvArmaturDFR();
    nrvArmaturDFR(const nrvArmaturDFR& other);
    nrvArmaturDFR& operator=(const nrvArmaturDFR& other);
    ~nrvArmaturDFR() override;

    using nrvArmatur::read;
    using nrvArmatur::write;
    // Common leaves, leaf "Y" (active differential pressure), leaf "Y2"
    // ("mbar", then the per-setting list) and the flow curve.
    bool read(CNode* node) override;
    bool write(CNode* node) const override;

    // Searched by flow: no kv range (-1.0).
    double getKvmin() const override { return -1.0; }
    double getKvmax() const override { return -1.0; }
    CKurve& getKurve() override { return m_flowKurve; }
    const CKurve& getKurve() const override { return m_flowKurve; }
    // Empties the flow curve, the active differential pressure and the list.
    virtual void removeData();
    // Replaces the flow curve.
    void addKurve(const CKurve& curve);

    double getWirkdruck() const { return m_wirkdruck; }
    void setWirkdruck(double dp) { m_wirkdruck = dp; }
    int getWirkdruckCount() const { return static_cast<int>(m_wirkdruckListe.size()); }
    // Per-setting value i; 0 for an index outside the list.
    double getWirkdruckAt(int i) const;
    const std::vector<double>& getWirkdruckListe() const { return m_wirkdruckListe; }
    void addWirkdruck(double dp) { m_wirkdruckListe.push_back(dp); }
    void setWirkdruckListe(std::vector<double> list) { m_wirkdruckListe = std::move(list); }

    // Set flow of setting i; 0 outside the points.
    double getFlowRateAt(int i) const;
    // Flow of the first / last point; 0 without points.
    double getFlowRateMax() const;
    double getFlowRateMin() const;
    // The unit of the setting values: that of the flow curve's x axis.
    const std::string& getEinheitEinst() const { return m_flowKurve.getEinheitx(); }

    bool isEqual(const nrvArmatur& other) const override;
    bool assignFrom(const nrvArmatur& other) override { return assignAs(*this, other); }

private:
    CKurve m_flowKurve;
    double m_wirkdruck = 0.0;
    std::vector<double> m_wirkdruckListe;
};

// Differential pressure controller with flow controller or flow limiter
// (types 208, 210). The controller part is the valve itself; the flow part
// is a flow controller of its own (its parent is this valve).
class KAVEX_API nrvArmaturDDRDFR : public nrvArmaturDDR {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturDDRDFR)

public:
    nrvArmaturDDRDFR();
    nrvArmaturDDRDFR(const nrvArmaturDDRDFR& other);
    nrvArmaturDDRDFR& operator=(const nrvArmaturDDRDFR& other);
    ~nrvArmaturDDRDFR() override;

    using nrvArmatur::read;
    using nrvArmatur::write;
    // The node holds two children: "DDRDFR" with the controller part (common
    // leaves and the three curves) and "DFR" with the flow part.
    bool read(CNode* node) override;
    bool write(CNode* node) const override;
    // Also empties the flow part.
    void removeData() override;

    nrvArmaturDFR& getDFRAnteil() { return m_dfr; }
    const nrvArmaturDFR& getDFRAnteil() const { return m_dfr; }
    // Active differential pressure of the flow part.
    double getWirkdruck() const { return m_dfr.getWirkdruck(); }

    bool isEqual(const nrvArmatur& other) const override;
    bool assignFrom(const nrvArmatur& other) override { return assignAs(*this, other); }

private:
    nrvArmaturDFR m_dfr;
};

}  // namespace nrvVDIArmaturen
