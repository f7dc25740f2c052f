#include "digest/BlockRoutines.h"
#include "digest/Sha1Rounds.h"

void Sha1BlocksPortable(std::uint32_t state[5], const std::uint8_t* blocks, std::size_t blockCount) {
    std::uint32_t w[80];
    for (; blockCount != 0; --blockCount, blocks += 64) {
        for (int t = 0; t < 16; ++t) w[t] = Sha1LoadBigEndian(blocks + 4 * t);
        for (int t = 16; t < 80; ++t) w[t] = Sha1RotateLeft(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);
        Sha1Rounds<false>(state, w);
    }
}
