// The staff list: the shipped one fills the rows the roll lays out, and a broken one costs
// only its broken lines.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "base/utf.h"
#include "credits/staff_list.h"

namespace velko::credits {
namespace {

TEST(StaffList, TheShippedListFillsItsRowsAndEndsWithTheMaker) {
    const StaffList list = parseStaffList(builtinStaffText(), "staff.txt");
    EXPECT_TRUE(list.warnings.empty());
    ASSERT_EQ(list.entries.size(), 37u);
    // R: a role and a name, N: a name alone, .: a blank row.
    std::string pattern;
    for (const auto& e : list.entries) {
        pattern += !e.role.empty() ? (e.name.empty() ? '?' : 'R') : (e.name.empty() ? '.' : 'N');
    }
    EXPECT_EQ(pattern, "R.R.N.R.R.R.R.R.R...R.N.N.N.N.......R");
    EXPECT_EQ(list.entries[0].role, u"原 作");
    EXPECT_EQ(list.entries[4].name, list.entries[0].name);
    EXPECT_EQ(list.entries[16].name, list.entries[2].name);

    std::ifstream in(std::string(VELKO_SOURCE_GAME_DIR) + "/product.txt");
    std::stringstream product;
    product << in.rdbuf();
    EXPECT_NE(product.str().find("\nmaker = " + utf16ToUtf8(list.entries[36].name) + "\n"),
              std::string::npos);
}

TEST(StaffList, BrokenLinesAreSkippedWithTheirLineNumbers) {
    const StaffList list = parseStaffList(
        "\xEF\xBB\xBF# credits\r\n"
        "\r\n"
        "1\t演 出\t榊　蓮\r\n"
        "1\t演 出\tもう一人\n"
        "256\trole\tname\n"
        "3\tonly one tab\n"
        "4\ttoo\tmany\ttabs\n"
        "5\t\xC3\tname\n"
        "\t\tno number\n"
        "7\t\t\n",
        "list.txt");
    ASSERT_EQ(list.entries.size(), 8u);
    EXPECT_EQ(list.entries[1].name, u"榊　蓮");
    EXPECT_TRUE(list.entries[3].name.empty() && list.entries[5].name.empty());
    const std::vector<std::string> expected = {
        "list.txt:4: row 1 is given twice; the first one stays",
        "list.txt:5: the row number must be 0 to 255",
        "list.txt:6: expected a row number, a role and a name separated by two TABs",
        "list.txt:7: expected a row number, a role and a name separated by two TABs",
        "list.txt:8: the text is not valid UTF-8",
        "list.txt:9: the row number must be 0 to 255",
    };
    EXPECT_EQ(list.warnings, expected);
}

}  // namespace
}  // namespace velko::credits
