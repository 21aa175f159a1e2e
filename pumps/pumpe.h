#pragma once
// A circulating pump of the pump catalogue: its technical data, its control
// type and its characteristic curves, and the calculations the network
// calculation and the pump dialogs ask of it: which stored curve plays which
// control role, the control curve at a set pressure, the set pressure of a
// proportional-pressure control through an operating point, whether an
// operating point lies inside the control range, and the plausibility checks.
//
// Units: flow m³/s, head and set pressures Pa; the admissible set-pressure
// range ("DPZUL") is kept in mbar as the pump file gives it and multiplied by
// 100 before every comparison. docs/pumps.md describes the curve roles and
// the construction of control curves.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "kavex/platform/export.h"
#include "kavex/platform/interpolation.h"
#include "kavex/pumps/pumpenkennlinie.h"

class nrvPumpenSerie;

// Application areas of a pump series, a bit mask whose bit values are the
// host's; 0 means that the series serves every area.
using enEinsatzBereich = std::uint32_t;

// Control type of a pump ("REG" of the pump file).
enum enRegeltyp : std::int32_t {
    enRegeltypUnbekannt = -1,
    enRegeltypKennlinie = 0,       // "KENNLINIE": static curves (fixed speeds)
    enRegeltypKonstDruck = 1,      // "KONSTDRUCK": constant pressure
    enRegeltypPropDruck = 2,       // "PROPDRUCK": proportional pressure
    enRegeltypKonstPropDruck = 3,  // "KONSTPROPDRUCK": constant or proportional
};

// A point of the network: the network curve through it is the static part
// plus a part rising with the square of the flow. `name` titles the network
// curve in charts.
struct KAVEX_API Netzpunkt {
    std::string name;
    double statischerDruck = 0.0;  // Pa
    double volumenstrom = 0.0;     // m³/s
    double druck = 0.0;            // Pa needed at that flow
};

class KAVEX_API nrvPumpe {
public:
    using KennlinienListe = std::vector<std::unique_ptr<nrvPumpenKennlinie>>;
    // "not given" of the temperatures.
    static constexpr double KeineTemperatur = -273.15;

    explicit nrvPumpe(nrvPumpenSerie* parent = nullptr) : m_parent(parent) {}
    nrvPumpe(const nrvPumpe&) = delete;
    nrvPumpe& operator=(const nrvPumpe&) = delete;

    nrvPumpenSerie* getParent() const { return m_parent; }
    void setParent(nrvPumpenSerie* parent) { m_parent = parent; }

    // --- data of the pump file ------------------------------------------
    const std::string& getName() const { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }
    const std::string& getArticleNumber() const { return m_artikel; }
    void setArticleNumber(std::string artikel) { m_artikel = std::move(artikel); }
    const std::string& getBildDatei() const { return m_bild; }  // "BMP"
    void setBildDatei(std::string bild) { m_bild = std::move(bild); }
    const std::string& getDatenblatt() const { return m_datenblatt; }  // "PDF"
    void setDatenblatt(std::string pdf) { m_datenblatt = std::move(pdf); }
    int getDN() const { return m_dn; }
    void setDN(int dn) { m_dn = dn; }
    const std::string& getAnschluss() const { return m_anschluss; }  // "DNBEZ"
    void setAnschluss(std::string anschluss) { m_anschluss = std::move(anschluss); }
    // Admissible set pressure in mbar ("DPZUL"); -1.0 when not given.
    double getDruckZulMin() const { return m_dpZulMin; }
    double getDruckZulMax() const { return m_dpZulMax; }
    void setDruckZul(double minMbar, double maxMbar) {
        m_dpZulMin = minMbar;
        m_dpZulMax = maxMbar;
    }
    double getPN() const { return m_pn; }
    void setPN(double pn) { m_pn = pn; }
    const std::string& getSpannung() const { return m_spannung; }
    void setSpannung(std::string spannung) { m_spannung = std::move(spannung); }
    // Medium temperatures in °C ("TZUL"); KeineTemperatur when not given.
    double getTempMin() const { return m_tMin; }
    double getTempMax() const { return m_tMax; }
    double getTempKurzzeitig() const { return m_tKurz; }
    void setTemperaturen(double tMin, double tMax, double tKurzzeitig) {
        m_tMin = tMin;
        m_tMax = tMax;
        m_tKurz = tKurzzeitig;
    }

    // --- series and manufacturer ------------------------------------------
    std::string getSerialName() const;        // empty without series
    std::string getManufacturerName() const;  // empty without series or manufacturer
    std::string getManufacturerID() const;
    enEinsatzBereich getEinsatzBereich() const;  // the series' mask, 0 without series
    // 1 when the manufacturer's curves form a curve field labelled by control
    // role: its name compares case-insensitively equal to or after "Wilo".
    int isHerstMitKennlinienFeld() const;

