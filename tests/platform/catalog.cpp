// Catalogue libraries on disk: scanning a root, content keys and files, logo
// fallbacks, and registering new libraries and content files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <thread>
#include <tuple>

#include "kavex/platform/catalog.h"
#include "kavex/platform/treestore.h"
#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;
using kavextest::readBytes;
using kavextest::writeBytes;
using Strings = std::vector<std::string>;

std::string info(const std::string& id, const std::string& body = {}) {
    return "[Katalog]\n\tID:" + id + "\n" + body + "[ENDE_Katalog]\n";
}

Strings ids(const nrvCatalogList& list) {
    Strings out;
    for (const auto& i : list)
        out.push_back(i->getStrID());
    return out;
}

class CatalogRoot : public ::testing::Test {
protected:
    void put(const std::string& rel, const std::string& bytes) { writeBytes(dir.file(rel), bytes); }
    std::string root() const { return mgr.getRootPath(); }
    kavextest::TempDir dir;
    nrvCatalogManager mgr;
};

TEST_F(CatalogRoot, MissingRootsFailClearly) {
    const char* saved = std::getenv(nrvCatalogManager::kRootEnvVar);
    const std::string keep = saved ? saved : "";
    ::unsetenv(nrvCatalogManager::kRootEnvVar);
    put("datei", "x");
    for (const std::string& bad : {std::string(), dir.file("fehlt"), dir.file("datei")}) {
        EXPECT_FALSE(mgr.init(bad)) << bad;
        EXPECT_FALSE(mgr.lastError().empty()) << bad;
        EXPECT_TRUE(mgr.getCatalogList().empty());
        EXPECT_FALSE(mgr.rescan());
    }
    // The environment variable stands in for a root not given.
    put("A/desktop.info", info("A"));
    ::setenv(nrvCatalogManager::kRootEnvVar, dir.path().c_str(), 1);
    EXPECT_TRUE(mgr.init(""));
    EXPECT_EQ(ids(mgr.getCatalogList()), Strings{"A"});
    if (saved)
        ::setenv(nrvCatalogManager::kRootEnvVar, keep.c_str(), 1);
    else
        ::unsetenv(nrvCatalogManager::kRootEnvVar);
}

TEST_F(CatalogRoot, UnusableLibrariesAreSkippedWithAReason) {
    put("GUT/desktop.info", info("GUT"));
    put("bmp/default.png", "png");                      // shared logos, not a library
    put(".versteckt/desktop.info", info("VERSTECKT"));  // hidden folders are ignored
    put("rn/desktop.info", info("RN"));
    // folder, info file bytes (null: none written) -> reason contains
    const std::tuple<const char*, const char*, const char*> bad[] = {
        {"OHNE", nullptr, "fehlt"},
        {"KAPUTT", "[Katalog]\n\tID:K\n", "kein Baum"},
        {"FALSCH", "[Modell]\n\tID:F\n[ENDE_Modell]\n", "kein [Katalog]"},
        {"LEER", "[Katalog]\n\tNAME:x\n[ENDE_Katalog]\n", "ohne ID"},
        {"ZWEI", "[Katalog]\n\tID:GUT\n[ENDE_Katalog]\n", "doppelt"},
    };
    for (auto [folder, text, reason] : bad) {
        fs::create_directories(dir.file(folder));
        if (text) put(std::string(folder) + "/desktop.info", text);
    }
    fs::create_directories(dir.file("ORDNER/desktop.info"));  // not a readable file
    fs::create_directories(dir.file("RN_USER/VDI_2"));        // user library without info file
    ASSERT_TRUE(mgr.init(dir.path().string()));
    EXPECT_EQ(ids(mgr.getCatalogList()), (Strings{"GUT", "RN", "RN_USER"}));
    const Strings problems = mgr.getProblems();
    ASSERT_EQ(problems.size(), 6u);
    for (auto [folder, text, reason] : bad) {
        const bool found = std::any_of(problems.begin(), problems.end(), [&](const auto& p) {
            return p.rfind(std::string(folder) + ": ", 0) == 0 && p.find(reason) != p.npos;
        });
        EXPECT_TRUE(found) << folder << " / " << reason;
    }
    const nrvCatalogInfoPtr user = mgr.findCatalogInfo("RN_USER");
    ASSERT_TRUE(user);
    EXPECT_TRUE(user->isUserCatalog());
    EXPECT_FALSE(user->hasInfoFile());
    EXPECT_EQ(user->getStrRootPath(), root() + "RN_USER/");
    EXPECT_EQ(mgr.findCatalogInfo("NIEMAND"), nullptr);
    EXPECT_NE(mgr.lastError().find("NIEMAND"), std::string::npos);
}

