// Preparing a statement: its descriptor areas, the described columns and parameters, and the
// output buffers that fetching fills.
#include "Preparation.h"

#include "CodePage.h"
#include "DatabaseError.h"

namespace {

std::unique_ptr<std::byte[]> NewArea(int count) {
    if (count < 1)
        count = 1;
    auto area = std::make_unique<std::byte[]>(XSQLDA_LENGTH(count));
    auto* da = reinterpret_cast<XSQLDA*>(area.get());
    da->version = SQLDA_VERSION1;
    da->sqln = short(count);
    da->sqld = 0;
    return area;
}

std::vector<TColumn> Describe(XSQLDA* da) {
    std::vector<TColumn> cols(size_t(da->sqld));
    for (int i = 0; i < da->sqld; ++i) {
        const XSQLVAR& v = da->sqlvar[i];
        TColumn& c = cols[size_t(i)];
        c.name = DecodeCp1252(std::string_view(v.aliasname, size_t(v.aliasname_length)));
        c.type = short(v.sqltype & ~1);
        c.scale = v.sqlscale;
        c.subtype = v.sqlsubtype;
        c.length = v.sqllen;
    }
    return cols;
}

int StatementType(TStatementHandle& statement) {
    TStatus st;
    const char items[] = {isc_info_sql_stmt_type};
    char info[16] = {};
    isc_dsql_sql_info(st.get(), statement.get(), sizeof items, items, sizeof info, info);
    Check(st);
    if (info[0] != isc_info_sql_stmt_type)
        return 0;
    return int(isc_vax_integer(info + 3, short(isc_vax_integer(info + 1, 2))));
}

// Points every output column at a buffer of its own type, with an indicator.
void AllocateOutput(TPreparation& p) {
    XSQLDA* out = p.Out();
    p.outBuffers.assign(size_t(out->sqld), std::string());
    p.outIndicators.assign(size_t(out->sqld), 0);
    for (int i = 0; i < out->sqld; ++i) {
        XSQLVAR& v = out->sqlvar[i];
        if ((v.sqltype & ~1) == SQL_ARRAY)
            throw EDatabaseError(u"Array columns are not supported: " +
                                 p.outColumns[size_t(i)].name);
        size_t size = size_t(v.sqllen) + ((v.sqltype & ~1) == SQL_VARYING ? 2 : 0);
        p.outBuffers[size_t(i)].assign(std::max<size_t>(size, 8), '\0');
        v.sqldata = p.outBuffers[size_t(i)].data();
        v.sqlind = &p.outIndicators[size_t(i)];
        v.sqltype = short(v.sqltype | 1);
    }
}

}  // namespace

bool TPreparation::IsSelect() const {
    return statementType == isc_info_sql_stmt_select ||
           statementType == isc_info_sql_stmt_select_for_upd;
}

bool TPreparation::EndsTransaction() const {
    return statementType == isc_info_sql_stmt_commit || statementType == isc_info_sql_stmt_rollback;
}

TPreparation PrepareStatement(TAttachmentHandle& attachment, TTransactionHandle& handle,
                              const TIBTransaction* transaction, int dialect, const Text& text,
                              size_t hash, size_t parameters) {
    const std::string bytes = EncodeCp1252(text);
    if (bytes.size() > 0xFFFF)
        throw EDatabaseError(u"SQL statement is too long");
    TPreparation p;
    p.statement = TStatementHandle::Allocate(attachment);
    TStatus st;
    const auto sqlDialect = static_cast<unsigned short>(dialect);
    p.outArea = NewArea(16);
    isc_dsql_prepare(st.get(), handle.get(), p.statement.get(),
                     static_cast<unsigned short>(bytes.size()), bytes.data(), sqlDialect, p.Out());
    Check(st);
    if (p.Out()->sqld > p.Out()->sqln) {
        p.outArea = NewArea(p.Out()->sqld);
        isc_dsql_describe(st.get(), p.statement.get(), SQLDA_VERSION1, p.Out());
        Check(st);
    }
    p.statementType = StatementType(p.statement);

    p.inArea = NewArea(int(parameters));
    isc_dsql_describe_bind(st.get(), p.statement.get(), SQLDA_VERSION1, p.In());
    Check(st);
    if (p.In()->sqld > p.In()->sqln) {
        p.inArea = NewArea(p.In()->sqld);
        isc_dsql_describe_bind(st.get(), p.statement.get(), SQLDA_VERSION1, p.In());
        Check(st);
    }
    p.outColumns = Describe(p.Out());
    p.inColumns = Describe(p.In());
    p.inBuffers.assign(p.inColumns.size(), std::string());
    p.inIndicators.assign(p.inColumns.size(), 0);
    AllocateOutput(p);

    p.text = text;
    p.hash = hash;
    p.transaction = transaction;
    return p;
}
