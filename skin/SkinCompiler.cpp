// Build tool: turns a skin's text source into the skin file the engine reads.
//   skin_compiler source.skin out.she
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "skin/SkinSource.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: skin_compiler source.skin out.she\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
    return 1;
  }
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  SkinSourceResult parsed = ParseSkinSource(text);
  if (!parsed.skin) {
    std::fprintf(stderr, "%s: %s\n", argv[1], parsed.error.c_str());
    return 1;
  }
  auto bytes = EncodeSkin(*parsed.skin);
  // The engine must take what we hand it; a file it refuses is a broken build.
  if (!bytes || !DecodeSkin(*bytes, "")) {
    std::fprintf(stderr, "%s: the encoded skin does not read back\n", argv[1]);
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "%s: cannot be written\n", argv[2]);
    return 1;
  }
  return 0;
}
