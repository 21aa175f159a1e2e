// Header checks and file reading of catalogue documents: every refusal with
// its exact code, title and text.
#include <gtest/gtest.h>

#include <string>

#include "kavex/platform/codepage.h"
#include "vdifixtures.h"

using vditest::VdiTest;

namespace {

using vditest::stored;

const std::string kFirstLineTitle = "Erste Zeile der VDI-Datei entspricht nicht der Satzart 010.";
const std::string kFirstLineText =
    "Achtung! Erste Zeile der Datei entspricht nicht der Satzart 010. Laden dieser Datei wird "
    "abgebrochen.";
const std::string kShortDateText =
    "Die angegebene VDI-Datei ist mit dem Richtlinien-Ausgabedatum %DATE% versehen.\nDiese "
    "Richtlinie wird nicht unterstützt.\nBetroffene Datei: %PATH%";
const std::string kLongDateText =
    "Die angegebene VDI-Datei ist mit dem Richtlinien-Ausgabedatum %DATE% versehen.\nDiese "
    "Richtlinie wird nicht unterstützt oder die Dateistruktur dieser VDI-Datei entspricht\neinem "
    "alten, nicht unterstützten Richtlinien-Datum. Das Laden wurde abgebrochen.\nBitte "
    "aktuelleren/kompatiblen Datensatz verwenden.\nBetroffene Datei: %PATH%";
const std::string kTgaTitle = "Die gewählte TGA-Datei hat ein inkompatibles Richtlinien-Datum.";
const std::string kTgaText =
    "Die angegebene TGA-Datei ist mit einem Richtlinien-Ausgabedatum %DATE% versehen. Diese "
    "Richtlinie wird nicht unterstützt oder die Dateistruktur dieser VDI-Datei entspricht einem "
    "nicht unterstützten Richtlinien-Datum. Das Laden wurde abgebrochen.\nBitte "
    "aktuelleren/kompatiblen Datensatz verwenden.\nBetroffene Datei: %PATH%";

std::string fill(std::string text, const std::string& date, const std::string& path) {
    text.replace(text.find("%DATE%"), 6, date);
    text.replace(text.find("%PATH%"), 6, path);
    return text;
}

enum class Expect { Accepted, FirstLine, ShortDate, LongDate, TgaDate };

struct HeaderCase {
    const char* file;
    const char* firstLine;
    Expect expect;
    const char* date;  // the date the message names
};

}  // namespace

class HeaderCheck : public VdiTest, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(HeaderCheck, RefusesWithExactMessageOrParses) {
    const HeaderCase& c = GetParam();
    auto doc = load(c.file, std::string(c.firstLine) + "\r\n100;1;Gruppe\r\n");
    const std::string path = dir.file(c.file);
    EXPECT_TRUE(doc->IsLoaded());
    EXPECT_EQ(doc->IsParsed(), c.expect == Expect::Accepted);
    const auto entries = CReportList::instance().GetEntries();
    if (c.expect == Expect::Accepted) {
        EXPECT_TRUE(entries.empty());
        EXPECT_EQ(doc->GetChildCount(), 1);
        return;
    }
    ASSERT_EQ(entries.size(), 1U);
    EXPECT_EQ(entries[0].code, 20);
    EXPECT_EQ(doc->GetChildCount(), 0);
    const std::string vdiTitle =
        "Die VDI-Datei \"" + std::string(c.file) + "\" hat ein inkompatibles Richtlinien-Datum.";
    const std::pair<std::string, std::string> refusals[] = {
        {},
        {kFirstLineTitle, path + "\n" + kFirstLineText},
        {vdiTitle, fill(kShortDateText, c.date, path)},
        {vdiTitle, fill(kLongDateText, c.date, path)},
        {kTgaTitle, fill(kTgaText, c.date, path)},
    };
    const auto& [title, text] = refusals[static_cast<int>(c.expect)];
    EXPECT_EQ(entries[0].title, title);
    EXPECT_EQ(entries[0].text, stored(title, text));
}

