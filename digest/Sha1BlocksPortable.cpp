#include "digest/BlockRoutines.h"
#include "digest/Sha1Rounds.h"

void Sha1BlocksPortable(std::uint32_t state[5], const std::uint8_t* blocks, std::size_t blockCount) {
    for (; blockCount != 0; --blockCount, blocks += 64) {
        // A 16-word ring holds the schedule; W[t] replaces W[t-16] in place.
        std::uint32_t w[16];
        for (int t = 0; t < 16; ++t) w[t] = Sha1LoadBigEndian(blocks + 4 * t);
        std::uint32_t wk[80];
        for (int t = 0; t < 80; ++t) {
            if (t >= 16) {
                w[t & 15] = Sha1RotateLeft(w[(t - 3) & 15] ^ w[(t - 8) & 15] ^ w[(t - 14) & 15] ^ w[t & 15], 1);
            }
            wk[t] = w[t & 15] + Sha1RoundConstant(t);
        }
        Sha1Rounds(state, wk);
    }
}
