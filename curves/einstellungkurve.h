#pragma once
// The kv curve of one setting of a thermostatic valve: kv over temperature
// (x the temperature, y the kv value), together with the setting's
// proportional band, its controller reference temperature, the kv the valve
// opens to during thermal disinfection, and the setting itself. From it the
// drinking-water services build the complete kv-over-temperature function.

#include <cstdint>
#include <string>
#include <string_view>

#include "kavex/curves/kurve.h"
#include "kavex/platform/export.h"

class CLinearInterpolation;

namespace nrvBaseArmaturen {

class KAVEX_API CEinstellungKurve : public CKurve {
    KAVEX_DECLARE_DYNCREATE(CEinstellungKurve)

public:
    // An Xp of exactly this value (the smallest normal float) marks a curve
    // without setting data: no setting leaf is written for it.
    static constexpr double XpOhneEinstellung = 1.1754943508222875e-38;
    // Temperature in °C up to which the disinfection branch continues the
    // function at the disinfection kv.
    static constexpr double DesinfektionEndTemperatur = 75.0;

    CEinstellungKurve() = default;
    CEinstellungKurve(const CEinstellungKurve& other) = default;
    CEinstellungKurve& operator=(const CEinstellungKurve& other) = default;
    ~CEinstellungKurve() override;

    using CKurve::read;
    using CKurve::write;

    // Empties the curve and its units and sets Xp to 0; the other setting data stay.
    void removeData() override;
    // With `inChild` the curve lives in the first child "CK" (false when there
    // is none). A keySetting leaf fills Xp, disinfection kv, reference
    // temperature, numeric setting and label in that order; then the curve
    // part is read. True for any present node, whatever the curve part reports.
    virtual bool read(CNode* node, bool inChild, std::string_view keyX, std::string_view keyEinst,
                      std::string_view keyY, std::string_view keyX2, std::string_view keySetting);
    // With `inChild` the curve goes into a new child "CK". The keySetting leaf
    // is left out for a curve marked with XpOhneEinstellung.
    virtual bool write(CNode* node, bool inChild, std::string_view keyX, std::string_view keyEinst,
                       std::string_view keyY, std::string_view keyX2,
                       std::string_view keySetting) const;

    // The complete kv-over-temperature function in `table`: a whole-degree grid
    // from 0 °C up to the first point (when it lies above 1 °C), the points
    // themselves, and unless `withoutDisinfection` the disinfection branch.
    // False when the curve has no point, or the finished function gives no kv.
    bool getFunktion(CLinearInterpolation& table, bool withoutDisinfection) const;
    // Continues `table` to 75 °C: with a disinfection kv the valve opens to it
    // above the normal range (from 65 °C or the table's end); otherwise the
    // last kv is carried forward. An empty table stays empty.
    void appendFunktionThDesinf(CLinearInterpolation& table) const;
    // The temperature at which the valve reaches `kv` below its reference
    // temperature, read from the falling part of the function; -1.0 when none.
    double findTemperaturByKvWert(double kv) const;

    double getXp() const { return m_xp; }
    void setXp(double xp) { m_xp = xp; }
    double getKvDesinfektion() const { return m_kvDesinfektion; }
    void setKvDesinfektion(double kv) { m_kvDesinfektion = kv; }
    double getReferenzTemperatur() const { return m_referenzTemperatur; }
    void setReferenzTemperatur(double t) { m_referenzTemperatur = t; }
    double getEinstellungWert() const { return m_einstellungWert; }
    void setEinstellungWert(double value) { m_einstellungWert = value; }
    const std::string& getEinstellungText() const { return m_einstellungText; }
    void setEinstellungText(std::string text) { m_einstellungText = std::move(text); }
    // An integer of the catalogue record, set by the import; not stored.
    std::int32_t getKatalogKennung() const { return m_katalogKennung; }
    void setKatalogKennung(std::int32_t tag) { m_katalogKennung = tag; }

private:
    double m_xp = 0.0;
    double m_kvDesinfektion = 0.0;
    double m_referenzTemperatur = 0.0;
    double m_einstellungWert = 0.0;
    std::string m_einstellungText;
    std::int32_t m_katalogKennung = 1;
};

}  // namespace nrvBaseArmaturen
