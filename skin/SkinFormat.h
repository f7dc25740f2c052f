#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A skin file (".she"): a 16-byte header, then entries.
//   0  ".SHE"
//   4  u16 format version (kSkinFormatVersion)
//   6  u16 number of entries
//   8  u32 size of the whole file in bytes
//  12  u32 CRC-32 of every byte after the header
// Each entry: u16 id, u16 length, then `length` bytes. All numbers little-endian.
// Every entry of the version must be present exactly once; nothing else may be.

inline constexpr std::uint16_t kSkinFormatVersion = 1;
inline constexpr std::size_t kSkinHeaderSize = 16;
inline constexpr std::size_t kSkinMaxFileSize = 64 * 1024;

enum class ButtonState { Normal, Hot, Pressed, Focused, Disabled, Count };
enum class ButtonPart { Face, Border, Text };

// Colours are 0x00BBGGRR, the layout of a Windows COLORREF.
enum class SkinColor : std::uint16_t {
  WindowFace, WindowText,
  ButtonFace, ButtonBorder, ButtonText,                      // one triple per ButtonState,
  ButtonHotFace, ButtonHotBorder, ButtonHotText,             // in ButtonState order
  ButtonPressedFace, ButtonPressedBorder, ButtonPressedText,
  ButtonFocusedFace, ButtonFocusedBorder, ButtonFocusedText,
  ButtonDisabledFace, ButtonDisabledBorder, ButtonDisabledText,
  EditBack, EditText, EditBorder,
  ProgressBack, ProgressBar, ProgressBorder,
  GroupFrame, GroupText,
  Count
};
inline constexpr std::size_t kSkinColorCount = static_cast<std::size_t>(SkinColor::Count);

enum class SkinMetric : std::uint16_t { ProgressBlock, ProgressGap, Count };
inline constexpr std::size_t kSkinMetricCount = static_cast<std::size_t>(SkinMetric::Count);

struct SkinMetricRange { int least, most; };

// The names a skin source uses, indexed like the enums above.
extern const std::array<std::string_view, kSkinColorCount> kSkinColorNames;
extern const std::array<std::string_view, kSkinMetricCount> kSkinMetricNames;
extern const std::array<SkinMetricRange, kSkinMetricCount> kSkinMetricRanges;
inline constexpr std::size_t kSkinMaxNameLength = 64;

// What a skin makes windows look like.
struct SkinLook {
  std::array<std::uint32_t, kSkinColorCount> colors{};
  std::array<int, kSkinMetricCount> metrics{};

  std::uint32_t Color(SkinColor c) const { return colors[static_cast<std::size_t>(c)]; }
  int Metric(SkinMetric m) const { return metrics[static_cast<std::size_t>(m)]; }
  // The face, border and text colours of a push button in one state.
  std::uint32_t ButtonColor(ButtonState state, ButtonPart part) const;
};

struct Skin : SkinLook {
  std::string name;  // ASCII; the key a caller may ask for
};

// The ids of a file's entries; colours and metrics count up from their first id
// in the order of their enums.
enum SkinEntryId : std::uint16_t { kSkinNameId = 0x0001, kSkinFirstColorId = 0x0100, kSkinFirstMetricId = 0x0200 };
inline constexpr std::size_t kSkinEntryCount = 1 + kSkinColorCount + kSkinMetricCount;

bool IsValidSkinName(std::string_view name);
bool IsValidSkinColor(std::uint32_t color);
bool IsValidSkinMetric(std::size_t metric, int value);

std::uint32_t SkinCrc32(std::span<const std::uint8_t> bytes);

// The look a skin file holds, or nothing when it is not a whole, valid skin of
// this version. A non-empty key must equal the skin's name, which `name`, when
// given, is set to as it stands in `file`. Reads in place and needs no heap:
// this is all the engine takes from a file.
std::optional<SkinLook> DecodeSkinLook(std::span<const std::uint8_t> file, std::string_view key,
                                       std::string_view* name = nullptr);

// The same checks, and the skin with its name (SkinFile.cpp).
std::optional<Skin> DecodeSkin(std::span<const std::uint8_t> file, std::string_view key);

// The file's bytes, or nothing when the skin is incomplete or a value is out of range.
std::optional<std::vector<std::uint8_t>> EncodeSkin(const Skin& skin);
