// Translation tables, positional formatting and unit labels.
#include <gtest/gtest.h>

#include <vector>

#include "kavex/platform/translation.h"
#include "support/tempdir.h"

namespace {

TEST(TranslateText, ShowsTheTextPartOfContextKeysUnlessATableIsLoaded) {
    // clang-format off
    const std::pair<const char*, const char*> keys[] = {
        {"@Umdrehungen@Umdr.", "Umdr."}, {"@delta p max@%cp max", "%cp max"}, {"Hinweis", "Hinweis"},
        {"@@leer", "leer"}, {"@ohne zweites", "@ohne zweites"}, {"mail@beispiel@de", "mail@beispiel@de"},
        {"@a@b@c", "b@c"}, {"", ""}};
    // clang-format on
    CTranslationModule module("test");
    for (auto [key, shown] : keys) {
        EXPECT_EQ(module.TranslateText(key), shown) << key;
        EXPECT_EQ(TranslateText(key), shown) << key;
    }

    kavextest::TempDir dir;
    kavextest::writeBytes(dir.file("en.txt"),
                          "\xEF\xBB\xBF# Englisch\r\nHinweis\tNote\r\n@Umdrehungen@Umdr.\trev.\r\n"
                          "Zeile 1\\nZeile 2\tLine 1\\nLine 2\\\\x\r\n\r\nkein Tabulator\r\n"
                          "Hinweis\tRemark\r\n");
    ASSERT_TRUE(module.LoadTable(dir.file("en.txt")));
    EXPECT_EQ(module.TranslateText("Hinweis"), "Remark");  // later line replaces
    EXPECT_EQ(module.TranslateText("@Umdrehungen@Umdr."), "rev.");
    EXPECT_EQ(module.TranslateText("Zeile 1\nZeile 2"), "Line 1\nLine 2\\x");
    EXPECT_EQ(module.TranslateText("kein Tabulator"), "kein Tabulator");
    module.ClearTable();
    EXPECT_EQ(module.TranslateText("Hinweis"), "Hinweis");
    EXPECT_FALSE(module.LoadTable(dir.file("missing.txt")));

    CTranslationManager& manager = CTranslationManager::GetInstance();
    CTranslationModule* registered = manager.AddModule(nullptr, "test-modul");
    EXPECT_EQ(manager.AddModule(&manager, "test-modul"), registered);
    EXPECT_EQ(manager.FindModule("test-modul"), registered);
    EXPECT_EQ(manager.FindModule("kein-modul"), nullptr);
    registered->AddTranslation("Fehler", "Error");
    EXPECT_EQ(manager.GetDataText("Fehler", registered), "Error");
    EXPECT_EQ(manager.GetDataText("Fehler"), "Fehler");  // the default module has no table
}

struct FormatCase {
    const char* format;
    std::vector<FmtPar> args;
    const char* result;
};

TEST(FormatText, ResolvesPlaceholdersInAnyOrderLikePrintfInTheCLocale) {
    const FormatCase cases[] = {
        {"2!%s ist 1!%d", {5, "Wert"}, "Wert ist 5"},
        {"1!%s und 2!%s.", {"a"}, "a und ."},
        {"8!%s1!%s", {"a", {}, {}, {}, {}, {}, {}, "h"}, "ha"},
        {"100%% von 1!%s", {"x"}, "100% von x"},
        {"1!%.2f|1!%d|1!%i", {3.14159}, "3.14|3|3"},
        {"1!%f 2!%d 3!%d", {2, -3.9, "12.7 mbar"}, "2.000000 -3 12"},
        {"1!%.1f 2!%d", {"1.75", "abc"}, "1.8 0"},
        {"1!%5d|1!%-5d|1!%05d", {42}, "   42|42   |00042"},
        {"1!%+.1e 2!%g 3!%g", {12345.678, 0.0001, 1e20}, "+1.2e+04 0.0001 1e+20"},
        {"1!%x 1!%X 1!%o 1!%u", {255}, "ff FF 377 255"},
        {"1!%s 2!%s", {2.5, 7}, "2.5 7"},  // numbers given to %s
        {"1!%ld 2!%lf 3!%I64d", {5, 1.5, 6}, "5 1.500000 6"},
        {"1!%8.3s|2!%-4s|", {"äöüß", "ä"}, "     äöü|ä   |"},  // characters, not bytes
        {"Es ist kein 1!%cp-Wert, 2!%c", {"Δ", 0x394}, "Es ist kein Δp-Wert, Δ"},
        {"1!%d", {1e30}, "9223372036854775807"},
        // What is no placeholder stays as written.
        {"9!%s 0!%s 12!%s", {"a", "b"}, "9!%s 0!%s 12!%s"},
        {"1!%% 1! 1!%q 1!%n", {"a"}, "1!% 1! 1!%q 1!%n"},
        {"1!%9999d 1!%.", {1}, "1!%9999d 1!%."},
        {"rest % %s %d", {1}, "rest % %s %d"},
        {"", {1}, ""}};
    for (const FormatCase& c : cases) {
        std::vector<FmtPar> a = c.args;
        a.resize(8);
        EXPECT_EQ(FormatText(c.format, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]), c.result)
            << c.format;
    }
}

TEST(TranslateUnits, GivesTheShownLabel) {
    // clang-format off
    const std::pair<const char*, const char*> labels[] = {
        {"m³/h", "m³/h"}, {"m3/h", "m³/h"}, {"m\xB3/h", "m³/h"}, {"m3/s", "m³/s"}, {"mWs", "mWS"},
        {"kg/m3", "kg/m³"}, {" mbar ", "mbar"}, {"°C", "°C"}, {"furlong", "furlong"}, {"", ""}};
    // clang-format on
    for (auto [unit, label] : labels)
        EXPECT_EQ(nrvTranslation::TranslateUnits(unit), label) << unit;
    EXPECT_EQ(nrvTranslation::TranslateUnits("mbar", false), "Millibar");
    EXPECT_EQ(nrvTranslation::TranslateUnits("m3/h", false), "Kubikmeter pro Stunde");
    EXPECT_EQ(nrvTranslation::TranslateUnits("furlong", false), "furlong");
}

}  // namespace
