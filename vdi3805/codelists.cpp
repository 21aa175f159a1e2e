#include "kavex/vdi3805/codelists.h"

#include <array>
#include <climits>
#include <cmath>
#include <utility>

#include "kavex/platform/numbers.h"
#include "kavex/platform/translation.h"

namespace nrvVDICodes {

namespace {

using CodeText = std::pair<int, const char*>;

constexpr int kOther = 999;
constexpr int kFirstFreeCode = 100;

// The frame every code list shares; `otherCode` is a further code that reads
// as "other" besides 999 and the codes from 100 on.
template <std::size_t N>
std::string codeText(int code, std::string_view fileText, const std::array<CodeText, N>& list,
                     int otherCode = kOther) {
    if (code == 0) return std::string(fileText);
    if (code == kOther || code >= kFirstFreeCode || code == otherCode)
        return FormatText(TranslateText("sonstige (1!%d): 2!%s"), code, std::string(fileText));
    for (const auto& [listed, text] : list) {
        if (listed == code) return TranslateText(text);
    }
    return TranslateText("@unassigned@unbesetzt");
}

constexpr std::array<CodeText, 12> kProductVariants{{
    {1, "Eck"},
    {2, "Durchgang"},
    {3, "Axial"},
    {4, "Drei-Wege"},
    {5, "Drei-Wege, mit T-Bypass"},
    {6, "Vier-Wege"},
    {7, "Sechs-Wege"},
    {8, "Winkeleck, links"},
    {9, "Winkeleck, rechts"},
    {10, "Einbauventil"},
    {11, "Einbau zwischen Flanschen"},
    {12, "Kombi-Armatur"},
}};

constexpr std::array<CodeText, 3> kFittingVariantsA{{
    {1, "mit Absperrung"},
    {2, "Seitlicher Anschluss"},
    {3, "Unterer Anschluss"},
}};

constexpr std::array<CodeText, 1> kFittingVariantsB{{{1, "mit Absperrung"}}};

constexpr std::array<CodeText, 2> kSinglePipeVariants{{
    {1, "Steigrohr und Ventilgehäuse"},
    {2, "Einrohr-Anschlussstück, mit Verschraubung"},
}};

constexpr std::array<CodeText, 7> kDrainConnections{{
    {1, "mit Entleerungsventil"},
    {2, "mit Entleerungsanschluss"},
    {3, "ohne Entleerungsanschluss"},
    {4, "mit Prüfanschluss"},
    {5, "mit Prüf- und Entleerungsanschluss"},
    {6, "mit Manometeranschluss"},
    {7, "mit Thermometeranschluss"},
}};

constexpr std::array<CodeText, 2> kFlowDirections{{{1, "Vorlauf"}, {2, "Rücklauf"}}};

constexpr std::array<CodeText, 15> kMaterials{{
    {1, "Messing"},
    {2, "Rotguss"},
    {3, "Grauguss"},
    {4, "Sphäroguss"},
    {5, "Stahlguss"},
    {6, "Stahl"},
    {7, "Temperguss"},
    {8, "Schmiedestahl"},
    {9, "nicht rostender Stahl"},
    {10, "Federstahl"},
    {11, "Aluminium"},
    {12, "Aluguss"},
    {13, "Kunststoff"},
    {14, "Glas"},
    {15, "Kupfer"},
}};

constexpr std::array<CodeText, 7> kSurfaces{{
    {1, "vernickelt"},
    {2, "verchromt"},
    {3, "verzinkt"},
    {4, "lackiert"},
    {5, "gebürstet"},
    {6, "pulverbeschichtet"},
    {7, "roh"},
}};
constexpr int kSurfaceOther = 8;

// Kept as the catalogues' reference texts have them, including the small L of
// "lnnengewinde" and the comma behind code 15.
constexpr std::array<CodeText, 20> kConnectionKinds{{
    {1, "Außengewinde"},
    {2, "Innengewinde"},
    {3, "in Durchflussrichtung: 1. Außengewinde, 2. Innengewinde"},
    {4, "in Durchflussrichtung: 1. lnnengewinde, 2. Außengewinde"},
    {5, "Außen-Überwurfmutter"},
    {6, "Flansch"},
    {7, "Lötanschluss"},
    {8, "Schweißanschluss"},
    {9, "Pressanschluss"},
    {10, "Rollnutanschluss"},
    {11, "Steckanschluss"},
    {12, "Klebeanschluss"},
    {13, "in Durchflussrichtung: 1. lnnengewinde, 2. Loetanschluss"},
    {14, "in Durchflussrichtung: 1. Loetanschluss, 2. Innengewinde"},
    {15, "in Durchflussrichtung: 1. Außengewinde, 2. Loetanschluss,"},
    {16, "in Durchflussrichtung: 1. Loetanschluss, 2. Außengewinde"},
    {17, "in Durchflussrichtung: 1. Schweißanschluss, 2. Pressanschluss"},
    {18, "in Durchflussrichtung: 1. Pressanschluss, 2. Schweißanschluss"},
    {19, "Flansch mit Laschenauge"},
    {20, "Flansch mit Gewindeauge"},
}};

// "Trinkwarmwasser" exists as a text of the module but no code shows it yet.
constexpr std::array<CodeText, 3> kMedia{{
    {1, "Trinkkaltwasser"},
    {2, "Trinkwasser (warm und kalt)"},
    {3, "Trinkwasser (Zirkulation)"},
}};

constexpr std::array<CodeText, 14> kValveKinds{{
    {0, "Undefinierte Armaturart"},
    {201, "Heizkörperarmaturen für Einrohrheizungen"},
    {202, "Heizkörperarmaturen für Zweirohrheizungen"},
    {203, "Armaturen für Flächenheizungen"},
    {204, "Absperr- und Regelarmaturen"},
    {205, "Armaturen mit Festwiderständen"},
    {206, "Sicherungs- und Sicherheitsarmaturen"},
    {1701, "Absperrarmaturen"},
    {1702, "Drosselarmaturen"},
    {1703, "Entnahmearmaturen"},
    {1704, "Sicherungs- und Ringleitungsarmaturen"},
    {1705, "Sicherheitsarmaturen"},
    {1706, "Stellarmaturen"},
    {1707, "Mess- und Zähleinrichtungen"},
}};

using SizeText = std::pair<int, const char*>;
using BoundText = std::pair<double, const char*>;

constexpr std::array<SizeText, 13> kThreadByDN{{
    {8, "1/4"},
    {10, "3/8"},
    {15, "1/2"},
    {20, "3/4"},
    {25, "1"},
    {32, "11/4"},
    {40, "11/2"},
    {50, "2"},
    {65, "21/2"},
    {80, "3"},
    {100, "4"},
    {125, "5"},
    {150, "6"},
}};

// Largest outer diameter of each thread size.
constexpr std::array<BoundText, 13> kThreadByDiameter{{
    {13.2, "1/4"},
    {16.7, "3/8"},
    {21.0, "1/2"},
    {26.5, "3/4"},
    {33.3, "1"},
    {41.9, "11/4"},
    {47.8, "11/2"},
    {59.6, "2"},
    {75.2, "21/2"},
    {87.9, "3"},
    {113.0, "4"},
    {138.4, "5"},
    {163.8, "6"},
}};

constexpr std::array<SizeText, 14> kCopperByDN{{
    {8, "10"},
    {10, "12"},
    {12, "15"},
    {15, "18"},
    {20, "22"},
    {25, "28"},
    {32, "35"},
    {40, "42"},
    {50, "54"},
    {65, "76"},
    {80, "88"},
    {100, "108"},
    {125, "133"},
    {150, "159"},
}};

// Largest outer diameter of each nominal size.
constexpr std::array<std::pair<double, int>, 12> kDNByDiameter{{
    {8.0, 6},
    {10.0, 8},
    {15.0, 12},
    {18.0, 15},
    {22.0, 20},
    {28.0, 25},
    {35.0, 32},
    {42.0, 40},
    {54.0, 50},
    {76.1, 65},
    {88.9, 80},
    {108.0, 100},
}};

template <std::size_t N>
std::string sizeText(int size, const std::array<SizeText, N>& table) {
    for (const auto& [listed, text] : table) {
        if (listed == size) return text;
    }
    return {};
}

double roundedToTenth(double d) {
    return std::floor(d * 10.0 + 0.5) / 10.0;
}

int clampedInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(value);
}

constexpr double kNoDiameter = 1e-6;

// The diameter the key is built from: d1, or d2 when d1 is missing; 0 when both are.
double keyDiameter(const VDIConnectionData& data) {
    if (data.d1 > kNoDiameter) return data.d1;
    if (data.d2 > kNoDiameter) return data.d2;
    return 0.0;
}

int sizeNumber(int dn, const VDIConnectionData& data) {
    const double d = keyDiameter(data);
    if (d <= kNoDiameter) return dn;
    if (data.sizeBasis == 2) return GetDNByDiameter(d);
    return clampedInt(std::floor(d + 0.005));
}

// Thread keys: size followed by the male/female mark, "" for other kinds.
std::string threadKey(int dn, const VDIConnectionData& data, const char* male, const char* female) {
    const char* mark = data.kind == 1 || data.kind == 3 ? male : data.kind == 2 ? female : nullptr;
    if (mark == nullptr) return {};
    const std::string size =
        data.sizeBasis == 1 ? GetThreadSizeByDN(dn) : GetThreadSizeByDiameter(data.d1);
    return size + mark;
}

std::string copperKey(int dn, const VDIConnectionData& data) {
    const char* prefix = data.kind == 1 || data.kind == 3 ? "CU!" : data.kind == 2 ? "CU-F!" : "";
    std::string size;
    if (data.sizeBasis != 1 && data.d1 > kNoDiameter)
        size = nrvNumbers::formatI(clampedInt(std::floor(data.d1 + 0.005)));
    if (size.empty()) size = GetCopperSizeByDN(dn);
    return prefix + size;
}

}  // namespace

