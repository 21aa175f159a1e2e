#pragma once
// One orderable valve execution of one nominal size from a VDI 3805
// catalogue: article numbers, limits, kvs or zeta, connections, execution
// details and accessories. Every catalogue valve class derives from it; the
// fixed resistances (types 211 and 1701) use it as it is.
//
// What every class derived from nrvArmatur provides
// --------------------------------------------------
// A model copies its valves without knowing their classes, and reads them back
// by class name. So each derived class `nrvArmaturXyz` must have:
//  - KAVEX_DECLARE_DYNCREATE(nrvArmaturXyz) / KAVEX_IMPLEMENT_DYNCREATE(
//    nrvArmaturXyz, <direct base>): the run-time class name is the C++ name,
//    and the node name it writes is that name without "nrvArmatur" ("Xyz").
//  - a copy constructor and assignment that copy the nrvArmatur part (through
//    nrvArmatur's assignment) and all of the class's own curves and fields,
//    leaving the parent of the valve alone; curves that ask their owner for
//    values (setting curves) must have this valve as parent afterwards.
//  - an override of assignFrom, always exactly this one line:
//        bool assignFrom(const nrvArmatur& other) override {
//            return assignAs(*this, other);
//        }
//    assignAs copies only when both objects are exactly of the class named by
//    the template argument; a class that forgets the override therefore gets
//    "false" from its base's version instead of a silently sliced copy, and a
//    copied model leaves such a valve out.
//  - an override of isEqual that compares every field it persists (curves
//    with isEqualCurve / isEqualCurve14 / isEqualSettingCurve below, exact
//    float comparison) and then returns nrvArmatur::isEqual(other) (or its
//    direct base's), which also checks that both are of the same class.
//    Compare `other` after dynamic_cast to the own class; null means unequal.

#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "kavex/curves/einstellungkurve.h"
#include "kavex/curves/kurve.h"
#include "kavex/curves/kurve14.h"
#include "kavex/platform/export.h"

class CLeaf;
class CNode;

namespace nrvVDIArmaturen {

using nrvBaseArmaturen::CEinstellungKurve;
using nrvBaseArmaturen::CKurve;
using nrvBaseArmaturen::CKurve14;
using nrvBaseArmaturen::nrvArmaturObject;

// Exact equality of everything a curve persists: the nodes (x, label, y, x2;
// for four-value curves x, label and the four values), the units, and for a
// setting curve its setting data (Xp, disinfection kv, reference temperature,
// numeric setting and label). Parents and unstored tags are not compared.
KAVEX_API bool isEqualCurve(const CKurve& a, const CKurve& b);
KAVEX_API bool isEqualCurve14(const CKurve14& a, const CKurve14& b);
KAVEX_API bool isEqualSettingCurve(const CEinstellungKurve& a, const CEinstellungKurve& b);

// One connection of a valve, built by the import from the connection record.
struct KAVEX_API nrvArmAnschluss {
    std::string key;
    int side = 0;  // 0 inlet ("E"), 1 outlet ("A"), -1 not given ("U")
    std::string designation;

    bool operator==(const nrvArmAnschluss& other) const = default;
};

// An accessory of a valve (from the catalogue's article records).
class KAVEX_API nrvArmaturZubehoer : public nrvArmaturObject {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturZubehoer)

public:
    nrvArmaturZubehoer() = default;
    nrvArmaturZubehoer(const nrvArmaturZubehoer& other) = default;
    nrvArmaturZubehoer& operator=(const nrvArmaturZubehoer& other) = default;
    ~nrvArmaturZubehoer() override;

    using nrvArmaturObject::read;
    using nrvArmaturObject::write;
    // The leaf must be named "Zubehoer"; values in the order `write` stores them.
    virtual bool read(CLeaf* leaf);
    // Names an unnamed leaf "Zubehoer".
    virtual bool write(CLeaf* leaf) const;
    virtual void clear();

    bool operator==(const nrvArmaturZubehoer& other) const;

