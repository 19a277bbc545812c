#pragma once
// A small deterministic pseudo-random generator (xoshiro256**, seeded through splitmix64).
// The standard library's distributions differ between implementations; this one gives the
// same numbers for the same seed on every platform, so a seed names one exact data set.

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

class TRandom {
  public:
    // A stream of its own for each (seed, name): a table's values do not shift when another
    // table draws more or fewer numbers.
    TRandom(uint64_t seed, std::string_view stream);

    uint64_t Next();
    // Uniform in [0, n); n must be positive.
    uint64_t Below(uint64_t n);
    // Uniform in [lo, hi], both included; lo <= hi.
    int64_t Between(int64_t lo, int64_t hi);
    // True with probability percent / 100.
    bool Percent(int percent);

    template <typename C>
    const auto& Pick(const C& items) {
        return items[Below(items.size())];
    }

    // `count` distinct indices of [0, n), marked in a vector of n flags; count <= n.
    std::vector<bool> Sample(size_t n, size_t count);

    template <typename T>
    void Shuffle(std::vector<T>& items) {
        for (size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1], items[Below(i)]);
    }

  private:
    uint64_t s_[4];
};
