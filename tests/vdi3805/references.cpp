// References inside a catalogue: the records an execution's TGA number names,
// the check of its header parts, and accessory entries from article records.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "kavex/valves/armatur.h"
#include "kavex/vdi3805/vdidata.h"
#include "kavex/vdi3805/vdirecords.h"
#include "vdifixtures.h"

namespace {

using vditest::VdiTest;
using Refs = std::vector<std::string>;

// A model series 100;2 / 110;3 with two 200 groups, an index-0 160 and one
// execution whose TGA number is `tga`.
std::string catalogue(const std::string& tga) {
    const char* lines[] = {
        "010;2;201601;Nordquell Ventiltechnik AG",
        "100;2;Gruppe",
        "110;3;2;Serie TK 15;Unterteil",
        "160;0;allgemein",
        "160;1;Eigenschaft",
        "200;1;1;1;0;Eck",
        "250;1;Bauform A",
        "250;2;Bauform B",
        "200;2;1;1;0;Durchgang",
        "250;3;Bauform C",
        "700;5;4;15;10;EN10226;1;21.3",
        "760;1;Zusatz",
        "800;1;TGA;Ventil TK 15",
    };
    std::string text;
    for (std::string line : lines) {
        if (line.ends_with(";TGA;Ventil TK 15")) line.replace(6, 3, tga);
        text += line + "\r\n";
    }
    return text;
}

// Header parts 002 003, then the parts 160 … 560, the 700 part and the 760 part.
std::string tga(const std::string& p160, const std::string& p200, const std::string& p250,
                const std::string& p700 = "00005", const std::string& p760 = "001") {
    std::string rest(10 * 3, '0');  // 260 … 560
    return "002003" + p160 + p200 + p250 + rest + p700 + p760;
}

Refs describe(const std::vector<CVDIBase*>& records) {
    Refs out;
    for (const CVDIBase* r : records)
        out.push_back(std::to_string(r->GetTypeNo() / 100) + ";" + std::to_string(r->GetIndex()));
    return out;
}

class References : public VdiTest {
protected:
    VDIStruct_800& execution(const std::string& tgaNumber) {
        doc = load("tga.vdi", catalogue(tgaNumber));
        EXPECT_TRUE(doc->IsParsed());
        auto* e = dynamic_cast<VDIStruct_800*>(doc->FindRecord(80000));
        EXPECT_NE(e, nullptr);
        return *e;
    }
    std::unique_ptr<CVDIDoc> doc;
};

TEST_F(References, TgaNumberNamesRecordsOfTheModelSeries) {
    struct Case {
        std::string tga;
        Refs expected;
        int hints;
    };
    const Case cases[] = {
        // The named index and the type's index-0 record, named one first.
        {tga("001", "001", "002"), {"160;1", "160;0", "200;1", "250;2", "700;5", "760;1"}, 0},
        // "???" takes every 200; the 250 part then searches the whole series.
        {tga("000", "???", "003"), {"200;1", "200;2", "250;3", "700;5", "760;1"}, 0},
        // A 250 is searched only below the 200 named before it.
        {tga("000", "002", "001"), {"200;2", "700;5", "760;1"}, 1},
        {tga("007", "000", "000", "00000", "000"), {}, 1},
    };
    for (const Case& c : cases) {
        CReportList::instance().Clear();
        VDIStruct_800& e = execution(c.tga);
        EXPECT_TRUE(e.ResolveTgaNumber()) << c.tga;
        std::vector<CVDIBase*> all;
        e.GetReferences(0, all);
        EXPECT_EQ(describe(all), c.expected) << c.tga;
        EXPECT_EQ(CReportList::instance().Count(), c.hints) << c.tga;
        EXPECT_EQ(CReportList::instance().CountErrors(), 0);
    }
}

TEST_F(References, MissingRecordHintNamesThePositionAndTheChain) {
    VDIStruct_800& e = execution(tga("007", "000", "000"));
    e.ResolveTgaNumber();
    e.ResolveTgaNumber();  // once only
    ASSERT_EQ(CReportList::instance().Count(), 1);
    const CReportEntry hint = CReportList::instance().GetAt(0);
    EXPECT_EQ(hint.code, 1600);
    EXPECT_EQ(hint.title, "Hinweis zu TGA-Nr. mit Verweis auf nicht vorhandenen Datensatz");
    EXPECT_NE(hint.text.find("In der TGA-Nr. mit Index 1 von Produkt Ventil TK 15 wird auf einen "
                             "nicht vorhandenen Satz 160;7 (Stelle 7 bis 9) verwiesen!\r\n"
                             "(100.00:2 - 110.00:3 - 800.00:1)\r\n"
                             "Folge: Ein Zubehör kann nicht ermittelt bzw. angezeigt werden."),
              std::string::npos)
        << hint.text;
}

TEST_F(References, GetReferencesSelectsOneTypeInEitherNotation) {
    VDIStruct_800& e = execution(tga("001", "???", "000"));
    const std::pair<int, Refs> cases[] = {
        {160, {"160;1", "160;0"}},
        {20000, {"200;1", "200;2"}},
        {760, {"760;1"}},
        {250, {}},
        {100, {}},
        {90000, {}},
    };
    for (const auto& [type, expected] : cases) {
        std::vector<CVDIBase*> out;
        e.GetReferences(type, out);
        EXPECT_EQ(describe(out), expected) << type;
    }
}

TEST_F(References, ShortTgaNumberIsAnErrorWithoutReferences) {
    const std::string full = tga("001", "001", "001");
    ASSERT_EQ(full.size(), 53u);
    EXPECT_TRUE(execution(full).ResolveTgaNumber());
    CReportList::instance().Clear();
    VDIStruct_800& e = execution(full.substr(0, 52));
    EXPECT_FALSE(e.ResolveTgaNumber());
    std::vector<CVDIBase*> all;
    e.GetReferences(0, all);
    EXPECT_TRUE(all.empty());
    ASSERT_EQ(CReportList::instance().CountErrors(), 1);
    EXPECT_EQ(CReportList::instance().GetAt(0).code, 800);
    EXPECT_EQ(CReportList::instance().GetAt(0).title,
              "Fehler in der TGA-Nummer von Produkt:Serie TK 15\n 110;3;2;Serie TK 15;Unterteil");
}

TEST_F(References, HeaderPartsMustNameTheGroupsAbove) {
    EXPECT_TRUE(execution(tga("000", "000", "000")).CheckTgaHeaderRefs());
    EXPECT_EQ(CReportList::instance().Count(), 0);
    std::string wrong = tga("000", "000", "000");
    wrong.replace(0, 3, "009");
    EXPECT_FALSE(execution(wrong).CheckTgaHeaderRefs());
    ASSERT_EQ(CReportList::instance().Count(), 1);
    const CReportEntry hint = CReportList::instance().GetAt(0);
    EXPECT_EQ(hint.code, 1800);
    EXPECT_NE(hint.text.find("Produkt-Hauptgruppe I (Satzart 100, Idx 9) stimmt nicht mit der "
                             "hier über liegenden Satzart 100 (Idx 2) überein."),
              std::string::npos);
}

TEST_F(References, AccessoryEntriesComeFromArticleRecords) {
    auto full = load("zubehoer.vdi", vditest::sheet2Catalogue());
    auto other = load("zubehoer.txt", vditest::sheet2Catalogue());
    struct Case {
        const CVDIBase* record;
        bool result;
        int optional, nichtF;
    };
    const Case cases[] = {
        {full->FindRecord(16001), true, 1, 0},
        {full->FindRecord(71051), true, 0, 0},   // curve articles are never optional
        {full->FindRecord(70000), false, 0, 1},  // its article 15 does not exist
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.record, nullptr);
        nrvVDIArmaturen::nrvArmaturZubehoer entry;
        EXPECT_EQ(FillAccessory(entry, *c.record), c.result) << c.record->GetLine();
        EXPECT_EQ(entry.typNr, c.record->GetTypeNo());
        EXPECT_EQ(entry.optional, c.optional) << c.record->GetLine();
        EXPECT_EQ(entry.nichtF, c.nichtF) << c.record->GetLine();
        if (c.result) {
            EXPECT_EQ(entry.artikelNr, 901);
            EXPECT_EQ(entry.name, "Thermostatkopf");
            EXPECT_EQ(entry.artikelNrText, "F-901");
            EXPECT_FLOAT_EQ(entry.anzahl, 1.0f);
        }
    }
    nrvVDIArmaturen::nrvArmaturZubehoer entry;
    EXPECT_FALSE(FillAccessory(entry, *full->FindRecord(11000)));
    EXPECT_EQ(CReportList::instance().Count(), 0);
    EXPECT_FALSE(FillAccessory(entry, *other->FindRecord(70000)));
    ASSERT_EQ(CReportList::instance().CountErrors(), 1);
    EXPECT_EQ(CReportList::instance().GetAt(0).title,
              "Die Blatt-Nr 0 wird bei der Ermittlung von Zubehör-Verweisen nicht unterstützt.");
}

