#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>

#include "DataGenerator.h"
#include "DatabaseFile.h"
#include "Error.h"
#include "IBQuery.h"
#include "RowCounts.h"
#include "TempDatabase.h"

namespace {

class TTempFolder {
  public:
    TTempFolder() {
        static std::atomic<unsigned> counter{0};
        // CTest runs each test in a process of its own, in parallel: a random part keeps
        // their folders apart.
        const std::string unique = std::to_string(std::random_device{}());
        do {
            path_ = std::filesystem::temp_directory_path() /
                    ("unificador-sample-test-" + unique + "-" + std::to_string(++counter));
        } while (!std::filesystem::create_directories(path_));
    }
    ~TTempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& Path() const { return path_; }
    Text File(const char* name) const { return FromUtf8((path_ / name).string()); }

  private:
    std::filesystem::path path_;
};

std::vector<Text> Column(TIBDatabase& db, TextView sql) {
    TIBQuery q;
    q.SetDatabase(&db);
    q.SQL().SetText(sql);
    q.Open();
    std::vector<Text> out;
    for (; !q.Eof(); q.Next())
        out.push_back(q.Fields(0).AsString());
    q.Close();
    db.DefaultTransaction()->Commit();
    return out;
}

int64_t Integer(TIBDatabase& db, TextView sql) {
    TIBQuery q;
    q.SetDatabase(&db);
    q.SQL().SetText(sql);
    q.Open();
    const int64_t v = q.Fields(0).AsInteger();
    q.Close();
    db.DefaultTransaction()->Commit();
    return v;
}

int64_t RowsOf(const std::vector<TTableCount>& counts, TextView table) {
    for (const TTableCount& c : counts)
        if (c.table == table)
            return c.rows;
    ADD_FAILURE() << "no table " << ToUtf8(table);
    return -1;
}

TGeneratorOptions Options(const TTempFolder& folder, int64_t n, uint64_t seed, int dialect = 1) {
    TGeneratorOptions o;
    o.folder = folder.Path();
    o.clients = n;
    o.seed = seed;
    o.dialect = dialect;
    return o;
}

// Two generations of N = 200 with seed 7, shared by the tests that only read them.
class DataGeneratorTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        first_ = new TTempFolder;
        second_ = new TTempFolder;
        GenerateBranchAndHeadOffice(Options(*first_, 200, 7));
        GenerateBranchAndHeadOffice(Options(*second_, 200, 7));
    }
    static void TearDownTestSuite() {
        delete first_;
        delete second_;
    }
    static TTempFolder* first_;
    static TTempFolder* second_;
};
TTempFolder* DataGeneratorTest::first_ = nullptr;
TTempFolder* DataGeneratorTest::second_ = nullptr;

TEST_F(DataGeneratorTest, MakesTheDocumentedRowCountsWithTriggersOnAndTheirLogEmpty) {
    const auto branch = CountTableRows(first_->File(kBranchFileName));
    const auto head = CountTableRows(first_->File(kHeadOfficeFileName));
    struct Case {
        const char16_t* table;
        int64_t branch;
        int64_t head;
    };
    // N = 200: 6 clients without complement, 2 orphan complements; 6 products without
    // complement, 10 without detail; 5 suppliers; 19 categories of 3 (+2) and 4 NCM codes.
    const Case cases[] = {
        {u"CLIENTE", 200, 200}, {u"COMPCLIE", 196, 196}, {u"FORNECE", 5, 5},
        {u"PRODUTO", 200, 200}, {u"COMPPROD", 194, 194}, {u"PRODUTODETALHE", 190, 190},
        {u"CLASFISC", 59, 76},  {u"CIDADES", 40, 40},    {u"TRIGGER_LOG", 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RowsOf(branch, c.table), c.branch) << ToUtf8(c.table);
        EXPECT_EQ(RowsOf(head, c.table), c.head) << ToUtf8(c.table);
    }
    EXPECT_EQ(RowsOf(branch, u"MVGERAL"), 0);
    // Up to three movements per complement, the first of them the opening one.
    EXPECT_GE(RowsOf(head, u"MVGERAL"), 194);
    EXPECT_LE(RowsOf(head, u"MVGERAL"), 3 * 194);

    TConnection h(first_->File(kHeadOfficeFileName));
    EXPECT_EQ(Integer(h.db, u"SELECT COUNT(*) FROM MVGERAL WHERE TIPOMOV = '04'"), 194);
    EXPECT_EQ(h.db.DatabaseSQLDialect(), 1);
    EXPECT_TRUE(InactiveTriggers(h.db).empty());
}

