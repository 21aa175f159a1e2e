#pragma once
// Valves the user defines: a model series of one manufacturer with one valve
// per nominal size, each described by measured curves, one curve per damper
// or setting position, with flags telling which curves and positions may be
// interpolated. The user valve files ("*.userarm") hold the entered data; a
// user valve model is what a project stores and calculates with.

#include <memory>
#include <string>
#include <vector>

#include "kavex/curves/armaturobject.h"
#include "kavex/curves/kurve.h"
#include "kavex/platform/export.h"
#include "kavex/valves/armaturenmodell.h"
#include "kavex/valves/armaturtyp.h"

class CNode;
class nrvComboBox;

namespace nrvUserArmaturen {

using nrvBaseArmaturen::CKurve;
using nrvBaseArmaturen::enArmaturenTyp;
using nrvBaseArmaturen::nrvArmaturObject;

// Registers the user valve and the user valve model with the class factory of
// the valve domain, so that model files, project records and
// createObjectByClassName can create them. Called by the module frame at
// start-up; reading a user valve model calls it as well. Runs once per process.
KAVEX_API void registerUserArmaturClasses();

class KAVEX_API nrvUserArmatur : public nrvArmaturObject {
    KAVEX_DECLARE_DYNCREATE(nrvUserArmatur)

public:
    nrvUserArmatur();
    // Copies everything the valve holds except the parent; the curves of the
    // copy belong to the copy.
    nrvUserArmatur(const nrvUserArmatur& other);
    nrvUserArmatur& operator=(const nrvUserArmatur& other);
    ~nrvUserArmatur() override;

    using nrvArmaturObject::read;
    using nrvArmaturObject::write;
    // Leaves "VER", "X", "KUINTP", "KLINTP", "REG" and per curve i with nodes
    // "KX<i>", "KY<i>", "KZ<i>"; an unnamed node is named "ARM". Only x, label
    // and y of the nodes are stored.
    bool write(CNode* node) const override;
    // Needs "X". Curves are read for i = 0, 1, ... up to the first index
    // without "KX<i>" and "KY<i>"; curves without nodes are not kept.
    bool read(CNode* node) override;

    // --- data ----------------------------------------------------------------
    int getVersion() const { return m_version; }
    void setVersion(int version) { m_version = version; }
    const std::string& getArtikelNr() const { return m_artikelNr; }
    void setArtikelNr(std::string nr) { m_artikelNr = std::move(nr); }
    int getDimension() const { return m_dimension; }
    void setDimension(int dn) { m_dimension = dn; }
    // The size as entered ("20x30" for a duct part); shown instead of the
    // nominal size when not empty.
    const std::string& getDimensionsString() const { return m_dimensionsString; }
    void setDimensionsString(std::string text) { m_dimensionsString = std::move(text); }
    double getKvs() const { return m_kvs; }
    void setKvs(double kvs) { m_kvs = kvs; }
    // Non-zero: the calculation takes kvs instead of the curves.
    int useKvs() const { return m_useKvs; }
    void setUseKvs(int flag) { m_useKvs = flag; }

    // Manufacturer and model name of the owning user valve model; empty when
    // the valve has no such parent.
    std::string getManufacturer() const;
    std::string getModelType() const;

    // --- curves, one per position ----------------------------------------------
    // The flag and position lists run parallel to the curves as far as they
    // are filled; each form appends to the lists it names.
    void addKurve(const CKurve& curve);
    void addKurve(const CKurve& curve, int curveFlag);
    void addKurve(const CKurve& curve, int curveFlag, const std::string& position,
                  int positionFlag);
    // Empties the curves and the three lists that run parallel to them.
    void removeAllKurven();

    // A copy of the first curve; an empty curve when there is none.
    CKurve getKurve() const;
    void getKurven(std::vector<CKurve>& curves) const;
    void getKurven(std::vector<CKurve>& curves, std::vector<int>& curveFlags) const;
    void getKurven(std::vector<CKurve>& curves, std::vector<int>& curveFlags,
                   std::vector<std::string>& positions, std::vector<int>& positionFlags) const;
    const std::vector<CKurve>& kurven() const { return m_kurven; }
    const std::vector<int>& getIsKurvenInterpolierbar() const { return m_kurvenInterpolierbar; }
    const std::vector<std::string>& getKlappenstellungen() const { return m_klappenstellungen; }
    const std::vector<int>& getIsKlappenInterpolierbar() const { return m_klappenInterpolierbar; }
    bool hasKurve() const { return !m_kurven.empty(); }
    // At least one curve and at least one curve flag.
    bool hasFilledCurveData() const;
    // Every curve by x, descending: the extremes below rely on that order.
    void sortKurven();