std::string GetProductVariantText(int code, std::string_view fileText) {
    return codeText(code, fileText, kProductVariants);
}
std::string GetFittingVariantAText(int code, std::string_view fileText) {
    return codeText(code, fileText, kFittingVariantsA);
}
std::string GetFittingVariantBText(int code, std::string_view fileText) {
    return codeText(code, fileText, kFittingVariantsB);
}
std::string GetSinglePipeVariantText(int code, std::string_view fileText) {
    return codeText(code, fileText, kSinglePipeVariants);
}
std::string GetDrainConnectionText(int code, std::string_view fileText) {
    return codeText(code, fileText, kDrainConnections);
}
std::string GetFlowDirectionText(int code, std::string_view fileText) {
    return codeText(code, fileText, kFlowDirections);
}
std::string GetMaterialText(int code, std::string_view fileText) {
    return codeText(code, fileText, kMaterials);
}
std::string GetSurfaceText(int code, std::string_view fileText) {
    return codeText(code, fileText, kSurfaces, kSurfaceOther);
}
std::string GetConnectionKindText(int code, std::string_view fileText) {
    return codeText(code, fileText, kConnectionKinds);
}
std::string GetMediumText(int code, std::string_view fileText) {
    return codeText(code, fileText, kMedia);
}

std::string GetValveKindText(int code, int sheet) {
    long long kind = code;
    if (code < 1000) kind = static_cast<long long>(sheet) * 100 + code;
    for (const auto& [listed, text] : kValveKinds) {
        if (listed == kind) return TranslateText(text);
    }
    return TranslateText("unbekannte Armaturart");
}

