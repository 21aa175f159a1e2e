#pragma once
// Drinking-water valves of the catalogue: outlet fittings (taps), safety
// devices (backflow preventers and pipe separators), pressure reducers, water
// meters and ring-main (Venturi) fittings. The import fills them from the
// drinking-water catalogue; the drinking-water services choose among them by
// flow, pressure and nominal size.
//
// Pressures of the flow curves are in mbar, flows in the unit the valve's
// "Y" leaf names (the import stores l/h), outlet pressures of pressure
// reducers in bar, meter flows in m³/h. The layout of every "Y" leaf is
// described in docs/valves-tw.md.

#include <string>

#include "kavex/curves/kurve.h"
#include "kavex/platform/export.h"
#include "kavex/valves/armatur.h"

namespace nrvVDIArmaturen {

// Outlet fitting (tap), with or without backflow preventer. Its curve "EK"
// gives the flow (y) that passes at a flow pressure (x, mbar), from the
// largest flow to the smallest.
class KAVEX_API nrvArmaturEA : public nrvArmatur {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturEA)

public:
    nrvArmaturEA();
    nrvArmaturEA(const nrvArmaturEA& other);
    nrvArmaturEA& operator=(const nrvArmaturEA& other);
    ~nrvArmaturEA() override;

    using nrvArmatur::read;
    using nrvArmatur::write;
    bool read(CNode* node) override;
    bool write(CNode* node) const override;
    CKurve& getKurve() override { return m_kurve; }
    const CKurve& getKurve() const override { return m_kurve; }
    // Empties the curve and resets flags, flows, pressures and unit.
    virtual void removeData();

    bool assignFrom(const nrvArmatur& other) override { return assignAs(*this, other); }
    bool isEqual(const nrvArmatur& other) const override;

    // Flow at a flow pressure. A single point stands for a straight curve
    // through the origin. 0 without points; outside the curve the
    // interpolation's "no value" narrowed to float (infinity).
    float getQ(float dp) const;
    // Flow pressure at a flow: the first point's pressure when the flow is
    // that point's; otherwise interpolated over all points (so a single point
    // answers only its own flow, infinity elsewhere). 0 without points.
    float getDp(float q) const;
    // kv (m³/h at 1 bar) at a flow in l/h: (q / 1000) · √(1000 / getDp(q));
    // 0 without points or when that pressure is not above 0.
    float getKv(float q) const;
    float getQmin() const;               // flow of the last point, 0 without points
    float getQmax() const;               // flow of the first point, 0 without points
    void addKurve(const CKurve& curve);  // replaces the curve

    // Catalogue values (docs/valves-tw.md, "EA").
    bool hasRFV() const { return m_w.mitRFV != 0; }
    void setRFV(bool v) { m_w.mitRFV = v ? 1 : 0; }
    bool isEigensicher() const { return m_w.eigensicher != 0; }
    void setEigensicher(bool v) { m_w.eigensicher = v ? 1 : 0; }
    bool isEinzelentnahme() const { return m_w.einzelentnahme != 0; }
    void setEinzelentnahme(bool v) { m_w.einzelentnahme = v ? 1 : 0; }
    double getDesignDurchflussKalt() const { return m_w.qDesignKalt; }
    void setDesignDurchflussKalt(double v) { m_w.qDesignKalt = v; }
    double getDesignDurchflussWarm() const { return m_w.qDesignWarm; }
    void setDesignDurchflussWarm(double v) { m_w.qDesignWarm = v; }
    double getMindestfliessdruckKalt() const { return m_w.pMinKalt; }
    void setMindestfliessdruckKalt(double v) { m_w.pMinKalt = v; }
    double getMindestfliessdruckWarm() const { return m_w.pMinWarm; }
    void setMindestfliessdruckWarm(double v) { m_w.pMinWarm = v; }
    const std::string& getEinheit() const { return m_w.einheit; }
    void setEinheit(std::string v) { m_w.einheit = std::move(v); }

private:
    struct Werte {
        int mitRFV = 0;
        int eigensicher = 0;
        int einzelentnahme = 0;
        double qDesignKalt = 0.0;
        double qDesignWarm = 0.0;
        double pMinKalt = 0.0;  // minimum flow pressure, mbar
        double pMinWarm = 0.0;
        std::string einheit;  // unit of the flows
        bool operator==(const Werte&) const = default;
    };
    CKurve m_kurve;
    Werte m_w;
};

