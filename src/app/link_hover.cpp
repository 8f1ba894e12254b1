#include "app/link_hover.h"

bool LinkHover::MouseOnLink(std::size_t link) {
  if (underlined_[link]) return false;
  underlined_[link] = true;
  return true;
}

bool LinkHover::MouseOnPanel() {
  bool changed = false;
  for (bool& underlined : underlined_) {
    changed = changed || underlined;
    underlined = false;
  }
  return changed;
}
