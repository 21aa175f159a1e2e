#pragma once
// One characteristic curve of a circulating pump: head (pump pressure gain)
// over flow, with the speed it was measured at and the number that names its
// role for controlled pumps (maximum / minimum curve of constant- or
// proportional-pressure control, see nrvPumpe::getRegelKennlinie).
//
// Units inside the model are flow in m³/s and head in Pa. Pump files keep
// flow in l/h and head in mbar, as ';'-terminated lists ("0;1500;3000;"); the
// conversion happens only in readFromString / writeToString.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/export.h"
#include "kavex/platform/interpolation.h"

class nrvPumpe;

class KAVEX_API nrvPumpenKennlinie {
public:
    // l/h → m³/s as the pump files have always been read (not exactly 1/3 600 000).
    static constexpr double LiterProStundeZuKubikmeterProSekunde = 2.7777777777e-7;
    static constexpr double MbarZuPascal = 100.0;

    explicit nrvPumpenKennlinie(nrvPumpe* parent = nullptr) : m_parent(parent) {}
    nrvPumpenKennlinie(const nrvPumpenKennlinie&) = delete;
    nrvPumpenKennlinie& operator=(const nrvPumpenKennlinie&) = delete;

    nrvPumpe* getParent() const { return m_parent; }
    void setParent(nrvPumpe* parent) { m_parent = parent; }

    // The points: x flow (m³/s), y head (Pa), in file order.
    const CLinearInterpolation& getKennlinie() const { return m_kennlinie; }
    CLinearInterpolation& getKennlinie() { return m_kennlinie; }
    int getAnzWertePaare() const { return static_cast<int>(m_kennlinie.getSize()); }
    // Copies the curve into `out`; true when it has points.
    bool getFunktion(CLinearInterpolation& out) const;

    // Flow of the first / last point, head of the first point (the head at the
    // smallest flow); 0.0 for a curve without points.
    double getMinVolumenstrom() const;
    double getMaxVolumenstrom() const;
    double getMinForderHoehe() const;
    // The largest head of all points, never below 0.0 (0.0 without points).
    double getMaxForderHoehe() const;
    // The same; `index` gets the first point of that head, and is left as it
    // was when no head exceeds 0.0.
    double getMaxForderHoeheUndIndex(int& index) const;

    // Speed in 1/min; below 1 means "not given".
    int getDrehzahl() const { return m_drehzahl; }
    void setDrehzahl(int drehzahl) { m_drehzahl = drehzahl; }
    int getKennlinienNr() const { return m_nummer; }
    void setKennlinienNr(int nummer) { m_nummer = nummer; }

    // The four auxiliary values of "PKT" and the factor texts of "FAK". They
    // are kept as read; nothing calculates with them and the writer leaves
    // them out.
    const std::array<double, 4>& getHilfswerte() const { return m_hilfswerte; }
    const std::vector<std::string>& getFaktoren() const { return m_faktoren; }
    // "PKT" and "FAK" of a curve node; a missing one of the two counts as
    // empty text, so that both must be missing to keep the initial values.
    void readHilfswerte(std::string_view pkt, std::string_view fak);

    // Replaces the points by the lists of a pump file (l/h and mbar). A pair
    // is taken unless both its values are ≤ 0; the first such pair (the empty
    // field behind the last ';') ends the list. True when a point was taken.
    bool readFromString(std::string_view vol, std::string_view dpp);
    // The points as the two lists of a pump file, each value "%g;".
    void writeToString(std::string& vol, std::string& dpp) const;
    // Pair `index` (counted from 0) of the two lists in file units; true when
    // it is taken (not both ≤ 0). Unreadable or missing fields are 0.
    static bool getWertePaarEx(int index, std::string_view vol, std::string_view dpp,
                               double& volumenstrom, double& druck);

    // Plausible for a calculation: flows rising strictly, no negative head
    // (nor negative first/last flow), no point (0, 0) before the last one.
    // A curve without points or with a single point passes.
    bool bIsKennlinieOk() const;
    // The label of the curve in charts and lists: the control role
    // ("max.Prop.", ...) for manufacturers with a curve field, else the speed
    // ("2800 1/min") or the number ("Nr. 2").
    std::string getKennlinieName() const;

    // Curve number, speed and points of `other` (not the auxiliary values).
    void assignKennlinie(const nrvPumpenKennlinie& other);

private:
    nrvPumpe* m_parent = nullptr;  // not owning
    CLinearInterpolation m_kennlinie;
    int m_drehzahl = -1;
    int m_nummer = -1;
    std::array<double, 4> m_hilfswerte{-1.0, -1.0, -1.0, -1.0};
    std::vector<std::string> m_faktoren;
};
