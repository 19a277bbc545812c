#include "RowCopy.h"

#include <cstring>

namespace {

std::string InsertText(const TFbRowLayout& layout, const std::string& table) {
    std::string columns, params;
    for (size_t i = 0; i < layout.columns.size(); ++i) {
        const bool last = i + 1 == layout.columns.size();
        columns += layout.columns[i].name + (last ? "" : ", ");
        params += last ? "?" : "?, ";
    }
    return " INSERT INTO " + table + " (" + columns + " ) VALUES ( " + params + " ) ";
}

}  // namespace

TRowStore::TRowStore(TFbTransaction& origin, const std::string& select,
                     const std::string& keyColumn) {
    TFbStatement query(origin, select);
    layout_ = query.Layout();
    const TFbColumn* key = keyColumn.empty() ? nullptr : &layout_.At(keyColumn);
    query.Execute();
    size_t count = 0;
    while (query.Fetch()) {
        const int64_t* row = reinterpret_cast<const int64_t*>(query.Row());
        rows_.insert(rows_.end(), row, row + layout_.words);
        if (key && !IsNull(*key, query.Row()))
            first_.try_emplace(std::string(TextOf(*key, query.Row())), count);
        ++count;
    }
    query.CloseCursor();
}

const char* TRowStore::Find(std::string_view key) const {
    const auto it = first_.find(std::string(key));
    if (it == first_.end())
        return nullptr;
    return reinterpret_cast<const char*>(rows_.data() + it->second * layout_.words);
}

TRowInsert::TRowInsert(TFbTransaction& origin, TFbTransaction& destination,
                       const TFbRowLayout& layout, const std::string& table,
                       const std::string& keyColumn)
    : origin_(origin),
      destination_(destination),
      layout_(layout),
      insert_(destination, InsertText(layout, table)),
      keyIndex_(layout.IndexOf(keyColumn)) {
    for (size_t i = 0; i < layout.columns.size(); ++i)
        if (layout.columns[i].type == SQL_BLOB && int(i) != keyIndex_)
            blobColumns_.push_back(i);
    blobIds_.resize(blobColumns_.size());
}

void TRowInsert::Execute(const char* row, std::string_view key) {
    // The parameters point into the row image; they need pointing again only for another one.
    if (row != bound_) {
        for (size_t i = 0; i < layout_.columns.size(); ++i)
            if (int(i) != keyIndex_)
                insert_.Bind(i, layout_.columns[i], row);
        bound_ = row;
    }
    for (size_t b = 0; b < blobColumns_.size(); ++b) {
        const TFbColumn& column = layout_.columns[blobColumns_[b]];
        if (IsNull(column, row))
            continue;
        ISC_QUAD id;
        std::memcpy(&id, row + column.dataOffset, sizeof id);
        blobIds_[b] = CopyBlob(origin_, id, destination_);
        insert_.BindBlob(blobColumns_[b], column, row, blobIds_[b]);
    }
    if (keyIndex_ >= 0)
        insert_.SetText(size_t(keyIndex_), key);
    insert_.Execute();
}

std::string_view KeyText(const TFbColumn& column, const char* row) {
    if (IsNull(column, row))
        throw TFbError("Could not convert variant of type (Null) into type (OleStr)");
    return TextOf(column, row);
}

std::string_view Trimmed(std::string_view bytes) {
    size_t from = 0, to = bytes.size();
    while (from < to && static_cast<unsigned char>(bytes[from]) <= 0x20)
        ++from;
    while (to > from && static_cast<unsigned char>(bytes[to - 1]) <= 0x20)
        --to;
    return bytes.substr(from, to - from);
}
