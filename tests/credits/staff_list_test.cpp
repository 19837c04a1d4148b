// The staff list: the shipped one has the rows the roll lays out, and a broken one costs
// only its broken lines.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "base/utf.h"
#include "credits/staff_list.h"

namespace velko::credits {
namespace {

TEST(StaffList, TheShippedListHasItsRolesOnTheirRowsAndBlankRowsBetween) {
    const StaffList list = parseStaffList(builtinStaffText(), "staff.txt");
    EXPECT_TRUE(list.warnings.empty());
    ASSERT_EQ(list.entries.size(), 37u);
    const std::map<int, std::u16string> roles = {
        {0, u"原 作"},   {2, u"企 画"},       {6, u"原 画"},     {8, u"Ｃ Ｇ"}, {10, u"音 楽"},
        {12, u"効果音"}, {14, u"プログラム"}, {16, u"制作進行"}, {20, u"協力"}, {36, u"製作"}};
    const std::set<int> namedWithoutRole = {4, 22, 24, 26, 28};
    for (int i = 0; i < 37; ++i) {
        const auto& e = list.entries[static_cast<std::size_t>(i)];
        if (roles.count(i)) {
            EXPECT_EQ(e.role, roles.at(i)) << "row " << i;
            EXPECT_FALSE(e.name.empty()) << "row " << i;
        } else if (namedWithoutRole.count(i)) {
            EXPECT_TRUE(e.role.empty()) << "row " << i;
            EXPECT_FALSE(e.name.empty()) << "row " << i;
        } else {
            EXPECT_TRUE(e.role.empty() && e.name.empty()) << "row " << i;
        }
    }
    // People credited twice, and the troupe both actors belong to.
    EXPECT_EQ(list.entries[4].name, list.entries[0].name);
    EXPECT_EQ(list.entries[12].name, list.entries[10].name);
    EXPECT_EQ(list.entries[16].name, list.entries[2].name);
    const auto troupe = [](const std::u16string& n) { return n.substr(n.find(u'（')); };
    EXPECT_EQ(troupe(list.entries[24].name), troupe(list.entries[26].name));
    EXPECT_EQ(list.entries[24].name.back(), u'）');
}

TEST(StaffList, TheMakerIsTheOneTheProgramNamesEverywhere) {
    std::ifstream in(std::string(VELKO_SOURCE_GAME_DIR) + "/product.txt");
    std::stringstream text;
    text << in.rdbuf();
    const std::string product = text.str();
    const auto at = product.find("\nmaker = ");
    ASSERT_NE(at, std::string::npos);
    const auto start = at + 9;
    const std::string maker = product.substr(start, product.find('\n', start) - start);
    const StaffList list = parseStaffList(builtinStaffText(), "staff.txt");
    ASSERT_EQ(list.entries.size(), 37u);
    EXPECT_EQ(list.entries[36].name, u16(maker));
}

TEST(StaffList, BrokenLinesAreSkippedWithTheirLineNumbers) {
    const StaffList list = parseStaffList(
        "\xEF\xBB\xBF# credits\r\n"
        "\r\n"
        "1\t演 出\t榊　蓮\r\n"
        "1\t演 出\tもう一人\n"
        "256\trole\tname\n"
        "-1\trole\tname\n"
        "3\tonly one tab\n"
        "4\ttoo\tmany\ttabs\n"
        "5\t\xC3\tname\n"
        "\t\tno number\n"
        "7\t\t\n",
        "list.txt");
    ASSERT_EQ(list.entries.size(), 8u);
    EXPECT_EQ(list.entries[1].role, u"演 出");
    EXPECT_EQ(list.entries[1].name, u"榊　蓮");
    for (int i : {0, 2, 3, 4, 5, 6, 7}) {
        EXPECT_TRUE(list.entries[static_cast<std::size_t>(i)].name.empty()) << i;
    }
    const std::vector<std::string> expected = {
        "list.txt:4: row 1 is given twice; the first one stays",
        "list.txt:5: the row number must be 0 to 255",
        "list.txt:6: the row number must be 0 to 255",
        "list.txt:7: expected a row number, a role and a name separated by two TABs",
        "list.txt:8: expected a row number, a role and a name separated by two TABs",
        "list.txt:9: the text is not valid UTF-8",
        "list.txt:10: the row number must be 0 to 255",
    };
    EXPECT_EQ(list.warnings, expected);
}

}  // namespace
}  // namespace velko::credits
