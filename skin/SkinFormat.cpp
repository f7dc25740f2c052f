#include "skin/SkinFormat.h"

#include <algorithm>

const std::array<std::string_view, kSkinColorCount> kSkinColorNames = {
    "window.face",          "window.text",
    "button.face",          "button.border",          "button.text",
    "button.hot.face",      "button.hot.border",      "button.hot.text",
    "button.pressed.face",  "button.pressed.border",  "button.pressed.text",
    "button.focused.face",  "button.focused.border",  "button.focused.text",
    "button.disabled.face", "button.disabled.border", "button.disabled.text",
    "edit.back",            "edit.text",              "edit.border",
    "progress.back",        "progress.bar",           "progress.border",
    "group.frame",          "group.text",
};
const std::array<std::string_view, kSkinMetricCount> kSkinMetricNames = {
    "progress.block", "progress.gap"};
// A block narrower than 2 pixels no longer reads as a block.
const std::array<SkinMetricRange, kSkinMetricCount> kSkinMetricRanges = {{{2, 64}, {0, 16}}};

namespace {

std::uint16_t ReadU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t ReadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

bool IsValidSkinName(std::string_view name) {
  return !name.empty() && name.size() <= kSkinMaxNameLength &&
         std::all_of(name.begin(), name.end(), [](char c) { return c > ' ' && c < 0x7F; });
}
bool IsValidSkinMetric(std::size_t metric, int value) {
  return value >= kSkinMetricRanges[metric].least && value <= kSkinMetricRanges[metric].most;
}
bool IsValidSkinColor(std::uint32_t color) { return color <= 0xFFFFFF; }

std::uint32_t SkinLook::ButtonColor(ButtonState state, ButtonPart part) const {
  auto first = static_cast<std::size_t>(SkinColor::ButtonFace);
  return colors[first + 3 * static_cast<std::size_t>(state) + static_cast<std::size_t>(part)];
}

std::uint32_t SkinCrc32(std::span<const std::uint8_t> bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (std::uint8_t b : bytes) {
    crc ^= b;
    for (int i = 0; i < 8; ++i) crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
  }
  return ~crc;
}

std::optional<SkinLook> DecodeSkinLook(std::span<const std::uint8_t> file, std::string_view key,
                                       std::string_view* name) {
  if (file.size() < kSkinHeaderSize || file.size() > kSkinMaxFileSize) return std::nullopt;
  const std::uint8_t* p = file.data();
  if (p[0] != '.' || p[1] != 'S' || p[2] != 'H' || p[3] != 'E') return std::nullopt;
  if (ReadU16(p + 4) != kSkinFormatVersion || ReadU16(p + 6) != kSkinEntryCount) return std::nullopt;
  if (ReadU32(p + 8) != file.size()) return std::nullopt;
  if (ReadU32(p + 12) != SkinCrc32(file.subspan(kSkinHeaderSize))) return std::nullopt;

  SkinLook look;
  std::string_view skinName;
  std::array<bool, kSkinEntryCount> seen{};
  std::size_t at = kSkinHeaderSize;
  for (std::size_t n = 0; n < kSkinEntryCount; ++n) {
    if (file.size() - at < 4) return std::nullopt;
    std::uint16_t id = ReadU16(p + at);
    std::size_t length = ReadU16(p + at + 2);
    at += 4;
    if (file.size() - at < length) return std::nullopt;
    const std::uint8_t* value = p + at;
    at += length;

    std::size_t slot;
    if (id == kSkinNameId) {
      slot = 0;
      skinName = std::string_view(reinterpret_cast<const char*>(value), length);
      if (!IsValidSkinName(skinName)) return std::nullopt;
    } else if (id >= kSkinFirstColorId && id < kSkinFirstColorId + kSkinColorCount) {
      slot = 1 + (id - kSkinFirstColorId);
      if (length != 4 || !IsValidSkinColor(ReadU32(value))) return std::nullopt;
      look.colors[id - kSkinFirstColorId] = ReadU32(value);
    } else if (id >= kSkinFirstMetricId && id < kSkinFirstMetricId + kSkinMetricCount) {
      slot = 1 + kSkinColorCount + (id - kSkinFirstMetricId);
      if (length != 2 || !IsValidSkinMetric(id - kSkinFirstMetricId, ReadU16(value))) return std::nullopt;
      look.metrics[id - kSkinFirstMetricId] = ReadU16(value);
    } else {
      return std::nullopt;
    }
    if (seen[slot]) return std::nullopt;
    seen[slot] = true;
  }
  // Entry count matched and none repeated, so every entry is there; nothing may trail.
  if (at != file.size()) return std::nullopt;
  if (!key.empty() && key != skinName) return std::nullopt;
  if (name) *name = skinName;
  return look;
}
