#include "RowCounts.h"

#include <algorithm>

#include "RetailSchema.h"
#include "TempDatabase.h"

std::vector<TTableCount> CountTableRows(TextView path) {
    TConnection c(path);
    std::vector<TTableCount> out;
    for (const Text& table : RetailTableNames())
        out.push_back({table, CountRows(c.db, table)});
    c.db.Close();
    return out;
}

std::string FormatRowCounts(const std::vector<Text>& titles,
                            const std::vector<std::vector<TTableCount>>& counts) {
    const Text first = u"TABELA";
    size_t nameWidth = first.size();
    for (const Text& table : RetailTableNames())
        nameWidth = std::max(nameWidth, table.size());
    std::vector<size_t> widths;
    for (size_t col = 0; col < titles.size(); ++col) {
        size_t w = titles[col].size();
        for (const TTableCount& c : counts[col])
            w = std::max(w, IntToText(c.rows).size());
        widths.push_back(w);
    }
    auto cell = [](const Text& text, size_t width, bool right) {
        const Text pad(width > text.size() ? width - text.size() : 0, u' ');
        return right ? pad + text : text + pad;
    };
    Text out = cell(first, nameWidth, false);
    for (size_t col = 0; col < titles.size(); ++col)
        out += u"  " + cell(titles[col], widths[col], true);
    out += u"\n";
    const size_t rows = counts.empty() ? 0 : counts.front().size();
    for (size_t row = 0; row < rows; ++row) {
        out += cell(counts.front()[row].table, nameWidth, false);
        for (size_t col = 0; col < titles.size(); ++col)
            out += u"  " + cell(IntToText(counts[col][row].rows), widths[col], true);
        out += u"\n";
    }
    return ToUtf8(out);
}