TEST_F(CatalogRoot, ContentKeysFilesAndFilters) {
    // Written by a Windows program: CRLF and code page 1252 ("S\xFC" = "Sü").
    put("SW/desktop.info",
        "[Katalog]\r\n\tID:SW\r\n\tNAME:S\xFC"
        "dwerk\r\n\tcontent:VDI_17:PUMPEN::\r\n"
        "\tVDI_17:VDI_17\\a.vdi\r\n\tVDI_17:VDI_17\\unter\\b.vdi\r\n\tVDI_17:\r\n"
        "\tPUMPEN:PMP\\sw.pmp\r\n\tVDI_2:VDI_2\\nicht_gelistet.vdi\r\n[ENDE_Katalog]\r\n");
    put("NQ/desktop.info", info("NQ", "\tContent:VDI_2_2016\n\tVDI_2_2016:/abs/x.vdi\n"));
    put("RT/desktop.info", info("RT", "\tContent:VDI_2\n"));
    ASSERT_TRUE(mgr.init(dir.path().string()));
    const nrvCatalogInfoPtr sw = mgr.findCatalogInfo("SW");
    ASSERT_TRUE(sw);
    EXPECT_EQ(sw->getStrDisplayName(), "S\u00FCdwerk");
    EXPECT_EQ(sw->getContentKeys(), (Strings{"VDI_17", "PUMPEN"}));
    EXPECT_EQ(mgr.getContentFilePathNames(*sw, "VDI_17"),
              (Strings{root() + "SW/VDI_17/a.vdi", root() + "SW/VDI_17/unter/b.vdi"}));
    EXPECT_EQ(sw->getContentFilePathNames("VDI_2"), Strings{});  // not in Content
    EXPECT_EQ(sw->getContentFilePathNames("content"), Strings{});
    EXPECT_EQ(sw->getOrgInfoRootNode()->FindLeaf("PUMPEN")->GetOnlyValue(), "PMP\\sw.pmp");
    EXPECT_EQ(sw->resolvePath("PMP\\sw.pmp"), root() + "SW/PMP/sw.pmp");
    EXPECT_EQ(mgr.getContentFilePathNames(*mgr.findCatalogInfo("NQ"), "VDI_2_2016"),
              Strings{"/abs/x.vdi"});

    // key(s) -> libraries, sorted by identifier
    const std::tuple<Strings, Strings> filters[] = {
        {{"VDI_2"}, {"RT"}},  {{"VDI_2", "VDI_2_2016", "TGA_2"}, {"NQ", "RT"}},
        {{"VDI_17"}, {"SW"}}, {{"PUMPEN", "VDI_2"}, {"RT", "SW"}},
        {{"TGA_2"}, {}},      {{}, {}},
    };
    for (const auto& [keys, expected] : filters)
        EXPECT_EQ(ids(mgr.getFilteredCatalogList(keys)), expected) << keys.size();
    EXPECT_EQ(ids(mgr.getCatalogList("PUMPEN")), Strings{"SW"});
    EXPECT_EQ(ids(mgr.getCatalogList()), (Strings{"NQ", "RT", "SW"}));

    // key or path -> content-file name
    const std::tuple<std::string, std::string> names[] = {
        {"", "SW"},
        {"VDI_17", "SW\\VDI_17"},
        {root() + "SW/VDI_17/a.vdi", "SW\\VDI_17"},
        {"VDI_2\\neu.vdi", "SW\\VDI_2"},
        {root() + "SW/lose.vdi", "SW"},
        {root() + "NQ/VDI_2/a.vdi", ""},
        {"/ganz/woanders.vdi", ""},
    };
    for (const auto& [arg, expected] : names)
        EXPECT_EQ(mgr.ensureMMDLoaded(*sw, arg), expected) << arg;
}

