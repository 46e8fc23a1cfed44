// Geometry: points, sizes and rectangles in screen points (the window is 320 by 480), and
// colours with opacity. Plain values; any thread.
#pragma once

namespace kelda::ui {

struct Point {
  double x = 0;
  double y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  double width = 0;
  double height = 0;
  bool operator==(const Size&) const = default;
};

struct Rect {
  Point origin;
  Size size;
  bool operator==(const Rect&) const = default;
};

inline Rect makeRect(double x, double y, double width, double height) {
  return Rect{{x, y}, {width, height}};
}

// The whole window.
inline constexpr double kScreenWidth = 320;
inline constexpr double kScreenHeight = 480;
inline Rect screenBounds() {
  return makeRect(0, 0, kScreenWidth, kScreenHeight);
}

// Red, green, blue and alpha, each from 0 to 1.
struct Color {
  double red = 0;
  double green = 0;
  double blue = 0;
  double alpha = 1;
  bool operator==(const Color&) const = default;

  static Color gray(double white, double alpha = 1) { return Color{white, white, white, alpha}; }
  static Color black() { return gray(0); }
  static Color white() { return gray(1); }
  static Color clear() { return Color{0, 0, 0, 0}; }
  static Color rgb(double red, double green, double blue) { return Color{red, green, blue, 1}; }
};

}  // namespace kelda::ui
