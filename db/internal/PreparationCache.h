#pragma once
// The preparations a connection keeps: a query that gives its preparation up (it is released,
// or its text changes) while the preparation's transaction goes on leaves it here, and a
// query preparing the same text in the same transaction takes it back instead of asking the
// server to prepare again. The last kCapacity kept ones stay, found by their text; ending a
// transaction drops its own, closing the connection drops them all.
//
// This is what keeps statements whose text carries a literal value cheap when a caller makes
// a new query per value: each distinct text is prepared once per transaction while it is
// among the last kCapacity.

#include <cstddef>
#include <optional>
#include <vector>

#include "Preparation.h"

class TPreparationCache {
  public:
    static constexpr size_t kCapacity = 128;

    // Keeps `preparation`, dropping the oldest kept one beyond the capacity.
    void Keep(TPreparation&& preparation) noexcept;
    // Takes out the most recently kept preparation of `text` (with `hash`) in `transaction`.
    std::optional<TPreparation> Take(const Text& text, size_t hash,
                                     const TIBTransaction* transaction) noexcept;
    // Drops the kept preparations of `transaction`, or every one for nullptr.
    void Drop(const TIBTransaction* transaction) noexcept;

  private:
    std::vector<TPreparation> kept_;  // most recently kept last
};
