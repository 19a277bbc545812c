// Connections and transactions against real database files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "DatabaseError.h"
#include "IBQuery.h"
#include "Login.h"
#include "TempDatabase.h"

namespace {

Text MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EError& e) {
        return e.Message();
    }
    return u"(no error)";
}

void Exec(TIBDatabase& db, TextView sql) {
    TIBQuery q;
    q.SetDatabase(&db);
    q.SQL().SetText(sql);
    q.ExecSQL();
}

int64_t ScalarOf(TIBDatabase& db, TextView sql) {
    TIBQuery q;
    q.SetDatabase(&db);
    q.SQL().SetText(sql);
    q.Open();
    return q.Fields(0).AsInteger();
}

class ConnectionTest : public ::testing::TestWithParam<int> {
  protected:
    ConnectionTest() : file(GetParam(), false) {
        TConnection setup(file.Path());
        ExecStatements(setup.db, {u"CREATE TABLE T (N INTEGER)"});
    }
    TTempDatabase file;
};

}  // namespace

TEST(Connection, EmptyNameIsMissing) {
    TIBDatabase db;
    EXPECT_EQ(MessageOf([&] { db.SetConnected(true); }), u"Database name is missing");
    EXPECT_FALSE(db.Connected());

    // A query's first use connects, and fails the same way without a name.
    TIBTransaction tr;
    db.SetDefaultTransaction(&tr);
    TIBQuery q;
    q.SetDatabase(&db);
    q.SQL().Add(u"SELECT 1 FROM RDB$DATABASE");
    EXPECT_EQ(MessageOf([&] { q.Open(); }), u"Database name is missing");
    EXPECT_EQ(MessageOf([&] { q.ExecSQL(); }), u"Database name is missing");
}

TEST(Connection, FilesThatAreNoDatabaseGiveTheEnginesReason) {
    auto folder = std::filesystem::temp_directory_path() / "unificador-connection-test";
    std::filesystem::create_directories(folder);
    { std::ofstream(folder / "lixo.FB") << "this is not a database"; }
    for (auto path : {folder / "falta.FB", folder / "lixo.FB", folder}) {
        TConnection c(FromUtf8(path.string()));
        Text message = MessageOf([&] { c.db.SetConnected(true); });
        EXPECT_FALSE(c.db.Connected());
        EXPECT_NE(message, u"(no error)");
        EXPECT_FALSE(message.empty());
        EXPECT_NE(message.back(), u'.') << ToUtf8(message);
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "falta.FB"));
    std::filesystem::remove_all(folder);
}

TEST_P(ConnectionTest, DialectIsLoweredToTheDatabasesOwn) {
    TConnection c(file.Path());
    EXPECT_EQ(c.db.SQLDialect(), 3);
    c.db.SetConnected(true);
    EXPECT_EQ(c.db.DatabaseSQLDialect(), GetParam());
    EXPECT_EQ(c.db.SQLDialect(), GetParam());
    // Double quotes are a text literal in dialect 1 and a name in dialect 3.
    TIBQuery q;
    q.SetDatabase(&c.db);
    q.SQL().Add(u"SELECT COUNT(*) FROM RDB$DATABASE WHERE \"A\" = 'A'");
    if (GetParam() == 1) {
        q.Open();
        EXPECT_EQ(q.Fields(0).AsInteger(), 1);
    } else {
        EXPECT_THROW(q.Open(), EIBError);
    }
}

TEST_P(ConnectionTest, TransactionStateErrors) {
    TConnection c(file.Path());
    EXPECT_EQ(MessageOf([&] { c.tr.StartTransaction(); }),
              u"Cannot perform operation -- DB is not open");
    EXPECT_EQ(MessageOf([&] { c.tr.Commit(); }), u"Transaction is not active");
    EXPECT_EQ(MessageOf([&] { c.tr.Rollback(); }), u"Transaction is not active");
    c.tr.SetActive(false);     // nothing to do, no error
    c.db.SetConnected(false);  // likewise
    c.db.SetConnected(true);
    c.tr.SetActive(true);
    EXPECT_TRUE(c.tr.InTransaction());
    EXPECT_EQ(MessageOf([&] { c.tr.StartTransaction(); }), u"Transaction is active");
    c.tr.SetActive(true);  // already active: nothing
    c.tr.SetActive(false);
    EXPECT_FALSE(c.tr.InTransaction());
}

