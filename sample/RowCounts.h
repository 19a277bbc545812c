#pragma once
// Row counts of the retail schema's tables, for showing a database before and after a merge.

#include <cstdint>
#include <string>
#include <vector>

#include "Text.h"

struct TTableCount {
    Text table;
    int64_t rows = 0;
};

// Every table of the schema (RetailTableNames order) with its number of rows, read from the
// database file at `path`; fails with the database's error.
std::vector<TTableCount> CountTableRows(TextView path);

// A table of the counts as UTF-8 lines: a header with "TABELA" and one title per column,
// then one line per table, names left-aligned, counts right-aligned, one column per entry of
// `counts` (all read from the same schema).
std::string FormatRowCounts(const std::vector<Text>& titles,
                            const std::vector<std::vector<TTableCount>>& counts);