TEST_F(DataGeneratorTest, SameSeedGivesTheSameRows) {
    TConnection a(first_->File(kBranchFileName));
    TConnection b(second_->File(kBranchFileName));
    for (const char16_t* table : {u"CLIENTE", u"COMPCLIE", u"FORNECE", u"PRODUTO", u"COMPPROD",
                                  u"PRODUTODETALHE", u"CLASFISC"}) {
        EXPECT_EQ(TableChecksum(a.db, table), TableChecksum(b.db, table)) << ToUtf8(table);
    }
    TConnection ha(first_->File(kHeadOfficeFileName));
    TConnection hb(second_->File(kHeadOfficeFileName));
    EXPECT_EQ(TableChecksum(ha.db, u"MVGERAL"), TableChecksum(hb.db, u"MVGERAL"));
    EXPECT_EQ(TableChecksum(ha.db, u"FORNECE"), TableChecksum(hb.db, u"FORNECE"));
}

TEST_F(DataGeneratorTest, RecodedKeysAreDistinctAndFreeInTheHeadOffice) {
    TConnection b(first_->File(kBranchFileName));
    TConnection h(first_->File(kHeadOfficeFileName));

    // The tool's recoding: suppliers "001" + characters 4-6, products "01" + characters 3-6.
    const auto headSuppliers = Column(h.db, u"SELECT CODFORNEC FROM FORNECE");
    const std::set<Text> headSupplierSet(headSuppliers.begin(), headSuppliers.end());
    std::set<Text> recodedSuppliers;
    for (const Text& code : Column(b.db, u"SELECT CODFORNEC FROM FORNECE")) {
        const Text recoded = u"001" + Copy(code, 4, 3);
        EXPECT_TRUE(recodedSuppliers.insert(recoded).second) << ToUtf8(code);
        EXPECT_EQ(headSupplierSet.count(recoded), 0u) << ToUtf8(recoded);
    }
    EXPECT_EQ(recodedSuppliers.size(), 5u);

    const auto headProducts = Column(h.db, u"SELECT CODPROD FROM PRODUTO");
    const std::set<Text> headProductSet(headProducts.begin(), headProducts.end());
    std::set<Text> recodedProducts;
    for (const Text& code : Column(b.db, u"SELECT CODPROD FROM PRODUTO")) {
        const Text recoded = u"01" + Copy(code, 3, 4);
        EXPECT_TRUE(recodedProducts.insert(recoded).second) << ToUtf8(code);
        EXPECT_EQ(headProductSet.count(recoded), 0u) << ToUtf8(recoded);
    }
    EXPECT_EQ(recodedProducts.size(), 200u);

    // The clients step writes 00005000 upwards.
    EXPECT_EQ(Integer(h.db,
                      u"SELECT COUNT(*) FROM CLIENTE WHERE CODCLIENTE BETWEEN "
                      u"'00005000' AND '00005199'"),
              0);
    // Every branch product has a main supplier (the correction stops at a NULL one).
    EXPECT_EQ(Integer(b.db, u"SELECT COUNT(*) FROM PRODUTO WHERE PRINCIPALFORNEC IS NULL"), 0);
}

TEST_F(DataGeneratorTest, RowsReferToTheirRegistriesAndCarryAccents) {
    for (const char* file : {kBranchFileName, kHeadOfficeFileName}) {
        TConnection c(first_->File(file));
        EXPECT_EQ(Integer(c.db,
                          u"SELECT COUNT(*) FROM PRODUTO P WHERE P.CODCLASFIS IS NOT NULL "
                          u"AND NOT EXISTS (SELECT 1 FROM CLASFISC F "
                          u"WHERE F.CODCLASFIS = P.CODCLASFIS)"),
                  0)
            << file;
        EXPECT_EQ(Integer(c.db,
                          u"SELECT COUNT(*) FROM CLIENTE C WHERE NOT EXISTS "
                          u"(SELECT 1 FROM CIDADES D WHERE D.CODCIDADE = C.CODCIDADE)"),
                  0)
            << file;
        size_t accented = 0;
        for (const Text& name : Column(c.db, u"SELECT NOME FROM CLIENTE"))
            for (char16_t ch : name)
                accented += ch > 0x7F ? 1 : 0;
        EXPECT_GT(accented, 0u) << file;
    }
    TConnection b(first_->File(kBranchFileName));
    // Only the 1% of products meant to name a missing supplier do so.
    EXPECT_EQ(Integer(b.db,
                      u"SELECT COUNT(*) FROM PRODUTO P WHERE P.PRINCIPALFORNEC <> '000000' "
                      u"AND NOT EXISTS (SELECT 1 FROM FORNECE F "
                      u"WHERE F.CODFORNEC = P.PRINCIPALFORNEC)"),
              0);
}