// Backflow preventer or pipe separator. Its curve "EK" gives the flow (y) at
// a pressure loss (x, mbar), first point the largest flow, last point the
// smallest; a last point of flow 0 marks the opening pressure.
class KAVEX_API nrvArmaturSicherung : public nrvArmatur {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturSicherung)

public:
    nrvArmaturSicherung();
    nrvArmaturSicherung(const nrvArmaturSicherung& other);
    nrvArmaturSicherung& operator=(const nrvArmaturSicherung& other);
    ~nrvArmaturSicherung() override;

    using nrvArmatur::read;
    using nrvArmatur::write;
    bool read(CNode* node) override;
    bool write(CNode* node) const override;
    CKurve& getKurve() override { return m_kurve; }
    const CKurve& getKurve() const override { return m_kurve; }
    virtual void removeData();

    bool assignFrom(const nrvArmatur& other) override { return assignAs(*this, other); }
    bool isEqual(const nrvArmatur& other) const override;

    // As the tap's: a single point stands for a straight curve through the origin.
    float getQ(float dp) const;
    // Pressure loss at a flow. A single point of flow 0 answers its pressure
    // (the device opens there) whatever the flow; any other single point is a
    // straight curve through the origin. 0 without points; infinity outside
    // the curve.
    float getDp(float q) const;
    // Pressure of the last point when its flow is exactly 0, else 0.
    float getOefnDp() const;
    float getQmin() const;               // flow of the last point, 0 without points
    float getQmax() const;               // flow of the first point, 0 without points
    void addKurve(const CKurve& curve);  // replaces the curve

    // Catalogue values (docs/valves-tw.md, "Sicherung").
    double getNenndurchfluss() const { return m_w.qNenn; }
    void setNenndurchfluss(double v) { m_w.qNenn = v; }
    double getMaxDurchfluss() const { return m_w.qMax; }
    void setMaxDurchfluss(double v) { m_w.qMax = v; }
    // Pressure limit (mbar): the supply pressure a pipe separator needs to
    // stay open; 0 when the catalogue gives none.
    double getDruckgrenze() const { return m_w.druckgrenze; }
    void setDruckgrenze(double v) { m_w.druckgrenze = v; }
    // Opening pressures (mbar) by installation: horizontal, vertical with the
    // flow rising, vertical with the flow falling.
    double getOeffnungsdruckWaagerecht() const { return m_w.oeffnungsdruckH; }
    void setOeffnungsdruckWaagerecht(double v) { m_w.oeffnungsdruckH = v; }
    double getOeffnungsdruckSteigend() const { return m_w.oeffnungsdruckVS; }
    void setOeffnungsdruckSteigend(double v) { m_w.oeffnungsdruckVS = v; }
    double getOeffnungsdruckFallend() const { return m_w.oeffnungsdruckVF; }
    void setOeffnungsdruckFallend(double v) { m_w.oeffnungsdruckVF = v; }
    const std::string& getEinheit() const { return m_w.einheit; }
    void setEinheit(std::string v) { m_w.einheit = std::move(v); }
    bool hasSchliessfeder() const { return m_w.schliessfeder != 0; }
    void setSchliessfeder(bool v) { m_w.schliessfeder = v ? 1 : 0; }

private:
    struct Werte {
        double qNenn = 0.0;
        double qMax = 0.0;
        double druckgrenze = 0.0;
        double oeffnungsdruckH = 0.0;
        double oeffnungsdruckVS = 0.0;
        double oeffnungsdruckVF = 0.0;
        std::string einheit;  // unit of the flows
        int schliessfeder = 0;
        bool operator==(const Werte&) const = default;
    };
    CKurve m_kurve;
    Werte m_w;
};