    int artikelNr = 0;  // index of the accessory article record
    int typNr = 0;      // type number of the record that refers to the accessory
    int index = 0;      // index of that record
    std::string text1;  // kept and stored; the import leaves it empty
    std::string name;   // article name
    std::string artikelNrText;
    float anzahl = 0.0f;  // quantity
    int wert1 = 0;        // kept and stored; the import leaves it 0
    int optional = 0;     // selectable rather than fixed
    int nichtF = 0;       // the referring record's kind field is not "f"
};

class KAVEX_API nrvArmatur : public nrvArmaturObject {
    KAVEX_DECLARE_DYNCREATE(nrvArmatur)

public:
    // "not given" for the maximum temperature
    static constexpr double NoTemperature = -273.15;

    nrvArmatur();
    nrvArmatur(const nrvArmatur& other);
    // destroyAll, then copies everything but the parent and the own curve.
    nrvArmatur& operator=(const nrvArmatur& other);
    ~nrvArmatur() override;

    using nrvArmaturObject::read;
    using nrvArmaturObject::write;
    bool read(CNode* node) override;
    bool write(CNode* node) const override;
    // -1.0: no kv range (searched by flow).
    virtual double getKvmin() const;
    virtual double getKvmax() const;
    // The class's own curve (not persisted by this class).
    virtual CKurve& getKurve();
    virtual const CKurve& getKurve() const;

    // --- fields of leaf "X", in stored order ------------------------------
    const std::string& getArtikelNr() const { return m_artikelNr; }
    void setArtikelNr(std::string v) { m_artikelNr = std::move(v); }
    int getGruppe() const { return m_gruppe; }
    void setGruppe(int v) { m_gruppe = v; }
    int getTyp() const { return m_typ; }
    void setTyp(int v) { m_typ = v; }
    int getAusfIndex() const { return m_ausfIndex; }
    void setAusfIndex(int v) { m_ausfIndex = v; }
    int getDimension() const { return m_dimension; }
    void setDimension(int v) { m_dimension = v; }
    double getMaxTemperatur() const { return m_maxTemperatur; }
    void setMaxTemperatur(double v) { m_maxTemperatur = v; }
    double getMaxBetriebsdruck() const { return m_maxBetriebsdruck; }
    void setMaxBetriebsdruck(double v) { m_maxBetriebsdruck = v; }
    double getMaxDiffdruck() const { return m_maxDiffdruck; }
    void setMaxDiffdruck(double v) { m_maxDiffdruck = v; }
    double getKvs() const { return m_kvs; }
    void setKvs(double v) { m_kvs = v; }
    const std::string& getDATANORMNr() const { return m_datanormNr; }
    void setDATANORMNr(std::string v) { m_datanormNr = std::move(v); }
    const std::string& getStLBNr() const { return m_stlbNr; }
    void setStLBNr(std::string v) { m_stlbNr = std::move(v); }
    const std::string& getEANNr() const { return m_eanNr; }
    void setEANNr(std::string v) { m_eanNr = std::move(v); }
    const std::string& getDimSystem() const { return m_dimSystem; }
    void setDimSystem(std::string v) { m_dimSystem = std::move(v); }
    double getZeta() const { return m_zeta; }
    void setZeta(double v) { m_zeta = v; }
    double getSchliessdruck_hPa() const { return m_schliessdruck_hPa; }
    void setSchliessdruck_hPa(double v) { m_schliessdruck_hPa = v; }
    const std::string& getTGANummer() const { return m_tgaNummer; }
    void setTGANummer(std::string v) { m_tgaNummer = std::move(v); }
    int getEinbaulage() const { return m_einbaulage; }
    void setEinbaulage(int v) { m_einbaulage = v; }
    bool useKvs() const { return m_useKvs != 0; }
    void setUseKvs(bool v) { m_useKvs = v ? 1 : 0; }

    int getVersion() const { return m_version; }
    void setVersion(int v) { m_version = v; }

    // --- texts of the owning catalogue model (empty for other parents) -------
    std::string getManufacturer() const;
    std::string getModelType() const;
    std::string getNrvCatID() const;
    std::string getVDIFilename() const;

