// Label: a piece of read-only text with a style and a colour. Main thread only.
#pragma once

#include <string>
#include <utility>

#include "ui/View.hpp"

namespace kelda::ui {

enum class TextStyle { Normal, Bold, Title, Small, Italic, Strikethrough };
enum class TextAlignment { Left, Center, Right };

class Label : public View {
 public:
  Label() = default;
  explicit Label(std::string text, TextStyle style = TextStyle::Normal)
      : text(std::move(text)), style(style) {}
  ViewKind kind() const override { return ViewKind::Label; }

  std::string text;
  TextStyle style = TextStyle::Normal;
  Color textColor = Color::black();
  TextAlignment textAlignment = TextAlignment::Left;
  int numberOfLines = 1;  // 0: as many as needed
};

}  // namespace kelda::ui
