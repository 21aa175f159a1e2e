// Translation tables, positional formatting and unit labels.
#include <gtest/gtest.h>

#include "kavex/platform/translation.h"
#include "support/tempdir.h"

namespace {

TEST(TranslateText, ShowsTheTextPartOfContextKeys) {
    const std::pair<const char*, const char*> cases[] = {
        {"@Umdrehungen@Umdr.", "Umdr."},
        {"@kv-Wert@kv", "kv"},
        {"@delta p max@%cp max", "%cp max"},
        {"Hinweis", "Hinweis"},
        {"@@leer", "leer"},
        {"@ohne zweites", "@ohne zweites"},
        {"mail@beispiel@de", "mail@beispiel@de"},
        {"@a@b@c", "b@c"},
        {"", ""},
    };
    CTranslationModule module("test");
    for (auto [key, shown] : cases) {
        EXPECT_EQ(module.TranslateText(key), shown) << key;
        EXPECT_EQ(TranslateText(key), shown) << key;
    }
}

TEST(TranslateText, ALoadedTableWinsOverTheKey) {
    kavextest::TempDir dir;
    kavextest::writeBytes(dir.file("en.txt"),
                          "\xEF\xBB\xBF# Englisch\r\n"
                          "Hinweis\tNote\r\n"
                          "@Umdrehungen@Umdr.\trev.\r\n"
                          "Zeile 1\\nZeile 2\tLine 1\\nLine 2\\\\x\r\n"
                          "\r\n"
                          "kein Tabulator\r\n"
                          "Hinweis\tRemark\r\n");
    CTranslationModule module("test");
    ASSERT_TRUE(module.LoadTable(dir.file("en.txt")));
    EXPECT_EQ(module.TranslateText("Hinweis"), "Remark");  // later line replaces
    EXPECT_EQ(module.TranslateText("@Umdrehungen@Umdr."), "rev.");
    EXPECT_EQ(module.TranslateText("Zeile 1\nZeile 2"), "Line 1\nLine 2\\x");
    EXPECT_EQ(module.TranslateText("kein Tabulator"), "kein Tabulator");
    EXPECT_EQ(module.TranslateText("@Folge@Folge: "), "Folge: ");
    module.ClearTable();
    EXPECT_EQ(module.TranslateText("Hinweis"), "Hinweis");
    EXPECT_FALSE(module.LoadTable(dir.file("missing.txt")));
}

TEST(TranslationManager, ModulesAreRegisteredOnceByName) {
    CTranslationManager& manager = CTranslationManager::GetInstance();
    CTranslationModule* first = manager.AddModule(nullptr, "test-modul");
    EXPECT_EQ(manager.AddModule(&manager, "test-modul"), first);
    EXPECT_EQ(manager.FindModule("test-modul"), first);
    EXPECT_EQ(manager.FindModule("kein-modul"), nullptr);
    first->AddTranslation("Fehler", "Error");
    EXPECT_EQ(manager.GetDataText("Fehler", first), "Error");
    EXPECT_EQ(manager.GetDataText("Fehler"), "Fehler");  // the default module has no table
    EXPECT_EQ(manager.DefaultModule().name(), "kavex");
}

struct FormatCase {
    const char* format;
    std::vector<FmtPar> args;
    const char* result;
};

std::string format(const FormatCase& c) {
    std::vector<FmtPar> a = c.args;
    a.resize(8);
    return FormatText(c.format, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
}

TEST(FormatText, ResolvesPositionalPlaceholders) {
    const FormatCase cases[] = {
        {"2!%s ist 1!%d", {5, "Wert"}, "Wert ist 5"},
        {"1!%s-1!%s-1!%s", {"a"}, "a-a-a"},
        {"(Satzart 700;1!%d; und 710.02;2!%s;)", {12, "3"}, "(Satzart 700;12; und 710.02;3;)"},
        {"1!%s und 2!%s.", {"a"}, "a und ."},
        {"8!%s1!%s", {"a", {}, {}, {}, {}, {}, {}, "h"}, "ha"},
        {"100%% von 1!%s", {"x"}, "100% von x"},
        {"ohne Platzhalter", {1}, "ohne Platzhalter"},
        {"", {1}, ""},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(format(c), c.result) << c.format;
}

TEST(FormatText, ConvertsLikePrintfInTheCLocale) {
    const FormatCase cases[] = {
        {"1!%.2f", {3.14159}, "3.14"},
        {"1!%f", {2}, "2.000000"},    // integer to %f
        {"1!%d|1!%i", {3.9}, "3|3"},  // double truncated
        {"1!%d", {-3.9}, "-3"},
        {"1!%d", {"12.7 mbar"}, "12"},  // text parsed
        {"1!%.1f", {"1.75"}, "1.8"},
        {"1!%d", {"abc"}, "0"},
        {"1!%5d|1!%-5d|1!%05d", {42}, "   42|42   |00042"},
        {"1!%+.1e", {12345.678}, "+1.2e+04"},
        {"1!%g 2!%g", {0.0001, 1e20}, "0.0001 1e+20"},
        {"1!%x 1!%X 1!%o 1!%u", {255}, "ff FF 377 255"},
        {"1!%s 2!%s", {2.5, 7}, "2.5 7"},  // numbers given to %s
        {"1!%ld 2!%lf 3!%I64d", {5, 1.5, 6}, "5 1.500000 6"},
        {"1!%8.3s|",
         {"\u00E4\u00F6\u00FC\u00DF"},
         "     \u00E4\u00F6\u00FC|"},  // characters, not bytes
        {"1!%-4s|", {"\u00E4"}, "\u00E4   |"},
        {"Es ist kein 1!%cp-Wert hinterlegt", {"\u0394"}, "Es ist kein \u0394p-Wert hinterlegt"},
        {"1!%c", {0x394}, "\u0394"},
        {"1!%d", {1e30}, "9223372036854775807"},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(format(c), c.result) << c.format;
}

TEST(FormatText, LeavesWhatIsNoPlaceholderAsWritten) {
    const FormatCase cases[] = {
        {"9!%s 0!%s", {"a"}, "9!%s 0!%s"},
        {"12!%s", {"a", "b"}, "12!%s"},
        {"1!%%", {"a"}, "1!%"},
        {"1!", {"a"}, "1!"},
        {"1!%q", {"a"}, "1!%q"},
        {"1!%n", {"a"}, "1!%n"},
        {"1!%9999d", {1}, "1!%9999d"},
        {"1!%.", {1}, "1!%."},
        {"rest %", {1}, "rest %"},
        {"%s %d", {1}, "%s %d"},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(format(c), c.result) << c.format;
}

TEST(TranslateUnits, GivesTheShownLabel) {
    const std::pair<const char*, const char*> shortLabels[] = {
        {"m\u00B3/h", "m\u00B3/h"},
        {"m3/h", "m\u00B3/h"},
        {"m\xB3/h", "m\u00B3/h"},
        {"l/h", "l/h"},
        {"l/s", "l/s"},
        {"m3/s", "m\u00B3/s"},
        {"Pa", "Pa"},
        {"kPa", "kPa"},
        {"mbar", "mbar"},
        {"bar", "bar"},
        {"mWs", "mWS"},
        {"\u00B0C", "\u00B0C"},
        {"K", "K"},
        {"m", "m"},
        {"mm", "mm"},
        {"kg/m3", "kg/m\u00B3"},
        {" mbar ", "mbar"},
        {"furlong", "furlong"},
        {"", ""},
    };
    for (auto [unit, label] : shortLabels) {
        EXPECT_EQ(nrvTranslation::TranslateUnits(unit), label) << unit;
    }
    EXPECT_EQ(nrvTranslation::TranslateUnits("mbar", false), "Millibar");
    EXPECT_EQ(nrvTranslation::TranslateUnits("m3/h", false), "Kubikmeter pro Stunde");
    EXPECT_EQ(nrvTranslation::TranslateUnits("furlong", false), "furlong");
}

}  // namespace
