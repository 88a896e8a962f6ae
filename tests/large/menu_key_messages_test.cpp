#include <string>

#include "large/group_message_fixture.h"
#include "pbxsim/builders/large_menu_key.h"

namespace korven::test {
namespace {

using namespace korven::pbxsim;

class MenuKeyMessagesTest : public GroupMessageTest {
protected:
    void SetUp() override { Init(KORVEN_SYSTEM_KORVENHOST); }

    static std::string ProgramMessage(const std::vector<uint8_t>& table, int number) {
        return std::string(table.begin() + 16 * (number - 1), table.begin() + 16 * number);
    }

    static std::string SoftMenuLabel(int menuId) {
        std::vector<uint8_t> out =
            FetchBytes([menuId](char* buffer) { return KORVEN_GetLargeSoftMenuDisplay(menuId, buffer); },
                       KORVEN_SOFT_MENU_LABEL_SIZE);
        return std::string(out.begin(), out.end());
    }
};

TEST_F(MenuKeyMessagesTest, OptionDisplayReplacesAllTenEntries) {
    OnOffDispFields fields;
    fields.texts[9] = "Sixteen chars!!!";
    LogCapture log;
    Feed(LargeOnOffDisp(fields));

    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_ONOFF_DISP});
    const auto lines = log.Messages();
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], "ParseLargeOnOffDisp[0] : [Call forward]");
    EXPECT_EQ(lines[5], "ParseLargeOnOffDisp[5] : []");
    EXPECT_EQ(lines[9], "ParseLargeOnOffDisp[9] : [Sixteen chars!!!]");
    EXPECT_EQ(lines[10], "++>[MESSAGE] : ParseLargeOnOffDisp");
    const auto table = FetchBytes(KORVEN_GetLargeAddOnOffOptionDisp, KORVEN_OPTION_DISP_SIZE);
    EXPECT_EQ(std::string(table.begin() + 16, table.begin() + 32), Digits("Do not disturb", 16));
    EXPECT_EQ(std::string(table.begin() + 144, table.end()), "Sixteen chars!!!");
}

TEST_F(MenuKeyMessagesTest, OptionDisplayGetterRefusesIap) {
    Init(KORVEN_SYSTEM_IAP);
    char out[KORVEN_OPTION_DISP_SIZE];
    EXPECT_EQ(KORVEN_GetLargeAddOnOffOptionDisp(out), -1);
    EXPECT_EQ(theApp().errorCode, KORVEN_ERR_NOT_FOR_IAP);
}

TEST_F(MenuKeyMessagesTest, ProgramMessagesNotifyOnlyOnceTheSecondHalfArrived) {
    ProgramMsgFields firstHalf;
    firstHalf.texts = {"m1", "m2", "m3", "m4", "m5", "m6", "m7", "m8", "m9", "m10"};
    LogCapture log;
    Feed(LargeProgramMsg(firstHalf));
    EXPECT_TRUE(Notified().empty());
    EXPECT_EQ(log.Messages().size(), 10u);
    EXPECT_EQ(log.Messages().back(), "Program message id=1 [m10]");

    ProgramMsgFields secondHalf;
    secondHalf.first = 11;
    secondHalf.texts = {"m11", "", "", "", "", "", "", "", "", "Sixteen chars!!!"};
    Feed(LargeProgramMsg(secondHalf));
    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_PROGRAM_MSG});
    EXPECT_EQ(log.Messages().back(), "++>[MESSAGE] : ParseLargeProgramMsg");
    const auto table = FetchBytes(KORVEN_GetLargeAbsentProgramMsg, KORVEN_ABSENT_PROGRAM_MSG_SIZE);
    EXPECT_EQ(ProgramMessage(table, 1), Digits("m1", 16));
    EXPECT_EQ(ProgramMessage(table, 10), Digits("m10", 16));
    EXPECT_EQ(ProgramMessage(table, 11), Digits("m11", 16));
    EXPECT_EQ(ProgramMessage(table, 20), "Sixteen chars!!!");
}

TEST_F(MenuKeyMessagesTest, ProgramMessagesOutsideOneToTwentyAreNotStored) {
    ProgramMsgFields fill;
    fill.first = 11;
    fill.texts.fill("old");
    Feed(LargeProgramMsg(fill));
    ProgramMsgFields late;
    late.first = 15;
    late.texts.fill("new");
    Feed(LargeProgramMsg(late));
    const auto table = FetchBytes(KORVEN_GetLargeAbsentProgramMsg, KORVEN_ABSENT_PROGRAM_MSG_SIZE);
    EXPECT_EQ(ProgramMessage(table, 14), Digits("old", 16));
    EXPECT_EQ(ProgramMessage(table, 15), Digits("new", 16));
    EXPECT_EQ(ProgramMessage(table, 20), Digits("new", 16));
}