TEST_F(CatalogRoot, LogoFallsBackInOrder) {
    // files present (relative to the library L / the root), LOGO leaf -> logo
    const std::tuple<Strings, const char*, const char*> cases[] = {
        {{"L/BMP/l.png", "L/bmp/default.jpg"}, "l.png", "L/BMP/l.png"},
        {{"L/BMP/l.png"}, "BMP\\l.png", "L/BMP/l.png"},
        {{"L/bmp/default.png", "L/bmp/default.jpg", "bmp/default.jpg"},
         "l.png",
         "L/bmp/default.jpg"},
        {{"L/bmp/default.bmp", "L/bmp/default.png"}, "", "L/bmp/default.png"},
        {{"L/bmp/default.bmp", "bmp/default.jpg"}, "", "L/bmp/default.bmp"},
        {{"bmp/default.png", "bmp/default.bmp"}, "fehlt.png", "bmp/default.png"},
        {{"L/BMP/l.png/"}, "l.png", ""},  // a folder is no readable logo
        {{}, "l.png", ""},
    };
    for (const auto& [files, logo, expected] : cases) {
        kavextest::TempDir tmp;
        for (const std::string& f : files) {
            if (f.back() == '/')
                fs::create_directories(tmp.file(f));
            else
                writeBytes(tmp.file(f), "bild");
        }
        writeBytes(tmp.file("L/desktop.info"), info("L", "\tLOGO:" + std::string(logo) + "\n"));
        nrvCatalogManager m;
        ASSERT_TRUE(m.init(tmp.path().string()));
        const std::string want = *expected ? m.getRootPath() + expected : std::string();
        EXPECT_EQ(m.findCatalogInfo("L")->getStrDisplayLogoFileName(), want) << logo << expected;
    }
}

TEST_F(CatalogRoot, AddingLibraries) {
    ASSERT_TRUE(mgr.init(dir.path().string()));
    const nrvCatalogInfoPtr neu = mgr.addCatalog("NEU", "Neu: 100% GmbH", "neu.png");
    ASSERT_TRUE(neu);
    EXPECT_EQ(neu->getStrDisplayName(), "Neu: 100% GmbH");
    EXPECT_EQ(neu->getStrLogoName(), "neu.png");
    EXPECT_EQ(neu->getInfoFilePathName(), root() + "NEU/desktop.info");
    EXPECT_EQ(mgr.addCatalog("NEU", "anders"), neu);  // existing one unchanged
    EXPECT_EQ(ids(mgr.getCatalogList()), Strings{"NEU"});

    put("KAPUTT/desktop.info", "kein Baum");
    for (const char* bad : {"", "a/b", "a\\b", "..", ".x", "bmp", "KAPUTT"}) {
        EXPECT_EQ(mgr.addCatalog(bad, "x"), nullptr) << bad;
        EXPECT_FALSE(mgr.lastError().empty()) << bad;
    }
    EXPECT_EQ(readBytes(dir.file("KAPUTT/desktop.info")), "kein Baum");
    nrvCatalogManager unset;
    EXPECT_EQ(unset.addCatalog("X", "x"), nullptr);
}

TEST_F(CatalogRoot, AddingContentLinesIsIdempotent) {
    // info file before, key, relative path -> info file after
    const std::tuple<std::string, const char*, const char*, std::string> cases[] = {
        {info("A", "\tContent:VDI_2\n"), "VDI_17", "VDI_17\\n.vdi",
         info("A", "\tContent:VDI_2:VDI_17\n\tVDI_17:VDI_17\\n.vdi\n")},
        {info("A", "\tContent:\n"), "VDI_2", "VDI_2\\n.vdi",
         info("A", "\tContent:VDI_2\n\tVDI_2:VDI_2\\n.vdi\n")},
        {info("A"), "VDI_2", "VDI_2\\a:b%.vdi",
         info("A", "\tContent:VDI_2\n\tVDI_2:VDI_2\\a%3Ab%25.vdi\n")},
        {info("A", "\tCONTENT:VDI_2\n\tVDI_2:VDI_2\\n.vdi\n"), "VDI_2", "VDI_2\\n.vdi",
         info("A", "\tCONTENT:VDI_2\n\tVDI_2:VDI_2\\n.vdi\n")},
        {info("A", "\tContent:VDI_2_2016\n[X]\nVDI_2:VDI_2\\n.vdi\n[ENDE_X]\n"), "VDI_2",
         "VDI_2\\n.vdi",
         info("A",
              "\tContent:VDI_2_2016:VDI_2\n[X]\nVDI_2:VDI_2\\n.vdi\n[ENDE_X]\n"
              "\tVDI_2:VDI_2\\n.vdi\n")},
        {"\xEF\xBB\xBF[Katalog]\r\n\tID:A\r\n\tNAME:S\xFC\r\n\tcontent:PUMPEN\r\n[ENDE_Katalog]",
         "VDI_2", "VDI_2\\n.vdi",
         "\xEF\xBB\xBF[Katalog]\r\n\tID:A\r\n\tNAME:S\xC3\xBC\r\n\tcontent:PUMPEN:VDI_2\r\n"
         "\tVDI_2:VDI_2\\n.vdi\r\n[ENDE_Katalog]"},
    };
    for (const auto& [before, key, rel, after] : cases) {
        put("A/desktop.info", before);
        ASSERT_TRUE(mgr.init(dir.path().string()));
        const nrvCatalogInfoPtr a = mgr.findCatalogInfo("A");
        ASSERT_TRUE(a);
        EXPECT_TRUE(mgr.addContentLine(*a, key, rel));
        EXPECT_EQ(readBytes(dir.file("A/desktop.info")), after) << before;
        EXPECT_TRUE(mgr.addContentLine(*mgr.findCatalogInfo("A"), key, rel));
        EXPECT_EQ(readBytes(dir.file("A/desktop.info")), after) << "again: " << before;
        const nrvCatalogInfoPtr now = mgr.findCatalogInfo("A");  // rescanned
        EXPECT_TRUE(now->hasContentKey(key));
        const Strings files = now->getContentFilePathNames(key);
        ASSERT_FALSE(files.empty());
        EXPECT_EQ(files.back(), now->resolvePath(rel));
    }
}

