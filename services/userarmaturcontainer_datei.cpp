// Comparison of the project's user valve models with the user valve files:
// a model copied into the project stays as it was assigned, so the host asks
// whether the files have been edited since.

#include <algorithm>
#include <cctype>
#include <cmath>

#include "kavex/platform/numbers.h"
#include "kavex/platform/treestore.h"
#include "kavex/services/userarmaturcontainer.h"
#include "kavex/services/userarmaturcontainer_p.h"
#include "kavex/uservalves/userdoc.h"
#include "kavex/uservalves/userfile.h"

namespace nrvUserArmaturen {

namespace {

using nrvBaseArmaturen::curveNode;

struct Punkt {
    double x = 0.0;
    double y = 0.0;
    std::string einst;
};

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char p, char q) {
               return std::tolower(static_cast<unsigned char>(p)) ==
                      std::tolower(static_cast<unsigned char>(q));
           });
}

std::string leafText(const CNode& node, std::string_view leaf) {
    const CLeaf* l = node.FindLeaf(leaf);
    return l ? l->GetOnlyValue() : std::string();
}

std::string_view trimmed(std::string_view t) {
    while (!t.empty() && std::isspace(static_cast<unsigned char>(t.front())))
        t.remove_prefix(1);
    while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back())))
        t.remove_suffix(1);
    return t;
}

// The first child named `name` whose leaf `leaf` holds `value`.
const CNode* childWith(const CNode& parent, std::string_view name, std::string_view leaf,
                       std::string_view value) {
    for (const CNode* c = parent.FindChild(name); c; c = parent.FindChild(name, c))
        if (trimmed(leafText(*c, leaf)) == trimmed(value)) return c;
    return nullptr;
}

// Damper positions of a size; an empty "KLAPPENSTELLUNG" only marks a size of
// a series with positions whose positions are not entered yet.
int positionCount(const CNode& size) {
    int count = 0;
    for (const CNode* c = size.FindChild("KLAPPENSTELLUNG"); c;
         c = size.FindChild("KLAPPENSTELLUNG", c))
        if (!c->Items().empty()) ++count;
    return count;
}

// The size as the file names it: "a=%d b=%d" for a duct size "300x200"
// (the numbers as they stand), "DN %d" for a nominal size; a size text of
// another form is its own key.
std::string sizeKey(const nrvUserArmatur& valve) {
    const std::string& text = valve.getDimensionsString();
    if (!text.empty()) {
        const auto [low, high] = RnUserArmaturContainer::getValuesFromDimString(text);
        if (low == 0 && high == 0) return text;
        const std::size_t sep = text.find_first_not_of("0123456789");
        const int a = nrvNumbers::parseInt(std::string_view(text).substr(0, sep));
        const int b = low == a ? high : low;
        return UserNennweite::bezeichnungRechteck(a, b);
    }
    if (valve.getDimension() > 0) return UserNennweite::bezeichnungDN(valve.getDimension());
    return {};
}

// Points in a fixed order (x, then y descending), so that a curve sorted
// for the calculation compares with the file's order of entry.
void ordnen(std::vector<Punkt>& punkte) {
    std::sort(punkte.begin(), punkte.end(),
              [](const Punkt& a, const Punkt& b) { return a.x != b.x ? a.x > b.x : a.y > b.y; });
}

// The file holds "%f" (or "%.8f") of what was entered, the curve a float of
// it: the same value differs by the rounding of either.
bool gleich(double a, double b) {
    return std::fabs(a - b) <= 1e-6 + 1e-6 * std::max(std::fabs(a), std::fabs(b));
}

