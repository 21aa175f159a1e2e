#include "kavex/uservalves/userfile.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <utility>

#include "kavex/platform/numbers.h"
#include "kavex/platform/strutil.h"
#include "kavex/platform/treestore.h"

namespace nrvUserArmaturen {

namespace {

constexpr char kListenTrenner = ';';

// --- reading helpers -----------------------------------------------------------

// First value (separator ':') of a leaf of this node; empty when missing. Only
// const calls on the tree, so that several readers may share a loaded file.
std::string wert(const CNode& node, std::string_view leaf) {
    return node.GetStrLeafValue({}, leaf, 0, ':');
}

// A number from the file; "nan", "inf" and overflowing numbers are no
// measured values and read as 0, like unreadable text.
double zahl(std::string_view text) {
    const double d = nrvNumbers::parseDouble(text);
    return std::isfinite(d) ? d : 0.0;
}

int ganzzahl(const CNode& node, std::string_view leaf) {
    return nrvNumbers::parseInt(wert(node, leaf));
}

bool hatLeaf(const CNode& node, std::string_view leaf) {
    return node.FindLeaf(leaf) != nullptr;
}

// The fields of a ';'-list: field i is what nrvStrUtil::GetSubStr(text, i + 1,
// ';') gives, split in one pass so that long lists stay linear.
std::vector<std::string> felder(const std::string& text) {
    return nrvStrUtil::separatedStringToVector(text, kListenTrenner);
}

const std::string& feld(const std::vector<std::string>& liste, std::size_t i) {
    static const std::string leer;
    return i < liste.size() ? liste[i] : leer;
}

// Text of the first of two leaves that exists (the leaf a version writes, then
// the one of the other version).
std::string wertOderAlternative(const CNode& node, std::string_view zuerst,
                                std::string_view sonst) {
    return hatLeaf(node, zuerst) ? wert(node, zuerst) : wert(node, sonst);
}

// --- writing helpers -----------------------------------------------------------

// A ';'-list built point by point. Appending at the running index gives the
// same text as nrvStrUtil::SetSubStr(text, index, ';', value) with index =
// number of values + 1 (the values never hold a ';'), in linear time.
class Liste {
public:
    void add(std::string_view wert) {
        if (m_anzahl++ > 0) m_text += kListenTrenner;
        m_text += wert;
    }
    const std::string& text() const { return m_text; }
    int anzahl() const { return m_anzahl; }

private:
    std::string m_text;
    int m_anzahl = 0;
};

double endlich(double v) {
    return std::isfinite(v) ? v : 0.0;
}

bool schreibeKlappenstellung(CNode& nennweite, const UserKlappenstellung& k, int version) {
    auto node = std::make_unique<CNode>("KLAPPENSTELLUNG");
    node->AddLeaf("REG", k.bezeichnung);
    node->AddLeaf("EINH", k.einheit);
    node->AddLeaf("INTP", k.interpolierbar ? 1 : 0);
    node->AddLeaf("STP", endlich(k.schrittweite));
    const bool hatKurve = schreibeUserArmKurve(*node, k.kurve, version);
    if (!hatKurve && k.bezeichnung.empty()) return false;
    nennweite.AddChild(std::move(node));
    return true;
}

bool schreibeNennweite(CNode& reihe, const UserModellreihe& r, const UserNennweite& w,
                       int version) {
    auto node = std::make_unique<CNode>("NENNWEITE");
    node->AddLeaf("REC", r.rechteckig ? 1 : 0);
    node->AddLeaf("DN", w.bezeichnung);
    node->AddLeaf("KVS", endlich(w.kvs));
    node->AddLeaf("ART", w.artikelNr);
    bool hatStellung = false;
    for (const UserKlappenstellung& k : w.klappenstellungen)
        hatStellung = schreibeKlappenstellung(*node, k, version) || hatStellung;
    // A size of a series with damper positions whose positions are not entered
    // yet keeps the series' flag through an empty position node.
    const bool mitMarke = !hatStellung && r.mitKlappenstellungen;
    if (mitMarke) node->AddChild("KLAPPENSTELLUNG");
    const bool hatKurve = schreibeUserArmKurve(*node, w.kurve, version);
    if (!hatStellung && !hatKurve && w.bezeichnung.empty() && w.artikelNr.empty()) return false;
    reihe.AddChild(std::move(node));
    return true;
}

bool schreibeModellreihe(CNode& root, const UserModellreihe& r, int version) {
    auto node = std::make_unique<CNode>("MODELLREIHE");
    node->AddLeaf("BEZ", r.bezeichnung);
    node->AddLeaf("GEW", getGewerkeKrzlFromTyp(r.armaturenTyp));
    node->AddLeaf("ETYP", r.armaturenTyp);
    bool hatNennweite = false;
    for (const UserNennweite& w : r.nennweiten)
        hatNennweite = schreibeNennweite(*node, r, w, version) || hatNennweite;
    if (!hatNennweite && r.bezeichnung.empty()) return false;
    root.AddChild(std::move(node));
    return true;
}

// --- reading the parts ---------------------------------------------------------

UserKlappenstellung leseKlappenstellung(const CNode& node, int version) {
    UserKlappenstellung k;
    k.bezeichnung = wert(node, "REG");
    k.einheit = wert(node, "EINH");
    k.interpolierbar = ganzzahl(node, "INTP") != 0;
    k.schrittweite = zahl(wert(node, "STP"));
    leseUserArmKurve(node, k.kurve, version);
    return k;
}

// `klappen` is set when the size holds a damper position node (the series'
// flag).
UserNennweite leseNennweite(const CNode& node, int version, bool& klappen) {
    UserNennweite w;
    w.bezeichnung = wert(node, "DN");
    w.kvs = zahl(wert(node, "KVS"));
    w.artikelNr = wert(node, "ART");
    for (const auto& item : node.Items()) {
        if (!item->IsNode() || item->GetName() != "KLAPPENSTELLUNG") continue;
        klappen = true;
        const auto& stellung = static_cast<const CNode&>(*item);
        if (stellung.Items().empty()) continue;  // only the series' mark
        w.klappenstellungen.push_back(leseKlappenstellung(stellung, version));
    }
    leseUserArmKurve(node, w.kurve, version);
    return w;
}

bool gleichOhneGrossKlein(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

}  // namespace

// --- model ---------------------------------------------------------------------

std::string getGewerkeKrzlFromTyp(double typ) {
    constexpr double tol = 1e-10;
    auto zwischen = [typ](double von, double bis) { return typ >= von - tol && typ <= bis + tol; };
    if (zwischen(4444, 4461)) return "HT";
    if (zwischen(5555, 5574)) return "PW";
    if (zwischen(6666, 6676)) return "VE";
    return {};
}

std::string UserNennweite::bezeichnungDN(int dn) {
    return "DN " + nrvNumbers::formatI(dn);
}

std::string UserNennweite::bezeichnungRechteck(int a, int b) {
    return "a=" + nrvNumbers::formatI(a) + " b=" + nrvNumbers::formatI(b);
}

bool UserHersteller::inhaltGleich(const UserHersteller& other) const {
    return name == other.name && version == other.version && modellreihen == other.modellreihen;
}

// --- writing -------------------------------------------------------------------

bool punktWirdGeschrieben(const UserKurvenPunkt& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && !(p.x < 0.0) && !(p.y < 0.0);
}

std::string einstFuerListe(std::string einst) {
    std::replace(einst.begin(), einst.end(), kListenTrenner, ',');
    return einst;
}

std::string formatUserArmZahl(double value) {
    // Small positive values keep eight decimals; "not above -3" also holds
    // for every negative value, whose logarithm is not a number.
    const bool klein = value != 0.0 && !(value > 0.0 && std::log10(value) > -3.0);
    return klein ? nrvNumbers::format("%.8f", value) : nrvNumbers::formatF(value);
}

bool schreibeUserArmKurve(CNode& parent, const UserKurve& kurve, int version) {
    const bool mitWirkdruck = version >= 2;
    Liste xs, ys, einst, wirk;
    bool hatEinst = false;
    for (const UserKurvenPunkt& p : kurve.punkte) {
        if (!punktWirdGeschrieben(p)) continue;
        xs.add(formatUserArmZahl(p.x));
        ys.add(formatUserArmZahl(p.y));
        const std::string label = einstFuerListe(p.einst);
        hatEinst = hatEinst || !label.empty();
        einst.add(label);
        if (mitWirkdruck) wirk.add(formatUserArmZahl(endlich(p.dpWirk)));
    }
    if (xs.anzahl() == 0) return false;
    CNode* node = parent.AddChild("KURVE");
    node->AddLeaf("INTP", kurve.interpolierbar ? 1 : 0);
    node->AddLeaf(mitWirkdruck ? "X" : "VOL", xs.text());
    node->AddLeaf(mitWirkdruck ? "Y" : "DP", ys.text());
    node->AddLeaf("EINST", hatEinst ? std::string_view(einst.text()) : std::string_view());
    if (wirk.anzahl() > 0) node->AddLeaf("DPWIRK", wirk.text());
    return true;
}

std::unique_ptr<CNode> baueUserArmBaum(const UserHersteller& hersteller) {
    auto root = std::make_unique<CNode>("KURVEN");
    root->AddLeaf("VERSION", hersteller.version);
    root->AddLeaf("HERST", hersteller.name);
    bool hatReihe = false;
    for (const UserModellreihe& r : hersteller.modellreihen)
        hatReihe = schreibeModellreihe(*root, r, hersteller.version) || hatReihe;
    if (!hatReihe && hersteller.name.empty()) return nullptr;
    return root;
}

bool schreibeUserArmDatei(const UserHersteller& hersteller, const std::string& pfad) {
    const auto root = baueUserArmBaum(hersteller);
    return root && root->WriteToFile(pfad, false, true, true, 0, ':');
}

// --- reading -------------------------------------------------------------------

bool gewerkZugelassen(std::string_view gewerk, int blattFilter) {
    if (gewerk.empty()) return true;
    for (std::string_view bekannt : {"HT", "PW", "VE"}) {
        if (gleichOhneGrossKlein(gewerk, bekannt)) return true;
    }
    return blattFilter == 2 || blattFilter == 17 || blattFilter == -1;
}

bool modellreiheAngeboten(const CNode& reihe, int armaturenTyp, int blattFilter) {
    if (!gewerkZugelassen(wert(reihe, "GEW"), blattFilter)) return false;
    return armaturenTyp < 0 || ganzzahl(reihe, "ETYP") == armaturenTyp;
}

std::vector<const CNode*> findeModellreihen(const CNode& root, int armaturenTyp, int blattFilter) {
    std::vector<const CNode*> out;
    for (const auto& item : root.Items()) {
        if (!item->IsNode() || item->GetName() != "MODELLREIHE") continue;
        const auto& reihe = static_cast<const CNode&>(*item);
        if (modellreiheAngeboten(reihe, armaturenTyp, blattFilter)) out.push_back(&reihe);
    }
    return out;
}

std::string leseHerstellerName(const CNode& root) {
    return wert(root, "HERST");
}

int leseUserArmVersion(const CNode& root) {
    return ganzzahl(root, "VERSION");
}

bool leseUserArmKurve(const CNode& node, UserKurve& kurve, int version) {
    kurve = UserKurve{};
    const CNode* k = node.GetName() == "KURVE" ? &node : node.FindChild("KURVE");
    if (k == nullptr) return false;
    kurve.interpolierbar = ganzzahl(*k, "INTP") != 0;
    const bool neu = version >= 2;
    const std::string xText =
        neu ? wertOderAlternative(*k, "X", "VOL") : wertOderAlternative(*k, "VOL", "X");
    const std::string yText =
        neu ? wertOderAlternative(*k, "Y", "DP") : wertOderAlternative(*k, "DP", "Y");
    const auto xs = felder(xText);
    const auto ys = felder(yText);
    const auto einst = felder(wert(*k, "EINST"));
    // Effective pressures belong to version 2; an unknown version takes them
    // wherever they are.
    const auto wirk =
        (version < 0 || neu) ? felder(wert(*k, "DPWIRK")) : std::vector<std::string>{};
    // The points end at the first position that holds neither x nor y (a
    // list's trailing ';' adds no point).
    for (std::size_t i = 0; !feld(xs, i).empty() || !feld(ys, i).empty(); ++i) {
        kurve.punkte.push_back(
            {zahl(feld(xs, i)), zahl(feld(ys, i)), zahl(feld(wirk, i)), feld(einst, i)});
    }
    return true;
}

UserModellreihe leseModellreihe(const CNode& reihe, int version) {
    UserModellreihe r;
    r.bezeichnung = wert(reihe, "BEZ");
    r.armaturenTyp = ganzzahl(reihe, "ETYP");
    bool recGelesen = false;
    for (const auto& item : reihe.Items()) {
        if (!item->IsNode() || item->GetName() != "NENNWEITE") continue;
        const auto& node = static_cast<const CNode&>(*item);
        // The flag is the series'; every size repeats it, the first one counts.
        if (!recGelesen) r.rechteckig = ganzzahl(node, "REC") != 0;
        recGelesen = true;
        r.nennweiten.push_back(leseNennweite(node, version, r.mitKlappenstellungen));
    }
    return r;
}

bool leseUserArmBaum(const CNode& root, UserHersteller& hersteller) {
    if (root.GetName() != "KURVEN") return false;
    hersteller.name = leseHerstellerName(root);
    hersteller.version = leseUserArmVersion(root);
    hersteller.modellreihen.clear();
    for (const CNode* reihe : findeModellreihen(root, -1, -1))
        hersteller.modellreihen.push_back(leseModellreihe(*reihe, hersteller.version));
    return true;
}

bool leseUserArmDatei(const std::string& pfad, UserHersteller& hersteller) {
    const auto root = TreeItems::ReadFromFile(pfad);
    UserHersteller gelesen;
    if (!root || !leseUserArmBaum(*root, gelesen)) return false;
    gelesen.dateipfad = pfad;
    gelesen.geaendert = false;
    hersteller = std::move(gelesen);
    return true;
}

}  // namespace nrvUserArmaturen
