#pragma once
// Radiator valve bodies: the thermostatic valve body with its kv-over-setting
// curve and proportional band, the body with flow limitation, and the
// one-pipe radiator connection with its bypass and radiator-path kv values.

#include <string>

#include "kavex/curves/einstellungkurve.h"
#include "kavex/curves/kurve14.h"
#include "kavex/platform/export.h"
#include "kavex/valves/armatur.h"

namespace nrvVDIArmaturen {

// Thermostatic valve body (type 201). One setting curve (x the numeric
// setting, y the kv value, ordered from the most open setting) whose setting
// data carry the proportional band Xp the catalogue values belong to.
class KAVEX_API nrvArmaturTHKV : public nrvArmatur {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturTHKV)

public:
    nrvArmaturTHKV();
    nrvArmaturTHKV(const nrvArmaturTHKV& other);
    nrvArmaturTHKV& operator=(const nrvArmaturTHKV& other);
    ~nrvArmaturTHKV() override;

    using nrvArmatur::read;
    using nrvArmatur::write;
    // Common leaves, an empty leaf "Y" and the kv curve in child "CK".
    bool read(CNode* node) override;
    bool write(CNode* node) const override;

    // kv of the last (most closed) setting; -1.0 without setting.
    double getKvmin() const override;
    // The kvs for a valve computed with its kvs, else the kv of the first
    // (most open) setting; -1.0 without setting.
    double getKvmax() const override;
    CKurve& getKurve() override { return m_kvKurve; }
    const CKurve& getKurve() const override { return m_kvKurve; }
    // Empties the kv curve and its setting data.
    virtual void removeData();

    CEinstellungKurve& getKvKurve() { return m_kvKurve; }
    const CEinstellungKurve& getKvKurve() const { return m_kvKurve; }
    // Replaces the kv curve.
    void addKvKurve(const CEinstellungKurve& curve);
    double getXp() const { return m_kvKurve.getXp(); }
    void setXp(double xp) { m_kvKurve.setXp(xp); }
    // The unit of the setting values: that of the curve's x axis.
    const std::string& getEinheitEinst() const { return m_kvKurve.getEinheitx(); }

    bool isEqual(const nrvArmatur& other) const override;
    bool assignFrom(const nrvArmatur& other) override { return assignAs(*this, other); }

private:
    CEinstellungKurve m_kvKurve;
};

// Thermostatic valve body with flow limitation (type 212). Per setting:
// value 1 the kv, value 2 the maximum differential pressure, value 3 the
// active differential pressure, value 4 the maximum flow; ordered from the
// most open setting.
class KAVEX_API nrvArmaturTHKVDFR : public nrvArmatur {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturTHKVDFR)

public:
    // Xp of a valve for which the catalogue gives none.
    static constexpr double XpNichtAngegeben = -1.0;

    nrvArmaturTHKVDFR();
    nrvArmaturTHKVDFR(const nrvArmaturTHKVDFR& other);
    nrvArmaturTHKVDFR& operator=(const nrvArmaturTHKVDFR& other);
    ~nrvArmaturTHKVDFR() override;

    using nrvArmatur::read;
    using nrvArmatur::write;
    // Common leaves, leaf "Y" (Xp) and the four-value curve in child "CK".
    bool read(CNode* node) override;
    bool write(CNode* node) const override;

    // Searched by flow: no kv range (-1.0).
    double getKvmin() const override { return -1.0; }
    double getKvmax() const override { return -1.0; }
    // Empties the four-value curve and resets Xp to "not given".
    virtual void removeData();

    CKurve14& getKurve14() { return m_kurve14; }
    const CKurve14& getKurve14() const { return m_kurve14; }
    // Replaces the four-value curve.
    void addKurve14(const CKurve14& curve);
    double getXp() const { return m_xp; }
    void setXp(double xp) { m_xp = xp; }
    // The unit of the setting values: that of the curve's x axis.
    const std::string& getEinheitEinst() const { return m_kurve14.getEinheitx(); }

    // Values of setting point i; 0 for an index outside the points.
    double getDpMaxAt(int i) const;
    double getWirkdruck(int i) const;
    double getVmaxAt(int i) const;
    // Flow limit of the first (most open) / last setting; 0 without points.
    double getFlowRateMax() const;
    double getFlowRateMin() const;

    bool isEqual(const nrvArmatur& other) const override;
    bool assignFrom(const nrvArmatur& other) override { return assignAs(*this, other); }

private:
    double valueAt(int i, float nrvBaseArmaturen::curveNode14::*value) const;

    CKurve14 m_kurve14;
    double m_xp = XpNichtAngegeben;
};

// One-pipe radiator connection (type 203). Per setting: value 1 the bypass kv
// (kvB), value 2 the radiator-path kv (kvH), value 3 the kvs, value 4 the
// maximum differential pressure (noise limit). With a thermostatic part the
// catalogue gives the proportional band Xp.
class KAVEX_API nrvArmaturEAV : public nrvArmatur {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturEAV)

public:
    // Xp of a connection without thermostatic part.
    static constexpr double XpNichtAngegeben = -1.0;

    nrvArmaturEAV();
    nrvArmaturEAV(const nrvArmaturEAV& other);
    nrvArmaturEAV& operator=(const nrvArmaturEAV& other);
    ~nrvArmaturEAV() override;

    using nrvArmatur::read;
    using nrvArmatur::write;
    // Common leaves, leaf "Y" (Xp) and the four-value curve in the node itself.
    bool read(CNode* node) override;
    bool write(CNode* node) const override;

    // Smaller / larger radiator-path kv of the first and last setting; -1.0
    // without settings.
    double getKvmin() const override;
    double getKvmax() const override;
    // Empties the four-value curve and resets Xp to "not given".
    virtual void removeData();

    CKurve14& getKurve14() { return m_kurve14; }
    const CKurve14& getKurve14() const { return m_kurve14; }
    // Replaces the four-value curve.
    void addKurve14(const CKurve14& curve);
    double getXp() const { return m_xp; }
    void setXp(double xp) { m_xp = xp; }
    // The connection has a thermostatic part (Xp given).
    bool hasTHKV() const { return m_xp >= 0.0; }
    // The unit of the setting values: that of the curve's x axis.
    const std::string& getEinheitEinst() const { return m_kurve14.getEinheitx(); }

    bool isEqual(const nrvArmatur& other) const override;
    bool assignFrom(const nrvArmatur& other) override { return assignAs(*this, other); }

private:
    CKurve14 m_kurve14;
    double m_xp = XpNichtAngegeben;
};

}  // namespace nrvVDIArmaturen
