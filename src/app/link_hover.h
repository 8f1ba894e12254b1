#pragma once
// The About box's two link labels: a label is underlined while the mouse is
// on it and loses the underline when the mouse moves onto the panel around.
#include <array>
#include <cstddef>

class LinkHover {
 public:
  static constexpr std::size_t kLinks = 2;

  // Each returns whether an underline changed, so the caller redraws.
  bool MouseOnLink(std::size_t link);
  bool MouseOnPanel();
  bool Underlined(std::size_t link) const { return underlined_[link]; }

 private:
  std::array<bool, kLinks> underlined_{};
};