// Pressure reducer. Its curve "AD" lists the settings (x, label) with the
// outlet pressure each gives (y, bar), from the highest outlet pressure to the
// lowest.
class KAVEX_API nrvArmaturDruckminderer : public nrvArmatur {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturDruckminderer)

public:
    nrvArmaturDruckminderer();
    nrvArmaturDruckminderer(const nrvArmaturDruckminderer& other);
    nrvArmaturDruckminderer& operator=(const nrvArmaturDruckminderer& other);
    ~nrvArmaturDruckminderer() override;

    using nrvArmatur::read;
    using nrvArmatur::write;
    bool read(CNode* node) override;
    bool write(CNode* node) const override;
    CKurve& getKurve() override { return m_kurve; }
    const CKurve& getKurve() const override { return m_kurve; }
    // Setting range: outlet pressure of the last / first point, -1.0 without points.
    virtual double getDpOutMin() const;
    virtual double getDpOutMax() const;
    virtual void removeData();

    bool assignFrom(const nrvArmatur& other) override { return assignAs(*this, other); }
    bool isEqual(const nrvArmatur& other) const override;

    // Outlet pressure of setting i for 1 <= i <= count - 1; 0 otherwise, also
    // for the first setting (index 0).
    double getdP_bar(int i) const;
    void addKurve(const CKurve& curve);  // replaces the curve

    const std::string& getEinheitEinst() const { return m_einheitEinst; }
    void setEinheitEinst(std::string v) { m_einheitEinst = std::move(v); }

private:
    CKurve m_kurve;
    std::string m_einheitEinst;
};

// Water meter. No curve: the catalogue gives its flows, pressure loss and
// coded properties (docs/valves-tw.md, "Zaehler").
class KAVEX_API nrvArmaturZaehler : public nrvArmatur {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturZaehler)

public:
    nrvArmaturZaehler();
    nrvArmaturZaehler(const nrvArmaturZaehler& other);
    nrvArmaturZaehler& operator=(const nrvArmaturZaehler& other);
    ~nrvArmaturZaehler() override;

    using nrvArmatur::read;
    using nrvArmatur::write;
    bool read(CNode* node) override;
    bool write(CNode* node) const override;
    virtual void removeData();

    bool assignFrom(const nrvArmatur& other) override { return assignAs(*this, other); }
    bool isEqual(const nrvArmatur& other) const override;

    // Display texts of the coded values (translated); an unlisted code gives
    // an empty text. The static forms take any code.
    std::string getEinsatzbereichText() const { return getEinsatzbereichText(m_w.einsatzbereich); }
    std::string getEinbaulageText() const { return getEinbaulageText(m_w.einbaulage); }
    std::string getGerätetypText() const { return getGerätetypText(m_w.geraetetyp); }
    std::string getGehäuseartText() const { return getGehäuseartText(m_w.gehaeuseart); }
    static std::string getEinsatzbereichText(int code);
    static std::string getEinbaulageText(int code);
    static std::string getGerätetypText(int code);
    static std::string getGehäuseartText(int code);

    // Nominal, minimum and maximum flow, m³/h.
    double getQn() const { return m_w.qn; }
    void setQn(double v) { m_w.qn = v; }
    double getQmin() const { return m_w.qmin; }
    void setQmin(double v) { m_w.qmin = v; }
    double getQmax() const { return m_w.qmax; }
    void setQmax(double v) { m_w.qmax = v; }
    double getDpBeiQn() const { return m_w.dpQn; }  // pressure loss at Qn, mbar
    void setDpBeiQn(double v) { m_w.dpQn = v; }
    double getTrenngrenze() const { return m_w.trenngrenze; }  // transitional flow, m³/h
    void setTrenngrenze(double v) { m_w.trenngrenze = v; }
    double getAnlaufwert() const { return m_w.anlaufwert; }  // starting flow, m³/h
    void setAnlaufwert(double v) { m_w.anlaufwert = v; }
    const std::string& getMessprinzip() const { return m_w.messprinzip; }
    void setMessprinzip(std::string v) { m_w.messprinzip = std::move(v); }
    // 1 cold water, 2 hot water.
    int getEinsatzbereich() const { return m_w.einsatzbereich; }
    void setEinsatzbereich(int v) { m_w.einsatzbereich = v; }
    // The meter's own coded installation position (1..7, 999), not the
    // common installation position of every valve (getEinbaulage).
    int getZaehlerEinbaulage() const { return m_w.einbaulage; }
    void setZaehlerEinbaulage(int v) { m_w.einbaulage = v; }
    int getGeraetetyp() const { return m_w.geraetetyp; }
    void setGeraetetyp(int v) { m_w.geraetetyp = v; }
    int getGehaeuseart() const { return m_w.gehaeuseart; }
    void setGehaeuseart(int v) { m_w.gehaeuseart = v; }
    const std::string& getMetrologischeKlassen() const { return m_w.metrologischeKlassen; }
    void setMetrologischeKlassen(std::string v) { m_w.metrologischeKlassen = std::move(v); }
    double getAnzeigebereichVon() const { return m_w.anzeigeVon; }  // m³
    void setAnzeigebereichVon(double v) { m_w.anzeigeVon = v; }
    double getAnzeigebereichBis() const { return m_w.anzeigeBis; }  // m³
    void setAnzeigebereichBis(double v) { m_w.anzeigeBis = v; }
    double getBaulaenge() const { return m_w.baulaenge; }  // mm
    void setBaulaenge(double v) { m_w.baulaenge = v; }
    // Connection as the catalogue names it (not the connection list of every valve).
    const std::string& getAnschlussText() const { return m_w.anschluss; }
    void setAnschlussText(std::string v) { m_w.anschluss = std::move(v); }