INSTANTIATE_TEST_SUITE_P(
    Headers, HeaderCheck,
    ::testing::Values(HeaderCase{"a.vdi", "010;2;201601;Nordquell", Expect::Accepted, ""},
                      HeaderCase{"b.VDI", "010;2;200302", Expect::Accepted, ""},
                      HeaderCase{"c.vdi", "010;2;202112", Expect::Accepted, ""},
                      HeaderCase{"d.vdi", "010;17;200311", Expect::Accepted, ""},
                      HeaderCase{"e.vdi", "010;17;201601", Expect::Accepted, ""},
                      HeaderCase{"f.vdi", "010;3;199901", Expect::Accepted, ""},
                      HeaderCase{"g.vdix", "010;02;201601", Expect::Accepted, ""},
                      HeaderCase{"h.vdi", "011;2;201601", Expect::FirstLine, ""},
                      HeaderCase{"i.vdi", "Hersteller;2;201601", Expect::FirstLine, ""},
                      HeaderCase{"j.vdi", "010;2;201110", Expect::ShortDate, "201110"},
                      HeaderCase{"k.vdi", "010;17;202112", Expect::ShortDate, "202112"},
                      HeaderCase{"l.vdi", "010;2;2016", Expect::LongDate, "2016"},
                      HeaderCase{"m.vdi", "010;200;201601", Expect::LongDate, "201601"},
                      HeaderCase{"n.vdi", "010;2", Expect::LongDate, ""},
                      HeaderCase{"o.tga", "010;1098;Hersteller", Expect::Accepted, ""},
                      HeaderCase{"p.TGA", "010;1099;Hersteller", Expect::TgaDate, "1099"},
                      HeaderCase{"q.tga", "010;01098;Hersteller", Expect::TgaDate, "01098"},
                      HeaderCase{"r.tga", "100;1098", Expect::FirstLine, ""},
                      HeaderCase{"s.txt", "irgendwas;ohne;Kopf", Expect::Accepted, ""}));

TEST_F(VdiTest, HeaderValuesOfTheDocument) {
    auto doc = load("n.vdi", vditest::sheet2Catalogue());
    ASSERT_TRUE(doc->IsParsed());
    EXPECT_EQ(doc->GetSheet(), 2);
    EXPECT_EQ(doc->GetGuidelineDate(), "201601");
    EXPECT_EQ(doc->GetHeaderField15(), "Vertrieb");
    EXPECT_EQ(doc->GetHeaderField16(), 3);
    EXPECT_EQ(doc->GetHeaderField17(), 7);
    EXPECT_EQ(doc->GetLine(), "CVDIDoc");
    EXPECT_FALSE(doc->IsOldLayout());

    auto tga = load("alt.tga", "010;1098;Rheintal Armaturen GmbH\r\n");
    ASSERT_TRUE(tga->IsParsed());
    EXPECT_EQ(tga->GetSheet(), 2);
    EXPECT_EQ(tga->GetGuidelineDate(), "1098");
    EXPECT_TRUE(tga->IsOldLayout());
}

// Another sheet than asked for, or no ".vdix" when only those are wanted.
TEST_F(VdiTest, OtherSheetsAndFileKindsAreSkippedSilently) {
    auto sheet17 = load("blatt17.vdi", "010;17;201601;Südwerk\r\n100;1\r\n", false, 2);
    auto vdi = load("a.vdi", vditest::sheet2Catalogue(), false, 0, true);
    for (const CVDIDoc* doc : {sheet17.get(), vdi.get()}) {
        EXPECT_TRUE(doc->IsLoaded());
        EXPECT_FALSE(doc->IsParsed());
    }
    EXPECT_EQ(sheet17->GetSheet(), 17);
    EXPECT_EQ(CReportList::instance().Count(), 0);
    EXPECT_TRUE(load("a.vdix", vditest::sheet2Catalogue(), false, 0, true)->IsParsed());
}

TEST_F(VdiTest, UnreadableFilesAreReportedAsError10) {
    const std::string missing = dir.file("fehlt.vdi");
    const std::string folder = dir.file("ordner.vdi");
    std::filesystem::create_directories(folder);
    const std::string empty = dir.file("leer.vdi");
    kavextest::writeBytes(empty, "");
    struct Case {
        std::string path, title, text;
    } cases[] = {
        {missing, "Datei konnte nicht gefunden werden.",
         "Bitte prüfen, ob die VDI-Datei vorhanden ist.\nDateipfad:\n" + missing},
        // A folder of that name is no catalogue file.
        {folder, "Datei konnte nicht gefunden werden.",
         "Bitte prüfen, ob die VDI-Datei vorhanden ist.\nDateipfad:\n" + folder},
        {empty, "Fehler beim Lesen einer Datei: Datei hat keinen Inhalt.",
         "Bitte prüfen, ob die VDI-Datei das richtige Format hat.\nDateipfad:\n" + empty},
    };
    for (const Case& c : cases) {
        CReportList::instance().Clear();
        CVDIDoc doc;
        EXPECT_FALSE(doc.Load(c.path, false, 0, false)) << c.path;
        EXPECT_TRUE(doc.IsLoaded());
        const auto entries = CReportList::instance().GetEntries();
        ASSERT_EQ(entries.size(), 1U) << c.path;
        EXPECT_EQ(entries[0].code, 10);
        EXPECT_EQ(entries[0].title, c.title);
        EXPECT_EQ(entries[0].text, stored(c.title, c.text));
    }
}

