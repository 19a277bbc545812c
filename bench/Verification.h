#pragma once
// The check that the baseline did the tool's work: after both runs the two destination copies
// must hold the same rows.
//
// Compared: the row count of every table of the schema; the full content (TableChecksum of
// testing/TempDatabase.h: every column's stored value, blobs byte for byte, rows in any order)
// of every table a run writes; and that no trigger was left inactive. As a guard against two
// runs that both did nothing, the tool's copy must hold the head office's and the branch's
// clients, suppliers and products together.

#include <string>

#include "Text.h"

struct TVerification {
    bool equal = false;
    std::string report;  // UTF-8 lines: what was compared, and every difference found
};

TVerification CompareDestinations(const Text& headOffice, const Text& branch, const Text& toolCopy,
                                  const Text& baselineCopy);
