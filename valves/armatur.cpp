#include "kavex/valves/armatur.h"

#include <stdexcept>

#include "kavex/platform/numbers.h"
#include "kavex/platform/strutil.h"
#include "kavex/platform/translation.h"
#include "kavex/platform/treestore.h"
#include "kavex/valves/armaturenmodell.h"

namespace nrvVDIArmaturen {

KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturZubehoer, nrvArmaturObject)
KAVEX_IMPLEMENT_DYNCREATE(nrvArmatur, nrvArmaturObject)

namespace {

// An accessory leaf is named like every valve-domain item: its class name
// without the leading "nrvArmatur".
constexpr std::string_view kZubehoerLeaf = "Zubehoer";

// Values of a leaf read one after the other; a value missing from an older,
// shorter leaf leaves the field as it was.
class ValueReader {
public:
    explicit ValueReader(const CLeaf& leaf) : m_values(leaf.GetValues(':')) {}
    void text(std::string& out) {
        if (m_next < m_values.size()) out = m_values[m_next];
        ++m_next;
    }
    void integer(int& out) {
        if (m_next < m_values.size()) out = nrvNumbers::parseInt(m_values[m_next]);
        ++m_next;
    }
    void real(double& out) {
        if (m_next < m_values.size()) out = nrvNumbers::parseDouble(m_values[m_next]);
        ++m_next;
    }
    void real(float& out) {
        double value = out;
        real(value);
        out = static_cast<float>(value);
    }

private:
    std::vector<std::string> m_values;
    std::size_t m_next = 0;
};

bool sameNode(const nrvBaseArmaturen::curveNode& a, const nrvBaseArmaturen::curveNode& b) {
    return a.x == b.x && a.x2 == b.x2 && a.y == b.y && a.einst == b.einst;
}

bool sameNode14(const nrvBaseArmaturen::curveNode14& a, const nrvBaseArmaturen::curveNode14& b) {
    return a.x == b.x && a.einst == b.einst && a.y1 == b.y1 && a.y2 == b.y2 && a.y3 == b.y3 &&
           a.y4 == b.y4;
}

template <typename Node, typename Same>
bool sameNodes(const std::vector<Node>& a, const std::vector<Node>& b, Same same) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!same(a[i], b[i])) return false;
    }
    return true;
}

const nrvVDIArmaturenModell* catalogueModelOf(const nrvArmatur& valve) {
    return dynamic_cast<const nrvVDIArmaturenModell*>(valve.getParent());
}

}  // namespace

// ---------------------------------------------------------------------------
// Curve comparison

bool isEqualCurve(const CKurve& a, const CKurve& b) {
    return a.getEinheitx() == b.getEinheitx() && a.getEinheitx2() == b.getEinheitx2() &&
           a.getEinheity() == b.getEinheity() && sameNodes(a.nodes(), b.nodes(), sameNode);
}

bool isEqualCurve14(const CKurve14& a, const CKurve14& b) {
    return a.getEinheitx() == b.getEinheitx() && a.getEinheity1() == b.getEinheity1() &&
           a.getEinheity2() == b.getEinheity2() && a.getEinheity3() == b.getEinheity3() &&
           a.getEinheity4() == b.getEinheity4() && sameNodes(a.nodes(), b.nodes(), sameNode14);
}

bool isEqualSettingCurve(const CEinstellungKurve& a, const CEinstellungKurve& b) {
    return a.getXp() == b.getXp() && a.getKvDesinfektion() == b.getKvDesinfektion() &&
           a.getReferenzTemperatur() == b.getReferenzTemperatur() &&
           a.getEinstellungWert() == b.getEinstellungWert() &&
           a.getEinstellungText() == b.getEinstellungText() && isEqualCurve(a, b);
}

// ---------------------------------------------------------------------------
// nrvArmaturZubehoer

nrvArmaturZubehoer::~nrvArmaturZubehoer() = default;

bool nrvArmaturZubehoer::read(CLeaf* leaf) {
    if (leaf == nullptr || leaf->GetName() != kZubehoerLeaf) return false;
    ValueReader values(*leaf);
    values.text(artikelNrText);
    values.text(name);
    values.integer(artikelNr);
    values.integer(typNr);
    values.integer(index);
    values.real(anzahl);
    values.integer(wert1);
    values.integer(optional);
    values.integer(nichtF);
    values.text(text1);
    return true;
}

