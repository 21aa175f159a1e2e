#pragma once
// Control and check valves of the catalogue: the electronic throttle of
// drinking-water installations, the control valve with actuator (three-way
// mixers and the like) and the check valve of heating installations.

#include <string>
#include <string_view>
#include <vector>

#include "kavex/curves/kurve.h"
#include "kavex/platform/export.h"
#include "kavex/valves/armatur.h"

namespace nrvVDIArmaturen {

// Electronic throttle: a flow curve over its settings and the kv and
// control-temperature limits its electronics work within.
class KAVEX_API nrvArmaturElektroDross : public nrvArmatur {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturElektroDross)

public:
    nrvArmaturElektroDross();
    nrvArmaturElektroDross(const nrvArmaturElektroDross& other);
    nrvArmaturElektroDross& operator=(const nrvArmaturElektroDross& other);
    ~nrvArmaturElektroDross() override;

    using nrvArmatur::read;
    using nrvArmatur::write;
    bool read(CNode* node) override;
    bool write(CNode* node) const override;
    // The stored kv limits.
    double getKvmin() const override { return m_w.kvmin; }
    double getKvmax() const override { return m_w.kvmax; }
    CKurve& getKurve() override { return m_kurve; }
    const CKurve& getKurve() const override { return m_kurve; }
    virtual void removeData();

    bool assignFrom(const nrvArmatur& other) override { return assignAs(*this, other); }
    bool isEqual(const nrvArmatur& other) const override;

    // The electronics cannot hold a kv at its limits: kv min < kv < kv max.
    bool IsInKvRange(double kv) const;
    // min <= t <= max: a controller temperature the valve can be set to.
    bool IsInTemperaturRange(double t) const;

    void setKvmin(double v) { m_w.kvmin = v; }
    void setKvmax(double v) { m_w.kvmax = v; }
    double getMinRegelTemperatur() const { return m_w.tmin; }
    void setMinRegelTemperatur(double v) { m_w.tmin = v; }
    double getMaxRegelTemperatur() const { return m_w.tmax; }
    void setMaxRegelTemperatur(double v) { m_w.tmax = v; }
    void addKurve(const CKurve& curve);  // replaces the curve

private:
    struct Werte {
        double kvmin = 0.0;
        double kvmax = 0.0;
        double tmin = 0.0;  // °C
        double tmax = 0.0;
        bool operator==(const Werte&) const = default;
    };
    CKurve m_kurve;
    Werte m_w;
};

// Control valve with actuator: kv over its settings like a throttle; a valve
// the catalogue gives only a kvs for has no curve and works with its kvs.
class KAVEX_API nrvArmaturRegelventil : public nrvArmatur {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturRegelventil)

public:
    nrvArmaturRegelventil();
    nrvArmaturRegelventil(const nrvArmaturRegelventil& other);
    nrvArmaturRegelventil& operator=(const nrvArmaturRegelventil& other);
    ~nrvArmaturRegelventil() override;

    using nrvArmatur::read;
    using nrvArmatur::write;
    bool read(CNode* node) override;
    bool write(CNode* node) const override;
    // With points: the smaller / larger kv of the first and last point. Without
    // points: the kvs when it is above 1e-5 (both limits, so that the valve
    // counts as one of fixed kv), else -1.0.
    double getKvmin() const override;
    double getKvmax() const override;
    CKurve& getKurve() override { return m_kurve; }
    const CKurve& getKurve() const override { return m_kurve; }
    virtual void removeData();

    bool assignFrom(const nrvArmatur& other) override { return assignAs(*this, other); }
    bool isEqual(const nrvArmatur& other) const override;

    void addKurve(const CKurve& curve);  // replaces the curve
    float getDpmin() const { return m_w.dpmin; }
    void setDpmin(float v) { m_w.dpmin = v; }
    float getDpmax() const { return m_w.dpmax; }
    void setDpmax(float v) { m_w.dpmax = v; }
    const std::string& getEinheitEinst() const { return m_w.einheitEinst; }
    void setEinheitEinst(std::string v) { m_w.einheitEinst = std::move(v); }

private:
    struct Werte {
        float dpmin = 0.0f;
        float dpmax = 0.0f;
        std::string einheitEinst;
        bool operator==(const Werte&) const = default;
    };
    CKurve m_kurve;
    Werte m_w;
};

// One execution variant of a check valve, as the catalogue lists it.
struct KAVEX_API scAusfuehrung {
    double kvs = 0.0;             // m³/h; a variant without kvs is not offered
    int einbaulage = -1;          // installation code of the variant; -1 not given
    int schliessfeder = 0;        // 1: with closing spring
    double oeffnungsdruck = 0.0;  // opening pressure, mbar
    double dpMax = 0.0;           // maximum pressure loss in the passage, mbar
    double volumenstrom = 0.0;    // flow in the passage at that loss, l/h

    bool operator==(const scAusfuehrung&) const = default;
};

// Check valve: no curve, one group of values per execution variant.
class KAVEX_API nrvArmaturRSV : public nrvArmatur {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturRSV)

public:
    nrvArmaturRSV();
    nrvArmaturRSV(const nrvArmaturRSV& other);
    nrvArmaturRSV& operator=(const nrvArmaturRSV& other);
    ~nrvArmaturRSV() override;

    using nrvArmatur::read;
    using nrvArmatur::write;
    bool read(CNode* node) override;
    bool write(CNode* node) const override;
    virtual void removeData();

    bool assignFrom(const nrvArmatur& other) override { return assignAs(*this, other); }
    bool isEqual(const nrvArmatur& other) const override;

    const std::vector<scAusfuehrung>& getAusfuehrungen() const { return m_ausfuehrungen; }
    int getAusfuehrungCount() const { return static_cast<int>(m_ausfuehrungen.size()); }
    // Variant i; an index outside the list throws std::invalid_argument.
    const scAusfuehrung& getAusfuehrungAt(int i) const;
    // The first variant that can be built in at `position` (1 horizontal,
    // 2 vertical rising, 3 vertical falling) with or without closing spring:
    // it has a kvs, a given installation code and the asked-for spring, and
    // suits the valve's installation position (getEinbaulage): 1 or 4 any
    // position where the variant's code is not 0, 2 horizontal only (position
    // 1), 3 vertical only (position 2 or 3); others never. Null when none.
    const scAusfuehrung* getAusfuehrung(int position, bool schliessfeder) const;
    // The execution-detail text of every valve stays reachable.
    using nrvArmatur::getAusfuehrung;
    void addAusfuehrung(const scAusfuehrung& variant) { m_ausfuehrungen.push_back(variant); }

private:
    std::vector<scAusfuehrung> m_ausfuehrungen;
};

}  // namespace nrvVDIArmaturen
