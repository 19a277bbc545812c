#include "TempDatabase.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include "DatabaseFile.h"
#include "Error.h"
#include "IBQuery.h"
#include "RetailSchema.h"
#include "Value.h"

namespace {

Text PathText(const std::filesystem::path& p) {
    const std::u8string s = p.u8string();
    return FromUtf8(std::string_view(reinterpret_cast<const char*>(s.data()), s.size()));
}

TIBTransaction& DefaultTransactionOf(TIBDatabase& db) {
    TIBTransaction* tr = db.DefaultTransaction();
    if (tr == nullptr)
        throw EError(u"The test connection has no default transaction");
    return *tr;
}

// Runs `read` in the default transaction; a transaction that this call had to start is
// ended again, so that a helper never leaves a snapshot open behind the test's back.
template <typename F>
auto ReadInDefaultTransaction(TIBDatabase& db, F read) {
    TIBTransaction& tr = DefaultTransactionOf(db);
    const bool wasInProgress = tr.InTransaction();
    try {
        auto result = read();
        if (!wasInProgress && tr.InTransaction())
            tr.Commit();
        return result;
    } catch (...) {
        if (!wasInProgress && tr.InTransaction()) {
            try {
                tr.Rollback();
            } catch (...) {
            }
        }
        throw;
    }
}

// The first column of the first row of `sql`, as an integer.
int64_t FirstInteger(TIBDatabase& db, TextView sql) {
    return ReadInDefaultTransaction(db, [&] {
        TIBQuery q;
        q.SetDatabase(&db);
        q.SQL().SetText(sql);
        q.Open();
        return q.Fields(0).AsInteger();
    });
}

Text HexBytes(const std::string& bytes) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    Text out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        out += kDigits[c >> 4];
        out += kDigits[c & 0xF];
    }
    return out;
}

// One value's exact form: a kind letter and the stored representation. Texts carry their
// length, so no content can be mistaken for a separator.
Text Fingerprint(const TValue& v) {
    switch (v.Kind()) {
        case TValueKind::Null:
            return u"N";
        case TValueKind::Integer:
            return u"I" + IntToText(v.IntegerValue());
        case TValueKind::Scaled:
            return u"S" + IntToText(v.IntegerValue()) + u"e" + IntToText(v.ScaleValue());
        case TValueKind::Float: {
            const uint64_t bits = std::bit_cast<uint64_t>(v.FloatValue());
            std::string raw(8, '\0');
            for (int i = 0; i < 8; ++i)
                raw[i] = static_cast<char>((bits >> (56 - 8 * i)) & 0xFF);
            return u"F" + HexBytes(raw);
        }
        case TValueKind::Date:
            return u"D" + IntToText(v.DateDays());
        case TValueKind::Time:
            return u"H" + IntToText(v.TimeUnits());
        case TValueKind::Timestamp:
            return u"T" + IntToText(v.DateDays()) + u"," + IntToText(v.TimeUnits());
        case TValueKind::Boolean:
            return v.BooleanValue() ? u"B1" : u"B0";
        case TValueKind::Text:
            return u"X" + IntToText(static_cast<int64_t>(v.TextValue().size())) + u":" +
                   v.TextValue();
        case TValueKind::Bytes:
            return u"Y" + HexBytes(v.BytesValue());
    }
    return u"?";
}

}  // namespace

long ProcessId() {
#ifdef _WIN32
    return static_cast<long>(_getpid());
#else
    return static_cast<long>(getpid());
#endif
}

TConnection::TConnection(TextView path) {
    db.SetDatabaseName(Text(path));
    db.Params().SetValue(u"user_name", kTestUser);
    db.Params().SetValue(u"password", kTestPassword);
    db.SetDefaultTransaction(&tr);
}

TConnection::~TConnection() {
    try {
        db.Close();
    } catch (...) {
    }
}

TTempDatabase::TTempDatabase(int dialect, bool withSchema) : dialect_(dialect) {
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    // A folder left behind by a crashed run with the same process id is skipped, not reused.
    do {
        folder_ = base / ("unificador-test-" + std::to_string(ProcessId()) + "-" +
                          std::to_string(++counter));
    } while (!std::filesystem::create_directory(folder_));
    file_ = folder_ / "BANCO.FB";

    try {
        TNewDatabase definition;
        definition.path = Path();
        definition.dialect = dialect;
        definition.forcedWrites = false;
        definition.user = kTestUser;
        definition.password = kTestPassword;
        CreateDatabaseFile(definition);
        if (withSchema) {
            TConnection c(Path());
            ExecStatements(c.db, RetailSchemaStatements(dialect));
            c.db.Close();
        }
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
        throw;
    }
}

TTempDatabase::~TTempDatabase() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

Text TTempDatabase::Path() const {
    return PathText(file_);
}

