// Pump files from outside. Whatever reads as a pump file must survive the
// curve operations, write a text that reads again, and that text must give
// exactly the catalogue the writer's rules keep: every number as printed
// ("%g" for curve points, "%f" for the others) and read back, a curve cut
// where a printed pair reads as (≤ 0, ≤ 0), curves ordered again. Reading the
// input a second time doubles its pumps.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzzsupport.h"
#include "kavex/platform/numbers.h"
#include "kavex/pumps/pumpenmanager.h"

namespace {

using kavexfuzz::require;

double wieGeschriebenF(double v) {
    return nrvNumbers::parseDouble(nrvNumbers::formatF(v));
}

bool gleich(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// The curve as the file keeps it.
void kurveWieGeschrieben(const nrvPumpenKennlinie& k, nrvPumpenKennlinie& out) {
    out.setKennlinienNr(k.getKennlinienNr());
    out.setDrehzahl(k.getDrehzahl());
    const CLinearInterpolation& punkte = k.getKennlinie();
    for (std::size_t i = 0; i < punkte.getSize(); ++i) {
        const double v =
            nrvNumbers::parseDouble(nrvNumbers::formatG(punkte.GetAtXArray(i) * 3600000.0));
        const double d = nrvNumbers::parseDouble(nrvNumbers::formatG(punkte.GetAtYArray(i) * 0.01));
        if (v <= 0.0 && d <= 0.0) break;
        out.getKennlinie().Add(v * nrvPumpenKennlinie::LiterProStundeZuKubikmeterProSekunde,
                               d * nrvPumpenKennlinie::MbarZuPascal);
    }
}

void pumpeWieGeschrieben(const nrvPumpe& p, nrvPumpe& out) {
    out.setName(p.getName());
    out.setArticleNumber(p.getArticleNumber());
    out.setBildDatei(p.getBildDatei());
    out.setDatenblatt(p.getDatenblatt());
    out.setRegelungTypIntern(p.getRegelungTypIntern());
    out.setDN(p.getDN());
    out.setAnschluss(p.getAnschluss());
    out.setDruckZul(wieGeschriebenF(p.getDruckZulMin()), wieGeschriebenF(p.getDruckZulMax()));
    out.setTemperaturen(wieGeschriebenF(p.getTempMin()), wieGeschriebenF(p.getTempMax()),
                        wieGeschriebenF(p.getTempKurzzeitig()));
    out.setPN(wieGeschriebenF(p.getPN()));
    out.setSpannung(p.getSpannung());
    for (const auto& k : p.getKennlinien())
        kurveWieGeschrieben(*k, *out.addKennlinie());
    nrvPumpenManager::macheKennlinieReihnfolgeRichtig(&out);
}

void pumpenGleich(const nrvPumpe& a, const nrvPumpe& b) {
    require(a.getName() == b.getName() && a.getArticleNumber() == b.getArticleNumber());
    require(a.getBildDatei() == b.getBildDatei() && a.getDatenblatt() == b.getDatenblatt());
    require(a.getRegelungTyp() == b.getRegelungTyp() && a.isDezentral() == b.isDezentral());
    require(a.getDN() == b.getDN() && a.getAnschluss() == b.getAnschluss());
    require(gleich(a.getDruckZulMin(), b.getDruckZulMin()));
    require(gleich(a.getDruckZulMax(), b.getDruckZulMax()));
    require(gleich(a.getTempMin(), b.getTempMin()) && gleich(a.getTempMax(), b.getTempMax()));
    require(gleich(a.getTempKurzzeitig(), b.getTempKurzzeitig()));
    require(gleich(a.getPN(), b.getPN()) && a.getSpannung() == b.getSpannung());
    require(a.getAnzKennlinien() == b.getAnzKennlinien());
    for (int i = 0; i < a.getAnzKennlinien(); ++i) {
        const nrvPumpenKennlinie& ka = *a.getStatischeKennlinie(i);
        const nrvPumpenKennlinie& kb = *b.getStatischeKennlinie(i);
        require(ka.getKennlinienNr() == kb.getKennlinienNr());
        require(ka.getDrehzahl() == kb.getDrehzahl());
        require(ka.getAnzWertePaare() == kb.getAnzWertePaare());
        for (std::size_t j = 0; j < ka.getKennlinie().getSize(); ++j) {
            require(gleich(ka.getKennlinie().GetAtXArray(j), kb.getKennlinie().GetAtXArray(j)));
            require(gleich(ka.getKennlinie().GetAtYArray(j), kb.getKennlinie().GetAtYArray(j)));
        }
    }
}

void katalogGleich(const nrvPumpenHersteller& gelesen, const nrvPumpenHersteller& wieder) {
    require(gelesen.getName() == wieder.getName() && gelesen.getID() == wieder.getID());
    require(gelesen.getSerien().size() == wieder.getSerien().size());
    for (std::size_t s = 0; s < gelesen.getSerien().size(); ++s) {
        const nrvPumpenSerie& sa = *gelesen.getSerien()[s];
        const nrvPumpenSerie& sb = *wieder.getSerien()[s];
        require(sa.getName() == sb.getName() && sa.getEinsatzBereich() == sb.getEinsatzBereich());
        require(sa.getPumpen().size() == sb.getPumpen().size());
        for (std::size_t p = 0; p < sa.getPumpen().size(); ++p) {
            nrvPumpe erwartet;
            pumpeWieGeschrieben(*sa.getPumpen()[p], erwartet);
            pumpenGleich(erwartet, *sb.getPumpen()[p]);
        }
    }
}

// The operations of the network calculation and the dialogs must cope with
// any curve: no crash, no endless walk.
void rechnen(const nrvPumpe& p) {
    const double mitte = 50.0 * (p.getDruckZulMin() + p.getDruckZulMax());
    CLinearInterpolation max, min;
    for (int prop = 0; prop <= 1; ++prop) {
        p.getRegelkennlinie(mitte, prop, max, min, 1, 1);
        p.getRegelkennlinie(p.getDruckZulMax() * 100.0, prop, max, 1);
    }
    for (const auto& k : p.getKennlinien()) {
        (void)k->getKennlinieName();
        if (k->getAnzWertePaare() == 0) continue;
        const Netzpunkt netz{"Netz", 0.0, 0.5 * k->getMaxVolumenstrom(), k->getMaxForderHoehe()};
        (void)p.findSchnittPktBetriebsPktProp_Pa(netz);
        (void)p.isBetriebsPktImIntervall(netz, 1);
    }
    (void)p.bCheckPumpe();
}

std::size_t pumpenZahl(const nrvPumpenHersteller& h) {
    std::size_t n = 0;
    for (const auto& s : h.getSerien())
        n += s->getPumpen().size();
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    nrvPumpenManager erst;
    nrvPumpenHersteller* gelesen = erst.read("", input);
    if (gelesen == nullptr) {
        require(erst.getHersteller().empty());
        return 0;
    }
    for (const auto& s : gelesen->getSerien())
        for (const auto& p : s->getPumpen())
            rechnen(*p);
    std::vector<std::string> fehler;
    (void)erst.checkAllPumpData(fehler);

    nrvPumpenManager zweit;
    const nrvPumpenHersteller* wieder = zweit.read("", erst.write(true));
    require(wieder != nullptr);
    katalogGleich(*gelesen, *wieder);

    const std::size_t pumpen = pumpenZahl(*gelesen);
    require(erst.read("", input) == gelesen && erst.getHersteller().size() == 1);
    require(pumpenZahl(*gelesen) == 2 * pumpen);
    return 0;
}
