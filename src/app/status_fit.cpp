#include "app/status_fit.h"

namespace {

// The text with `dropped` characters of the path's middle replaced by "...".
std::u16string WithoutMiddle(const std::u16string& text, std::size_t path, std::size_t length, std::size_t dropped) {
  const std::size_t kept = length - dropped;
  const std::size_t head = (kept + 1) / 2;
  return text.substr(0, path + head) + u"..." + text.substr(path + head + dropped);
}

}  // namespace

std::u16string FitStatusText(const std::u16string& text, const std::function<bool(const std::u16string&)>& fits) {
  if (fits(text)) return text;
  const std::size_t path = text.find(u"HKEY_");
  if (path == std::u16string::npos) return text;
  const std::size_t end = text.find(u": ", path);
  const std::size_t length = (end == std::u16string::npos ? text.size() : end) - path;
  // The fewest characters dropped that fit: fitting only gets easier with
  // more dropped.
  std::size_t low = 1, high = length;
  if (!fits(WithoutMiddle(text, path, length, high))) return WithoutMiddle(text, path, length, high);
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (fits(WithoutMiddle(text, path, length, middle))) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return WithoutMiddle(text, path, length, low);
}
