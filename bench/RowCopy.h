#pragma once
// The baseline's row copy: the origin rows of a table kept in memory, found by key, and the
// insert of a row into the destination table of the same name with every column's native
// bytes, the key column receiving the recoded key.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "RawClient.h"

// Every row of a select, read whole with its cursor before any is used (as the tool reads its
// origin tables) and kept as row images in the select's order; with a key column, also the
// first row of each key value (NULL keys are not indexed).
class TRowStore {
  public:
    TRowStore(TFbTransaction& origin, const std::string& select, const std::string& keyColumn = {});

    const TFbRowLayout& Layout() const { return layout_; }
    // The first row whose key has exactly these bytes, or nullptr (always without a key).
    const char* Find(std::string_view key) const;
    size_t Count() const { return layout_.words ? rows_.size() / layout_.words : 0; }
    const char* Row(size_t i) const {
        return reinterpret_cast<const char*>(rows_.data() + i * layout_.words);
    }

  private:
    TFbRowLayout layout_;
    std::vector<int64_t> rows_;
    std::unordered_map<std::string, size_t> first_;
};

// " INSERT INTO table (A, B, ... ) VALUES ( ?, ?, ... ) " for the columns of `layout`,
// prepared once on the destination; Execute binds a row image of that layout.
class TRowInsert {
  public:
    // `keyColumn` is compared with the column names exactly; blob values are copied from
    // `origin`'s blobs.
    TRowInsert(TFbTransaction& origin, TFbTransaction& destination, const TFbRowLayout& layout,
               const std::string& table, const std::string& keyColumn);

    // Inserts `row`, the key column (when the layout has it) getting `key` as text.
    void Execute(const char* row, std::string_view key);

  private:
    TFbTransaction& origin_;
    TFbTransaction& destination_;
    const TFbRowLayout& layout_;
    TFbStatement insert_;
    int keyIndex_;
    std::vector<size_t> blobColumns_;
    std::vector<ISC_QUAD> blobIds_;
    const char* bound_ = nullptr;
};

// The text of a key column for the corrections, which fail on NULL as the tool does.
std::string_view KeyText(const TFbColumn& column, const char* row);

// Removes the bytes 0x00 to 0x20 at both ends (the stored single-byte texts, where these are
// the characters up to the blank).
std::string_view Trimmed(std::string_view bytes);