TEST_P(ConnectionTest, StatementsStartTheTransactionAndLeaveItUncommitted) {
    TConnection writer(file.Path());
    TConnection reader(file.Path());
    Exec(writer.db, u"INSERT INTO T VALUES (1)");
    EXPECT_TRUE(writer.db.Connected());
    EXPECT_TRUE(writer.tr.InTransaction());
    EXPECT_EQ(ScalarOf(reader.db, u"SELECT COUNT(*) FROM T"), 0);
    reader.tr.Commit();
    writer.tr.Commit();
    EXPECT_EQ(ScalarOf(reader.db, u"SELECT COUNT(*) FROM T"), 1);
}

TEST_P(ConnectionTest, CommitStatementCommitsTheQuerysTransaction) {
    TConnection writer(file.Path());
    TConnection reader(file.Path());
    TIBQuery q;
    q.SetDatabase(&writer.db);
    q.SQL().SetText(u"INSERT INTO T VALUES (2)");
    q.ExecSQL();
    q.SQL().SetText(u"COMMIT");
    q.ExecSQL();
    EXPECT_FALSE(writer.tr.InTransaction());
    EXPECT_EQ(ScalarOf(reader.db, u"SELECT COUNT(*) FROM T"), 1);
    Exec(writer.db, u"INSERT INTO T VALUES (3)");
    EXPECT_TRUE(writer.tr.InTransaction());
}

TEST_P(ConnectionTest, DefaultActionIsCommit) {
    {
        TConnection c(file.Path());
        Exec(c.db, u"INSERT INTO T VALUES (10)");
        c.db.SetConnected(false);  // closing the connection commits
        EXPECT_FALSE(c.tr.InTransaction());
    }
    {
        TIBDatabase db;
        db.Params().Add(u"user_name=" + Text(kFixedUser));
        db.Params().Add(u"password=" + Text(kFixedPassword));
        db.SetDatabaseName(file.Path());
        auto tr = std::make_unique<TIBTransaction>();
        db.SetDefaultTransaction(tr.get());
        Exec(db, u"INSERT INTO T VALUES (11)");
        tr.reset();  // destroying the transaction object commits
    }
    {
        TConnection c(file.Path());
        Exec(c.db, u"INSERT INTO T VALUES (12)");
        c.tr.Rollback();
    }
    TConnection check(file.Path());
    EXPECT_EQ(ScalarOf(check.db, u"SELECT COUNT(*) FROM T"), 2);
}

TEST_P(ConnectionTest, TestConnectedNoticesALostAttachment) {
    TConnection victim(file.Path());
    EXPECT_FALSE(victim.db.TestConnected());  // not connected yet
    victim.db.SetConnected(true);
    victim.tr.StartTransaction();
    EXPECT_TRUE(victim.db.TestConnected());
    KillAttachment(file.Path(), AttachmentId(victim.db));

    EXPECT_FALSE(victim.db.TestConnected());
    EXPECT_FALSE(victim.db.Connected());
    EXPECT_FALSE(victim.tr.InTransaction());
    // The connection can be used again: a statement reconnects.
    EXPECT_EQ(ScalarOf(victim.db, u"SELECT COUNT(*) FROM T"), 0);
}

// On a killed attachment the server refuses to end the transaction. A refused commit keeps it
// in progress (a rollback may still end it); a refused rollback raises and ends it all the
// same, so that nothing stays in progress that the server no longer knows.
TEST_P(ConnectionTest, ARefusedRollbackStillEndsTheTransaction) {
    TConnection victim(file.Path());
    Exec(victim.db, u"INSERT INTO T VALUES (20)");
    KillAttachment(file.Path(), AttachmentId(victim.db));

    EXPECT_THROW(victim.tr.Commit(), EIBError);
    EXPECT_TRUE(victim.tr.InTransaction());
    EXPECT_THROW(victim.tr.Rollback(), EIBError);
    EXPECT_FALSE(victim.tr.InTransaction());
    EXPECT_EQ(MessageOf([&] { victim.tr.Rollback(); }), u"Transaction is not active");
    TConnection check(file.Path());
    EXPECT_EQ(CountRows(check.db, u"T"), 0);
}

INSTANTIATE_TEST_SUITE_P(Dialects, ConnectionTest, ::testing::Values(1, 3),
                         [](const auto& info) { return "Dialect" + std::to_string(info.param); });
