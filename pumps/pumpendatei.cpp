// Pump files ("*.PMP"): one manufacturer per file, a tree of the keyed tree
// store with the root "PUMPEN", series "SERIE", pumps "PUMPE" and curves
// "LINIE" (docs/pumps.md). Reading merges into the catalogue; writing builds
// the tree from one manufacturer.

#include <cstdint>

#include "kavex/platform/catalog.h"
#include "kavex/platform/translation.h"
#include "kavex/platform/treestore.h"
#include "kavex/platform/uiservice.h"
#include "kavex/pumps/pumpenmanager.h"

namespace {

constexpr const char* kKommentar = "Hersteller-Pumpendaten mit Kennlinien, technischen Daten";

std::string textVon(const CNode& node, std::string_view name, char sep = ':') {
    const CLeaf* leaf = node.FindLeaf(name);
    return leaf != nullptr ? leaf->GetOnlyValue(sep) : std::string();
}

void lesePumpenDaten(const CNode& node, nrvPumpe& pumpe) {
    if (const CLeaf* l = node.FindLeaf("BEZ")) pumpe.setName(l->GetOnlyValue());
    if (const CLeaf* l = node.FindLeaf("ART")) pumpe.setArticleNumber(l->GetOnlyValue());
    if (const CLeaf* l = node.FindLeaf("BMP")) pumpe.setBildDatei(l->GetOnlyValue());
    // A data sheet path may hold ':' ("C:\..."): read whole, with ';'.
    if (const CLeaf* l = node.FindLeaf("PDF")) pumpe.setDatenblatt(l->GetOnlyValue(';'));
    pumpe.setRegelungTypIntern(textVon(node, "REG"));
    if (const CLeaf* l = node.FindLeaf("DN")) pumpe.setDN(l->GetOnlyValueI());
    if (const CLeaf* l = node.FindLeaf("DNBEZ")) pumpe.setAnschluss(l->GetOnlyValue());
    // Values a shorter leaf lacks keep the initial values (GetNextValue
    // behind the last value stores nothing).
    if (const CLeaf* l = node.FindLeaf("DPZUL")) {
        double dpMin = pumpe.getDruckZulMin(), dpMax = pumpe.getDruckZulMax();
        l->GetFirstValue(dpMin);
        l->GetNextValue(dpMax);
        pumpe.setDruckZul(dpMin, dpMax);
    }
    if (const CLeaf* l = node.FindLeaf("TZUL")) {
        double tMin = pumpe.getTempMin(), tMax = pumpe.getTempMax(),
               tKurz = pumpe.getTempKurzzeitig();
        l->GetFirstValue(tMin);
        l->GetNextValue(tMax);
        l->GetNextValue(tKurz);
        pumpe.setTemperaturen(tMin, tMax, tKurz);
    }
    if (const CLeaf* l = node.FindLeaf("DAT")) {
        double pn = pumpe.getPN();
        std::string spannung = pumpe.getSpannung();
        l->GetFirstValue(pn);
        l->GetNextValue(spannung);
        pumpe.setPN(pn);
        pumpe.setSpannung(std::move(spannung));
    }
}

void leseLinie(const CNode& node, nrvPumpenKennlinie& linie) {
    const CLeaf* dat = node.FindLeaf("DAT");
    int nummer = linie.getKennlinienNr(), drehzahl = linie.getDrehzahl();
    double unbenutzt = 0.0;  // two values kept for older readers, always 0
    dat->GetFirstValue(nummer);
    dat->GetNextValue(unbenutzt);
    dat->GetNextValue(unbenutzt);
    dat->GetNextValue(drehzahl);
    linie.setKennlinienNr(nummer);
    linie.setDrehzahl(drehzahl);
    linie.readFromString(textVon(node, "VOL"), textVon(node, "DPP"));
    const CLeaf* pkt = node.FindLeaf("PKT");
    const CLeaf* fak = node.FindLeaf("FAK");
    if (pkt != nullptr || fak != nullptr)
        linie.readHilfswerte(pkt ? pkt->GetOnlyValue() : "", fak ? fak->GetOnlyValue() : "");
}

void lesePumpe(const CNode& node, nrvPumpenSerie& serie) {
    nrvPumpe* pumpe = serie.addPumpe();
    lesePumpenDaten(node, *pumpe);
    for (const CNode* l = node.FindChild("LINIE"); l != nullptr; l = node.FindChild("LINIE", l)) {
        if (l->FindLeaf("DAT") && l->FindLeaf("VOL") && l->FindLeaf("DPP"))
            leseLinie(*l, *pumpe->addKennlinie());
    }
    nrvPumpenManager::macheKennlinieReihnfolgeRichtig(pumpe);
}

void leseSerie(const CNode& node, nrvPumpenHersteller& hersteller) {
    const CLeaf* bez = node.FindLeaf("BEZ");
    if (bez == nullptr) return;
    const std::string name = bez->GetOnlyValue();
    nrvPumpenSerie* serie = hersteller.contains(name);
    if (serie == nullptr) {
        serie = hersteller.addSerie();
        serie->setName(name);
    }
    if (const CLeaf* eb = node.FindLeaf("EB"))
        serie->setEinsatzBereich(static_cast<enEinsatzBereich>(eb->GetOnlyValueI()));
    for (const CNode* p = node.FindChild("PUMPE"); p != nullptr; p = node.FindChild("PUMPE", p)) {
        if (p->FindLeaf("REG") != nullptr) lesePumpe(*p, *serie);
    }
}

// A leaf of several values; doubles are written "%f", ints "%i".
template <typename Erster, typename... Weitere>
void werteLeaf(CNode& node, const char* name, Erster erster, Weitere... weitere) {
    CLeaf* leaf = node.AddLeaf(name, nullptr);
    CLeaf::InitSetValues(':');
    leaf->SetFirstValue(erster);
    (leaf->SetNextValue(weitere), ...);
    CLeaf::ExitSetValues();
}

void schreibePumpe(const nrvPumpe& pumpe, CNode& node) {
    node.AddLeaf("BEZ", pumpe.getName());
    node.AddLeaf("ART", pumpe.getArticleNumber());
    node.AddLeaf("BMP", pumpe.getBildDatei());
    node.AddLeaf("PDF", pumpe.getDatenblatt());
    node.AddLeaf("REG", pumpe.getRegelungTypIntern());
    node.AddLeaf("DN", pumpe.getDN());
    node.AddLeaf("DNBEZ", pumpe.getAnschluss());
    werteLeaf(node, "DPZUL", pumpe.getDruckZulMin(), pumpe.getDruckZulMax());
    werteLeaf(node, "TZUL", pumpe.getTempMin(), pumpe.getTempMax(), pumpe.getTempKurzzeitig());
    werteLeaf(node, "DAT", pumpe.getPN(), std::string_view(pumpe.getSpannung()));
    for (const auto& k : pumpe.getKennlinien()) {
        CNode* linie = node.AddChild("LINIE");
        werteLeaf(*linie, "DAT", k->getKennlinienNr(), 0.0, 0.0, k->getDrehzahl());
        std::string vol, dpp;
        k->writeToString(vol, dpp);
        linie->AddLeaf("VOL", vol);
        linie->AddLeaf("DPP", dpp);
    }
}

}  // namespace

