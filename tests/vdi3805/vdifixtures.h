#pragma once
// Small hand-written catalogues and helpers shared by the catalogue reader tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "kavex/platform/reportlist.h"
#include "kavex/valves/armaturenmodell.h"
#include "kavex/vdi3805/vdiconvert.h"
#include "kavex/vdi3805/vdidoc.h"
#include "kavex/vdi3805/vdirecords.h"
#include "kavex/vdi3805/vditemplate.h"
#include "support/tempdir.h"

namespace vditest {

using Lines = std::vector<std::string>;

inline Lines operator+(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The executions below `root` in file order.
inline std::vector<VDIStruct_800*> executionsOf(const CVDIBase& root) {
    std::vector<CVDIBase*> records;
    root.CollectRecords(80000, records);
    std::vector<VDIStruct_800*> executions;
    for (CVDIBase* r : records)
        executions.push_back(dynamic_cast<VDIStruct_800*>(r));
    return executions;
}

// Converts every execution below `root` at the design XP `xp`, without accessories.
inline void fillModel(nrvVDIArmaturen::nrvVDIArmaturenModell& model, const CVDIBase& root,
                      float xp = 0.0f) {
    const auto executions = executionsOf(root);
    nrvVDIConvert::FillModel(model, executions, std::vector<float>(executions.size(), xp),
                             std::vector<nrvVDIConvert::AccessoryList>(executions.size()));
}

// A text as the report list keeps it: CR LF line ends.
inline std::string crlf(const std::string& text) {
    std::string out;
    for (char ch : text)
        out += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    return out;
}

// An entry's whole text: its title, a blank line, then the text.
inline std::string stored(const std::string& title, const std::string& text) {
    return title + ":\r\n\r\n" + crlf(text);
}

// A sheet-2 catalogue of one model series with every kind of record the
// reader places, lines joined by `eol` (UTF-8 text; written as 1252 below).
inline std::string sheet2Catalogue(const std::string& eol = "\r\n") {
    const char* lines[] = {
        "010;2;201601;Nordquell Ventiltechnik AG;Am Quellberg 4\xC2\xB6"
        "24937 Flensburg;www.nordquell.example;Musterkatalog;20240115;1.0;DE;EUR;1;20240101;"
        "20251231;Vertrieb;3;7",
        "100;2;Heizkörperarmaturen für Zweirohrheizungen",
        "110;3;2;Serie TK 15;Thermostatventil-Unterteil",
        "160;1;Eigenschaft",
        "160.01;1;901;1;f;p",
        "200;1;1;1;0;Eck",
        "200.01;1;901;1;f;p",
        "250;1;Bauform",
        "260;1;Garnitur",
        "210;1;unbekannte Satzart",
        "700;5;4;15;10;EN10226;1;21.3;0;2;0.86;120;10;1;6;1;6;1;1",
        "710.01;1;1;0.12;2",
        "710.01;2;6;0.86;2",
        "720;1;0;0;1;0;0;0;0;0;0;0;0;0;0;0;0",
        "720.01;1;Kombination",
        "720.02;1;x",
        "710.01;3;N;0.90;2",
        "710.05;1;10000;300;500",
        "710.51;1;901;1;f",
        "760;1;Zusatz",
        "760.01;1;901;1;f;p",
        "800;1;002003001001000000000000000000000000000000000000005000;Ventil TK 15;4711;12.50",
        "810;1;A;2;4711;4000000000001;0.3;0.1",
        "820;1;bild.png;blatt.pdf",
        "830;1;Ausschreibungstext",
        "850;1;Zubehör",
        "860;1;901;1",
        "900;901;1;Fühler;x;1;F-901;9.90;1;1;Thermostatkopf;4000000000002;0.1;k.png;k.pdf",
        "920;1;901;1",
        "940;1;nicht gelesen",
        "930;1;Baum",
        "930.01;1;901;1;Knoten",
        "930.03;1;1",
        "930.04;1;800;2;1",
        "930.02;1;901;1",
        "960;1;Kurz;Lang",
        "970;1;Hinweise",
        "970.01;1;Zeile eins",
        "970.02;1;DE;Zeile zwei",
    };
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + eol;
    return text;
}

// The folder of the field-description files in the source tree (this file
// sits in tests/vdi3805/).
inline std::string descriptionFolder() {
    const std::filesystem::path here(__FILE__);
    return (here.parent_path().parent_path().parent_path() / "data" / "vdi3805").string();
}

// Each test starts with an empty report list and the bundled descriptions.
class VdiTest : public ::testing::Test {
protected:
    void SetUp() override {
        CReportList::instance().Clear();
        CVDITemplate::SetFolder(descriptionFolder());
    }
    void TearDown() override { CReportList::instance().Clear(); }

    // Writes `bytes` as `name` into the temporary folder and loads it.
    std::unique_ptr<CVDIDoc> load(const std::string& name, const std::string& bytes,
                                  bool filter = false, int expectedSheet = 0,
                                  bool vdixOnly = false) {
        const std::string path = dir.file(name);
        kavextest::writeBytes(path, bytes);
        auto doc = std::make_unique<CVDIDoc>();
        doc->Load(path, filter, expectedSheet, vdixOnly);
        return doc;
    }

    kavextest::TempDir dir;
};

// The tree as lines of class names indented by depth, e.g. "  VDIStruct_100".
inline std::vector<std::string> shapeOf(const CVDIBase& root) {
    std::vector<std::string> out;
    struct Walk {
        std::vector<std::string>& out;
        void operator()(const CVDIBase& r, int depth) {
            for (const auto& child : r.GetChildren()) {
                out.push_back(std::string(2 * depth, ' ') +
                              child->GetRuntimeClass()->m_lpszClassName);
                (*this)(*child, depth + 1);
            }
        }
    };
    Walk{out}(root, 0);
    return out;
}

// TGA number 002 003 <160 … 560> <700: 00005> <760: 000>.
inline std::string tgaNumber(const std::string& properties) {
    return "002003" + properties + "00005000";
}

// A model series 110;3 (below 100;2) whose executions name property records:
//   800;1: 160;1, 200;1 (250;1), 300;1 (350;1, 360;1), 400;1 (450;1, 460;1;
//          the general 400;0 comes along), 500;1;
//   800;2: 200;2, 400;2 (and 400;0);   800;3: a TGA number too short.
// Lines of a ".vdix" file (UTF-8).
inline std::vector<std::string> detailCatalogueLines(const std::string& sheet,
                                                     const std::string& date) {
    return {
        "010;" + sheet + ";" + date + ";Nordquell Ventiltechnik AG",
        "100;2;Zweirohr",
        "110;3;;Serie TK",
        "160;1;0;Eigenschaft frei",
        "200;1;1;",
        "250;1;2;",
        "200;2;2;",
        "300;1;1;",
        "350;1;0;",
        "360;1;999;Sonder",
        "400;0;3;",
        "400;2;2;",
        "400;1;1;",
        "450;1;8;Matt",
        "460;1;2;",
        "500;1;Handrad",
        "700;5;4;15",
        //            160 200 250 260 300 350 360 400 450 460 500 550 560
        "800;1;" + tgaNumber("001001001000001001001001001001001000000") + ";Eck",
        "800;2;" + tgaNumber("000002000000000000000002000000000000000") + ";Durchgang",
        "800;3;002003;zu kurz",
    };
}

inline std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

}  // namespace vditest