void ExecStatements(TIBDatabase& db, const std::vector<Text>& statements) {
    TIBTransaction& tr = DefaultTransactionOf(db);
    TIBQuery q;
    q.SetDatabase(&db);
    for (const Text& statement : statements) {
        q.SQL().SetText(statement);
        q.ExecSQL();
        tr.Commit();
    }
}

int64_t CountRows(TIBDatabase& db, TextView table) {
    return FirstInteger(db, u"SELECT COUNT(*) FROM " + Text(table));
}

int64_t AttachmentId(TIBDatabase& db) {
    return FirstInteger(db, u"SELECT CURRENT_CONNECTION FROM RDB$DATABASE");
}

void KillAttachment(TextView path, int64_t id) {
    TConnection killer(path);
    ExecStatements(killer.db,
                   {u"DELETE FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID = " + IntToText(id)});
}

std::vector<Text> QueryRows(TIBDatabase& db, TextView sql) {
    return ReadInDefaultTransaction(db, [&] {
        TIBQuery q;
        q.SetDatabase(&db);
        q.SQL().SetText(sql);
        q.Open();
        std::vector<Text> rows;
        for (; !q.Eof(); q.Next()) {
            Text row;
            for (size_t i = 0; i < q.FieldCount(); ++i) {
                if (i > 0)
                    row += u" ";
                row += q.Fields(i).IsNull() ? Text(u"<null>") : q.Fields(i).AsString();
            }
            rows.push_back(std::move(row));
        }
        return rows;
    });
}

Text TableChecksum(TIBDatabase& db, TextView table) {
    return ReadInDefaultTransaction(db, [&] {
        TIBQuery q;
        q.SetDatabase(&db);
        q.SQL().SetText(u"SELECT * FROM " + Text(table));
        q.Open();
        Text header = Text(table) + u"(";
        for (size_t i = 0; i < q.FieldCount(); ++i) {
            if (i > 0)
                header += u",";
            header += q.Fields(i).FieldName();
        }
        header += u")";

        std::vector<Text> rows;
        for (; !q.Eof(); q.Next()) {
            Text row;
            for (size_t i = 0; i < q.FieldCount(); ++i) {
                if (i > 0)
                    row += u"|";
                row += Fingerprint(q.Fields(i).AsVariant());
            }
            rows.push_back(std::move(row));
        }
        std::sort(rows.begin(), rows.end());

        Text out = header + u"\n";
        for (const Text& row : rows)
            out += row + u"\n";
        return out;
    });
}

std::vector<Text> RetailChecksums(TIBDatabase& db) {
    std::vector<Text> checksums;
    for (const Text& table : RetailTableNames()) {
        const bool exists =
            !QueryRows(db,
                       u"SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = '" + table + u"'")
                 .empty();
        checksums.push_back(exists ? TableChecksum(db, table) : table + u" <ausente>");
    }
    return checksums;
}

std::vector<Text> TriggerLog(TIBDatabase& db) {
    return ReadInDefaultTransaction(db, [&] {
        TIBQuery q;
        q.SetDatabase(&db);
        // The log is only ever appended to, so storage order is the order of writing.
        q.SQL().SetText(u"SELECT TRIGGER_NAME, CHAVE FROM TRIGGER_LOG ORDER BY RDB$DB_KEY");
        q.Open();
        std::vector<Text> out;
        for (; !q.Eof(); q.Next()) {
            out.push_back(q.Fields(0).AsString() + u":" + q.Fields(1).AsString());
        }
        return out;
    });
}

bool TriggerActive(TIBDatabase& db, TextView name) {
    return ReadInDefaultTransaction(db, [&] {
        TIBQuery q;
        q.SetDatabase(&db);
        q.SQL().SetText(
            u"SELECT RDB$TRIGGER_INACTIVE FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME = :NOME");
        q.ParamByName(u"NOME").SetAsString(AsciiUpper(name));
        q.Open();
        if (q.Eof())
            throw EError(u"Trigger " + Text(name) + u" not found");
        return q.Fields(0).AsInteger() == 0;
    });
}

std::vector<Text> InactiveTriggers(TIBDatabase& db) {
    return ReadInDefaultTransaction(db, [&] {
        TIBQuery q;
        q.SetDatabase(&db);
        q.SQL().SetText(
            u"SELECT RDB$TRIGGER_NAME FROM RDB$TRIGGERS WHERE RDB$TRIGGER_INACTIVE = 1 "
            u"AND COALESCE(RDB$SYSTEM_FLAG, 0) = 0 ORDER BY RDB$TRIGGER_NAME");
        q.Open();
        std::vector<Text> out;
        for (; !q.Eof(); q.Next())
            out.push_back(Trim(q.Fields(0).AsString()));
        return out;
    });
}
