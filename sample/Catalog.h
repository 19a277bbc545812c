#pragma once
// The goods of the sample stores: product categories, each with its product group, the stem
// of its NCM codes, unit, tax rates, price range, makers and the items it sells. The
// registries (GRUPROD, CADFABR, FAMILIA ...) and the products are built from it, so a
// product's description, unit, group, maker and fiscal classification agree.

#include <vector>

#include "Text.h"

struct TCategory {
    Text group;       // GRUPROD description; the group code is the position + 1, three digits
    Text ncmStem;     // first four digits of the category's NCM codes
    Text fiscalName;  // CLASFISC description
    Text unit;        // UNIDADES code
    int family;       // FAMILIA code (two digits)
    int icmsPercent;  // PRODUTO.ALIQICMS
    int ipiPercent;   // CLASFISC.ALIQIPI
    int minCents;     // sale price range
    int maxCents;
    bool weighed;  // sold by weight or volume: fractional stock
    std::vector<Text> items;
    std::vector<Text> sizes;   // appended to the item; none for weighed goods
    std::vector<Text> makers;  // CADFABR rows, in the order of the categories
};

const std::vector<TCategory>& Categories();

// The makers of all categories in CADFABR code order (code = position + 1, five digits), and
// the code of maker `m` of category `c`.
std::vector<Text> AllMakers();
int MakerCode(size_t category, size_t maker);

// FAMILIA rows (code = position + 1, two digits).
const std::vector<Text>& Families();