bool nrvArmaturZubehoer::write(CLeaf* leaf) const {
    if (leaf == nullptr) return false;
    if (leaf->GetName().empty()) leaf->SetName(std::string(kZubehoerLeaf));
    CLeaf::InitSetValues(':');
    leaf->SetFirstValue(std::string_view(artikelNrText));
    leaf->SetNextValue(std::string_view(name));
    leaf->SetNextValue(artikelNr);
    leaf->SetNextValue(typNr);
    leaf->SetNextValue(index);
    leaf->SetNextValue(static_cast<double>(anzahl));
    leaf->SetNextValue(wert1);
    leaf->SetNextValue(optional);
    leaf->SetNextValue(nichtF);
    leaf->SetNextValue(std::string_view(text1));
    CLeaf::ExitSetValues();
    return true;
}

void nrvArmaturZubehoer::clear() {
    artikelNr = typNr = index = 0;
    text1.clear();
    name.clear();
    artikelNrText.clear();
    anzahl = 0.0f;
    wert1 = optional = nichtF = 0;
}

bool nrvArmaturZubehoer::operator==(const nrvArmaturZubehoer& o) const {
    return artikelNr == o.artikelNr && typNr == o.typNr && index == o.index && text1 == o.text1 &&
           name == o.name && artikelNrText == o.artikelNrText && anzahl == o.anzahl &&
           wert1 == o.wert1 && optional == o.optional && nichtF == o.nichtF;
}

// ---------------------------------------------------------------------------
// nrvArmatur: life cycle

nrvArmatur::nrvArmatur() = default;

nrvArmatur::nrvArmatur(const nrvArmatur& other) : nrvArmaturObject() {
    *this = other;
}

nrvArmatur& nrvArmatur::operator=(const nrvArmatur& other) {
    if (this == &other) return *this;
    // Only the common part is reset here: a derived class's assignment copies
    // its own curves right after this one.
    nrvArmatur::destroyAll();
    m_version = other.m_version;
    m_ausfuehrung = other.m_ausfuehrung;
    m_artikelNr = other.m_artikelNr;
    m_datanormNr = other.m_datanormNr;
    m_stlbNr = other.m_stlbNr;
    m_eanNr = other.m_eanNr;
    m_dimension = other.m_dimension;
    m_maxTemperatur = other.m_maxTemperatur;
    m_maxBetriebsdruck = other.m_maxBetriebsdruck;
    m_maxDiffdruck = other.m_maxDiffdruck;
    m_kvs = other.m_kvs;
    m_gruppe = other.m_gruppe;
    m_typ = other.m_typ;
    m_ausfIndex = other.m_ausfIndex;
    m_dimSystem = other.m_dimSystem;
    m_zeta = other.m_zeta;
    m_schliessdruck_hPa = other.m_schliessdruck_hPa;
    m_einbaulage = other.m_einbaulage;
    m_tgaNummer = other.m_tgaNummer;
    m_useKvs = other.m_useKvs;
    m_anschluss = other.m_anschluss;
    appendZubehoer(&other);
    return *this;
}

nrvArmatur::~nrvArmatur() = default;

void nrvArmatur::destroyAll() {
    m_artikelNr.clear();
    m_tgaNummer.clear();
    m_dimension = 0;
    m_gruppe = m_typ = m_ausfIndex = 0;
    m_maxTemperatur = NoTemperature;
    m_maxBetriebsdruck = m_maxDiffdruck = m_kvs = 0.0;
    m_useKvs = 0;
    removeZubehoer();
}

bool nrvArmatur::assignFrom(const nrvArmatur& other) {
    return assignAs(*this, other);
}

std::unique_ptr<nrvArmatur> nrvArmatur::clone() const {
    std::unique_ptr<CObject> object(GetRuntimeClass()->CreateObject());
    std::unique_ptr<nrvArmatur> copy(dynamic_cast<nrvArmatur*>(object.get()));
    if (!copy) return nullptr;
    object.release();
    if (!copy->assignFrom(*this)) return nullptr;
    return copy;
}

double nrvArmatur::getKvmin() const {
    return -1.0;
}
double nrvArmatur::getKvmax() const {
    return -1.0;
}
CKurve& nrvArmatur::getKurve() {
    return m_kurve;
}
const CKurve& nrvArmatur::getKurve() const {
    return m_kurve;
}

// ---------------------------------------------------------------------------
// Texts of the owning model

std::string nrvArmatur::getManufacturer() const {
    const nrvVDIArmaturenModell* model = catalogueModelOf(*this);
    return model ? model->getManufacturer() : std::string();
}