private:
    struct Werte {
        double qn = 0.0;
        double qmin = 0.0;
        double qmax = 0.0;
        double dpQn = 0.0;
        double trenngrenze = 0.0;
        double anlaufwert = 0.0;
        std::string messprinzip;
        int einsatzbereich = 0;
        int einbaulage = 0;
        int geraetetyp = 0;
        int gehaeuseart = 0;
        std::string metrologischeKlassen;
        double anzeigeVon = 0.0;
        double anzeigeBis = 0.0;
        double baulaenge = 0.0;
        std::string anschluss;
        bool operator==(const Werte&) const = default;
    };
    Werte m_w;
};

// Ring-main (Venturi) fitting: flow divider with a flow curve over its
// settings and a working range of pressure loss and flow.
class KAVEX_API nrvArmaturVenturi : public nrvArmatur {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturVenturi)

public:
    nrvArmaturVenturi();
    nrvArmaturVenturi(const nrvArmaturVenturi& other);
    nrvArmaturVenturi& operator=(const nrvArmaturVenturi& other);
    ~nrvArmaturVenturi() override;

    using nrvArmatur::read;
    using nrvArmatur::write;
    bool read(CNode* node) override;
    bool write(CNode* node) const override;
    CKurve& getKurve() override { return m_kurve; }
    const CKurve& getKurve() const override { return m_kurve; }
    virtual void removeData();

    bool assignFrom(const nrvArmatur& other) override { return assignAs(*this, other); }
    bool isEqual(const nrvArmatur& other) const override;

    void addKurve(const CKurve& curve);  // replaces the curve
    double getDpmin() const { return m_w.dpmin; }
    void setDpmin(double v) { m_w.dpmin = v; }
    double getDpmax() const { return m_w.dpmax; }
    void setDpmax(double v) { m_w.dpmax = v; }
    double getVPunktmin() const { return m_w.vpunktmin; }
    void setVPunktmin(double v) { m_w.vpunktmin = v; }
    double getVPunktmax() const { return m_w.vpunktmax; }
    void setVPunktmax(double v) { m_w.vpunktmax = v; }

private:
    struct Werte {
        double dpmin = 0.0;
        double dpmax = 0.0;
        double vpunktmin = 0.0;
        double vpunktmax = 0.0;
        bool operator==(const Werte&) const = default;
    };
    CKurve m_kurve;
    Werte m_w;
};

}  // namespace nrvVDIArmaturen