// Whatever the line ends, byte-order mark or last line end, the same records result.
TEST_F(VdiTest, LineEndVariantsGiveTheSameTree) {
    const std::string crlf = nrvCodePage::utf8ToCp1252(vditest::sheet2Catalogue("\r\n"));
    auto reference = load("ref.vdi", crlf);
    ASSERT_TRUE(reference->IsParsed());
    std::vector<std::string> expected;
    reference->DumpAllLines(expected);
    ASSERT_EQ(expected.size(), 39U);

    std::string noFinal = crlf.substr(0, crlf.size() - 2);
    std::string blanks = crlf;
    blanks.replace(blanks.find("100;"), 0, "\r\n   \r\n\t\r\n");
    const std::string utf8 = vditest::sheet2Catalogue("\n");
    const std::pair<std::string, std::string> variants[] = {
        {"lf.vdi", nrvCodePage::utf8ToCp1252(vditest::sheet2Catalogue("\n"))},
        {"cr.vdi", nrvCodePage::utf8ToCp1252(vditest::sheet2Catalogue("\r"))},
        {"bom.vdi", "\xEF\xBB\xBF" + utf8},
        {"utf8.vdix", utf8},
        {"nofinal.vdi", noFinal},
        {"blanks.vdi", blanks},
    };
    for (const auto& [name, bytes] : variants) {
        auto doc = load(name, bytes);
        ASSERT_TRUE(doc->IsParsed()) << name;
        std::vector<std::string> lines;
        doc->DumpAllLines(lines);
        EXPECT_EQ(lines, expected) << name;
        EXPECT_EQ(vditest::shapeOf(*doc), vditest::shapeOf(*reference)) << name;
    }
}

TEST_F(VdiTest, VdixIsUtf8AndVdiIs1252) {
    const std::string bytes =
        "010;17;201601;S\xC3\xBC"
        "dwerk Pumpen & Regeltechnik KG\r\n";
    auto vdix = load("s.vdix", bytes);
    auto vdi = load("s.vdi", bytes);
    ASSERT_TRUE(vdix->IsParsed() && vdi->IsParsed());
    EXPECT_EQ(vdix->GetChild(0)->GetField(4), "Südwerk Pumpen & Regeltechnik KG");
    EXPECT_EQ(vdi->GetChild(0)->GetField(4), "SÃ¼dwerk Pumpen & Regeltechnik KG");
}

TEST_F(VdiTest, LongLinesAreKeptWhole) {
    const std::string longText(3 * 1024 * 1024, 'x');
    auto doc = load("lang.vdi", "010;2;201601;Nordquell\r\n960;1;" + longText + ";Ende");
    ASSERT_TRUE(doc->IsParsed());
    const CVDIBase* text = doc->FindRecord(96000);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetField(3).size(), longText.size());
    EXPECT_EQ(text->GetField(4), "Ende");
}

TEST_F(VdiTest, FilterDropsLateTextRecordsAndOldCombinations) {
    auto kept = load("f.vdi", vditest::sheet2Catalogue(), true);
    EXPECT_NE(kept->FindRecord(97001), nullptr);
    EXPECT_EQ(kept->FindRecord(97002), nullptr);
    EXPECT_NE(kept->FindRecord(72000), nullptr);

    const std::string tga =
        "010;1098;Rheintal\r\n100;1\r\n110;1;1\r\n700;1\r\n720;1\r\n"
        "720.01;1\r\n710.01;1\r\n970;1\r\n970.02;1\r\n980;1\r\n";
    auto old = load("f.tga", tga, true);
    ASSERT_TRUE(old->IsParsed());
    EXPECT_EQ(old->FindRecord(72000), nullptr);
    EXPECT_EQ(old->FindRecord(72001), nullptr);
    EXPECT_NE(old->FindRecord(71001), nullptr);
    EXPECT_EQ(old->FindRecord(98000), nullptr);
    auto unfiltered = load("u.tga", tga, false);
    EXPECT_NE(unfiltered->FindRecord(72001), nullptr);
    EXPECT_NE(unfiltered->FindRecord(98000), nullptr);
}

TEST_F(VdiTest, FieldDescriptionsFollowSheetAndIssue) {
    auto doc = load("d.vdi", vditest::sheet2Catalogue());
    const CVDITemplate& t = doc->GetTemplate();
    ASSERT_FALSE(t.IsEmpty());
    EXPECT_EQ(t.GetFieldDescription("710.01", 5), "Einstellung (Text)");
    EXPECT_EQ(t.GetFieldDescription("010", 15), "Währung (Text)");  // described from 201110 on
    EXPECT_EQ(t.GetFieldDescription("010", 18), "n.v.");
    EXPECT_EQ(t.GetFieldDescription("700", 18), "Eingang Außendurchmesser d1 in mm");
    EXPECT_EQ(t.GetFieldDescription("999", 1), "n.v.");
    auto tw = load("tw.vdi", "010;17;201601;Südwerk\r\n");
    EXPECT_EQ(tw->GetTemplate().GetFieldDescription("700", 4),
              "Armaturart (Typ = 1700 + Armaturart)");
    auto other = load("x.vdi", "010;5;201601\r\n");
    EXPECT_TRUE(other->GetTemplate().IsEmpty());
}

