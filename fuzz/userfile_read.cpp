// User valve files from outside. Whatever reads as a user valve file is
// written and read again: the result must be the manufacturer as the writer's
// rules keep it (checked against an independent statement of those rules),
// a second round must change nothing, and the user valve models built from
// the written tree must equal those built from the editing model.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "kavex/platform/numbers.h"
#include "kavex/platform/treestore.h"
#include "kavex/uservalves/userfile.h"
#include "kavex/uservalves/userfile_modell.h"

using namespace nrvUserArmaturen;

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

double wieGeschrieben(double v) {
    return nrvNumbers::parseDouble(formatUserArmZahl(v));
}

// The curve as the file keeps it: measured points only, numbers as formatted,
// effective pressures only from version 2 on; no point left means no curve.
UserKurve kurveWieGeschrieben(const UserKurve& k, int version) {
    UserKurve out{k.interpolierbar, {}};
    for (const UserKurvenPunkt& p : k.punkte) {
        if (!punktWirdGeschrieben(p)) continue;
        out.punkte.push_back({wieGeschrieben(p.x), wieGeschrieben(p.y),
                              version >= 2 ? wieGeschrieben(p.dpWirk) : 0.0,
                              einstFuerListe(p.einst)});
    }
    return out.punkte.empty() ? UserKurve{} : out;
}

// Sizes, positions and series without content and without designation go;
// the series' flags live in its sizes.
UserHersteller wieGeschrieben(const UserHersteller& h) {
    UserHersteller out{h.name, {}, true, h.version, {}};
    for (const UserModellreihe& r : h.modellreihen) {
        UserModellreihe nr{r.bezeichnung, r.armaturenTyp, false, false, {}};
        for (const UserNennweite& w : r.nennweiten) {
            UserNennweite nw{w.bezeichnung,
                             nrvNumbers::parseDouble(nrvNumbers::formatF(w.kvs)),
                             w.artikelNr,
                             {},
                             kurveWieGeschrieben(w.kurve, h.version)};
            for (const UserKlappenstellung& k : w.klappenstellungen) {
                UserKlappenstellung nk{k.bezeichnung, k.einheit, k.interpolierbar,
                                       nrvNumbers::parseDouble(nrvNumbers::formatF(k.schrittweite)),
                                       kurveWieGeschrieben(k.kurve, h.version)};
                if (nk.bezeichnung.empty() && nk.kurve.punkte.empty()) continue;
                nw.klappenstellungen.push_back(nk);
            }
            if (nw.klappenstellungen.empty() && nw.kurve.punkte.empty() && nw.bezeichnung.empty() &&
                nw.artikelNr.empty()) {
                continue;
            }
            nr.mitKlappenstellungen =
                nr.mitKlappenstellungen || r.mitKlappenstellungen || !nw.klappenstellungen.empty();
            nr.rechteckig = r.rechteckig;
            nr.nennweiten.push_back(nw);
        }
        if (nr.nennweiten.empty() && nr.bezeichnung.empty()) continue;
        out.modellreihen.push_back(nr);
    }
    return out;
}

std::string textOf(const CNode& node) {
    std::string text;
    require(node.WriteToString(text));
    return text;
}

// Writes and reads back; false when the writer makes no file.
bool runde(const UserHersteller& h, UserHersteller& gelesen, std::string& text) {
    const auto baum = baueUserArmBaum(h);
    if (!baum) return false;
    text = textOf(*baum);
    const auto wieder = TreeItems::ReadFromString(text);
    require(wieder != nullptr);
    require(leseUserArmBaum(*wieder, gelesen));
    return true;
}

void modelleVergleichen(const UserHersteller& h, const std::string& text) {
    const auto root = TreeItems::ReadFromString(text);
    const auto reihen = findeModellreihen(*root, -1, -1);
    require(reihen.size() == h.modellreihen.size());
    for (std::size_t i = 0; i < reihen.size(); ++i) {
        nrvUserArmaturenModell ausBaum, ausModell;
        erzeugeUserArmaturenModell(*root, *reihen[i], ausBaum);
        erzeugeUserArmaturenModell(h, h.modellreihen[i], ausModell);
        require(ausBaum.isEqual(ausModell));
        require(ausBaum.getSize() == static_cast<int>(h.modellreihen[i].nennweiten.size()));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto tree = TreeItems::ReadFromString(input);
    if (!tree) return 0;
    for (int blatt : {-1, 2, 3})
        (void)findeModellreihen(*tree, 4447, blatt);

    UserHersteller gelesen;
    if (!leseUserArmBaum(*tree, gelesen)) return 0;
    const UserHersteller erwartet = wieGeschrieben(gelesen);

    UserHersteller einmal;
    std::string text1;
    if (!runde(gelesen, einmal, text1)) {
        require(erwartet.name.empty() && erwartet.modellreihen.empty());
        return 0;
    }
    require(einmal.inhaltGleich(erwartet));

    // The first round may still round numbers (a value just above 0.001
    // comes back as 0.001 and is then written with eight decimals); from then
    // on nothing changes.
    UserHersteller zweimal;
    std::string text2;
    require(runde(einmal, zweimal, text2));
    require(zweimal.inhaltGleich(einmal));

    modelleVergleichen(einmal, text2);
    return 0;
}
