// Lossless values: every value read from a column and bound to a column of the same type in
// another database arrives bit for bit, in both dialects.
#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <random>

#include "CodePage.h"
#include "DateTime.h"
#include "IBQuery.h"
#include "TempDatabase.h"

namespace {

struct TColumnCase {
    Text name;
    Text type;
    std::vector<TValue> values;  // one per row; the last row is all NULL
};

int32_t IscDate(int y, int m, int d) {
    return int32_t(DaysFromCivil(y, m, d) - kIscEpochDays);
}

std::string AllBytes(bool reversed) {
    std::string s;
    for (int b = 0; b < 256; ++b)
        s.push_back(char(reversed ? 255 - b : b));
    return s;
}

std::string PseudoRandomBytes(size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (auto& c : s)
        c = char(rng() & 0xFF);
    return s;
}

TValue Text1252(const std::string& bytes) {
    return TValue::FromText(DecodeCp1252(bytes));
}

std::vector<TColumnCase> Columns(int dialect) {
    const TValue null;
    const std::string textBlob = [] {
        std::string s;
        while (s.size() < 2'500'000)
            s += "Ação, coração e pão de queijo \x80\x81\x9D\xFF\r\n";
        return s;
    }();
    std::vector<TColumnCase> cols = {
        {u"C_SMALL",
         u"SMALLINT",
         {TValue::Integer(-32768), TValue::Integer(32767), TValue::Integer(0), null}},
        {u"C_INT",
         u"INTEGER",
         {TValue::Integer(INT32_MIN), TValue::Integer(INT32_MAX), TValue::Integer(-1), null}},
        {u"C_N42",
         u"NUMERIC(4,2)",
         {TValue::Scaled(-32768, -2), TValue::Scaled(32767, -2), TValue::Scaled(5, -2), null}},
        {u"C_N93",
         u"NUMERIC(9,3)",
         {TValue::Scaled(INT32_MIN, -3), TValue::Scaled(INT32_MAX, -3), TValue::Scaled(-1, -3),
          null}},
        {u"C_FLOAT",
         u"FLOAT",
         {TValue::Float(double(1.1f)), TValue::Float(-0.0), TValue::Float(double(FLT_MAX)), null}},
        {u"C_DOUBLE",
         u"DOUBLE PRECISION",
         {TValue::Float(0.1), TValue::Float(-DBL_MAX), TValue::Float(DBL_TRUE_MIN), null}},
        {u"C_BOOL", u"BOOLEAN", {TValue::Boolean(true), TValue::Boolean(false), null, null}},
        {u"C_CHAR",
         u"CHAR(256) CHARACTER SET NONE",
         {Text1252(AllBytes(false)), Text1252(AllBytes(true)),
          TValue::FromText(T("ação") + Text(252, u' ')), null}},
        {u"C_VARCHAR",
         u"VARCHAR(256) CHARACTER SET NONE",
         {Text1252(AllBytes(true)), TValue::FromText(u""), TValue::FromText(u" x "), null}},
        {u"C_TEXTBLOB",
         u"BLOB SUB_TYPE 1",
         {Text1252(textBlob), TValue::FromText(u""), Text1252(AllBytes(false)), null}},
        {u"C_BINBLOB",
         u"BLOB SUB_TYPE 0",
         {TValue::Bytes(PseudoRandomBytes(3'500'000, 7)), TValue::Bytes(AllBytes(false)),
          TValue::Bytes(""), null}},
    };
    if (dialect == 3) {
        cols.push_back(
            {u"C_BIG",
             u"BIGINT",
             {TValue::Integer(INT64_MIN), TValue::Integer(INT64_MAX), TValue::Integer(1), null}});
        cols.push_back({u"C_N184",
                        u"NUMERIC(18,4)",
                        {TValue::Scaled(INT64_MIN, -4), TValue::Scaled(INT64_MAX, -4),
                         TValue::Scaled(123456789012345678, -4), null}});
        cols.push_back({u"C_D152",
                        u"DECIMAL(15,2)",
                        {TValue::Scaled(-999999999999999, -2), TValue::Scaled(1, -2),
                         TValue::Scaled(0, -2), null}});
        cols.push_back({u"C_DATE",
                        u"DATE",
                        {TValue::Date(IscDate(1, 1, 1)), TValue::Date(IscDate(9999, 12, 31)),
                         TValue::Date(IscDate(2026, 12, 9)), null}});
        cols.push_back(
            {u"C_TIME",
             u"TIME",
             {TValue::Time(0), TValue::Time(kTimeUnitsPerDay - 1), TValue::Time(1234), null}});
        cols.push_back({u"C_TS",
                        u"TIMESTAMP",
                        {TValue::Timestamp(IscDate(1, 1, 1), 1),
                         TValue::Timestamp(IscDate(9999, 12, 31), kTimeUnitsPerDay - 1),
                         TValue::Timestamp(IscDate(2026, 12, 9), 456789012), null}});
    } else {
        // Dialect 1 keeps these numerics as double precision with a scale, and DATE is a
        // timestamp.
        cols.push_back(
            {u"C_N152",
             u"NUMERIC(15,2)",
             {TValue::Float(12345.67), TValue::Float(-0.01), TValue::Float(1e13 + 0.25), null}});
        cols.push_back({u"C_D154",
                        u"DECIMAL(15,4)",
                        {TValue::Float(0.0001), TValue::Float(-99999999999.9999),
                         TValue::Float(1.0 / 3.0), null}});
        cols.push_back({u"C_DATE",
                        u"DATE",
                        {TValue::Timestamp(IscDate(1, 1, 1), 0),
                         TValue::Timestamp(IscDate(9999, 12, 31), kTimeUnitsPerDay - 1),
                         TValue::Timestamp(IscDate(2026, 12, 9), 456789012), null}});
    }
    return cols;
}

Text CreateTable(const std::vector<TColumnCase>& cols) {
    Text sql = u"CREATE TABLE RT (ROWNO INTEGER";
    for (const auto& c : cols)
        sql += u", " + c.name + u" " + c.type;
    return sql + u")";
}

Text Insert(const std::vector<TColumnCase>& cols) {
    Text names = u"ROWNO", params = u":PROWNO";
    for (const auto& c : cols)
        names += u", " + c.name, params += u", :P" + c.name;
    return u"INSERT INTO RT (" + names + u") VALUES (" + params + u")";
}

class RoundTrip : public ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(RoundTrip, ValuesArriveBitForBit) {
    const int dialect = GetParam();
    const auto cols = Columns(dialect);
    const size_t rows = cols.front().values.size();
    TTempDatabase originFile(dialect, false), destinationFile(dialect, false);
    TConnection origin(originFile.Path()), destination(destinationFile.Path());
    ExecStatements(origin.db, {CreateTable(cols)});
    ExecStatements(destination.db, {CreateTable(cols)});

