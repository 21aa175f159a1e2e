#include "kavex/valves/armaturtw.h"

#include <cmath>
#include <cstddef>

#include "armaturtw_p.h"
#include "kavex/platform/interpolation.h"
#include "kavex/platform/translation.h"
#include "kavex/platform/treestore.h"

namespace nrvVDIArmaturen {

KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturEA, nrvArmatur)
KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturSicherung, nrvArmatur)
KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturDruckminderer, nrvArmatur)
KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturZaehler, nrvArmatur)
KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturVenturi, nrvArmatur)

using nrvBaseArmaturen::curveNode;

namespace {

// Leaf keys of the curves of taps, safety devices and pressure reducers.
constexpr const char* kKeyX = "X1";
constexpr const char* kKeyEinst = "SX1";
constexpr const char* kKeyY = "Y1";
constexpr const char* kKeyX2 = "X2";
// Leaf keys of the flow curve of ring-main fittings (as for flow controllers).
constexpr const char* kVsKeyX = "VSE_F";
constexpr const char* kVsKeyEinst = "VSE_S";
constexpr const char* kVsKeyY = "VSW";

// The flow a curve of pressure (x) against flow (y) passes at a pressure. A
// single point stands for a straight line through the origin.
float flowAt(const CKurve& curve, float dp) {
    if (curve.bIsEmpty()) return 0.0f;
    CLinearInterpolation table;
    if (curve.getCount() == 1) table.Add(0.0, 0.0);
    for (const curveNode& n : curve.nodes())
        table.Add(n.x, n.y);
    return yleaf::toFloat(table.GetY(dp, false));
}

// The pressure at a flow, interpolated over every point taken as (flow, pressure).
float pressureAt(const CKurve& curve, float q) {
    CLinearInterpolation table;
    for (const curveNode& n : curve.nodes())
        table.Add(n.y, n.x);
    return yleaf::toFloat(table.GetY(q, false));
}

float lastY(const CKurve& curve) {
    return curve.bIsEmpty() ? 0.0f : curve.getLastNode().y;
}
float firstY(const CKurve& curve) {
    return curve.bIsEmpty() ? 0.0f : curve.getFirstNode().y;
}

// Text of a coded catalogue value: the translation of its key, or empty for a
// code the table does not list.
struct CodeText {
    int code;
    const char* key;
};

template <std::size_t N>
std::string codeText(const CodeText (&table)[N], int code) {
    for (const CodeText& row : table) {
        if (row.code == code) return TranslateText(row.key);
    }
    return {};
}

}  // namespace

// ---------------------------------------------------------------------------
// nrvArmaturEA

nrvArmaturEA::nrvArmaturEA() {
    m_kurve.setParent(this);
}

nrvArmaturEA::nrvArmaturEA(const nrvArmaturEA& other)
    : nrvArmatur(other), m_kurve(other.m_kurve), m_w(other.m_w) {
    m_kurve.setParent(this);
}

nrvArmaturEA& nrvArmaturEA::operator=(const nrvArmaturEA& other) {
    if (this == &other) return *this;
    nrvArmatur::operator=(other);
    m_kurve = other.m_kurve;
    m_w = other.m_w;
    return *this;
}

nrvArmaturEA::~nrvArmaturEA() = default;

void nrvArmaturEA::removeData() {
    m_kurve.removeData();
    m_w = Werte{};
}

void nrvArmaturEA::addKurve(const CKurve& curve) {
    m_kurve = curve;
}

bool nrvArmaturEA::write(CNode* node) const {
    if (node == nullptr) return false;
    if (node->GetName().empty()) node->SetName("EA");
    nrvArmatur::write(node);
    yleaf::Writer(node, "Y")
        .integer(m_w.mitRFV)
        .integer(m_w.eigensicher)
        .integer(m_w.einzelentnahme)
        .real(m_w.qDesignKalt)
        .real(m_w.qDesignWarm)
        .real(m_w.pMinKalt)
        .real(m_w.pMinWarm)
        .text(m_w.einheit);
    m_kurve.write(node->AddChild("EK"), kKeyX, kKeyEinst, kKeyY, kKeyX2);
    return true;
}

bool nrvArmaturEA::read(CNode* node) {
    if (node == nullptr) return false;
    nrvArmatur::read(node);
    removeData();
    yleaf::Reader(node->FindLeaf("Y"))
        .integer(m_w.mitRFV)
        .integer(m_w.eigensicher)
        .integer(m_w.einzelentnahme)
        .real(m_w.qDesignKalt)
        .real(m_w.qDesignWarm)
        .real(m_w.pMinKalt)
        .real(m_w.pMinWarm)
        .text(m_w.einheit);
    yleaf::readCurve(m_kurve, node->FindChild("EK"), kKeyX, kKeyEinst, kKeyY, kKeyX2);
    return true;
}