// The valve's curve against a "KURVE" node; `wirkdruck` compares the curve
// with the node's effective pressures instead of its ordinates. A missing
// node matches an empty curve only.
bool kurveGleich(const nrvUserArmatur& valve, int index, const CNode* node, int version,
                 bool wirkdruck) {
    const CKurve& curve = detail::kurve(valve, index);
    UserKurve file;
    if (!node || !leseUserArmKurve(*node, file, version)) return curve.bIsEmpty();
    if (static_cast<std::size_t>(index) < valve.getIsKurvenInterpolierbar().size() &&
        detail::kurveInterpolierbar(valve, index) != file.interpolierbar)
        return false;

    std::vector<Punkt> a;
    for (const curveNode& n : curve.nodes())
        a.push_back({n.x, n.y, n.einst});
    std::vector<Punkt> b;
    for (const UserKurvenPunkt& p : file.punkte)
        if (punktWirdGeschrieben(p))
            b.push_back({p.x, wirkdruck ? p.dpWirk : p.y, einstFuerListe(p.einst)});
    if (a.size() != b.size()) return false;
    ordnen(a);
    ordnen(b);
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!gleich(a[i].x, b[i].x) || !gleich(a[i].y, b[i].y) || a[i].einst != b[i].einst)
            return false;
    return true;
}

bool valveGleich(const nrvUserArmatur& valve, const CNode& reihe, int version, bool regler) {
    const std::string key = sizeKey(valve);
    const CNode* size = key.empty() ? nullptr : childWith(reihe, "NENNWEITE", "DN", key);
    if (!size) return false;
    const std::vector<std::string>& stellungen = valve.getKlappenstellungen();
    const int count = detail::kurvenAnzahl(valve);
    if (positionCount(*size) != static_cast<int>(stellungen.size())) return false;
    if (!stellungen.empty()) {
        if (count != static_cast<int>(stellungen.size())) return false;
        for (int i = 0; i < count; ++i) {
            const CNode* pos =
                childWith(*size, "KLAPPENSTELLUNG", "REG", stellungen[static_cast<std::size_t>(i)]);
            if (!pos || !kurveGleich(valve, i, pos->FindChild("KURVE"), version, false))
                return false;
        }
        return true;
    }
    // Without positions: the size's own curve, and for a flow regulator its
    // effective pressures as the second curve.
    if (count != (regler ? 2 : 1)) return false;
    const CNode* own = size->FindChild("KURVE");
    if (!own || !kurveGleich(valve, 0, own, version, false)) return false;
    return !regler || kurveGleich(valve, 1, own, version, true);
}

}  // namespace

bool RnUserArmaturContainer::compareModel(const UserArmaturenModell& record, const CNode& reihe,
                                          int version) const {
    const bool regler = record.typ == nrvBaseArmaturen::enHzDFR ||
                        record.getArm().getUserArmType() == nrvBaseArmaturen::enHzDFR;
    for (const nrvUserArmatur* valve : record.getArm().getUserArmaturen())
        if (!valveGleich(*valve, reihe, version, regler)) return false;
    return true;
}

bool RnUserArmaturContainer::compareContainerWithFile(const CUserDoc* doc) const {
    if (!doc || !doc->getRoot()) return true;
    const CNode& root = *doc->getRoot();
    const CLeaf* herst = root.FindLeaf("HERST");
    if (!herst) return true;
    std::string manufacturer;
    herst->GetFirstValue(manufacturer, ':');
    // Files of the first program versions carry no version and are not compared.
    const bool versioned = root.FindLeaf("VERSION") != nullptr;
    const int version = leseUserArmVersion(root);

    for (int i = getUserCountTotal(); i-- > 0;) {
        const UserArmaturenModell& record = *getAtUserTotal(i);
        const nrvUserArmaturenModell& model = record.getArm();
        if (!equalsIgnoringCase(model.getManufacturer(), manufacturer)) continue;
        const CNode* reihe = childWith(root, "MODELLREIHE", "BEZ", model.getModelType());
        if (!reihe || !versioned) continue;
        if (!compareModel(record, *reihe, version)) return false;
    }
    return true;
}

std::vector<std::string> RnUserArmaturContainer::compareContainerWithFiles(
    const std::string& directory) const {
    CUserData& list = CUserData::instance();
    std::vector<std::string> changed;
    if (list.loadAll(directory) < 0) return changed;
    const auto& docs = list.getDocuments();
    for (std::size_t i = docs.size(); i-- > 0;)
        if (!compareContainerWithFile(docs[i].get())) changed.push_back(docs[i]->getPath());
    return changed;
}

}  // namespace nrvUserArmaturen
