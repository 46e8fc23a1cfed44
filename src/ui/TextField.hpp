// TextField: an editable line of text with placeholder, secure entry, keyboard kind and return
// key. Editing begins when the field becomes the window's first responder (the keyboard shows)
// and ends when it resigns. Callbacks run on the main thread; main thread only.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "ui/View.hpp"

namespace kelda::ui {

enum class KeyboardType { Default, Email, NumberPad, PhonePad, Url, NumbersAndPunctuation };
enum class ReturnKeyType { Default, Next, Done, Go, Search, Join, Send };

class TextField : public View {
 public:
  using Callback = std::function<void(TextField&)>;

  TextField() = default;
  explicit TextField(std::string placeholder) : placeholder(std::move(placeholder)) {}
  ViewKind kind() const override { return ViewKind::TextField; }

  // Makes this field the first responder: the field that was editing ends its editing first,
  // then shouldBeginEditing is asked (false: nothing changes), then didBeginEditing runs.
  // False when the field is disabled or refused.
  bool becomeFirstResponder();
  // Ends editing (didEndEditing runs) when this field is the first responder.
  void resignFirstResponder();
  bool isFirstResponder() const;

  // What typing does: shouldChangeText may refuse the new text (the text stays); otherwise the
  // text is replaced and didChangeText runs. Returns whether the text changed.
  bool typeText(const std::string& newText);
  // The return key: runs shouldReturn (if any).
  void pressReturn();

  std::string text;
  std::string placeholder;
  // The field's name as a person reads it next to the field ("Email Address:"); matched by the
  // screen tree's targets. When empty the nearest label before the field is used.
  std::string label;
  bool secureTextEntry = false;
  bool enabled = true;
  KeyboardType keyboardType = KeyboardType::Default;
  ReturnKeyType returnKeyType = ReturnKeyType::Default;
  bool clearsOnBeginEditing = false;

  std::function<bool(TextField&)> shouldBeginEditing;
  Callback didBeginEditing;
  Callback didEndEditing;
  std::function<bool(TextField&, const std::string& newText)> shouldChangeText;
  Callback didChangeText;
  Callback shouldReturn;
};

}  // namespace kelda::ui
