#include "ui/DropInBanner.hpp"

#include "platform/RunLoop.hpp"
#include "ui/Window.hpp"

namespace kelda::ui {

std::shared_ptr<DropInBanner> DropInBanner::show(std::string text,
                                                 std::chrono::nanoseconds visibleFor) {
  auto banner = std::make_shared<DropInBanner>(std::move(text));
  banner->frame = makeRect(0, 0, kScreenWidth, 60);
  Window::shared().setBanner(banner);
  std::weak_ptr<DropInBanner> weak = banner;
  platform::RunLoop& loop = platform::RunLoop::main();
  loop.schedule(std::chrono::nanoseconds(0), [weak, visibleFor] {
    auto self = weak.lock();
    if (!self || self->state != BannerState::DroppingIn) return;
    self->state = BannerState::Shown;
    Window::shared().recordEvent("banner dropIn " + self->text);
    platform::RunLoop::main().schedule(visibleFor, [weak] {
      auto shown = weak.lock();
      if (!shown || shown->state != BannerState::Shown) return;
      shown->state = BannerState::FoldedAway;
      Window::shared().recordEvent("banner foldAway " + shown->text);
    });
  });
  return banner;
}

}  // namespace kelda::ui