bool nrvArmaturEA::isEqual(const nrvArmatur& other) const {
    const auto* o = dynamic_cast<const nrvArmaturEA*>(&other);
    return o != nullptr && m_w == o->m_w && isEqualCurve(m_kurve, o->m_kurve) &&
           nrvArmatur::isEqual(other);
}

float nrvArmaturEA::getQ(float dp) const {
    return flowAt(m_kurve, dp);
}

float nrvArmaturEA::getDp(float q) const {
    if (m_kurve.bIsEmpty()) return 0.0f;
    const curveNode& first = m_kurve.getFirstNode();
    if (std::fabs(static_cast<double>(q) - first.y) < 1e-5) return first.x;
    return pressureAt(m_kurve, q);
}

float nrvArmaturEA::getKv(float q) const {
    if (m_kurve.bIsEmpty()) return 0.0f;
    const double dp = getDp(q);
    if (!(dp > 0.0)) return 0.0f;
    return yleaf::toFloat(q / 1000.0 * std::sqrt(1000.0 / dp));
}

float nrvArmaturEA::getQmin() const {
    return lastY(m_kurve);
}
float nrvArmaturEA::getQmax() const {
    return firstY(m_kurve);
}

// ---------------------------------------------------------------------------
// nrvArmaturSicherung

nrvArmaturSicherung::nrvArmaturSicherung() {
    m_kurve.setParent(this);
}

nrvArmaturSicherung::nrvArmaturSicherung(const nrvArmaturSicherung& other)
    : nrvArmatur(other), m_kurve(other.m_kurve), m_w(other.m_w) {
    m_kurve.setParent(this);
}

nrvArmaturSicherung& nrvArmaturSicherung::operator=(const nrvArmaturSicherung& other) {
    if (this == &other) return *this;
    nrvArmatur::operator=(other);
    m_kurve = other.m_kurve;
    m_w = other.m_w;
    return *this;
}

nrvArmaturSicherung::~nrvArmaturSicherung() = default;

void nrvArmaturSicherung::removeData() {
    m_kurve.removeData();
    m_w = Werte{};
}

void nrvArmaturSicherung::addKurve(const CKurve& curve) {
    m_kurve = curve;
}

bool nrvArmaturSicherung::write(CNode* node) const {
    if (node == nullptr) return false;
    if (node->GetName().empty()) node->SetName("Sicherung");
    nrvArmatur::write(node);
    yleaf::Writer(node, "Y")
        .real(m_w.qNenn)
        .real(m_w.qMax)
        .real(m_w.druckgrenze)
        .real(m_w.oeffnungsdruckH)
        .real(m_w.oeffnungsdruckVS)
        .real(m_w.oeffnungsdruckVF)
        .text(m_w.einheit)
        .integer(m_w.schliessfeder);
    m_kurve.write(node->AddChild("EK"), kKeyX, kKeyEinst, kKeyY, kKeyX2);
    return true;
}

bool nrvArmaturSicherung::read(CNode* node) {
    if (node == nullptr) return false;
    nrvArmatur::read(node);
    removeData();
    yleaf::Reader(node->FindLeaf("Y"))
        .real(m_w.qNenn)
        .real(m_w.qMax)
        .real(m_w.druckgrenze)
        .real(m_w.oeffnungsdruckH)
        .real(m_w.oeffnungsdruckVS)
        .real(m_w.oeffnungsdruckVF)
        .text(m_w.einheit)
        .integer(m_w.schliessfeder);
    yleaf::readCurve(m_kurve, node->FindChild("EK"), kKeyX, kKeyEinst, kKeyY, kKeyX2);
    return true;
}

bool nrvArmaturSicherung::isEqual(const nrvArmatur& other) const {
    const auto* o = dynamic_cast<const nrvArmaturSicherung*>(&other);
    return o != nullptr && m_w == o->m_w && isEqualCurve(m_kurve, o->m_kurve) &&
           nrvArmatur::isEqual(other);
}

float nrvArmaturSicherung::getQ(float dp) const {
    return flowAt(m_kurve, dp);
}

float nrvArmaturSicherung::getDp(float q) const {
    if (m_kurve.bIsEmpty()) return 0.0f;
    if (m_kurve.getCount() > 1) return pressureAt(m_kurve, q);
    const curveNode& only = m_kurve.getFirstNode();
    // A single point without flow is the opening pressure itself.
    if (only.y == 0.0f) return only.x;
    CLinearInterpolation table;
    table.Add(0.0, 0.0);
    table.Add(only.y, only.x);
    return yleaf::toFloat(table.GetY(q, false));
}

float nrvArmaturSicherung::getOefnDp() const {
    if (m_kurve.bIsEmpty()) return 0.0f;
    const curveNode& last = m_kurve.getLastNode();
    return last.y == 0.0f ? last.x : 0.0f;
}

