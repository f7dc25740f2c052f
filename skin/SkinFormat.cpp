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

enum EntryId : std::uint16_t { kNameId = 0x0001, kFirstColorId = 0x0100, kFirstMetricId = 0x0200 };

std::uint16_t ReadU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t ReadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}
void SetU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

bool IsValidName(std::string_view name) {
  return !name.empty() && name.size() <= kSkinMaxNameLength &&
         std::all_of(name.begin(), name.end(), [](char c) { return c > ' ' && c < 0x7F; });
}
bool IsValidMetric(std::size_t index, int value) {
  return value >= kSkinMetricRanges[index].least && value <= kSkinMetricRanges[index].most;
}
bool IsValidColor(std::uint32_t color) { return color <= 0xFFFFFF; }

constexpr std::size_t kEntryCount = 1 + kSkinColorCount + kSkinMetricCount;

}  // namespace

std::uint32_t Skin::ButtonColor(ButtonState state, ButtonPart part) const {
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

std::optional<std::vector<std::uint8_t>> EncodeSkin(const Skin& skin) {
  if (!IsValidName(skin.name)) return std::nullopt;
  if (!std::all_of(skin.colors.begin(), skin.colors.end(), IsValidColor)) return std::nullopt;
  for (std::size_t i = 0; i < kSkinMetricCount; ++i)
    if (!IsValidMetric(i, skin.metrics[i])) return std::nullopt;

  std::vector<std::uint8_t> out = {'.', 'S', 'H', 'E'};
  PutU16(out, kSkinFormatVersion);
  PutU16(out, kEntryCount);
  PutU32(out, 0);  // size and checksum, filled in below
  PutU32(out, 0);
  PutU16(out, kNameId);
  PutU16(out, static_cast<std::uint32_t>(skin.name.size()));
  out.insert(out.end(), skin.name.begin(), skin.name.end());
  for (std::size_t i = 0; i < kSkinColorCount; ++i) {
    PutU16(out, kFirstColorId + i);
    PutU16(out, 4);
    PutU32(out, skin.colors[i]);
  }
  for (std::size_t i = 0; i < kSkinMetricCount; ++i) {
    PutU16(out, kFirstMetricId + i);
    PutU16(out, 2);
    PutU16(out, static_cast<std::uint32_t>(skin.metrics[i]));
  }
  SetU32(out, 8, static_cast<std::uint32_t>(out.size()));
  SetU32(out, 12, SkinCrc32(std::span(out).subspan(kSkinHeaderSize)));
  return out;
}

std::optional<Skin> DecodeSkin(std::span<const std::uint8_t> file, std::string_view key) {
  if (file.size() < kSkinHeaderSize || file.size() > kSkinMaxFileSize) return std::nullopt;
  const std::uint8_t* p = file.data();
  if (p[0] != '.' || p[1] != 'S' || p[2] != 'H' || p[3] != 'E') return std::nullopt;
  if (ReadU16(p + 4) != kSkinFormatVersion || ReadU16(p + 6) != kEntryCount) return std::nullopt;
  if (ReadU32(p + 8) != file.size()) return std::nullopt;
  if (ReadU32(p + 12) != SkinCrc32(file.subspan(kSkinHeaderSize))) return std::nullopt;

  Skin skin;
  std::array<bool, kEntryCount> seen{};
  std::size_t at = kSkinHeaderSize;
  for (std::size_t n = 0; n < kEntryCount; ++n) {
    if (file.size() - at < 4) return std::nullopt;
    std::uint16_t id = ReadU16(p + at);
    std::size_t length = ReadU16(p + at + 2);
    at += 4;
    if (file.size() - at < length) return std::nullopt;
    const std::uint8_t* value = p + at;
    at += length;

    std::size_t slot;
    if (id == kNameId) {
      slot = 0;
      skin.name.assign(reinterpret_cast<const char*>(value), length);
      if (!IsValidName(skin.name)) return std::nullopt;
    } else if (id >= kFirstColorId && id < kFirstColorId + kSkinColorCount) {
      slot = 1 + (id - kFirstColorId);
      if (length != 4 || !IsValidColor(ReadU32(value))) return std::nullopt;
      skin.colors[id - kFirstColorId] = ReadU32(value);
    } else if (id >= kFirstMetricId && id < kFirstMetricId + kSkinMetricCount) {
      slot = 1 + kSkinColorCount + (id - kFirstMetricId);
      if (length != 2 || !IsValidMetric(id - kFirstMetricId, ReadU16(value))) return std::nullopt;
      skin.metrics[id - kFirstMetricId] = ReadU16(value);
    } else {
      return std::nullopt;
    }
    if (seen[slot]) return std::nullopt;
    seen[slot] = true;
  }
  // Entry count matched and none repeated, so every entry is there; nothing may trail.
  if (at != file.size()) return std::nullopt;
  if (!key.empty() && key != skin.name) return std::nullopt;
  return skin;
}
