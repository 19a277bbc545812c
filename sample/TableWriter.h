#pragma once
// TTableWriter: the prepared insert of one table, run once per row.
//
// The statement is "INSERT INTO <table> (<columns>) VALUES (:<column>, ...)" on the
// connection's default transaction; it is prepared at the first row and re-executed with
// fresh values for each one. Commit commits the default transaction (which also drops the
// preparation), so a writer is used for one table and then committed once.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "IBDatabase.h"
#include "IBQuery.h"
#include "Text.h"
#include "Value.h"

class TTableWriter {
  public:
    TTableWriter(TIBDatabase& db, TextView table, std::initializer_list<TextView> columns);

    // One row, the values in the order of the columns; fails with std::logic_error when the
    // number of values differs, and with an EError naming the table and the row, followed by
    // the database's message, when the insert fails.
    void Write(std::initializer_list<TValue> values);
    void Commit();
    int64_t Rows() const { return rows_; }

  private:
    TIBDatabase& db_;
    Text table_;
    TIBQuery query_;
    std::vector<TParam*> params_;
    int64_t rows_ = 0;
};

// Shorthands for the values of generated rows.
inline TValue Str(Text s) {
    return TValue::FromText(std::move(s));
}
inline TValue Int(int64_t v) {
    return TValue::Integer(v);
}
// A decimal of `scale` digits after the point, e.g. Dec(1990, 2) is 19.90.
inline TValue Dec(int64_t unscaled, int scale) {
    return TValue::Scaled(unscaled, -scale);
}
inline TValue Null() {
    return TValue();
}