std::string nrvArmatur::getModelType() const {
    const nrvVDIArmaturenModell* model = catalogueModelOf(*this);
    return model ? model->getModelType() : std::string();
}

std::string nrvArmatur::getNrvCatID() const {
    const nrvVDIArmaturenModell* model = catalogueModelOf(*this);
    return model ? model->getNrvCatID() : std::string();
}

std::string nrvArmatur::getVDIFilename() const {
    const nrvVDIArmaturenModell* model = catalogueModelOf(*this);
    return model ? model->getFilename() : std::string();
}

std::string nrvArmatur::getFehlerText() const {
    return FormatText(TranslateText("Fehler in den VDI-Daten der Armatur '1!%s', DN 2!%d, "
                                    "Art.-Nr. '3!%s', Ausführung '4!%s'"),
                      getModelType(), m_dimension, m_artikelNr, getAusfuehrung(", "));
}

std::string nrvArmatur::getHinweisText() const {
    return FormatText(TranslateText("Hinweis zu den VDI-Daten der Armatur '1!%s', DN 2!%d, "
                                    "Art.-Nr. '3!%s', Ausführung '4!%s'"),
                      getModelType(), m_dimension, m_artikelNr, getAusfuehrung(", "));
}

// ---------------------------------------------------------------------------
// Execution details, connections, accessories

void nrvArmatur::addAusfDetail(std::string_view text) {
    if (!m_ausfuehrung.empty()) m_ausfuehrung += ';';
    m_ausfuehrung += text;
}

std::string nrvArmatur::getAusfuehrung(std::string_view separator) const {
    if (m_ausfuehrung.empty()) return {};
    const std::vector<std::string> details =
        nrvStrUtil::separatedStringToVector(m_ausfuehrung, ';');
    std::string result = details.front();
    // A catalogue repeats the main execution detail between the others; it
    // is shown once. Other repeats are kept as the catalogue lists them.
    for (std::size_t i = 1; i < details.size() && !details[i].empty(); ++i) {
        if (details[i] == details.front()) continue;
        result.append(separator);
        result += details[i];
    }
    return result;
}

const std::string& nrvArmatur::getAnschlussKeyAt(int i) const {
    if (i < 0 || i >= getSizeAnschlussKeys()) {
        throw std::invalid_argument("nrvArmatur::getAnschlussKeyAt: index out of range");
    }
    return m_anschluss[static_cast<std::size_t>(i)].key;
}

nrvArmaturZubehoer& nrvArmatur::addZubehoer() {
    nrvArmaturZubehoer& entry = m_zubehoer.emplace_back();
    entry.setParent(this);
    return entry;
}

int nrvArmatur::addZubehoer(const nrvArmaturZubehoer& entry) {
    m_zubehoer.push_back(entry);
    m_zubehoer.back().setParent(this);
    return static_cast<int>(m_zubehoer.size()) - 1;
}

void nrvArmatur::appendZubehoer(const nrvArmatur* other) {
    if (other == nullptr) return;
    // Copied first, so that a valve may append its own list.
    const std::vector<nrvArmaturZubehoer> entries = other->m_zubehoer;
    for (const nrvArmaturZubehoer& entry : entries)
        addZubehoer(entry);
}

// ---------------------------------------------------------------------------
// Persistence

bool nrvArmatur::write(CNode* node) const {
    if (node == nullptr) return false;
    if (node->GetName().empty()) node->SetName("ARM");
    node->AddLeaf("VER", m_version);

    CLeaf* x = node->AddLeaf("X", std::string_view{});
    CLeaf::InitSetValues(':');
    x->SetFirstValue(std::string_view(m_artikelNr));
    x->SetNextValue(m_gruppe);
    x->SetNextValue(m_typ);
    x->SetNextValue(m_ausfIndex);
    x->SetNextValue(m_dimension);
    x->SetNextValue(m_maxTemperatur);
    x->SetNextValue(m_maxBetriebsdruck);
    x->SetNextValue(m_maxDiffdruck);
    x->SetNextValue(m_kvs);
    x->SetNextValue(std::string_view(m_datanormNr));
    x->SetNextValue(std::string_view(m_stlbNr));
    x->SetNextValue(std::string_view(m_eanNr));
    x->SetNextValue(std::string_view(m_dimSystem));
    x->SetNextValue(m_zeta);
    x->SetNextValue(m_schliessdruck_hPa);
    x->SetNextValue(std::string_view(m_tgaNummer));
    x->SetNextValue(m_einbaulage);
    x->SetNextValue(m_useKvs);
    CLeaf::ExitSetValues();

    node->AddLeaf("AD", std::string_view(m_ausfuehrung));

    CLeaf* ans = node->AddLeaf("ANS", std::string_view{});
    CLeaf::InitSetValues(':');
    bool first = true;
    for (const nrvArmAnschluss& c : m_anschluss) {
        if (first) {
            ans->SetFirstValue(std::string_view(c.key));
        } else {
            ans->SetNextValue(std::string_view(c.key));
        }
        first = false;
        ans->SetNextValue(c.side);
        ans->SetNextValue(std::string_view(c.designation));
    }
    CLeaf::ExitSetValues();

    for (const nrvArmaturZubehoer& entry : m_zubehoer) {
        entry.write(node->AddLeaf(std::string(), std::string_view{}));
    }
    return true;
}