float nrvArmaturSicherung::getQmin() const {
    return lastY(m_kurve);
}
float nrvArmaturSicherung::getQmax() const {
    return firstY(m_kurve);
}

// ---------------------------------------------------------------------------
// nrvArmaturDruckminderer

nrvArmaturDruckminderer::nrvArmaturDruckminderer() {
    m_kurve.setParent(this);
}

nrvArmaturDruckminderer::nrvArmaturDruckminderer(const nrvArmaturDruckminderer& other)
    : nrvArmatur(other), m_kurve(other.m_kurve), m_einheitEinst(other.m_einheitEinst) {
    m_kurve.setParent(this);
}

nrvArmaturDruckminderer& nrvArmaturDruckminderer::operator=(const nrvArmaturDruckminderer& other) {
    if (this == &other) return *this;
    nrvArmatur::operator=(other);
    m_kurve = other.m_kurve;
    m_einheitEinst = other.m_einheitEinst;
    return *this;
}

nrvArmaturDruckminderer::~nrvArmaturDruckminderer() = default;

void nrvArmaturDruckminderer::removeData() {
    m_kurve.removeData();
    m_einheitEinst.clear();
}

void nrvArmaturDruckminderer::addKurve(const CKurve& curve) {
    m_kurve = curve;
}

bool nrvArmaturDruckminderer::write(CNode* node) const {
    if (node == nullptr) return false;
    if (node->GetName().empty()) node->SetName("Druckminderer");
    nrvArmatur::write(node);
    yleaf::Writer(node, "Y").text(m_einheitEinst);
    m_kurve.write(node->AddChild("AD"), kKeyX, kKeyEinst, kKeyY, kKeyX2);
    return true;
}

bool nrvArmaturDruckminderer::read(CNode* node) {
    if (node == nullptr) return false;
    nrvArmatur::read(node);
    removeData();
    yleaf::Reader(node->FindLeaf("Y")).text(m_einheitEinst);
    yleaf::readCurve(m_kurve, node->FindChild("AD"), kKeyX, kKeyEinst, kKeyY, kKeyX2);
    return true;
}

bool nrvArmaturDruckminderer::isEqual(const nrvArmatur& other) const {
    const auto* o = dynamic_cast<const nrvArmaturDruckminderer*>(&other);
    return o != nullptr && m_einheitEinst == o->m_einheitEinst &&
           isEqualCurve(m_kurve, o->m_kurve) && nrvArmatur::isEqual(other);
}

double nrvArmaturDruckminderer::getDpOutMin() const {
    return m_kurve.bIsEmpty() ? -1.0 : m_kurve.getLastNode().y;
}

double nrvArmaturDruckminderer::getDpOutMax() const {
    return m_kurve.bIsEmpty() ? -1.0 : m_kurve.getFirstNode().y;
}

double nrvArmaturDruckminderer::getdP_bar(int i) const {
    if (i < 1 || i >= m_kurve.getCount()) return 0.0;
    return m_kurve[i].y;
}

// ---------------------------------------------------------------------------
// nrvArmaturZaehler

nrvArmaturZaehler::nrvArmaturZaehler() = default;

nrvArmaturZaehler::nrvArmaturZaehler(const nrvArmaturZaehler& other)
    : nrvArmatur(other), m_w(other.m_w) {}

nrvArmaturZaehler& nrvArmaturZaehler::operator=(const nrvArmaturZaehler& other) {
    if (this == &other) return *this;
    nrvArmatur::operator=(other);
    m_w = other.m_w;
    return *this;
}

nrvArmaturZaehler::~nrvArmaturZaehler() = default;

void nrvArmaturZaehler::removeData() {
    m_w = Werte{};
}

bool nrvArmaturZaehler::write(CNode* node) const {
    if (node == nullptr) return false;
    if (node->GetName().empty()) node->SetName("Zaehler");
    nrvArmatur::write(node);
    yleaf::Writer(node, "Y")
        .real(m_w.qn)
        .real(m_w.qmin)
        .real(m_w.qmax)
        .real(m_w.dpQn)
        .real(m_w.trenngrenze)
        .real(m_w.anlaufwert)
        .text(m_w.messprinzip)
        .integer(m_w.einsatzbereich)
        .integer(m_w.einbaulage)
        .integer(m_w.geraetetyp)
        .integer(m_w.gehaeuseart)
        .text(m_w.metrologischeKlassen)
        .real(m_w.anzeigeVon)
        .real(m_w.anzeigeBis)
        .real(m_w.baulaenge)
        .text(m_w.anschluss);
    return true;
}

