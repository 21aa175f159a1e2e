// Display texts of the catalogue code lists and the connection keys.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "kavex/vdi3805/codelists.h"

using namespace nrvVDICodes;

namespace {

using CodeList = std::function<std::string(int, std::string_view)>;

struct ListCase {
    const char* name;
    CodeList list;
    int code;
    const char* fileText;
    const char* expected;
};

}  // namespace

TEST(VdiCodeLists, CodeFrameAndListedTexts) {
    const ListCase cases[] = {
        {"material 0", GetMaterialText, 0, "Bronze", "Bronze"},
        {"material 16", GetMaterialText, 16, "Bronze", "unbesetzt"},
        {"material 120", GetMaterialText, 120, "Bronze", "sonstige (120): Bronze"},
        {"material 999", GetMaterialText, 999, "x", "sonstige (999): x"},
        {"material 4", GetMaterialText, 4, "", "Sphäroguss"},
        {"material 15", GetMaterialText, 15, "", "Kupfer"},
        {"material -1", GetMaterialText, -1, "x", "unbesetzt"},
        {"surface 7", GetSurfaceText, 7, "", "roh"},
        {"surface 8", GetSurfaceText, 8, "matt", "sonstige (8): matt"},
        {"surface 9", GetSurfaceText, 9, "", "unbesetzt"},
        {"variant 5", GetProductVariantText, 5, "", "Drei-Wege, mit T-Bypass"},
        {"variant 12", GetProductVariantText, 12, "", "Kombi-Armatur"},
        {"variant 13", GetProductVariantText, 13, "", "unbesetzt"},
        {"fitting A 3", GetFittingVariantAText, 3, "", "Unterer Anschluss"},
        {"fitting B 1", GetFittingVariantBText, 1, "", "mit Absperrung"},
        {"fitting B 2", GetFittingVariantBText, 2, "", "unbesetzt"},
        {"single pipe 2", GetSinglePipeVariantText, 2, "",
         "Einrohr-Anschlussstück, mit Verschraubung"},
        {"drain 5", GetDrainConnectionText, 5, "", "mit Prüf- und Entleerungsanschluss"},
        {"flow 2", GetFlowDirectionText, 2, "", "Rücklauf"},
        {"kind 4", GetConnectionKindText, 4, "",
         "in Durchflussrichtung: 1. lnnengewinde, 2. Außengewinde"},
        {"kind 15", GetConnectionKindText, 15, "",
         "in Durchflussrichtung: 1. Außengewinde, 2. Loetanschluss,"},
        {"kind 20", GetConnectionKindText, 20, "", "Flansch mit Gewindeauge"},
        {"medium 0", GetMediumText, 0, "Trinkwarmwasser", "Trinkwarmwasser"},
        {"medium 1", GetMediumText, 1, "", "Trinkkaltwasser"},
        {"medium 2", GetMediumText, 2, "", "Trinkwasser (warm und kalt)"},
        {"medium 3", GetMediumText, 3, "", "Trinkwasser (Zirkulation)"},
        {"medium 4", GetMediumText, 4, "", "unbesetzt"},
    };
    for (const ListCase& c : cases)
        EXPECT_EQ(c.list(c.code, c.fileText), c.expected) << c.name;
}

TEST(VdiCodeLists, ValveKinds) {
    const std::tuple<int, int, const char*> cases[] = {
        {2, 2, "Heizkörperarmaturen für Zweirohrheizungen"},
        {6, 2, "Sicherungs- und Sicherheitsarmaturen"},
        {206, 2, "unbekannte Armaturart"},  // below 1000: made 2 × 100 + 206
        {7, 17, "Mess- und Zähleinrichtungen"},
        {1701, 2, "Absperrarmaturen"},
        {0, 0, "Undefinierte Armaturart"},
        {0, 2, "unbekannte Armaturart"},
        {8, 17, "unbekannte Armaturart"},
        {2000, 2, "unbekannte Armaturart"},
    };
    for (const auto& [code, sheet, text] : cases)
        EXPECT_EQ(GetValveKindText(code, sheet), text) << code << "/" << sheet;
}