    // Write the values into the origin.
    TIBQuery write;
    write.SetDatabase(&origin.db);
    write.SQL().SetText(Insert(cols));
    for (size_t r = 0; r < rows; ++r) {
        write.ParamByName(u"PROWNO").SetValue(TValue::Integer(int64_t(r)));
        for (const auto& c : cols)
            write.ParamByName(u"P" + c.name).SetValue(c.values[r]);
        write.ExecSQL();
    }
    origin.tr.Commit();

    // Copy every row as its fields' values, as the row copy does.
    TIBQuery read, copy;
    read.SetDatabase(&origin.db);
    read.SQL().SetText(u"SELECT * FROM RT ORDER BY ROWNO");
    read.Open();
    copy.SetDatabase(&destination.db);
    copy.SQL().SetText(Insert(cols));
    for (; !read.Eof(); read.Next()) {
        for (size_t f = 0; f < read.FieldCount(); ++f)
            copy.ParamByName(u"P" + read.Fields(f).FieldName())
                .SetValue(read.Fields(f).AsVariant());
        copy.ExecSQL();
    }
    destination.tr.Commit();

    // Both databases hold exactly the original values.
    TIBQuery back;
    back.SetDatabase(&destination.db);
    back.SQL().SetText(u"SELECT * FROM RT ORDER BY ROWNO");
    back.Open();
    read.First();
    for (size_t r = 0; r < rows; ++r, read.Next(), back.Next()) {
        ASSERT_FALSE(back.Eof());
        for (const auto& c : cols) {
            TValue expected = c.values[r];
            EXPECT_EQ(read.FieldByName(c.name).AsVariant(), expected)
                << ToUtf8(c.name) << " row " << r << ": "
                << DebugString(read.FieldByName(c.name).AsVariant()) << " vs "
                << DebugString(expected);
            EXPECT_EQ(back.FieldByName(c.name).AsVariant(), expected)
                << ToUtf8(c.name) << " row " << r;
        }
    }
    EXPECT_TRUE(back.Eof() || back.RecordCount() == rows);

    // The server itself sees every byte value in the text columns (not just this layer's
    // decoding and encoding agreeing with each other).
    TIBQuery bytes;
    bytes.SetDatabase(&destination.db);
    for (int n = 1; n <= 256; ++n) {
        bytes.SQL().SetText(u"SELECT ASCII_VAL(SUBSTRING(C_CHAR FROM " + IntToText(n) +
                            u" FOR 1)), ASCII_VAL(SUBSTRING(C_VARCHAR FROM " + IntToText(n) +
                            u" FOR 1)), OCTET_LENGTH(C_VARCHAR), OCTET_LENGTH(C_BINBLOB) "
                            u"FROM RT WHERE ROWNO = 0");
        bytes.Open();
        ASSERT_EQ(bytes.Fields(0).AsInteger(), n - 1);
        ASSERT_EQ(bytes.Fields(1).AsInteger(), 256 - n);
    }
    EXPECT_EQ(bytes.Fields(2).AsInteger(), 256);
    EXPECT_EQ(bytes.Fields(3).AsInteger(), 3'500'000);
}

INSTANTIATE_TEST_SUITE_P(Dialects, RoundTrip, ::testing::Values(1, 3),
                         [](const auto& info) { return "Dialect" + std::to_string(info.param); });
