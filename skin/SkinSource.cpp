#include "skin/SkinSource.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::optional<std::uint32_t> ParseColor(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  std::uint32_t rgb = 0;
  auto [end, ec] = std::from_chars(text.data() + 1, text.data() + 7, rgb, 16);
  if (ec != std::errc() || end != text.data() + 7) return std::nullopt;
  // #RRGGBB to 0x00BBGGRR
  return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

std::optional<int> ParseNumber(std::string_view text) {
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

template <std::size_t N>
std::optional<std::size_t> IndexOf(const std::array<std::string_view, N>& names, std::string_view name) {
  auto it = std::find(names.begin(), names.end(), name);
  if (it == names.end()) return std::nullopt;
  return static_cast<std::size_t>(it - names.begin());
}

}  // namespace

SkinSourceResult ParseSkinSource(std::string_view text) {
  Skin skin;
  std::vector<std::string_view> given;
  int lineNumber = 0;
  auto fail = [&](std::string what) {
    return SkinSourceResult{std::nullopt, "line " + std::to_string(lineNumber) + ": " + what};
  };
  while (!text.empty()) {
    ++lineNumber;
    std::size_t end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == '#') continue;

    std::size_t gap = line.find_first_of(" \t");
    if (gap == std::string_view::npos) return fail("a setting needs a value");
    std::string_view setting = line.substr(0, gap);
    std::string_view value = Trim(line.substr(gap));
    if (std::find(given.begin(), given.end(), setting) != given.end())
      return fail(std::string(setting) + " is given twice");
    given.push_back(setting);

    if (setting == "name") {
      skin.name = value;
    } else if (auto color = IndexOf(kSkinColorNames, setting)) {
      auto rgb = ParseColor(value);
      if (!rgb) return fail(std::string(setting) + ": a colour is written #RRGGBB");
      skin.colors[*color] = *rgb;
    } else if (auto metric = IndexOf(kSkinMetricNames, setting)) {
      auto number = ParseNumber(value);
      SkinMetricRange range = kSkinMetricRanges[*metric];
      if (!number || *number < range.least || *number > range.most)
        return fail(std::string(setting) + ": a number from " + std::to_string(range.least) + " to " +
                    std::to_string(range.most));
      skin.metrics[*metric] = *number;
    } else {
      return fail("unknown setting " + std::string(setting));
    }
  }
  ++lineNumber;
  auto missing = [&](std::string_view setting) {
    return std::find(given.begin(), given.end(), setting) == given.end();
  };
  if (missing("name")) return fail("name is missing");
  for (auto names : {std::span<const std::string_view>(kSkinColorNames),
                     std::span<const std::string_view>(kSkinMetricNames)})
    for (std::string_view setting : names)
      if (missing(setting)) return fail(std::string(setting) + " is missing");
  if (!EncodeSkin(skin)) return fail("the name must be 1 to 64 visible ASCII characters");
  return {skin, {}};
}
