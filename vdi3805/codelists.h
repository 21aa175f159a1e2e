#pragma once
// Display texts of the code numbers a VDI 3805 catalogue uses (product
// variant, connection kind, material, surface, medium, valve kind) and the
// short connection key (thread size, copper size, flange) a valve keeps with
// its connections.
//
// Every code list has the same frame: code 0 shows the text the file gives,
// a listed code its German text (translated), 999 and every code from 100 on
// "sonstige (<code>): <text of the file>", any other code "unbesetzt".

#include <string>
#include <string_view>

#include "kavex/platform/export.h"

namespace nrvVDICodes {

KAVEX_API std::string GetProductVariantText(int code, std::string_view fileText);
KAVEX_API std::string GetFittingVariantAText(int code, std::string_view fileText);
KAVEX_API std::string GetFittingVariantBText(int code, std::string_view fileText);
KAVEX_API std::string GetSinglePipeVariantText(int code, std::string_view fileText);
KAVEX_API std::string GetDrainConnectionText(int code, std::string_view fileText);
KAVEX_API std::string GetFlowDirectionText(int code, std::string_view fileText);
KAVEX_API std::string GetMaterialText(int code, std::string_view fileText);
// Surface 8 is the guideline's "other" and reads like 999.
KAVEX_API std::string GetSurfaceText(int code, std::string_view fileText);
KAVEX_API std::string GetConnectionKindText(int code, std::string_view fileText);
// Drinking-water medium: 1 cold, 2 warm and cold, 3 circulation.
KAVEX_API std::string GetMediumText(int code, std::string_view fileText);

// Valve kind of a product main group (index of record 100); a code below 1000
// is first made sheet × 100 + code (sheet 2, code 4 → 204).
KAVEX_API std::string GetValveKindText(int code, int sheet);

// Thread size ("1/2", "11/4") of a nominal size; "" when there is none.
KAVEX_API std::string GetThreadSizeByDN(int dn);
// Thread size of an outer diameter in mm (rounded to 0.1 mm first).
KAVEX_API std::string GetThreadSizeByDiameter(double diameter);
// Copper tube outer diameter ("15", "108") of a nominal size; "" when none.
KAVEX_API std::string GetCopperSizeByDN(int dn);
// Nominal size of an outer diameter in mm (rounded to 0.1 mm first).
KAVEX_API int GetDNByDiameter(double diameter);

// Connection data of a technical-data record.
struct KAVEX_API VDIConnectionData {
    std::string standard;  // "EN10226", "2999", "2501PN16", "DIN3838V", "1254", ...
    int sizeBasis = 0;     // 1: by nominal size, 2: by outer diameter
    double d1 = 0.0;       // outer diameter in mm
    double d2 = 0.0;       // second diameter in mm, used when d1 is missing
    int kind = 0;          // connection kind code (1 male thread, 2 female thread, ...)
};

// Short key of a connection: "1/2IG", "3/4AGE", "Flansch_DIN_PN16!50",
// "CU!15"; "" for a nominal size outside 1..6400 or an unknown standard.
KAVEX_API std::string GetConnectionKey(int dn, const VDIConnectionData& data);

// Fitting shape of a connection text: "GLAT" 1, "MUFF" 2, "NIPP" 3, "RUFL" 4,
// "OVFL" 5, "ZWFL" 6, anything else 0.
KAVEX_API int GetFittingShape(std::string_view text);

// Captions of the execution details in the catalogue dialog.
namespace Captions {
inline constexpr const char* ProductVariantA = "@Product variant A@Produktvariante A";
inline constexpr const char* ProductVariantB = "@Product variant B@Produktvariante B";
inline constexpr const char* ProductVariantC = "@Product variant C@Produktvariante C";
inline constexpr const char* ProductVariantD = "@Product variant D@Produktvariante D";
inline constexpr const char* VariantKindA1 = "@Variant kind A.1@Variantenart A.1";
inline constexpr const char* VariantKindA2 = "@Variant kind A.2@Variantenart A.2";
inline constexpr const char* VariantKindB1 = "@Variant kind B.1@Variantenart B.1";
inline constexpr const char* VariantKindB2 = "@Variant kind B.2@Variantenart B.2";
inline constexpr const char* VariantKindC1 = "@Variant kind C.1@Variantenart C.1";
inline constexpr const char* VariantKindC2 = "@Variant kind C.2@Variantenart C.2";
inline constexpr const char* VariantKindD1 = "@Variant kind D.1@Variantenart D.1";
inline constexpr const char* VariantKindD2 = "@Variant kind D.2@Variantenart D.2";
inline constexpr const char* AccessoryGroupII = "@Accessory main group II@Zubehör-Hauptgruppe II";
inline constexpr const char* AccessoryElement = "@Accessory product element@Zubehör-Produktelement";
inline constexpr const char* Surface = "Oberfläche";
inline constexpr const char* BodyMaterial = "Gehäusewerkstoff";
inline constexpr const char* Installation = "Einbausituation";
inline constexpr const char* BodyConnection = "Gehäuseanschlussart";
inline constexpr const char* ShapeVariant = "Bauformvariante";
inline constexpr const char* FittingVariant = "Garniturvariante";
inline constexpr const char* BodyShape = "Gehäusebauform";
inline constexpr const char* Actuator = "Antrieb";
inline constexpr const char* ValveBody = "Ventilgehäuse";
inline constexpr const char* FittingInstallation = "Garniturvariante/Einbausituation";
inline constexpr const char* FittingAndShape = "Garnitur- und Bauformvarianten";
inline constexpr const char* RadiatorFitting = "Heizkörperanschluss-Garniturvariante";
inline constexpr const char* MaterialNumber = "Werkstoffnummer nach DIN EN 10027-2:1992-09";
inline constexpr const char* Monitoring = "Monitoring";
}  // namespace Captions

}  // namespace nrvVDICodes