    // --- control type -----------------------------------------------------
    int getRegelungTyp() const { return m_regeltyp; }
    // Sets the type (the edit dialog's choice); the decentral flag stays only
    // on static curves.
    void setRegelungTyp(int typ) {
        m_regeltyp = typ;
        m_dezentral = m_dezentral && typ == enRegeltypKennlinie;
    }
    bool isDezentral() const { return m_dezentral; }
    // The "REG" keyword ("KENNLINIE", "KENNLINIE|DEZENTRAL", "KONSTDRUCK",
    // "PROPDRUCK", "KONSTPROPDRUCK"); empty for an unknown type.
    std::string getRegelungTypIntern() const;
    // Takes a keyword (any case); any other text gives type -1.
    void setRegelungTypIntern(std::string_view keyword);
    // The translated display name; empty for an unknown type.
    std::string getRegelungTypName() const;

    // --- curves -------------------------------------------------------------
    const KennlinienListe& getKennlinien() const { return m_kennlinien; }
    int getAnzKennlinien() const { return static_cast<int>(m_kennlinien.size()); }
    nrvPumpenKennlinie* addKennlinie();
    void removeAll() { m_kennlinien.clear(); }
    // Swaps curves i and n-1-i.
    void reverseArray();
    // Exchanges two curves; false for an index outside the list.
    bool swapKennlinien(int a, int b);

    // Every field and every curve (number, speed, points) of `other`; the
    // series stays.
    void assignPumpe(const nrvPumpe& other);

    // --- curve roles (pumpe_regelung.cpp) ---------------------------------
    // The stored curve of a control role; null when the type and the number
    // of curves give that role none.
    nrvPumpenKennlinie* getRegelKennlinie(bool proportional, bool maximum) const;
    // Curve `index` (from 0); null outside the list.
    nrvPumpenKennlinie* getStatischeKennlinie(int index) const;
    // Copies curve `index` into `out` (emptied first); true when it exists.
    bool getStatischeKennlinie(int index, CLinearInterpolation& out) const;
    // The curve whose first point has the largest / smallest head (the
    // earlier on equal heads). Max is null when no first head exceeds 0.0.
    nrvPumpenKennlinie* getStatischeKennlinieMax() const;
    nrvPumpenKennlinie* getStatischeKennlinieMin() const;

    // --- control curves -----------------------------------------------------
    // The control curve at set pressure `druck` (Pa) along the maximum curve
    // of the role `proportional`; with `propForm` ≠ 0 a proportional control
    // rises from half the set pressure at zero flow. False (and `out` empty)
    // when the set pressure lies outside "DPZUL" or there is no curve.
    bool getRegelkennlinie(const double& druck, const int& proportional, CLinearInterpolation& out,
                           int propForm) const;
    // With `beide` ≠ 0 also the control curve along the minimum curve,
    // capped from below; with 0 as the overload above (`outMin` stays empty).
    bool getRegelkennlinie(double druck, int proportional, CLinearInterpolation& outMax,
                           CLinearInterpolation& outMin, int beide, int propForm) const;
    // Reshapes points 0..index of a capped curve into the line from
    // (0, druck/2) to (x_index, druck); nothing for index -1.
    void createPropKennlinie(CLinearInterpolation& kurve, int index, double druck) const;
    // Caps `kurve` at the set pressure from above / below (the value and the
    // reference carry the same pressure) and returns the index of the last
    // changed point, else `start` (callers pass -1).
    int getSchnittpunktmitMaxKennlinie(CLinearInterpolation& kurve, double druck,
                                       const double& druckRef, int start) const;
    int getSchnittpunktmitMinKennlinie(CLinearInterpolation& kurve, double druck,
                                       const double& druckRef, int start) const;
    // The set pressure (Pa) of a proportional-pressure control whose line
    // passes through the operating point; the point's own pressure when none.
    double findSchnittPktBetriebsPktProp_Pa(const Netzpunkt& punkt) const;
    // Whether the operating point lies between the maximum and the minimum
    // curve of the role (within 1 Pa); always for a static pump.
    bool isBetriebsPktImIntervall(const Netzpunkt& punkt, int proportional) const;

    // --- checks (pumpe_pruefung.cpp) ----------------------------------------
    bool bCheckKennlinien() const;
    bool bCheckPumpe() const;
    bool bIsFirstKennlinieLarger(int a, int b) const;
    bool bKennlinienSequenceOK() const;

private:
    bool druckImZulBereich(double druck) const;
    bool propFormGilt(int proportional, int propForm) const;

    nrvPumpenSerie* m_parent = nullptr;  // not owning
    std::string m_name;
    std::string m_artikel;
    std::string m_bild;
    std::string m_datenblatt;
    int m_dn = -1;
    std::string m_anschluss;
    double m_dpZulMin = -1.0;
    double m_dpZulMax = -1.0;
    double m_pn = -1.0;
    std::string m_spannung;
    double m_tMin = KeineTemperatur;
    double m_tMax = KeineTemperatur;
    double m_tKurz = KeineTemperatur;
    int m_regeltyp = enRegeltypUnbekannt;
    bool m_dezentral = false;
    KennlinienListe m_kennlinien;
};