std::string GetThreadSizeByDN(int dn) {
    return sizeText(dn, kThreadByDN);
}

std::string GetThreadSizeByDiameter(double diameter) {
    const double d = roundedToTenth(diameter);
    for (const auto& [bound, text] : kThreadByDiameter) {
        if (bound >= d) return text;
    }
    return {};
}

std::string GetCopperSizeByDN(int dn) {
    return sizeText(dn, kCopperByDN);
}

int GetDNByDiameter(double diameter) {
    const double d = roundedToTenth(diameter);
    for (const auto& [bound, dn] : kDNByDiameter) {
        if (bound >= d) return dn;
    }
    return clampedInt(std::trunc(d));
}

std::string GetConnectionKey(int dn, const VDIConnectionData& data) {
    if (dn < 1 || dn > 6400) return {};
    const std::string& standard = data.standard;
    if (standard == "2999" || standard == "EN10226") return threadKey(dn, data, "AG", "IG");
    if (standard.find("2501PN") != std::string::npos) {
        const std::size_t n = standard.find('N');
        return "Flansch_DIN_PN" + standard.substr(n + 1) + "!" +
               nrvNumbers::formatI(sizeNumber(dn, data));
    }
    if (standard == "DIN3838V") return threadKey(dn, data, "AGE", "IGE");
    if (standard == "1254") return copperKey(dn, data);
    return {};
}

int GetFittingShape(std::string_view text) {
    constexpr std::array<std::pair<std::string_view, int>, 6> shapes{{
        {"GLAT", 1},
        {"MUFF", 2},
        {"NIPP", 3},
        {"RUFL", 4},
        {"OVFL", 5},
        {"ZWFL", 6},
    }};
    for (const auto& [name, shape] : shapes) {
        if (text == name) return shape;
    }
    return 0;
}

}  // namespace nrvVDICodes
