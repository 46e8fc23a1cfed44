// Transitions and animations (page curl, flip, fade, banner drops): the headless window records
// each one as an event line in its event list instead of drawing it, so tests can assert that a
// screen turned with the right animation. Main thread only.
#pragma once

#include <string>
#include <string_view>

namespace kelda::ui {

enum class Transition { CurlUp, CurlDown, FlipFromLeft, FlipFromRight, FadeIn, FadeOut };

// "curlUp", "curlDown", "flipFromLeft", "flipFromRight", "fadeIn", "fadeOut".
std::string_view transitionName(Transition transition);

// Records "transition <name> <seconds>s <subject>" in the current window's events,
// e.g. "transition curlUp 2s window".
void recordTransition(Transition transition, double seconds, std::string_view subject);

}  // namespace kelda::ui
