#include "DataGenerator.h"

#include <system_error>

#include "DatabaseFile.h"
#include "Error.h"
#include "FillStore.h"
#include "IBQuery.h"
#include "RetailSchema.h"
#include "StorePlan.h"
#include "TempDatabase.h"

namespace {

// Kept as the database's description, so that a later generation knows the file is its own.
constexpr char16_t kMark[] = u"Base de exemplo criada por gerar_bases";

Text PathText(const std::filesystem::path& p) {
    const std::u8string s = p.u8string();
    return FromUtf8(std::string_view(reinterpret_cast<const char*>(s.data()), s.size()));
}

bool CarriesMark(const std::filesystem::path& file) {
    try {
        TConnection c(PathText(file));
        TIBQuery q;
        q.SetDatabase(&c.db);
        q.SQL().SetText(u"SELECT RDB$DESCRIPTION FROM RDB$DATABASE");
        q.Open();
        const bool marked = q.Fields(0).AsString() == kMark;
        q.Close();
        c.tr.Commit();
        return marked;
    } catch (const std::exception&) {
        return false;  // not a database, or not one that can be opened: not ours
    }
}

// Checks both files before removing either, so a refusal leaves the folder as it was.
void ClearOldFiles(const std::vector<std::filesystem::path>& files) {
    for (const auto& file : files) {
        if (std::filesystem::exists(file) && !CarriesMark(file))
            throw EError(u"O arquivo " + PathText(file) +
                         u" já existe e não foi criado por gerar_bases; ele não será apagado");
    }
    for (const auto& file : files)
        std::filesystem::remove(file);
}

bool IsDeferred(const Text& statement) {
    return statement.starts_with(u"CREATE INDEX") || statement.starts_with(u"CREATE TRIGGER");
}

void Generate(const std::filesystem::path& file, const TStorePlan& plan) {
    TNewDatabase definition;
    definition.path = PathText(file);
    definition.dialect = plan.dialect;
    definition.forcedWrites = false;
    definition.user = kTestUser;
    definition.password = kTestPassword;
    CreateDatabaseFile(definition);

    // Tables first, rows next, then the indexes and triggers (in the schema's order): the
    // load neither fires triggers nor maintains secondary indexes row by row.
    std::vector<Text> tables = {Text(u"COMMENT ON DATABASE IS '") + kMark + u"'"};
    std::vector<Text> deferred;
    for (Text& statement : RetailSchemaStatements(plan.dialect))
        (IsDeferred(statement) ? deferred : tables).push_back(std::move(statement));

    TConnection c(definition.path);
    ExecStatements(c.db, tables);
    FillRegistries(c.db, plan);
    FillSuppliers(c.db, plan);
    FillClients(c.db, plan);
    FillClassifications(c.db, plan);
    FillProducts(c.db, plan);
    ExecStatements(c.db, deferred);
    c.db.Close();
}

}  // namespace

void GenerateBranchAndHeadOffice(const TGeneratorOptions& options) {
    if (options.clients < 1 || options.clients > kMaxClients)
        throw EError(u"O número de clientes deve estar entre 1 e " + IntToText(kMaxClients));
    if (options.dialect != 1 && options.dialect != 3)
        throw EError(u"O dialeto SQL deve ser 1 ou 3");
    std::filesystem::create_directories(options.folder);
    const std::filesystem::path branch = options.folder / kBranchFileName;
    const std::filesystem::path headOffice = options.folder / kHeadOfficeFileName;
    ClearOldFiles({branch, headOffice});

    const TGeneratorPlan plan = MakePlan(options.clients, options.seed, options.dialect);
    Generate(branch, plan.branch);
    Generate(headOffice, plan.headOffice);
}