    // --- execution details ("detail;detail;...") -------------------------
    void addAusfDetail(std::string_view text);
    void clearAusfuehrung() { m_ausfuehrung.clear(); }
    // Field 1, then every further non-empty field that differs from field 1,
    // joined by `separator`; stops at the first empty field.
    std::string getAusfuehrung(std::string_view separator) const;
    const std::string& getAusfDetails() const { return m_ausfuehrung; }
    void setAusfDetails(std::string v) { m_ausfuehrung = std::move(v); }

    // --- connections ------------------------------------------------------
    const std::vector<nrvArmAnschluss>& getAnschluss() const { return m_anschluss; }
    void addAnschluss(const nrvArmAnschluss& c) { m_anschluss.push_back(c); }
    void setAnschlussKeys(std::vector<nrvArmAnschluss> list) { m_anschluss = std::move(list); }
    // Throws std::invalid_argument for an index outside the array.
    const std::string& getAnschlussKeyAt(int i) const;
    int getSizeAnschlussKeys() const { return static_cast<int>(m_anschluss.size()); }
    int getUpperBoundAnschlussKeys() const { return getSizeAnschlussKeys() - 1; }

    // --- accessories ------------------------------------------------------
    const std::vector<nrvArmaturZubehoer>& getZubehoer() const { return m_zubehoer; }
    nrvArmaturZubehoer& addZubehoer();  // a cleared entry
    int addZubehoer(const nrvArmaturZubehoer& entry);
    void appendZubehoer(const nrvArmatur* other);
    void removeZubehoer() { m_zubehoer.clear(); }

    bool hasFilledCurveData() const { return !getKurve().bIsEmpty(); }
    // "Fehler in den VDI-Daten der Armatur ..." / "Hinweis zu den VDI-Daten ..."
    std::string getFehlerText() const;
    std::string getHinweisText() const;

    // Field by field and curve by curve equality of everything a valve
    // persists (the parent is not compared). Derived classes compare their own
    // part and call the base; valves of different classes are never equal.
    virtual bool isEqual(const nrvArmatur& other) const;

    // Resets article and TGA number, nominal size, group, type, execution
    // index, the four limits, compute-with-kvs and the accessories.
    virtual void destroyAll();

    // Copies `other` into this valve with the assignment of this valve's
    // class; false (nothing copied) unless both are exactly of that class.
    // Every derived class overrides it (see the top of this file).
    virtual bool assignFrom(const nrvArmatur& other);
    // A new valve of the same class holding a copy of this one (parent null);
    // null when the class does not serve assignFrom.
    std::unique_ptr<nrvArmatur> clone() const;

protected:
    // The body of every assignFrom override: copies with T's assignment when
    // `self` and `other` are both exactly of class T.
    template <class T>
    static bool assignAs(T& self, const nrvArmatur& other) {
        if (typeid(self) != typeid(T) || typeid(other) != typeid(T)) return false;
        if (&other != &self) self = static_cast<const T&>(other);
        return true;
    }

    // The own curve, for classes that keep their main curve in it.
    CKurve& ownKurve() { return m_kurve; }
    const CKurve& ownKurve() const { return m_kurve; }

private:
    void readAnschluesse(const CLeaf& leaf);

    int m_version = 0;
    std::string m_artikelNr;
    int m_gruppe = 0;
    int m_typ = 0;
    int m_ausfIndex = 0;
    int m_dimension = 0;
    double m_maxTemperatur = NoTemperature;
    double m_maxBetriebsdruck = 0.0;
    double m_maxDiffdruck = 0.0;
    double m_kvs = 0.0;
    std::string m_datanormNr;
    std::string m_stlbNr;
    std::string m_eanNr;
    std::string m_dimSystem = "DN";
    double m_zeta = 0.0;
    double m_schliessdruck_hPa = 0.0;
    std::string m_tgaNummer;
    int m_einbaulage = 1;  // any position
    int m_useKvs = 0;
    std::string m_ausfuehrung;
    std::vector<nrvArmAnschluss> m_anschluss;
    std::vector<nrvArmaturZubehoer> m_zubehoer;
    CKurve m_kurve;
};

}  // namespace nrvVDIArmaturen