TEST_F(CatalogRoot, ContentLinesRefuseWhatTheyCannotEdit) {
    put("A/desktop.info", info("A"));
    fs::create_directories(dir.file("RN_USER"));
    ASSERT_TRUE(mgr.init(dir.path().string()));
    const nrvCatalogInfoPtr a = mgr.findCatalogInfo("A");
    for (auto [key, rel] :
         {std::pair{"", "x.vdi"}, {"VDI 2", "x"}, {"A:B", "x"}, {"Content", "x"}, {"VDI_2", ""}})
        EXPECT_FALSE(mgr.addContentLine(*a, key, rel)) << key << rel;
    EXPECT_FALSE(mgr.addContentLine(*mgr.findCatalogInfo("RN_USER"), "VDI_2", "VDI_2\\x.vdi"));
    put("A/desktop.info", "[Modell]\n[ENDE_Modell]\n");  // changed behind our back
    EXPECT_FALSE(mgr.addContentLine(*a, "VDI_2", "VDI_2\\x.vdi"));
    EXPECT_NE(mgr.lastError().find("fehlerhaft"), std::string::npos);
    EXPECT_EQ(readBytes(dir.file("A/desktop.info")), "[Modell]\n[ENDE_Modell]\n");
}

TEST(BundledCatalogs, ListAsDocumented) {
    nrvCatalogManager mgr;
    ASSERT_TRUE(mgr.init(kavextest::samplesDir() + "/catalogs")) << mgr.lastError();
    EXPECT_EQ(mgr.getProblems(), Strings{});
    EXPECT_EQ(ids(mgr.getCatalogList()), (Strings{"NORDQUELL", "RHEINTAL", "RN_USER", "SUEDWERK"}));
    const std::string root = mgr.getRootPath();
    // identifier, display name, logo below the root
    const std::tuple<const char*, const char*, const char*> libs[] = {
        {"NORDQUELL", "Nordquell Ventiltechnik AG", "NORDQUELL/BMP/nordquell.png"},
        {"RHEINTAL", "Rheintal Armaturen GmbH", "RHEINTAL/BMP/rheintal.png"},
        {"SUEDWERK", "S\u00FCdwerk Pumpen & Regeltechnik KG", "SUEDWERK/BMP/suedwerk.png"},
        {"RN_USER", "Eigene Armaturen", "bmp/default.png"},
    };
    for (auto [id, name, logo] : libs) {
        const nrvCatalogInfoPtr lib = mgr.findCatalogInfo(id);
        ASSERT_TRUE(lib) << id;
        EXPECT_EQ(lib->getStrDisplayName(), name);
        EXPECT_EQ(lib->getStrDisplayLogoFileName(), root + logo);
        EXPECT_EQ(readBytes(root + logo).substr(1, 3), "PNG");
        for (const std::string& key : lib->getContentKeys())
            for (const std::string& file : lib->getContentFilePathNames(key))
                EXPECT_TRUE(fs::is_regular_file(file)) << file;
    }
}

}  // namespace