    // --- lookups on the first curve ----------------------------------------
    // getXValueByYValue(v) takes the first curve's nodes as points (x, y) of
    // a linear interpolation table and answers the table's value at v;
    // getYValueByXValue(v) does the same with the points (y, x). (The names
    // are the ones the callers know; the arithmetic is this.) A single node
    // (a, b) stands for the line through the origin, unless a is 0: then it
    // answers b for every v. Values come out with float precision. Outside
    // the nodes the table's "no value", the largest double
    // (CLinearInterpolation::NoValue), comes through unchanged.
    // Without curves, or when the first curve has no node, the answer is 0.0.
    double getXValueByYValue(double v) const;
    double getYValueByXValue(double v) const;

    // Extremes of curves sorted by sortKurven. `first` picks the first curve,
    // otherwise the last curve is used. Without curves, or when the chosen
    // curve has no node, the maxima answer the largest double and the minima
    // 0.0, so callers see "no limit" and "no minimum".
    double getMaxXValue(bool first) const;
    double getMaxYValue(bool first) const;
    double getMinXValue() const;  // x of the last node of the first curve
    double getMinYValue() const;

    // Everything the valve stores: fields, curve nodes (x, label, y; exact
    // comparison) and the three parallel lists.
    bool isEqual(const nrvUserArmatur& other) const;

private:
    int m_version = 0;
    std::string m_artikelNr;
    int m_dimension = 0;
    std::string m_dimensionsString;
    double m_kvs = 0.0;
    int m_useKvs = 0;
    std::vector<CKurve> m_kurven;
    std::vector<int> m_kurvenInterpolierbar;
    std::vector<std::string> m_klappenstellungen;
    std::vector<int> m_klappenInterpolierbar;
};

class KAVEX_API nrvUserArmaturenModell : public nrvBaseArmaturen::nrvArmaturenModell {
    KAVEX_DECLARE_DYNCREATE(nrvUserArmaturenModell)

public:
    nrvUserArmaturenModell();
    // Deep copies: version, names, object id, valve kind and every valve; the
    // parent is not copied, the copied valves belong to the copy.
    nrvUserArmaturenModell(const nrvUserArmaturenModell& other);
    nrvUserArmaturenModell& operator=(const nrvUserArmaturenModell& other);
    ~nrvUserArmaturenModell() override;

    using nrvArmaturObject::read;
    using nrvArmaturObject::write;

    const std::string& getObjectID() const { return m_objectID; }
    void setObjectID(std::string id) { m_objectID = std::move(id); }
    enArmaturenTyp getUserArmType() const { return m_userArmType; }
    void setUserArmType(enArmaturenTyp type) { m_userArmType = type; }

    // --- valves ---------------------------------------------------------------
    // A new valve owned by the model, appended.
    nrvUserArmatur* Add();
    // Null at or beyond the count; a negative index throws std::invalid_argument.
    nrvUserArmatur* getUserArmaturAt(int i) const;
    int getSize() const { return static_cast<int>(m_armaturen.size()); }
    // The valves in order; the model keeps ownership.
    std::vector<nrvUserArmatur*> getUserArmaturen() const;
    // Empty beyond the count; a negative index throws std::invalid_argument.
    std::string getArtikelNrAt(int i) const;
    // One entry per valve: its size text, or its nominal size when that is
    // empty; item data the valve pointer.
    void getDimensionList(nrvComboBox& combo) const;

    // The base reset, then all valves deleted; object id and kind stay.
    void destroyAll() override;
    bool assignFrom(const nrvBaseArmaturen::nrvArmaturenModell& other) override;

    // --- persistence ------------------------------------------------------------
    // "VER", "MON", "X" (the manufacturer) and one child "ARM" per valve; an
    // unnamed node is named "Modell". Object id and kind are not stored.
    bool write(CNode* node) const override;
    // Needs "VER" and "X"; adds the valves that read to those already held.
    bool read(CNode* node) override;

    // Everything a model file restores: model name, manufacturer and the
    // valves (nrvUserArmatur::isEqual). Version, object id and kind do not
    // take part (loading does not restore them).
    bool isEqual(const nrvUserArmaturenModell& other) const;

private:
    std::string m_objectID;
    enArmaturenTyp m_userArmType = nrvBaseArmaturen::enArmNone;
    std::vector<std::unique_ptr<nrvUserArmatur>> m_armaturen;
};

}  // namespace nrvUserArmaturen
