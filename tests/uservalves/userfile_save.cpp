// Saving the edited manufacturers: file names, skipping unchanged files, the
// rename rule (the old file goes only after the new one was written) and the
// deletion of files whose manufacturer was removed.

#include "kavex/uservalves/userfile_save.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "kavex/platform/codepage.h"
#include "kavex/platform/treestore.h"
#include "kavex/uservalves/userdoc.h"
#include "support/tempdir.h"

// The cases name only the members they set; the others keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace nrvUserArmaturen;
namespace fs = std::filesystem;

namespace {

UserHersteller hersteller(const std::string& name, const std::string& reihe = "Reihe") {
    UserModellreihe r{.bezeichnung = reihe, .armaturenTyp = 5557};
    r.nennweiten = {{.bezeichnung = "DN 15",
                     .kvs = 2.5,
                     .kurve = {.punkte = {{1, 0.5, 0, "1"}, {2, 1.0, 0, "2"}}}}};
    return UserHersteller{.name = name, .modellreihen = {r}};
}

class UserArmSpeichern : public ::testing::Test {
protected:
    std::string pfad(const std::string& name) const {
        return userArmPfad(dir.path().string(), name);
    }
    // Name and first series of the file; empty when it cannot be read.
    std::string inhalt(const std::string& name) const {
        UserHersteller h;
        if (!leseUserArmDatei(pfad(name), h)) return {};
        return h.name + "/" + (h.modellreihen.empty() ? "" : h.modellreihen[0].bezeichnung);
    }
    kavextest::TempDir dir;
};

}  // namespace

TEST(UserArmDateiname, SafeAndDistinctNames) {
    const std::pair<const char*, const char*> faelle[] = {
        {"Müller & Söhne", "Müller & Söhne.userarm"},
        {"A/B", "A%2FB.userarm"},
        {"A%2FB", "A%252FB.userarm"},
        {"..", "%2E..userarm"},
        {"", "%.userarm"}};
    for (const auto& [name, datei] : faelle)
        EXPECT_EQ(userArmDateiname(name), datei) << name;

    std::string lang;
    for (int i = 0; i < 200; ++i)
        lang += "ä";  // 400 bytes
    const std::string a = userArmDateiname(lang + "a");
    const std::string b = userArmDateiname(lang + "b");
    EXPECT_NE(a, b);
    EXPECT_LE(a.size(), 255u);
    EXPECT_TRUE(nrvCodePage::isValidUtf8(a)) << "cut between characters";
}

TEST_F(UserArmSpeichern, NewChangedAndUnchangedManufacturers) {
    std::vector<UserHersteller> liste{hersteller("Alpha"), hersteller("Beta")};
    auto kopie = liste;
    ASSERT_TRUE(speichereUserHersteller(kopie, dir.file("neu/ordner")));
    EXPECT_TRUE(fs::exists(dir.file("neu/ordner/Alpha.userarm")));
    ASSERT_TRUE(speichereUserHersteller(liste, dir.path().string()));
    EXPECT_EQ(inhalt("Beta"), "Beta/Reihe");
    EXPECT_EQ(liste[1].dateipfad, pfad("Beta"));
    EXPECT_FALSE(liste[1].geaendert);

    kavextest::writeBytes(pfad("Alpha"), "von Hand");
    liste[0].modellreihen[0].bezeichnung = "unbemerkt";
    ASSERT_TRUE(speichereUserHersteller(liste, dir.path().string()));
    EXPECT_EQ(kavextest::readBytes(pfad("Alpha")), "von Hand") << "unchanged: not written";

    fs::remove(pfad("Alpha"));
    ASSERT_TRUE(speichereUserHersteller(liste, dir.path().string()));
    EXPECT_EQ(inhalt("Alpha"), "Alpha/unbemerkt") << "unchanged without file: written";
}