TEST(VdiCodeLists, SizesByNominalSizeAndDiameter) {
    EXPECT_EQ(GetThreadSizeByDN(15), "1/2");
    EXPECT_EQ(GetThreadSizeByDN(32), "11/4");
    EXPECT_EQ(GetThreadSizeByDN(16), "");
    EXPECT_EQ(GetCopperSizeByDN(12), "15");
    EXPECT_EQ(GetCopperSizeByDN(150), "159");
    EXPECT_EQ(GetCopperSizeByDN(200), "");

    const std::pair<double, const char*> threads[] = {
        {26.5, "3/4"}, {26.55, "1"}, {26.54, "3/4"}, {0.0, "1/4"},
        {163.8, "6"},  {163.85, ""}, {NAN, ""},      {21.0, "1/2"},
    };
    for (const auto& [d, text] : threads)
        EXPECT_EQ(GetThreadSizeByDiameter(d), text) << d;

    const std::pair<double, int> sizes[] = {
        {8.0, 6}, {8.04, 6}, {8.05, 8}, {76.1, 65}, {76.2, 80}, {108.0, 100}, {139.7, 139},
    };
    for (const auto& [d, dn] : sizes)
        EXPECT_EQ(GetDNByDiameter(d), dn) << d;
}

TEST(VdiCodeLists, ConnectionKeys) {
    struct Case {
        int dn;
        VDIConnectionData data;
        const char* key;
    } cases[] = {
        {15, {"EN10226", 1, 0, 0, 2}, "1/2IG"},
        {15, {"2999", 1, 0, 0, 1}, "1/2AG"},
        {15, {"2999", 1, 0, 0, 3}, "1/2AG"},
        {15, {"2999", 1, 0, 0, 6}, ""},
        {20, {"EN10226", 2, 26.9, 0, 1}, "1AG"},  // by diameter: 26.9 mm is above 3/4
        {50, {"2501PN16", 1, 0, 0, 6}, "Flansch_DIN_PN16!50"},
        {50, {"2501PN40", 2, 60.3, 0, 6}, "Flansch_DIN_PN40!65"},
        {50, {"2501PN40", 3, 60.3, 0, 6}, "Flansch_DIN_PN40!60"},
        {50, {"2501PN16", 3, 0, 57.2, 6}, "Flansch_DIN_PN16!57"},
        {65, {"2501PN6", 2, 76.1, 0, 6}, "Flansch_DIN_PN6!65"},
        {15, {"DIN3838V", 1, 0, 0, 1}, "1/2AGE"},
        {15, {"DIN3838V", 1, 0, 0, 2}, "1/2IGE"},
        {12, {"1254", 1, 0, 0, 1}, "CU!15"},
        {12, {"1254", 2, 15.0, 0, 2}, "CU-F!15"},
        {12, {"1254", 2, 0, 0, 7}, "15"},
        {15, {"2353", 1, 0, 0, 1}, ""},
        {0, {"EN10226", 1, 0, 0, 2}, ""},
        {6401, {"2501PN16", 1, 0, 0, 6}, ""},
        {6400, {"2501PN16", 1, 0, 0, 6}, "Flansch_DIN_PN16!6400"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetConnectionKey(c.dn, c.data), c.key) << c.data.standard << " DN " << c.dn;
}

TEST(VdiCodeLists, FittingShapes) {
    const std::pair<const char*, int> cases[] = {
        {"GLAT", 1}, {"MUFF", 2}, {"NIPP", 3}, {"RUFL", 4},
        {"OVFL", 5}, {"ZWFL", 6}, {"muff", 0}, {"", 0},
    };
    for (const auto& [text, shape] : cases)
        EXPECT_EQ(GetFittingShape(text), shape) << text;
}