TEST_F(MenuKeyMessagesTest, SoftMenusAccumulateAndNotifyOnTheLastFrame) {
    SoftMenuFields first;
    first.marker = 0;
    first.entries = {{200, "Thirteen char"}, {7, "Old label"}};
    LogCapture log;
    Feed(LargeSoftMenu(first));
    EXPECT_TRUE(Notified().empty());
    EXPECT_EQ(log.Messages(),
              (std::vector<std::string>{"Soft menu id=200, [Thirteen char]", "Soft menu id=7, [Old label]"}));

    SoftMenuFields last;
    last.entries = {{7, "Old label"}, {7, "New"}};
    Feed(LargeSoftMenu(last));
    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_SOFT_MENU});
    EXPECT_EQ(log.Messages().back(), "++>[MESSAGE] : ParseLargeSoftMenu");
    EXPECT_EQ(SoftMenuLabel(200), std::string("Thirteen char") + '\0');
    EXPECT_EQ(SoftMenuLabel(7), Digits("New", 14));
}

TEST_F(MenuKeyMessagesTest, SoftMenuEntriesThatDidNotArriveLeaveTheirSlots) {
    SoftMenuFields zero;
    zero.entries = {{0, "Menu zero"}};
    Feed(LargeSoftMenu(zero));
    Bytes frame = LargeSoftMenu({});                   // three entries
    frame = WithTotalLength(frame, 14 + 18 * 3 + 10);  // and part of a fourth
    Feed(frame);
    EXPECT_EQ(SoftMenuLabel(0), Digits("Menu zero", 14));
    EXPECT_EQ(SoftMenuLabel(3), Digits("Hold", 14));
}

TEST_F(MenuKeyMessagesTest, SoftMenuDisplayRefusesUnknownMenusAndMissingBuffers) {
    char out[KORVEN_SOFT_MENU_LABEL_SIZE];
    for (const int menuId : {-1, 256, 100000}) {
        EXPECT_EQ(KORVEN_GetLargeSoftMenuDisplay(menuId, out), -1) << menuId;
        EXPECT_EQ(theApp().errorCode, KORVEN_ERR_INVALID_ARGUMENT);
    }
    EXPECT_EQ(KORVEN_GetLargeSoftMenuDisplay(5, nullptr), -1);
    EXPECT_EQ(theApp().errorCode, KORVEN_ERR_INVALID_ARGUMENT);
}

TEST_F(MenuKeyMessagesTest, SoftListKeepsAtMostTwentyEntries) {
    SoftListFields fields;
    fields.count = 25;
    fields.entries.clear();
    for (uint8_t i = 1; i <= 25; ++i) fields.entries.push_back(i);
    LogCapture log;
    Feed(LargeSoftList(fields));
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{"[ParseLargeSoftList] Soft list count[20]",
                                                        "++>[MESSAGE] : ParseLargeSoftList"}));
    auto list = Fetch<tagSTSOFTSOFTTLIST>(KORVEN_GetLargeSoftList);
    EXPECT_EQ(list.Count, 20);
    EXPECT_EQ(list.List[19], 20);

    fields.count = 2;
    Feed(LargeSoftList(fields));
    list = Fetch<tagSTSOFTSOFTTLIST>(KORVEN_GetLargeSoftList);
    EXPECT_EQ(list.Count, 2);
    EXPECT_EQ(std::vector<uint8_t>(list.List, list.List + 3), (std::vector<uint8_t>{1, 2, 0}));
}

ProgKeyFields SixteenKeys(uint8_t marker, uint8_t firstId) {
    ProgKeyFields fields;
    fields.marker = marker;
    fields.keys.clear();
    for (uint8_t i = 0; i < 16; ++i) fields.keys.push_back({static_cast<uint8_t>(firstId + i), "Key"});
    return fields;
}

TEST_F(MenuKeyMessagesTest, ProgramKeySetStartsClearedAndEndsAtTheMarker) {
    Feed(LargeProgKey(SixteenKeys(0, 1)));
    EXPECT_TRUE(Notified().empty());
    LogCapture log;
    Feed(LargeProgKey({}));  // starts a new set: two keys, then the end marker
    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_PROG_KEY});
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{"Program key id=1 [Line 1]", "Program key id=2 [Park]",
                                                        "++>[MESSAGE] : ParseLargeProgKey"}));
    const auto keys = Fetch<tagSTSOFTPROGKEY>(KORVEN_GetLargeProgramKey);
    EXPECT_EQ(keys.Keys[1].KeyID, 2);
    EXPECT_EQ(Field(keys.Keys[1].Text), Digits("Park", 16));
    EXPECT_EQ(keys.Keys[2].KeyID, 0);
    EXPECT_EQ(Field(keys.Keys[15].Text), std::string(16, '\0'));
}

TEST_F(MenuKeyMessagesTest, ProgramKeySetKeepsTheFirstHundredKeys) {
    for (uint8_t frame = 0; frame < 6; ++frame) Feed(LargeProgKey(SixteenKeys(frame, 1 + 16 * frame)));
    EXPECT_TRUE(Notified().empty());
    Feed(LargeProgKey(SixteenKeys(6, 97)));  // keys 97 to 100 fit, 101 ends the set
    EXPECT_EQ(Notified(), std::vector<WPARAM>{LARGE_PROG_KEY});
    const auto keys = Fetch<tagSTSOFTPROGKEY>(KORVEN_GetLargeProgramKey);
    EXPECT_EQ(keys.Keys[0].KeyID, 1);
    EXPECT_EQ(keys.Keys[99].KeyID, 100);
    EXPECT_EQ(Field(keys.Keys[99].Text), Digits("Key", 16));
}

}  // namespace
}  // namespace korven::test