nrvPumpenHersteller* nrvPumpenManager::read(const std::string& path, std::string_view contents) {
    const std::unique_ptr<CNode> root =
        path.empty() ? TreeItems::ReadFromString(contents) : TreeItems::ReadFromFile(path);
    if (!root || root->GetName() != "PUMPEN" || root->FindLeaf("VERSION") == nullptr ||
        root->FindLeaf("HERSTELLER") == nullptr || root->FindLeaf("MMD") == nullptr) {
        return nullptr;
    }
    const std::string name = textVon(*root, "HERSTELLER");
    nrvPumpenHersteller* hersteller = contains(name);
    if (hersteller == nullptr) {
        m_hersteller.push_back(std::make_unique<nrvPumpenHersteller>());
        hersteller = m_hersteller.back().get();
        hersteller->setName(name);
        hersteller->setID(textVon(*root, "MMD"));
        hersteller->setPfad(path);
    }
    for (const CNode* s = root->FindChild("SERIE"); s != nullptr; s = root->FindChild("SERIE", s))
        leseSerie(*s, *hersteller);
    return hersteller;
}

std::unique_ptr<CNode> nrvPumpenManager::buildPumpenBaum(const nrvPumpenHersteller& hersteller) {
    auto root = std::make_unique<CNode>("PUMPEN");
    root->AddLeaf("VERSION", "1");
    root->AddLeaf("COMMENT", kKommentar);
    root->AddLeaf("HERSTELLER", hersteller.getName());
    root->AddLeaf("MMD", hersteller.getID());
    for (const auto& s : hersteller.getSerien()) {
        CNode* serie = root->AddChild("SERIE");
        serie->AddLeaf("BEZ", s->getName());
        serie->AddLeaf("EB", static_cast<int>(s->getEinsatzBereich()));
        for (const auto& p : s->getPumpen())
            schreibePumpe(*p, *serie->AddChild("PUMPE"));
    }
    return root;
}

bool nrvPumpenManager::writeToPath(const nrvPumpenHersteller& hersteller, const std::string& path) {
    return buildPumpenBaum(hersteller)->WriteToFile(path, false, true, true, 0, ':');
}

std::string nrvPumpenManager::writeToFile(const nrvPumpenHersteller* hersteller, bool asText) {
    if (hersteller == nullptr) return {};
    if (asText) {
        std::string text;
        buildPumpenBaum(*hersteller)->WriteToString(text, false, false, true, 0, ':');
        return text;
    }
    nrvUi::FileChoice wahl;
    wahl.filter = TranslateText("PMP Dateien (*.PMP)|*.PMP|");
    wahl.defaultExtension = "PMP";
    wahl.initialPath = hersteller->getPfad();
    const std::string pfad = nrvUi::ui().chooseSaveFile(wahl);
    if (!pfad.empty()) writeToPath(*hersteller, pfad);
    return {};
}

std::string nrvPumpenManager::write(bool asText) {
    if (asText)
        return m_hersteller.empty() ? std::string() : writeToFile(m_hersteller.front().get(), true);
    for (const auto& h : m_hersteller)
        writeToFile(h.get(), false);
    return {};
}

void nrvPumpenManager::readAllPumpData(std::string_view kind) {
    nrvUi::WaitCursor warten;
    removeAll();
    const nrvCatalogManager& kataloge = nrvCatalogManager::getInstance();
    for (const nrvCatalogInfoPtr& info : kataloge.getCatalogList(kind)) {
        const std::string mmd = kataloge.ensureMMDLoaded(*info);
        const CNode* beschreibung = info->getOrgInfoRootNode();
        const CLeaf* eintrag = beschreibung ? beschreibung->FindLeaf(kind) : nullptr;
        if (eintrag == nullptr) continue;
        const std::string datei = eintrag->GetOnlyValue(':');
        if (datei.empty()) continue;
        nrvPumpenHersteller* hersteller = read(info->resolvePath(datei));
        if (hersteller != nullptr && hersteller->getID().empty()) hersteller->setID(mmd);
    }
}