bool nrvArmatur::read(CNode* node) {
    if (node == nullptr) return false;
    const CLeaf* x = node->FindLeaf("X");
    if (x == nullptr) return false;
    if (const CLeaf* ver = node->FindLeaf("VER")) m_version = ver->GetOnlyValueI();

    ValueReader values(*x);
    values.text(m_artikelNr);
    values.integer(m_gruppe);
    values.integer(m_typ);
    values.integer(m_ausfIndex);
    values.integer(m_dimension);
    values.real(m_maxTemperatur);
    values.real(m_maxBetriebsdruck);
    values.real(m_maxDiffdruck);
    values.real(m_kvs);
    values.text(m_datanormNr);
    values.text(m_stlbNr);
    values.text(m_eanNr);
    values.text(m_dimSystem);
    values.real(m_zeta);
    values.real(m_schliessdruck_hPa);
    values.text(m_tgaNummer);
    values.integer(m_einbaulage);
    values.integer(m_useKvs);

    // Older files may lack "AD" or "ANS"; they follow "X" in that order.
    const CLeaf* ad = node->FindLeaf("AD", x);
    const CLeaf* ans = node->FindLeaf("ANS", ad);
    if (ad != nullptr) m_ausfuehrung = ad->GetOnlyValue();
    if (ans != nullptr) readAnschluesse(*ans);

    for (CLeaf* leaf = node->FindLeaf(kZubehoerLeaf); leaf != nullptr;
         leaf = node->FindLeaf(kZubehoerLeaf, leaf)) {
        nrvArmaturZubehoer entry;
        entry.setParent(this);
        if (entry.read(leaf)) m_zubehoer.push_back(std::move(entry));
    }
    return true;
}

void nrvArmatur::readAnschluesse(const CLeaf& leaf) {
    const std::vector<std::string> values = leaf.GetValues(':');
    // Only complete triples are connections; a torn last one is dropped.
    for (std::size_t i = 0; i + 2 < values.size(); i += 3) {
        m_anschluss.push_back({values[i], nrvNumbers::parseInt(values[i + 1]), values[i + 2]});
    }
}

// ---------------------------------------------------------------------------
// Comparison

bool nrvArmatur::isEqual(const nrvArmatur& o) const {
    return GetRuntimeClass() == o.GetRuntimeClass() && m_version == o.m_version &&
           m_artikelNr == o.m_artikelNr && m_gruppe == o.m_gruppe && m_typ == o.m_typ &&
           m_ausfIndex == o.m_ausfIndex && m_dimension == o.m_dimension &&
           m_maxTemperatur == o.m_maxTemperatur && m_maxBetriebsdruck == o.m_maxBetriebsdruck &&
           m_maxDiffdruck == o.m_maxDiffdruck && m_kvs == o.m_kvs &&
           m_datanormNr == o.m_datanormNr && m_stlbNr == o.m_stlbNr && m_eanNr == o.m_eanNr &&
           m_dimSystem == o.m_dimSystem && m_zeta == o.m_zeta &&
           m_schliessdruck_hPa == o.m_schliessdruck_hPa && m_tgaNummer == o.m_tgaNummer &&
           m_einbaulage == o.m_einbaulage && m_useKvs == o.m_useKvs &&
           m_ausfuehrung == o.m_ausfuehrung && m_anschluss == o.m_anschluss &&
           m_zubehoer == o.m_zubehoer;
}

}  // namespace nrvVDIArmaturen
