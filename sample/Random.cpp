#include "Random.h"

#include <limits>

namespace {

uint64_t SplitMix(uint64_t& x) {
    uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint64_t Rotl(uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

// FNV-1a of the stream name, mixed into the seed.
uint64_t Hash(std::string_view s) {
    uint64_t h = 0xCBF29CE484222325ull;
    for (unsigned char c : s) {
        h ^= c;
        h *= 0x100000001B3ull;
    }
    return h;
}

}  // namespace

TRandom::TRandom(uint64_t seed, std::string_view stream) {
    uint64_t x = seed ^ Hash(stream);
    for (uint64_t& s : s_)
        s = SplitMix(x);
}

uint64_t TRandom::Next() {
    const uint64_t result = Rotl(s_[1] * 5, 7) * 9;
    const uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = Rotl(s_[3], 45);
    return result;
}

uint64_t TRandom::Below(uint64_t n) {
    // Rejection keeps the result uniform for every n.
    const uint64_t max = std::numeric_limits<uint64_t>::max();
    const uint64_t limit = max - max % n;
    uint64_t x;
    do {
        x = Next();
    } while (x >= limit);
    return x % n;
}

int64_t TRandom::Between(int64_t lo, int64_t hi) {
    return lo + int64_t(Below(uint64_t(hi - lo) + 1));
}

bool TRandom::Percent(int percent) {
    return int(Below(100)) < percent;
}

std::vector<bool> TRandom::Sample(size_t n, size_t count) {
    // Floyd's algorithm: exactly `count` distinct indices in O(count) draws.
    std::vector<bool> marked(n, false);
    for (size_t j = n - count; j < n; ++j) {
        size_t t = size_t(Below(j + 1));
        if (marked[t])
            t = j;
        marked[t] = true;
    }
    return marked;
}