TEST(UserArmUmbenennen, OldFileGoesOnlyAfterTheNewOneWasWritten) {
    enum Hindernis { keins, zielIstOrdner, verzeichnisIstDatei };
    for (Hindernis hindernis : {keins, zielIstOrdner, verzeichnisIstDatei}) {
        kavextest::TempDir ort;
        std::string verzeichnis = ort.path().string();
        const std::string alt = userArmPfad(verzeichnis, "Alt");
        std::vector<UserHersteller> liste{hersteller("Alt")};
        ASSERT_TRUE(speichereUserHersteller(liste, verzeichnis));
        const std::string vorher = kavextest::readBytes(alt);
        liste[0].name = "Neu";
        liste[0].geaendert = true;
        if (hindernis == zielIstOrdner) fs::create_directory(ort.file("Neu.userarm"));
        if (hindernis == verzeichnisIstDatei) {
            verzeichnis = ort.file("kein_ordner");
            kavextest::writeBytes(verzeichnis, "");
        }
        const bool ok = speichereUserHersteller(liste, verzeichnis);
        EXPECT_EQ(ok, hindernis == keins) << hindernis;
        EXPECT_EQ(fs::exists(alt), !ok) << hindernis;
        EXPECT_EQ(liste[0].dateipfad, ok ? userArmPfad(verzeichnis, "Neu") : alt) << hindernis;
        EXPECT_EQ(liste[0].geaendert, !ok) << hindernis;
        if (!ok) {
            EXPECT_EQ(kavextest::readBytes(alt), vorher) << hindernis;
        }
        UserHersteller neu;
        EXPECT_EQ(leseUserArmDatei(userArmPfad(verzeichnis, "Neu"), neu), ok) << hindernis;
    }
}

TEST_F(UserArmSpeichern, NamesTakingOverAnotherManufacturersFileLoseNothing) {
    // "foo.userarm" holds manufacturer Bar (renamed by hand); a new manufacturer
    // foo must not overwrite it.
    std::vector<UserHersteller> liste{hersteller("Bar", "Bar-Reihe")};
    ASSERT_TRUE(schreibeUserArmDatei(liste[0], pfad("foo")));
    ASSERT_TRUE(leseUserArmDatei(pfad("foo"), liste[0]));
    liste.push_back(hersteller("foo", "foo-Reihe"));
    ASSERT_TRUE(speichereUserHersteller(liste, dir.path().string()));
    EXPECT_EQ(inhalt("foo"), "foo/foo-Reihe");
    EXPECT_EQ(inhalt("Bar"), "Bar/Bar-Reihe");

    // Two manufacturers of one name: the second is refused, nothing is overwritten.
    liste.push_back(hersteller("foo", "doppelt"));
    EXPECT_FALSE(speichereUserHersteller(liste, dir.path().string()));
    EXPECT_EQ(inhalt("foo"), "foo/foo-Reihe");
}

TEST_F(UserArmSpeichern, FilesOfRemovedManufacturersAreDeleted) {
    std::vector<UserHersteller> liste{hersteller("Alpha"), hersteller("Beta"), hersteller("Gamma")};
    ASSERT_TRUE(speichereUserHersteller(liste, dir.path().string()));
    kavextest::writeBytes(dir.file("fremd.userarm"), "[Modell]\nHERST:Delta\n[ENDE_Modell]\n");
    kavextest::writeBytes(dir.file("kaputt.userarm"), "[KURVEN]\nHERST:Epsilon\n");
    CUserData docs;
    ASSERT_EQ(docs.loadAll(dir.path().string()), 4);

    std::vector<UserHersteller> editiert = ladeUserHersteller(docs);
    ASSERT_EQ(editiert.size(), 3u);
    std::erase_if(editiert, [](const UserHersteller& h) { return h.name == "Beta"; });
    ASSERT_TRUE(speichereUserHersteller(editiert, dir.path().string(), &docs));

    EXPECT_FALSE(fs::exists(pfad("Beta")));
    EXPECT_EQ(inhalt("Alpha"), "Alpha/Reihe");
    EXPECT_EQ(inhalt("Gamma"), "Gamma/Reihe");
    EXPECT_TRUE(fs::exists(dir.file("fremd.userarm"))) << "not a user valve tree: not ours";
    EXPECT_TRUE(fs::exists(dir.file("kaputt.userarm"))) << "unreadable: kept for repair";
    for (const auto& doc : docs.getDocuments()) {
        std::string herst;
        EXPECT_FALSE(doc->getManufacturer(herst) && herst == "Beta") << "released";
    }
}
