#pragma once
// TIBQuery: one SQL statement on a connection, run in the connection's default transaction.
//
// Text: SQL() holds the statement as lines, joined by CR LF when sent. Every text change
// closes the query, drops its preparation and rebuilds the parameter list from the text; a
// new parameter takes over the value of an old one of the same name.
//
// Parameters are ":name" in the text (not inside '...', "..." or `...`; "::" is no parameter);
// the name ends at a blank, comma, semicolon, ")", CR, LF or the end of the text, or runs
// between quotes written right after the colon. Every occurrence is a parameter of its own.
// ParamByName finds the first of a name, ignoring ASCII case, or fails with
// "Parameter '%s' not found". TParam references stay valid until the next text change.
//
// ExecSQL and Open connect the connection and start the transaction when needed, prepare the
// statement once (it stays prepared until the text changes or the transaction ends), bind the
// parameters by the type of their target column and execute. The statement "COMMIT" commits
// the query's transaction. Open fetches into memory: every fetched row stays until Close;
// Last fetches the rest.
//
// Errors: "Cannot perform this operation on an open dataset" (ExecSQL while open),
// "Empty SQL Statement", "Cannot perform this operation on a closed dataset" (cursor moves
// while closed), "Field '%s' not found", and the database's errors.

#include <memory>
#include <optional>
#include <unordered_map>

#include "Text.h"
#include "Value.h"

class TIBDatabase;
class TIBTransaction;
class TIBQuery;

class TParam {
  public:
    explicit TParam(Text name) : name_(std::move(name)) {}
    const Text& Name() const { return name_; }

    // Stores text (the empty text is a value, not NULL; but see binding in ExecSQL).
    void SetAsString(Text value);
    // Stores any value; NULL makes the parameter NULL.
    void SetValue(TValue value);
    void Clear() { value_ = TValue(); }

    const TValue& Value() const { return value_; }
    bool IsNull() const { return value_.IsNull(); }
    Text AsString() const { return value_.ToText(); }
    // The kind of the first non-NULL value assigned; Null while unknown.
    TValueKind DataType() const { return dataType_; }

  private:
    Text name_;
    TValue value_;
    TValueKind dataType_ = TValueKind::Null;
};

// A light handle on one column of an open query's current row. It stays usable while the
// query stays open; once the query is closed, reading it fails with "Field '%s' not found".
class TField {
  public:
    Text FieldName() const;
    Text AsString() const;
    int64_t AsInteger() const;
    double AsFloat() const;
    TValue AsVariant() const;
    bool IsNull() const;

  private:
    friend class TIBQuery;
    TField(const TIBQuery* q, size_t index, uint64_t generation, Text name)
        : q_(q), index_(index), generation_(generation), name_(std::move(name)) {}
    const TIBQuery* q_;
    size_t index_;
    uint64_t generation_;
    Text name_;
};

// The statement text of a query; every change goes through the query.
class TSQLText {
  public:
    void Clear();
    void Add(TextView line);
    void SetText(TextView text);
    Text GetText() const;  // lines joined by CR LF
    size_t Count() const;

  private:
    friend class TIBQuery;
    explicit TSQLText(TIBQuery& q) : q_(q) {}
    TIBQuery& q_;
};

struct TLocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false;
};

class TIBQuery {
  public:
    TIBQuery();
    ~TIBQuery();
    TIBQuery(const TIBQuery&) = delete;
    TIBQuery& operator=(const TIBQuery&) = delete;

    // Attaches the query to `database` and to its default transaction (nullptr detaches).
    void SetDatabase(TIBDatabase* database);
    TIBDatabase* Database() const;
    TIBTransaction* Transaction() const;

    TSQLText& SQL() { return sql_; }

    void ExecSQL();
    void Open();
    // Connects, starts the transaction and prepares the statement now instead of at its first
    // execution (nothing if it is prepared already).
    void Prepare();
    // The kind of column a placeholder of the prepared statement stands for.
    enum class TTarget { Text, Number, DateTime, Blob, Boolean, Other };
    TTarget ParamTarget(size_t index) const;
    void Close();
    bool Active() const;
    bool Prepared() const;

    size_t ParamCount() const;
    TParam& Params(size_t index);
    TParam& ParamByName(TextView name);
    TParam* FindParam(TextView name);

    void First();
    void Next();
    void Last();
    bool Eof() const;
    // Rows fetched so far (the size of the result after Last).
    size_t RecordCount() const;
    // 0-based index of the current row among the fetched rows; SetRecNo moves there.
    size_t RecNo() const;
    void SetRecNo(size_t row);

    size_t FieldCount() const;
    TField Fields(size_t index) const;
    TField FieldByName(TextView name) const;
    std::optional<TField> FindField(TextView name) const;

    // Searches from the first row for the first row whose `keyField` equals `value` (text
    // exactly, case included); stays there and returns true, or returns to where it was and
    // returns false.
    bool Locate(TextView keyField, const TValue& value, TLocateOptions options = {});

    // Every row's text form of `keyField` mapped to the first row that has it (NULLs left
    // out): the rows Locate with a text value would find, at O(1) per look-up.
    std::unordered_map<Text, size_t> KeyIndex(TextView keyField);

    // The number of rows the last ExecSQL inserted, updated or deleted.
    int64_t RowsAffected() const;

    struct Impl;  // the private state, db/internal/Impl.h

  private:
    friend class TSQLText;
    friend class TField;
    void TextChanged();

    std::unique_ptr<Impl> impl_;
    TSQLText sql_;
};
