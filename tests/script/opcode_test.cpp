// How a line splits into opcode and argument.

#include <gtest/gtest.h>

#include "script/opcode.h"

namespace velko::script {
namespace {

TEST(Opcodes, EveryNameMapsBackToItsOpcodeInTestingOrder) {
    for (int i = 0; i < kOpcodeCount; ++i) {
        const auto op = static_cast<Opcode>(i);
        const std::string_view name = opcodeName(op);
        const std::u16string line = {char16_t(name[0]), char16_t(name[1]), u' ', u'x'};
        EXPECT_EQ(opcodeOf(line), op) << name;
    }
    EXPECT_EQ(opcodeName(Opcode::PA), "PA");
    EXPECT_EQ(opcodeName(Opcode::ED), "ED");
    EXPECT_EQ(opcodeName(Opcode::Message), "MSG");
}

TEST(Opcodes, OnlyTheExactTwoLettersMakeACommand) {
    EXPECT_EQ(opcodeOf(u"pa x.bmp"), Opcode::Message);
    EXPECT_EQ(opcodeOf(u"Pa x.bmp"), Opcode::Message);
    EXPECT_EQ(opcodeOf(u"P"), Opcode::Message);
    EXPECT_EQ(opcodeOf(u""), Opcode::Message);
    EXPECT_EQ(opcodeOf(u"\uFF30\uFF21 x.bmp"), Opcode::Message);  // full-width ＰＡ
    EXPECT_EQ(opcodeOf(u"\u300CPA\u300D"), Opcode::Message);
    EXPECT_EQ(opcodeOf(u" PA"), Opcode::Message);
    EXPECT_EQ(opcodeOf(u"PA"), Opcode::PA);
    EXPECT_EQ(opcodeOf(u"PAx.bmp"), Opcode::PA);  // the separator is never looked at
    EXPECT_EQ(opcodeOf(u"KS and then some"), Opcode::KS);
}

TEST(Opcodes, TheArgumentStartsAtTheFourthUnit) {
    EXPECT_EQ(argumentOf(u"PA logo.bmp"), u"logo.bmp");
    EXPECT_EQ(argumentOf(u"PA_logo.bmp"), u"logo.bmp");
    EXPECT_EQ(argumentOf(u"PA  logo.bmp"), u" logo.bmp");
    EXPECT_EQ(argumentOf(u"PA"), u"");
    EXPECT_EQ(argumentOf(u"PA "), u"");
    EXPECT_EQ(argumentOf(u"PA x"), u"x");
    EXPECT_EQ(argumentOf(u"WM a.wav:\u3042\r\n\u3044"), u"a.wav:\u3042\r\n\u3044");
}

TEST(Opcodes, FlowAndFoldersFollowTheCommandTable) {
    for (Opcode op : {Opcode::PA, Opcode::PF, Opcode::WT, Opcode::ZT, Opcode::ZB, Opcode::KC,
                      Opcode::FR, Opcode::MR}) {
        EXPECT_EQ(flowOf(op), Flow::Continues) << opcodeName(op);
    }
    for (Opcode op :
         {Opcode::Message, Opcode::WM, Opcode::KS, Opcode::ES, Opcode::EH, Opcode::ET}) {
        EXPECT_EQ(flowOf(op), Flow::WaitsForClick) << opcodeName(op);
        EXPECT_TRUE(fallsThrough(op));
    }
    for (Opcode op :
         {Opcode::JP, Opcode::IF, Opcode::ZS, Opcode::KB, Opcode::ST, Opcode::ED, Opcode::QE}) {
        EXPECT_FALSE(fallsThrough(op)) << opcodeName(op);
    }
    EXPECT_EQ(assetFolderOf(Opcode::ZT), AssetFolder::Bmp);
    EXPECT_EQ(assetFolderOf(Opcode::EH), AssetFolder::Bmp);
    EXPECT_EQ(assetFolderOf(Opcode::WM), AssetFolder::Music);
    EXPECT_EQ(assetFolderOf(Opcode::MR), AssetFolder::Music);
    EXPECT_EQ(assetFolderOf(Opcode::KB), AssetFolder::Wall);
    EXPECT_EQ(assetFolderOf(Opcode::JP), AssetFolder::None);
    EXPECT_EQ(folderName(AssetFolder::Music), "Music");
    int withoutArgument = 0;
    for (int i = 0; i < kOpcodeCount; ++i) {
        withoutArgument += takesArgument(static_cast<Opcode>(i)) ? 0 : 1;
    }
    EXPECT_EQ(withoutArgument, 12);
}

}  // namespace
}  // namespace velko::script
