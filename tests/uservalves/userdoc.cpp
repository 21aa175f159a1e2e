// User valve documents: saving without indentation, the repair of old end
// markers (byte safe, written only when needed) and the scan of a directory
// in manufacturer order.

#include "kavex/uservalves/userdoc.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <tuple>
#include <vector>

#include "kavex/platform/reportlist.h"
#include "kavex/platform/treestore.h"
#include "support/tempdir.h"

namespace {

ino_t inodeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

std::string userFile(const std::string& manufacturer) {
    return "[KURVEN]\n\tVERSION:2\n\tHERST:" + manufacturer + "\n[ENDE_KURVEN]\n";
}

class UserDocTest : public ::testing::Test {
protected:
    void SetUp() override { CReportList::instance().Clear(); }
    kavextest::TempDir dir;
};

}  // namespace

TEST_F(UserDocTest, LoadsAndSavesWithoutIndentation) {
    kavextest::writeBytes(dir.file("a.userarm"), userFile("Nord"));
    CUserDoc doc(dir.file("copy.userarm"));
    EXPECT_FALSE(doc.save());
    ASSERT_TRUE(doc.load(dir.file("a.userarm")) && doc.isValid());
    doc.setPath(dir.file("copy.userarm"));
    ASSERT_TRUE(doc.save());
    EXPECT_EQ(kavextest::readBytes(dir.file("copy.userarm")),
              "[KURVEN]\nVERSION:2\nHERST:Nord\n[ENDE_KURVEN]\n");
    EXPECT_FALSE(doc.load(dir.file("missing.userarm")) || doc.isLoaded() || doc.getRoot());
}

TEST_F(UserDocTest, RepairRewritesOnceAndKeepsTheBytes) {
    // Before, after, and whether the repair rewrote the file.
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"[KURVEN]\nHERST:M\xC3\xBCller\n\t[ENDE KURVEN]",
         "[KURVEN]\r\nHERST:M\xC3\xBCller\r\n\t[ENDE_KURVEN]\r\n", true},
        {"[A]\r\nHERST:M\xFC[ENDE x[ENDE y\r\n[ENDE A]\r\n",
         "[A]\r\nHERST:M\xC3\xBC[ENDE_x[ENDE_y\r\n[ENDE_A]\r\n", true},
        {"\xEF\xBB\xBF[A]\n[ENDE A]\n", "\xEF\xBB\xBF[A]\r\n[ENDE_A]\r\n", true},
        {"[A]\nX:[ENDE\n[ENDE_A]\n", "[A]\nX:[ENDE\n[ENDE_A]\n", false}};
    for (const auto& [before, after, rewritten] : cases) {
        SCOPED_TRACE(before);
        const std::string path = dir.file("r.userarm");
        kavextest::writeBytes(path, before);
        const ino_t original = inodeOf(path);
        bool changed = !rewritten;
        ASSERT_TRUE(CUserDoc::repair(path, &changed));
        EXPECT_EQ(changed, rewritten);
        EXPECT_EQ(kavextest::readBytes(path), after);
        EXPECT_EQ(inodeOf(path) != original, rewritten);
        // A second repair finds nothing and does not write.
        const ino_t repaired = inodeOf(path);
        ASSERT_TRUE(CUserDoc::repair(path, &changed));
        EXPECT_FALSE(changed);
        EXPECT_EQ(inodeOf(path), repaired);
        EXPECT_TRUE(!rewritten || CUserDoc().load(path));
    }
    EXPECT_EQ(CReportList::instance().Count(), 0);

    kavextest::writeBytes(dir.file("empty.userarm"), "");
    EXPECT_TRUE(CUserDoc::repair(dir.file("empty.userarm")));
    EXPECT_FALSE(CUserDoc::repair(dir.file("missing.userarm")));
    const std::vector<CReportEntry> entries = CReportList::instance().GetEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].title, "Fehler beim Lesen einer Datei: Datei hat keinen Inhalt.");
    EXPECT_EQ(entries[1].title, "Bitte prüfen, ob die UserArm-Datei vorhanden ist.\nDateipfad:\n" +
                                    dir.file("missing.userarm"));
}

TEST_F(UserDocTest, ScanListsEachFileOnceAndSortsByManufacturer) {
    // Documents without manufacturer keep their place; the others are sorted
    // around them, equal names in file name order.
    const std::vector<std::pair<std::string, std::string>> files = {
        {"1.userarm", userFile("Sued")},
        {"2.USERARM", userFile("Nord")},
        {"3.userarm", "[KURVEN]\n[ENDE_KURVEN]\n"},
        {"4.userarm", userFile("West")},
        {"5.userarm", "[KURVEN]\nHERST:Ost\n[ENDE KURVEN]\n"},  // read after its repair
        {"6.userarm", userFile("Ost")},
        {"7.userarm", "broken"},
        {"8.txt", userFile("Aaa")}};
    for (const auto& [name, text] : files)
        kavextest::writeBytes(dir.file(name), text);
    std::filesystem::create_directory(dir.file("9.userarm"));

    CUserData list;
    EXPECT_EQ(list.loadAll(dir.path().string()), 6);
    kavextest::TempDir other;
    kavextest::writeBytes(other.file("1.userarm"), userFile("Aaa"));
    EXPECT_EQ(list.loadAll(other.path().string()), 6);  // same file name: not listed again
    EXPECT_EQ(list.loadAll(dir.file("nowhere")), 6);

    std::vector<std::string> order;
    for (const auto& doc : list.getDocuments())
        order.push_back(std::filesystem::path(doc->getPath()).filename().string());
    EXPECT_EQ(order, (std::vector<std::string>{"2.USERARM", "1.userarm", "3.userarm", "5.userarm",
                                               "6.userarm", "4.userarm", "7.userarm"}));
    EXPECT_THROW(list.getAt(-1), std::invalid_argument);
    EXPECT_TRUE(list.releaseAll());
    EXPECT_EQ(list.getCount(), 0);
}
