#include "desktop_model/shell/greetings.h"

#include <array>
#include <cstdlib>
#include <string>

#include "core/common/rounding.h"
#include "desktop_model/state/app_context.h"
#include "desktop_model/state/control_names.h"
#include "desktop_model/state/sayings.h"

namespace cpt {
namespace {

struct Greeting {
    int lastCount;  // shown while the counter is at most this
    std::string_view text;
};
constexpr std::array<Greeting, 5> Greetings{{{7, "How do you do?"},
                                             {14, "Wie geht es Ihnen?"},
                                             {21, "Como estas?"},
                                             {28, "Comment faites-vous?"},
                                             {35, "Nin hao ma?"}}};
constexpr int RestartAbove = 42;
constexpr long RevealAfterSeconds = 15;

void reveal(AppContext& context) {
    context.window[control::Image1].visible = false;
    context.window[control::Label4].visible = true;
    context.window[control::Label14].visible = true;
}

}  // namespace

void StartUpSayings(AppContext& context) {
    AnalysisState& state = context.state;
    state.Sayings.fill(std::string());
    for (int slot = 0; slot < SayingCount; ++slot) state.Sayings[static_cast<std::size_t>(slot)] = SayingTexts[slot];
    state.Sayings[MenuTextSlot] = AnalysisMenuText;

    DateTime now = context.clock.now();
    context.clock.seed(static_cast<std::uint32_t>(now.second));

    Control& menu = context.window[control::Label14];
    menu.fontSize = 14;
    menu.backColor = Rgb{255, 255, 0};
    menu.caption = state.Sayings[MenuTextSlot];
    // Days 28 to 31 find empty slots: no saying until the label is clicked.
    context.window[control::Label4].caption = state.Sayings[static_cast<std::size_t>(now.day)];
}

void Timer1_Timer(AppContext& context) {
    AnalysisState& state = context.state;
    DateTime now = context.clock.now();
    if (state.StartupRevealPending) {
        long long seconds = std::llabs(secondsSinceEpoch(now) - secondsSinceEpoch(state.StartupTime));
        if (seconds > RevealAfterSeconds) {
            reveal(context);
            state.StartupRevealPending = false;
        }
    }
    context.window[control::Label6].caption = formatDateTime(now);

    int count = state.GreetingCounter;
    for (const Greeting& greeting : Greetings) {
        if (count <= greeting.lastCount) {
            context.window[control::Label13].caption = greeting.text;
            break;
        }
    }
    if (count > RestartAbove) state.GreetingCounter = 0;
    ++state.GreetingCounter;
}

void Image1_Click(AppContext& context) { reveal(context); }

void Label4_Click(AppContext& context) {
    context.clock.seed(context.clock.timerTicks());
    double slot = roundHalfEven(context.clock.random() * 27);
    context.window[control::Label4].caption = context.state.Sayings[static_cast<std::size_t>(slot)];
}

void Label4_DblClick(AppContext& context) {
    context.window[control::Label4].caption = context.state.Sayings[DoubleClickSaying];
}

void LoadDedicationWindow(AppContext& context) {
    context.clock.seed(static_cast<std::uint32_t>(context.clock.now().second));
    float r = static_cast<float>(context.clock.random());
    std::size_t choice = r < 0.15f ? 0 : r < 0.3f ? 1 : r < 0.8f ? 2 : 3;
    context.window[control::Vater_Command1].caption = DedicationSayings[choice];
}

}  // namespace cpt
