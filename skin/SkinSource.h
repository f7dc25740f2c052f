#pragma once
#include <string>
#include <string_view>

#include "skin/SkinFormat.h"

// A skin written as text, one setting a line:
//   name win8
//   window.face #F0F0F0      (colours as #RRGGBB)
//   progress.block 8         (metrics as decimal numbers)
// Lines starting with '#' and blank lines are ignored. Every setting must be given once.
struct SkinSourceResult {
  std::optional<Skin> skin;
  std::string error;  // "line N: what is wrong" when skin is empty
};

SkinSourceResult ParseSkinSource(std::string_view text);
