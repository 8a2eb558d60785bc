// The mail check against a stand-in mail client (MAPI32.DLL beside this program, preferred to
// Wine's own by the test's DLL overrides): the unread count, the logon, and the new-mail flag.
#include <gtest/gtest.h>

#include "scene/director.h"
#include "scene/mail_check.h"
#include "scene/scene_state.h"
#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

const char kDouble[] = "Software\\QuellbrandTests\\MapiDouble";

void Steer(const char* name, DWORD value) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kDouble, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

class MailCheck : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSceneState();
        Steer("LogonResult", 0);
        Steer("Unread", 3);
    }
    void TearDown() override {
        StopMailCheck();
        RegDeleteTreeA(HKEY_CURRENT_USER, kDouble);
    }
};

TEST_F(MailCheck, CountsTheUnreadMessagesOfTheMailClient) {
    ASSERT_TRUE(StartMailCheck(nullptr));
    EXPECT_EQ(CountUnreadMail(nullptr), 3);
    Steer("Unread", 0);
    EXPECT_EQ(CountUnreadMail(nullptr), 0);
}

TEST_F(MailCheck, AFailedLogonLeavesNoLibraryLoaded) {
    Steer("LogonResult", 3);  // MAPI_E_LOGON_FAILURE
    EXPECT_FALSE(StartMailCheck(nullptr));
    EXPECT_EQ(gScene.mail.library, nullptr);
    EXPECT_EQ(GetModuleHandleA("MAPI32.DLL"), nullptr);
}

TEST_F(MailCheck, NewMailOnlyWhenMoreIsUnreadThanAtTheStart) {
    ASSERT_TRUE(StartMailCheck(nullptr));
    gScene.mailCheckOn = 1;
    gScene.mailBaseline = CountUnreadMail(nullptr);
    auto minutePass = [] {
        gScene.lastMinute = -1;  // a new minute has begun
        gScene.personCount = 1;  // the stage is not empty, so the scenery is left as it is
        gScene.personCountdown = gScene.vehicleCountdown = 1000;
        SceneDirector(nullptr);
    };
    minutePass();
    EXPECT_EQ(gScene.newMail, 0) << "the same three unread";
    Steer("Unread", 4);
    minutePass();
    EXPECT_EQ(gScene.newMail, 1);
    Steer("Unread", 1);  // old messages read
    minutePass();
    EXPECT_EQ(gScene.newMail, 0);
}

}  // namespace
