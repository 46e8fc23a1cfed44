#include "ui/Transition.hpp"

#include <cstdio>

#include "ui/Window.hpp"

namespace kelda::ui {

std::string_view transitionName(Transition transition) {
  switch (transition) {
    case Transition::CurlUp:
      return "curlUp";
    case Transition::CurlDown:
      return "curlDown";
    case Transition::FlipFromLeft:
      return "flipFromLeft";
    case Transition::FlipFromRight:
      return "flipFromRight";
    case Transition::FadeIn:
      return "fadeIn";
    case Transition::FadeOut:
      return "fadeOut";
  }
  return "unknown";
}

void recordTransition(Transition transition, double seconds, std::string_view subject) {
  char duration[32];
  std::snprintf(duration, sizeof duration, "%g", seconds);
  std::string event = "transition ";
  event += transitionName(transition);
  event += ' ';
  event += duration;
  event += "s ";
  event += subject;
  Window::shared().recordEvent(std::move(event));
}

}  // namespace kelda::ui