TEST_F(References, CombinationAndArticleRecordsFindTheirTargetsOnFirstUse) {
    auto full = load("lazy.vdi", vditest::sheet2Catalogue());
    auto* combination = dynamic_cast<VDIStruct_720*>(full->FindRecord(72000));
    ASSERT_NE(combination, nullptr);
    combination->SetField(3, "1");   // text 970;1 below the header
    combination->SetField(4, "1");   // 160;1
    combination->SetField(6, "9");   // no 250;9
    combination->SetField(17, "1");  // 760;1 below the 700
    const std::pair<int, const CVDIBase*> slots[] = {
        {0, full->FindRecord(97000, 1)},
        {1, full->FindRecord(16000, 1)},
        {2, full->FindRecord(20000, 1)},
        {3, nullptr},
        {4, nullptr},
        {14, full->FindRecord(76000, 1)},
    };
    for (const auto& [slot, expected] : slots) {
        if (slot != 3 && slot != 4) {
            EXPECT_NE(expected, nullptr) << "the fixture holds the record of slot " << slot;
        }
        EXPECT_EQ(combination->GetReference(slot), expected) << slot;
    }
    EXPECT_THROW(combination->GetReference(VDIStruct_720::kSlots), std::invalid_argument);
    EXPECT_THROW(combination->GetReference(-1), std::invalid_argument);

    auto* entry = dynamic_cast<VDIStruct_VZ_01*>(full->FindRecord(16001));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->GetArticle(), full->FindRecord(90000, 901));
    EXPECT_TRUE(entry->IsFixed());
    auto* curve = dynamic_cast<VDIStruct_VZ_01*>(full->FindRecord(71051));
    ASSERT_NE(curve, nullptr);
    curve->SetField(3, "902");
    curve->SetField(5, "p");
    EXPECT_EQ(curve->GetArticle(), nullptr);
    EXPECT_FALSE(curve->IsFixed());
}

}  // namespace
