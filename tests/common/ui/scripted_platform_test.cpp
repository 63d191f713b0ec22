#include "support/scripted_platform.h"

#include <gtest/gtest.h>

namespace {

TEST(ScriptedPlatform, RecordsMessagesWithTheTitleAsShown)
{
    ScriptedPlatform scripted;
    platform().messageBox("Search Aborted! Please Try Again");
    platform().messageBox("Error # 62 in Line 0.", Platform::Buttons::OkCancel,
                          Platform::Icon::Exclamation, "Warning");

    ASSERT_EQ(scripted.messages.size(), 2u);
    EXPECT_EQ(scripted.messages[0].text, "Search Aborted! Please Try Again");
    EXPECT_EQ(scripted.messages[0].buttons, Platform::Buttons::Ok);
    EXPECT_EQ(scripted.messages[0].icon, Platform::Icon::None);
    EXPECT_EQ(scripted.messages[0].title, "Vantrell Delivery Ticket");
    EXPECT_EQ(scripted.messages[1].buttons, Platform::Buttons::OkCancel);
    EXPECT_EQ(scripted.messages[1].icon, Platform::Icon::Exclamation);
    EXPECT_EQ(scripted.messages[1].title, "Warning");
}

TEST(ScriptedPlatform, AnswersFromTheQueueThenOk)
{
    ScriptedPlatform scripted;
    scripted.answerNext(Platform::Answer::Cancel);
    scripted.answerNext(Platform::Answer::Ok);
    scripted.answerNext(Platform::Answer::Cancel);

    EXPECT_EQ(platform().messageBox("1", Platform::Buttons::OkCancel), Platform::Answer::Cancel);
    EXPECT_EQ(platform().messageBox("2", Platform::Buttons::OkCancel), Platform::Answer::Ok);
    EXPECT_EQ(platform().messageBox("3", Platform::Buttons::OkCancel), Platform::Answer::Cancel);
    EXPECT_EQ(platform().messageBox("4", Platform::Buttons::OkCancel), Platform::Answer::Ok);
}

TEST(ScriptedPlatform, CountsBeepsAndEndsTheProgramByThrowing)
{
    ScriptedPlatform scripted;
    platform().beep();
    platform().beep();
    EXPECT_EQ(scripted.beeps, 2);

    bool handlerWentOn = false;
    EXPECT_THROW(
        {
            platform().endProgram();
            handlerWentOn = true;
        },
        ProgramEnded);
    EXPECT_TRUE(scripted.ended);
    EXPECT_FALSE(handlerWentOn);
}

TEST(ScriptedPlatform, IsInstalledForItsLifetimeOnly)
{
    {
        ScriptedPlatform scripted;
        EXPECT_EQ(&platform(), &scripted);
        scripted.screen = QSizeF(1440, 720);
        EXPECT_EQ(platform().screenSizeTwips(), QSizeF(1440, 720));
        EXPECT_EQ(platform().twipsPerPixel(), 15);
    }
    EXPECT_EQ(dynamic_cast<ScriptedPlatform*>(&platform()), nullptr);
}

} // namespace
