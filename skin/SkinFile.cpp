// Whole skins, names included: what the skin compiler writes and the tests
// read back. Kept apart from SkinFormat.cpp, which the engine builds in and
// which must not need the heap or the C++ runtime.
#include "skin/SkinFormat.h"

#include <algorithm>

namespace {

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

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodeSkin(const Skin& skin) {
  if (!IsValidSkinName(skin.name)) return std::nullopt;
  if (!std::all_of(skin.colors.begin(), skin.colors.end(), IsValidSkinColor)) return std::nullopt;
  for (std::size_t i = 0; i < kSkinMetricCount; ++i)
    if (!IsValidSkinMetric(i, skin.metrics[i])) return std::nullopt;

  std::vector<std::uint8_t> out = {'.', 'S', 'H', 'E'};
  PutU16(out, kSkinFormatVersion);
  PutU16(out, kSkinEntryCount);
  PutU32(out, 0);  // size and checksum, filled in below
  PutU32(out, 0);
  PutU16(out, kSkinNameId);
  PutU16(out, static_cast<std::uint32_t>(skin.name.size()));
  out.insert(out.end(), skin.name.begin(), skin.name.end());
  for (std::size_t i = 0; i < kSkinColorCount; ++i) {
    PutU16(out, kSkinFirstColorId + i);
    PutU16(out, 4);
    PutU32(out, skin.colors[i]);
  }
  for (std::size_t i = 0; i < kSkinMetricCount; ++i) {
    PutU16(out, kSkinFirstMetricId + i);
    PutU16(out, 2);
    PutU16(out, static_cast<std::uint32_t>(skin.metrics[i]));
  }
  SetU32(out, 8, static_cast<std::uint32_t>(out.size()));
  SetU32(out, 12, SkinCrc32(std::span(out).subspan(kSkinHeaderSize)));
  return out;
}

std::optional<Skin> DecodeSkin(std::span<const std::uint8_t> file, std::string_view key) {
  std::string_view name;
  auto look = DecodeSkinLook(file, key, &name);
  if (!look) return std::nullopt;
  Skin skin;
  static_cast<SkinLook&>(skin) = *look;
  skin.name = name;
  return skin;
}
