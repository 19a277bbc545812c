#include "PreparationCache.h"

#include <iterator>

void TPreparationCache::Keep(TPreparation&& preparation) noexcept {
    kept_.push_back(std::move(preparation));
    if (kept_.size() > kCapacity)
        kept_.erase(kept_.begin());
}

std::optional<TPreparation> TPreparationCache::Take(const Text& text, size_t hash,
                                                    const TIBTransaction* transaction) noexcept {
    for (auto it = kept_.rbegin(); it != kept_.rend(); ++it) {
        if (it->hash == hash && it->transaction == transaction && it->text == text) {
            std::optional<TPreparation> found(std::move(*it));
            kept_.erase(std::next(it).base());
            return found;
        }
    }
    return std::nullopt;
}

void TPreparationCache::Drop(const TIBTransaction* transaction) noexcept {
    std::erase_if(kept_, [transaction](const TPreparation& p) {
        return !transaction || p.transaction == transaction;
    });
}
