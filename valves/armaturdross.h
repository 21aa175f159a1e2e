#pragma once
// Throttling valves: the manual throttle (presettable return-pipe fittings,
// manual balancing valves, manual throttles of drinking-water installations)
// with its kv-over-setting curve, and the thermostatic (automatic) throttle of
// drinking-water circulation systems, which holds one kv-over-temperature
// curve per controller temperature.

#include <vector>

#include "kavex/curves/einstellungkurve.h"
#include "kavex/curves/kurve.h"
#include "kavex/platform/export.h"
#include "kavex/valves/armatur.h"

class CLinearInterpolation;

namespace nrvVDIArmaturen {

// Manual throttle (types 202, 204, 1702). Its kv curve runs over the setting:
// x the numeric setting, label the setting as printed, y the kv value.
class KAVEX_API nrvArmaturDross : public nrvArmatur {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturDross)

public:
    nrvArmaturDross();
    nrvArmaturDross(const nrvArmaturDross& other);
    nrvArmaturDross& operator=(const nrvArmaturDross& other);
    ~nrvArmaturDross() override;

    using nrvArmatur::read;
    using nrvArmatur::write;
    // Common leaves, leaf "Y" (disinfection kv, dp min, dp max, setting unit)
    // and the kv curve. False for a null node or a node without "Y".
    bool read(CNode* node) override;
    bool write(CNode* node) const override;

    // Smaller / larger kv of the curve's two end points (the curve is taken to
    // be monotonic); -1.0 without curve.
    double getKvmin() const override;
    double getKvmax() const override;
    CKurve& getKurve() override { return m_kvKurve; }
    const CKurve& getKurve() const override { return m_kvKurve; }
    // Replaces the kv curve.
    virtual void addKurve(const CKurve& curve);
    // Empties the kv curve, the setting unit and the three numbers.
    virtual void removeData();
    // getKvmin() <= kv <= getKvmax(), through the virtual range of the class.
    virtual bool IsInKvRange(double kv) const;

    // The disinfection kv caps the low-temperature part of the setting
    // curves' kv functions.
    double getKvThermDesinfektion() const override { return m_kvDesinfektion; }

    const std::string& getEinheitEinst() const { return m_einheitEinst; }
    void setEinheitEinst(std::string unit) { m_einheitEinst = std::move(unit); }
    float getKvDesinfektion() const { return m_kvDesinfektion; }
    void setKvDesinfektion(float kv) { m_kvDesinfektion = kv; }
    float getDpmin() const { return m_dpmin; }
    void setDpmin(float dp) { m_dpmin = dp; }
    float getDpmax() const { return m_dpmax; }
    void setDpmax(float dp) { m_dpmax = dp; }

    bool isEqual(const nrvArmatur& other) const override;
    bool assignFrom(const nrvArmatur& other) override { return assignAs(*this, other); }

protected:
    // Node name, common leaves and leaf "Y": what every throttle writes.
    bool writeDrossPart(CNode* node) const;
    // Common leaves and leaf "Y"; false without "Y".
    bool readDrossPart(CNode* node);
    // Leaf "Y" fields and the common part; the kv curve is left to the caller.
    bool isEqualDrossPart(const nrvArmaturDross& other) const;

private:
    CKurve m_kvKurve;
    std::string m_einheitEinst;
    float m_kvDesinfektion = 0.0f;
    float m_dpmin = 0.0f;
    float m_dpmax = 0.0f;
};

// Thermostatic throttle (type 1703). Each setting curve holds the kv over the
// water temperature for one controller (reference) temperature; the curves
// are kept from the highest reference temperature (index 0) to the lowest,
// the order in which the import adds them. The inherited kv curve is not
// stored for this class.
class KAVEX_API nrvArmaturThermoDross : public nrvArmaturDross {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturThermoDross)

public:
    nrvArmaturThermoDross();
    nrvArmaturThermoDross(const nrvArmaturThermoDross& other);
    nrvArmaturThermoDross& operator=(const nrvArmaturThermoDross& other);
    ~nrvArmaturThermoDross() override;

    using nrvArmatur::read;
    using nrvArmatur::write;
    // Common leaves, leaf "Y" and one child "CK" per setting curve, in order.
    bool read(CNode* node) override;
    bool write(CNode* node) const override;

    // kv of the first (hottest) setting curve's function at its reference
    // temperature; -1.0 without curve or function.
    double getKvmin() const override;
    // getKvMaxByTemperatur(0.0).
    double getKvmax() const override;
    // Strictly between getKvmin() and getKvmax().
    bool IsInKvRange(double kv) const override;
    // Also removes the setting curves.
    void removeData() override;

    using nrvArmaturDross::addKurve;
    // Appends a copy of `curve` as the next (cooler) setting curve.
    virtual void addKurve(const CEinstellungKurve& curve);

    // The kv-over-temperature function at controller temperature T. Between
    // two setting curves, with `interpolate` the two neighbouring functions
    // are blended by temperature; without it the function of the hotter
    // neighbour is taken. False when T lies outside the controller range or
    // no function can be given.
    virtual bool getFunktion(CLinearInterpolation& table, float T, bool interpolate) const;
    // The same points as the table form, as three arrays of equal length:
    // water temperature, kv, and the controller temperature T the point
    // belongs to (so that the arrays of several controller temperatures can
    // be joined into one chart series set). The arrays are emptied first.
    virtual bool getFunktion(float T, std::vector<float>& temperaturen, std::vector<float>& kvWerte,
                             std::vector<float>& reglerTemperaturen, bool interpolate) const;

    // The set temperature that gives `kv` at water temperature T; index1 and
    // index2 name the setting curves used (-1 when none was needed).
    bool findEinstelltemperatur(double kv, double T, double& setTemp, int& index1, int& index2,
                                bool strict = false) const;

    int getCount() const { return static_cast<int>(m_kurven.size()); }
    // Throws std::invalid_argument for an index outside the curves.
    CEinstellungKurve& getKurveAt(int i);
    const CEinstellungKurve& getKurveAt(int i) const;
    // Reference temperature of the first / last curve; -1.0 without curves.
    double getReglerTempMax() const;
    double getReglerTempMin() const;
    // Some setting curve opens to a disinfection kv.
    bool hasDesinfektion() const;
    // The first curve's full function at t; -1.0 without curve or value.
    double getKvMaxByTemperatur(double t) const;

    bool isEqual(const nrvArmatur& other) const override;
    bool assignFrom(const nrvArmatur& other) override { return assignAs(*this, other); }

private:
    bool interpolateFunktion(CLinearInterpolation& table, float T) const;
    void adoptCurves();

    std::vector<CEinstellungKurve> m_kurven;
};

}  // namespace nrvVDIArmaturen