TEST_F(DataGeneratorTest, TheCorrectionsFindSomeMatchesInTheHeadOffice) {
    TConnection b(first_->File(kBranchFileName));
    TConnection h(first_->File(kHeadOfficeFileName));

    auto identities = [](TIBDatabase& db) {
        TIBQuery q;
        q.SetDatabase(&db);
        q.SQL().SetText(u"SELECT NOME, CGCCPF FROM FORNECE WHERE CGCCPF IS NOT NULL");
        q.Open();
        std::set<std::pair<Text, Text>> out;
        for (; !q.Eof(); q.Next())
            out.insert({q.Fields(0).AsString(), q.Fields(1).AsString()});
        q.Close();
        db.DefaultTransaction()->Commit();
        return out;
    };
    const auto branchSuppliers = identities(b.db);
    const auto headSuppliers = identities(h.db);
    size_t shared = 0;
    for (const auto& s : branchSuppliers)
        shared += headSuppliers.count(s);
    EXPECT_GE(shared, 1u);
    EXPECT_LT(shared, branchSuppliers.size());

    const char16_t* kNcm = u"SELECT CODIGONCM FROM CLASFISC WHERE CODIGONCM <> ''";
    const auto headNcm = Column(h.db, kNcm);
    const std::set<Text> headNcmSet(headNcm.begin(), headNcm.end());
    size_t found = 0;
    size_t missing = 0;
    for (const Text& ncm : Column(b.db, kNcm))
        (headNcmSet.count(ncm) ? found : missing) += 1;
    EXPECT_EQ(found, 38u);    // two of the three of each category
    EXPECT_EQ(missing, 19u);  // and the third
}

TEST_F(DataGeneratorTest, AnotherSeedGivesOtherRows) {
    TTempFolder other;
    GenerateBranchAndHeadOffice(Options(other, 200, 8));
    TConnection a(first_->File(kBranchFileName));
    TConnection b(other.File(kBranchFileName));
    EXPECT_NE(TableChecksum(a.db, u"CLIENTE"), TableChecksum(b.db, u"CLIENTE"));
    EXPECT_NE(TableChecksum(a.db, u"PRODUTO"), TableChecksum(b.db, u"PRODUTO"));
}

TEST(DataGenerator, GeneratesDialect3) {
    TTempFolder folder;
    GenerateBranchAndHeadOffice(Options(folder, 40, 1, 3));
    for (const char* file : {kBranchFileName, kHeadOfficeFileName}) {
        TConnection c(folder.File(file));
        c.db.Open();
        EXPECT_EQ(c.db.DatabaseSQLDialect(), 3) << file;
        EXPECT_EQ(CountRows(c.db, u"CLIENTE"), 40) << file;
        EXPECT_EQ(CountRows(c.db, u"FORNECE"), 1) << file;
        EXPECT_EQ(CountRows(c.db, u"PRODUTO"), 40) << file;
    }
}

TEST(DataGenerator, ReplacesItsOwnFilesAndNoOtherFile) {
    TTempFolder folder;
    GenerateBranchAndHeadOffice(Options(folder, 10, 1));
    GenerateBranchAndHeadOffice(Options(folder, 12, 1));
    EXPECT_EQ(RowsOf(CountTableRows(folder.File(kBranchFileName)), u"CLIENTE"), 12);

    // A MATRIZ.FB that this generator did not make: any file, or a database without the mark.
    std::filesystem::remove(folder.Path() / kBranchFileName);
    const auto head = folder.Path() / kHeadOfficeFileName;
    std::filesystem::remove(head);
    { std::ofstream(head, std::ios::binary) << "dados do cliente"; }
    EXPECT_THROW(GenerateBranchAndHeadOffice(Options(folder, 10, 1)), EError);
    std::ifstream in(head, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "dados do cliente");
    in.close();
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / kBranchFileName));

    std::filesystem::remove(head);
    TNewDatabase definition;
    definition.path = folder.File(kHeadOfficeFileName);
    definition.dialect = 1;
    definition.forcedWrites = false;
    definition.user = kTestUser;
    definition.password = kTestPassword;
    CreateDatabaseFile(definition);
    EXPECT_THROW(GenerateBranchAndHeadOffice(Options(folder, 10, 1)), EError);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / kBranchFileName));
    EXPECT_TRUE(std::filesystem::exists(head));
}

TEST(DataGenerator, RefusesOptionsOutOfRange) {
    TTempFolder folder;
    for (auto [n, dialect] : {std::pair<int64_t, int>{0, 1}, {kMaxClients + 1, 1}, {10, 2}}) {
        EXPECT_THROW(GenerateBranchAndHeadOffice(Options(folder, n, 1, dialect)), EError)
            << n << " " << dialect;
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

}  // namespace
