#include "TableWriter.h"

#include <stdexcept>

#include "Error.h"
#include "IBTransaction.h"

TTableWriter::TTableWriter(TIBDatabase& db, TextView table, std::initializer_list<TextView> columns)
    : db_(db), table_(table) {
    Text names;
    Text markers;
    for (TextView column : columns) {
        if (!names.empty()) {
            names += u", ";
            markers += u", ";
        }
        names += column;
        markers += u":" + Text(column);
    }
    query_.SetDatabase(&db);
    query_.SQL().SetText(u"INSERT INTO " + Text(table) + u" (" + names + u") VALUES (" + markers +
                         u")");
    // Parameter references stay valid until the statement text changes, which it never does.
    for (size_t i = 0; i < query_.ParamCount(); ++i)
        params_.push_back(&query_.Params(i));
}

void TTableWriter::Write(std::initializer_list<TValue> values) {
    if (values.size() != params_.size())
        throw std::logic_error("TTableWriter: " + std::to_string(values.size()) + " values for " +
                               std::to_string(params_.size()) + " columns");
    size_t i = 0;
    for (const TValue& v : values)
        params_[i++]->SetValue(v);
    try {
        query_.ExecSQL();
    } catch (const EError& e) {
        throw EError(table_ + u", linha " + IntToText(rows_ + 1) + u": " + e.Message());
    }
    ++rows_;
}

void TTableWriter::Commit() {
    TIBTransaction* tr = db_.DefaultTransaction();
    if (tr != nullptr && tr->InTransaction())
        tr->Commit();
}
