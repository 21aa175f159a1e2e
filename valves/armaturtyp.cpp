#include "kavex/valves/armaturtyp.h"

#include <algorithm>
#include <initializer_list>

#include "kavex/platform/translation.h"

namespace nrvBaseArmaturen {

namespace {

struct CatalogueType {
    int value;
    const char* text;
    const char* className;  // "" when the type has no valve class yet
    bool notSupportedSuffix;
};

// clang-format off
const CatalogueType kCatalogueTypes[] = {
    {0, "Undefinierter Armaturtyp", "", false},
    {201, "Ventilgehäuse für Thermostatventil/ Verteilergehäuse für Ventilgarnitur", "nrvArmaturTHKV", false},
    {202, "Voreinstellbare und nicht voreinstellbare Verschraubung (z.B. Rücklaufverschraubung)", "nrvArmaturDross", false},
    {203, "Einrohr-Anschlussverschraubung für Ventil-Heizkörper", "nrvArmaturEAV", false},
    {204, "Manuelles Strangregulierventil", "nrvArmaturDross", false},
    {205, "Differenzdruckregler", "nrvArmaturDDR", false},
    {206, "Überströmregler", "", false},
    {207, "Durchflussregler", "nrvArmaturDFR", false},
    {208, "Differenzdruckregler mit Durchflussregler", "nrvArmaturDDRDFR", false},
    {209, "Differenzdruckregler mit Durchflussbegrenzung (Hubbegrenzung)", "nrvArmaturDDR", false},
    {210, "Differenzdruckregler und Durchflussbegrenzer", "nrvArmaturDDRDFR", false},
    {211, "Festwiderstand ( z.B. Absperrarmatur )", "nrvArmatur", false},
    {212, "Ventilgehäuse für Thermostatventil mit Durchflussbegrenzung", "nrvArmaturTHKVDFR", false},
    {213, "Regelarmaturen mit Antrieb (z.B. 3-Wege-Mischer)", "nrvArmaturRegelventil", false},
    {214, "Druckunabhängiges Regelventil", "nrvArmaturDFR", false},
    {215, "Rückschlagventil", "nrvArmaturRSV", false},
    {216, "Zähleinrichtungen", "", true},
    {217, "Messeinrichtungen", "", true},
    {218, "Sechs-Wege-Regelungsarmaturen", "nrvArmaturSechsWegeRegelarmatur", false},
    {219, "Sicherheitsventil", "", true},
    {220, "Elektronisches druckunabhängiges Regelventil", "nrvArmaturDFR", false},
    {221, "Sechs-Wege-Regelarmaturen mit Durchflussregelung", "nrvArmaturSechsWegeRegelarmaturMitDFR", false},
    {1701, "Festwiderstand", "nrvArmatur", false},
    {1702, "Manuelle Drosselarmatur", "nrvArmaturDross", false},
    {1703, "Automatische Drosselarmatur", "nrvArmaturThermoDross", false},
    {1704, "Entnahmearmatur", "nrvArmaturEA", false},
    {1705, "Entnahmearmatur mit RFV", "nrvArmaturEA", false},
    {1706, "Rückflussverhinderer, inkl. KFR-Ventile und Sicherheitsgruppen", "nrvArmaturSicherung", false},
    {1707, "Rohrtrenner", "nrvArmaturSicherung", false},
    {1708, "Druckminderer", "nrvArmaturDruckminderer", false},
    {1709, "Zähleinrichtungen", "nrvArmaturZaehler", false},
    {1710, "Messeinrichtungen", "", false},
    {1711, "Überströmventile", "", false},
    {1712, "Sicherheitsventile", "", false},
    {1713, "Ringleitungsarmaturen", "nrvArmaturVenturi", false},
    {1714, "Regelungsarmaturen mit Antrieb", "", false},
    {1722, "Elektronische Regulierarmaturen", "nrvArmaturElektroDross", false},
};

struct HostKind {
    int kind;
    const char* text;
    const char* typeKey;
    std::initializer_list<en700ArmaturTyp> served;
    std::initializer_list<en700ArmaturTyp> widened;
};

const HostKind kHostKinds[] = {
    {4445, "Allgemeine Armaturen", "VENTIL", {en700Festwiderstand}, {en700THKV, en700Verschraubung, en700Strangregulierventil}},
    {4446, "Thermostatventil", "DROSSELARMATURTHKV", {en700THKV, en700THKVmitDFB}, {en700Verschraubung, en700Strangregulierventil}},
    {4447, "Rücklaufverschraubung", "DROSSELARMATURRLV", {en700Verschraubung}, {en700Strangregulierventil, en700THKV}},
    {4448, "Strangregulierventil (Drossel)", "STRANGVENTIL", {en700Strangregulierventil}, {en700Verschraubung}},
    {4449, "Strangregulierventil (Absperrung)", "STRANGVENTIL", {en700Strangregulierventil, en700Festwiderstand}, {en700Verschraubung}},
    {4450, "Differenzdruckregler", "DIFFERENZDRUCKREGLER", {en700DDR}, {}},
    {4451, "Differenzdruckgeber", "DIFFERENZDRUCKGEBER", {en700Strangregulierventil, en700Festwiderstand}, {en700Verschraubung}},
    {4452, "Durchflussregler", "DURCHFLUSSREGLER", {en700DFR, en700DruckunabhRegelventil, en700ElektrDruckunabhRegelventil}, {}},
    {4453, "Dreiwege-Mischarmatur", "MISCHVENTILMIXER", {en700RegelarmaturAntrieb}, {}},
    {4454, "Differenzdruck- und Durchflussregler", "DIFFERENZDRUCKREGLERDFR", {en700DDRmitDFR, en700DDRundDFB}, {}},
    {4455, "Dreiwege-Verteilarmatur", "MISCHVENTILDISTR", {en700RegelarmaturAntrieb}, {}},
    {4456, "Zweiwege-Regelarmatur", "REGELARMATUR", {en700RegelarmaturAntrieb}, {}},
    {4457, "Einrohrverschraubung (mit/ohne THKV)", "DROSSELARMATUR", {en700EinrohrAnschluss}, {}},
    {4458, "Rückschlagventil", "VENTILRUECKSCHLAGVENTIL", {en700Rueckschlagventil}, {}},
    {4459, "Sechs-Wege-Regelarmatur", "VENTILSECHSWEGEVENTIL", {en700SechsWege}, {}},
    {4460, "Sechs-Wege-Regelarmatur mit Durchflussregelung", "DURCHFLUSSREGLERSECHSWEGEVENTIL", {en700SechsWegeMitDFR}, {}},
    {5556, "Allgemeine Armaturen", "nrvAbsperrventil", {en700TwFestwiderstand}, {}},
    {5557, "Strangregulierventil", "StrangregulierventilSTAT", {en700TwManuelleDrossel}, {}},
    {5558, "Thermostatisches Strangregulierventil", "StrangregulierventilTHST", {en700TwAutomatischeDrossel}, {}},
    {5559, "Rückflussverhinderer", "nrvRueckflussverhinderer", {en700TwRueckflussverhinderer}, {}},
    {5560, "Entnahmearmatur", "Verbraucher", {en700TwEntnahme, en700TwEntnahmeMitRFV}, {}},
    {5561, "Entnahmearmatur für Dusche", "VerbraucherDU", {en700TwEntnahme, en700TwEntnahmeMitRFV}, {}},
    {5562, "Entnahmearmatur für Waschbecken", "VerbraucherWT", {en700TwEntnahme, en700TwEntnahmeMitRFV}, {}},
    {5563, "Entnahmearmatur für Badewanne", "VerbraucherBW", {en700TwEntnahme, en700TwEntnahmeMitRFV}, {}},
    {5564, "Entnahmearmatur für Spüle", "VerbraucherSP", {en700TwEntnahme, en700TwEntnahmeMitRFV}, {}},
    {5565, "Entnahmearmatur für WC", "VerbraucherWC", {en700TwEntnahme, en700TwEntnahmeMitRFV}, {}},
    {5566, "Entnahmearmatur für Urinal", "VerbraucherUR", {en700TwEntnahme, en700TwEntnahmeMitRFV}, {}},
    {5567, "Entnahmearmatur für Bidet", "VerbraucherBI", {en700TwEntnahme, en700TwEntnahmeMitRFV}, {}},
    {5568, "Entnahmearmatur mit Rückflussverhinderer", "Verbraucher", {en700TwEntnahmeMitRFV}, {}},
    {5569, "Rohrtrenner", "nrvSysTrenner", {en700TwRohrtrenner}, {}},
    {5570, "Druckminderer", "Druckminderer", {en700TwDruckminderer}, {}},
    {5571, "Wasserzähler", "Zähler", {en700TwZaehler}, {}},
    {5572, "Strömungsteiler", "Venturi", {en700TwRingleitung}, {}},
    {5573, "Elektronisches Strangregulierventil", "StrangregulierventilELEKT", {en700TwElektronischeRegulierung}, {}},
    {6666, "Alle", "Alle", {}, {}},
    {6667, "Außengitter", "nrvKanalAussengitter", {}, {}},
    {6668, "Befeuchter", "nrvKanalBefeuchter", {}, {}},
    {6669, "Durchlass", "nrvKanalDurchlass", {}, {}},
    {6670, "Einbauteil", "nrvKanalEinbauteil", {}, {}},
    {6671, "Entfeuchter", "nrvKanalEntfeuchter", {}, {}},
    {6672, "Erhitzer", "nrvKanalErhitzer", {}, {}},
    {6673, "Kühler", "nrvKanalKuehler", {}, {}},
    {6674, "Regelorgan", "nrvKanalRegelorgan", {}, {}},
    {6675, "Schalldaempfer", "nrvKanalSchalldaempfer", {}, {}},
};
// clang-format on

const CatalogueType* findCatalogueType(int value) {
    auto it = std::find_if(std::begin(kCatalogueTypes), std::end(kCatalogueTypes),
                           [value](const CatalogueType& t) { return t.value == value; });
    return it == std::end(kCatalogueTypes) ? nullptr : &*it;
}

const HostKind* findHostKind(int kind) {
    auto it = std::find_if(std::begin(kHostKinds), std::end(kHostKinds),
                           [kind](const HostKind& k) { return k.kind == kind; });
    return it == std::end(kHostKinds) ? nullptr : &*it;
}

}  // namespace

std::string getNrvArmTypeText(int value, int sheet) {
    if (value < 100) value += sheet * 100;
    const CatalogueType* type = findCatalogueType(value);
    if (type == nullptr) return TranslateText("Nicht unterstützter Ventiltyp");
    std::string text = TranslateText(type->text);
    if (type->notSupportedSuffix) text += TranslateText(" (noch nicht unterstützt)");
    return text;
}

std::string getArmaturClassNameForType(int value) {
    const CatalogueType* type = findCatalogueType(value);
    return type ? type->className : "";
}

std::string mapToNRVType(int kind) {
    const HostKind* k = findHostKind(kind);
    return k ? k->typeKey : "";
}

std::string getArmaturenTypName(int kind) {
    const HostKind* k = findHostKind(kind);
    return k ? TranslateText(k->text) : std::string();
}

void getVDITypenFromArmaturenTyp(int kind, std::vector<en700ArmaturTyp>& types, bool widen) {
    const HostKind* k = findHostKind(kind);
    if (k == nullptr) return;
    types.insert(types.end(), k->served.begin(), k->served.end());
    if (widen) types.insert(types.end(), k->widened.begin(), k->widened.end());
}

std::vector<int> allArmaturenTypen() {
    std::vector<int> kinds;
    for (const HostKind& k : kHostKinds) kinds.push_back(k.kind);
    return kinds;
}

}  // namespace nrvBaseArmaturen