TEST_F(VdiTest, DescriptionSectionsAndPairs) {
    CVDITemplate::SetFolder(dir.path().string());
    kavextest::writeBytes(dir.file("vdi3805-Blatt07-Beschreibungen.txt"),
                          "DATUMRICHTLINIE=200001\r\n100\r\nalt:alt\r\n"
                          "DATUMRICHTLINIE=201601\r\n\r\n100\r\n\r\nSatzart:Index\r\n"
                          "eine viel zu lange Zeile\r\n710.01\r\nSatzart:Index:Einstellung\r\n"
                          "DATUMRICHTLINIE=202112\r\n100\r\nneu:neu\r\n900\r\n");
    CVDITemplate t;
    EXPECT_TRUE(t.LoadDescriptions(7, 201110));
    EXPECT_EQ(t.GetFieldDescription("100", 2), "Index");
    EXPECT_EQ(t.GetFieldDescription("710.01", 3), "Einstellung");
    EXPECT_TRUE(t.LoadDescriptions(7, 202112));
    EXPECT_EQ(t.GetFieldDescription("100", 1), "neu");
    EXPECT_EQ(t.GetFieldDescription("900", 1), "n.v.");  // type line without description
    EXPECT_FALSE(t.LoadDescriptions(7, 202201));
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_EQ(CVDITemplate::FileNameOf(2), "vdi3805-Blatt02-Beschreibungen.txt");
}

#include "support/fakeui.h"

// A file picked for import is checked before it is copied into the library.
TEST_F(VdiTest, CheckCatalogueFileShowsWhyItRefuses) {
    auto fake = std::make_shared<kavextest::FakeUi>();
    auto previous = nrvUi::setUi(fake);
    struct Case {
        const char* name;
        const char* bytes;  // null: no file
        int sheet;
        bool accepted;
        const char* title;
        const char* text;  // %PATH% stands for the file's path
    } cases[] = {
        {"a.vdi", "010;2;201601\r\n", 2, true, "", ""},
        {"a.vdi", nullptr, 0, true, "", ""},
        {"b.VDI", "010;17;201601\r\n", 17, true, "", ""},
        {"c.tga", "010;1098;x\r\n", 2, true, "", ""},
        {"d.vdi", nullptr, 2, false, "Datei konnte nicht gefunden werden.",
         "Bitte prüfen, ob die VDI-Datei vorhanden ist.\nDateipfad:\n%PATH%"},
        {"e.vdi", "\r\n010;2;201601\r\n", 2, false, "Datei konnte nicht gelesen werden.",
         "Bitte prüfen, ob die VDI-Datei das richtige Format hat.\nDateipfad:\n%PATH%"},
        {"f.vdi", "010;17;201601\r\n", 2, false, "VDI-Datei hat die falsche Blattnummer.",
         "Erwartete Blattnummer: 2, in der Datei gefundene Blattnummer: 17.\nDateipfad:\n%PATH%"},
        {"g.tga", "010;1098;x\r\n", 17, false, "TGA-Datei hat das falsche Datum.",
         "Dieses Ausgabedatum und somit der Datenstandard wird derzeit nicht unterstützt oder "
         "ist nicht erlaubt.\nDateipfad:\n%PATH%"},
        {"h.vdix", "010;2;201601\r\n", 2, false, "Datei hat eine falsche Dateiendung.",
         "Diese Dateiendung ist nicht erlaubt.\nDateipfad:\n%PATH%"},
    };
    for (const Case& c : cases) {
        fake->shown.clear();
        const std::string path = dir.file(c.name);
        if (c.bytes != nullptr) kavextest::writeBytes(path, c.bytes);
        EXPECT_EQ(CheckCatalogueFile(path, c.sheet), c.accepted) << c.name;
        if (c.accepted) {
            EXPECT_TRUE(fake->shown.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(fake->shown.size(), 1U) << c.name;
        std::string text = c.text;
        text.replace(text.find("%PATH%"), 6, path);
        EXPECT_EQ(fake->shown[0].title, c.title);
        EXPECT_EQ(fake->shown[0].text, std::string(c.title) + "\n\n" + text) << c.name;
    }
    nrvUi::setUi(previous);
    EXPECT_EQ(CReportList::instance().Count(), 0);
}
