#include "desktop_model/shell/greetings.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "desktop_model/shell/main_window_model.h"
#include "desktop_model/state/control_names.h"
#include "desktop_model/state/sayings.h"
#include "support/app_fixture.h"

namespace cpt {
namespace {

using testing::AppFixture;

struct Started : AppFixture {
    explicit Started(DateTime start = DateTime{2026, 12, 9, 22, 32, 2}) {
        clock.set(start);
        LoadMainWindow(context);
    }
    // One 500 ms tick; the clock moves half a second every other tick.
    void tick() {
        Timer1_Timer(context);
        if (++ticks % 2 == 0) clock.advance(1);
    }
    const std::string& caption(const char* name) { return context.window.named(name).caption; }
    int ticks = 0;
};

TEST(Greetings, SequenceOverTwoCycles) {
    Started app;
    // (greeting, ticks it stands): 8 of English first, 7 of each of the next three,
    // 15 of the last, then every cycle again from 7 of English.
    const std::vector<std::pair<std::string, int>> expected{
        {"How do you do?", 8},      {"Wie geht es Ihnen?", 7}, {"Como estas?", 7},
        {"Comment faites-vous?", 7}, {"Nin hao ma?", 15},      {"How do you do?", 7},
        {"Wie geht es Ihnen?", 7},  {"Como estas?", 7},        {"Comment faites-vous?", 7},
        {"Nin hao ma?", 15},        {"How do you do?", 7},
    };
    for (const auto& [greeting, ticks] : expected) {
        for (int i = 0; i < ticks; ++i) {
            app.tick();
            ASSERT_EQ(app.caption("Label13"), greeting) << "tick " << app.ticks;
        }
    }
    app.tick();
    EXPECT_EQ(app.caption("Label13"), "Wie geht es Ihnen?");
}

TEST(Greetings, ClockCaptionOnEveryTick) {
    Started app;
    app.clock.set(DateTime{2027, 1, 2, 3, 4, 5});
    Timer1_Timer(app.context);
    EXPECT_EQ(app.caption("Label6"), "2027-01-02 03:04:05");
}

TEST(Greetings, RevealAtTheFirstTickAfterFifteenSeconds) {
    Started app;
    const Control& picture = app.context.window[control::Image1];
    app.clock.advance(15);
    Timer1_Timer(app.context);
    EXPECT_TRUE(picture.visible);
    EXPECT_TRUE(app.context.state.StartupRevealPending);
    app.clock.advance(1);
    Timer1_Timer(app.context);
    EXPECT_FALSE(picture.visible);
    EXPECT_TRUE(app.context.window[control::Label4].visible);
    EXPECT_TRUE(app.context.window[control::Label14].visible);
    EXPECT_FALSE(app.context.state.StartupRevealPending);
}

TEST(Greetings, PictureClickRevealsAtOnceAndLeavesTheTickPending) {
    Started app;
    Image1_Click(app.context);
    EXPECT_FALSE(app.context.window[control::Image1].visible);
    EXPECT_TRUE(app.context.window[control::Label4].visible);
    EXPECT_TRUE(app.context.window[control::Label14].visible);
    EXPECT_TRUE(app.context.state.StartupRevealPending);
}

TEST(Sayings, SlotsAndTheMenuText) {
    Started app;
    const auto& sayings = app.context.state.Sayings;
    for (int slot = 0; slot < SayingSlots; ++slot) {
        bool filled = slot < 28 || slot == 53;
        EXPECT_EQ(!sayings[static_cast<std::size_t>(slot)].empty(), filled) << slot;
    }
    const std::string& menu = sayings[53];
    EXPECT_EQ(std::count(menu.begin(), menu.end(), '\n'), 18);
    EXPECT_EQ(menu.substr(0, 30), " A. Life table analysis (indiv");
    EXPECT_EQ(menu.substr(menu.size() - 28), "  Q: Cartesian paired test.\n");
    EXPECT_EQ(app.caption("Label14"), menu);
    EXPECT_EQ(app.context.window[control::Label14].fontSize, 14);
}

TEST(Sayings, SayingOfTheDayIsEmptyOnDays28To31) {
    for (int day : {1, 9, 27, 28, 29, 30, 31}) {
        Started app(DateTime{2027, 1, day, 8, 0, 0});
        EXPECT_EQ(app.caption("Label4").empty(), day >= 28) << day;
        if (day < 28) {
            EXPECT_EQ(app.caption("Label4"), SayingTexts[static_cast<std::size_t>(day)]);
        }
    }
}

TEST(Sayings, StartUpSeedsWithTheSecondsOfTheTime) {
    Started app(DateTime{2027, 1, 5, 8, 0, 42});
    EXPECT_EQ(app.clock.seeds, std::vector<std::uint32_t>{42});
}

TEST(Sayings, ClickPicksARoundedSlotAndDoubleClickEndsOn26) {
    Started app;
    const std::pair<double, std::size_t> cases[] = {{0.0, 0}, {0.0185, 0}, {0.5, 14}, {0.99, 27}, {0.963, 26}};
    for (const auto& [random, slot] : cases) {
        app.clock.queueRandom(random);
        Label4_Click(app.context);
        EXPECT_EQ(app.caption("Label4"), SayingTexts[slot]) << random;
    }
    app.clock.setTimerTicks(123456);
    app.clock.queueRandom(0.1);
    Label4_Click(app.context);
    EXPECT_EQ(app.clock.seeds.back(), 123456u);
    Label4_DblClick(app.context);
    EXPECT_EQ(app.caption("Label4"), SayingTexts[26]);
}

TEST(Dedication, SayingThresholds) {
    const std::pair<double, std::size_t> cases[] = {
        {0.0, 0}, {0.1499999, 0}, {0.15, 1}, {0.2999999, 1}, {0.3, 2},
        {0.7999999, 2}, {0.8, 3}, {0.9999999999, 3},
    };
    for (const auto& [random, choice] : cases) {
        Started app;
        app.clock.queueRandom(random);
        LoadDedicationWindow(app.context);
        EXPECT_EQ(app.caption("Vater.Command1"), DedicationSayings[choice]) << random;
    }
}

}  // namespace
}  // namespace cpt