bool nrvArmaturZaehler::read(CNode* node) {
    if (node == nullptr) return false;
    nrvArmatur::read(node);
    removeData();
    yleaf::Reader(node->FindLeaf("Y"))
        .real(m_w.qn)
        .real(m_w.qmin)
        .real(m_w.qmax)
        .real(m_w.dpQn)
        .real(m_w.trenngrenze)
        .real(m_w.anlaufwert)
        .text(m_w.messprinzip)
        .integer(m_w.einsatzbereich)
        .integer(m_w.einbaulage)
        .integer(m_w.geraetetyp)
        .integer(m_w.gehaeuseart)
        .text(m_w.metrologischeKlassen)
        .real(m_w.anzeigeVon)
        .real(m_w.anzeigeBis)
        .real(m_w.baulaenge)
        .text(m_w.anschluss);
    return true;
}

bool nrvArmaturZaehler::isEqual(const nrvArmatur& other) const {
    const auto* o = dynamic_cast<const nrvArmaturZaehler*>(&other);
    return o != nullptr && m_w == o->m_w && nrvArmatur::isEqual(other);
}

std::string nrvArmaturZaehler::getEinsatzbereichText(int code) {
    static const CodeText table[] = {{1, "Kaltwasser"}, {2, "Warmwasser"}};
    return codeText(table, code);
}

std::string nrvArmaturZaehler::getEinbaulageText(int code) {
    static const CodeText table[] = {
        {1, "@Zähler Einbaulage@beliebig"},
        {2, "@Zähler Einbaulage@waagerecht"},
        {3, "@Zähler Einbaulage@senkrecht"},
        {4, "@Zähler Einbaulage@Fallrohr"},
        {5, "@Zähler Einbaulage@Steigrohr"},
        {6, "@Zähler Einbaulage@schräg"},
        {7, "@Zähler Einbaulage@waagerecht oder senkrecht"},
        {999, "sonstige"},
    };
    return codeText(table, code);
}

std::string nrvArmaturZaehler::getGerätetypText(int code) {
    static const CodeText table[] = {
        {1, "@Zähler Gerätetyp@Komplett"},
        {2, "@Zähler Gerätetyp@Split"},
        {999, "Sonstige"},
    };
    return codeText(table, code);
}

std::string nrvArmaturZaehler::getGehäuseartText(int code) {
    static const CodeText table[] = {
        {1, "@Zähler Gehäuseart@frei verlegt"},
        {2, "@Zähler Gehäuseart@Wandeinbau (unter Putz)"},
    };
    return codeText(table, code);
}

// ---------------------------------------------------------------------------
// nrvArmaturVenturi

nrvArmaturVenturi::nrvArmaturVenturi() {
    m_kurve.setParent(this);
}

nrvArmaturVenturi::nrvArmaturVenturi(const nrvArmaturVenturi& other)
    : nrvArmatur(other), m_kurve(other.m_kurve), m_w(other.m_w) {
    m_kurve.setParent(this);
}

nrvArmaturVenturi& nrvArmaturVenturi::operator=(const nrvArmaturVenturi& other) {
    if (this == &other) return *this;
    nrvArmatur::operator=(other);
    m_kurve = other.m_kurve;
    m_w = other.m_w;
    return *this;
}

nrvArmaturVenturi::~nrvArmaturVenturi() = default;

void nrvArmaturVenturi::removeData() {
    m_kurve.removeData();
    m_w = Werte{};
}

void nrvArmaturVenturi::addKurve(const CKurve& curve) {
    m_kurve = curve;
}

bool nrvArmaturVenturi::write(CNode* node) const {
    if (node == nullptr) return false;
    if (node->GetName().empty()) node->SetName("Venturi");
    nrvArmatur::write(node);
    // The leading 0 holds the place where throttles keep their disinfection kv.
    yleaf::Writer(node, "Y")
        .real(0.0)
        .real(m_w.dpmin)
        .real(m_w.dpmax)
        .real(m_w.vpunktmin)
        .real(m_w.vpunktmax);
    m_kurve.write(node, kVsKeyX, kVsKeyEinst, kVsKeyY, kKeyX2);
    return true;
}

bool nrvArmaturVenturi::read(CNode* node) {
    if (node == nullptr) return false;
    nrvArmatur::read(node);
    removeData();
    yleaf::Reader(node->FindLeaf("Y"))
        .skip()
        .real(m_w.dpmin)
        .real(m_w.dpmax)
        .real(m_w.vpunktmin)
        .real(m_w.vpunktmax);
    yleaf::readCurve(m_kurve, node, kVsKeyX, kVsKeyEinst, kVsKeyY, kKeyX2);
    return true;
}

bool nrvArmaturVenturi::isEqual(const nrvArmatur& other) const {
    const auto* o = dynamic_cast<const nrvArmaturVenturi*>(&other);
    return o != nullptr && m_w == o->m_w && isEqualCurve(m_kurve, o->m_kurve) &&
           nrvArmatur::isEqual(other);
}

}  // namespace nrvVDIArmaturen
