// The test server itself: databases made by the embedded engine reached through it, its own
// SYSDBA password, users of its own.
#include <gtest/gtest.h>

#include "DatabaseError.h"
#include "FirebirdServer.h"
#include "IBQuery.h"
#include "TempDatabase.h"

namespace {

// The protocol the attachment came by, as the server sees it.
Text Protocol(TIBDatabase& db) {
    return QueryRows(db,
                     u"SELECT MON$REMOTE_PROTOCOL FROM MON$ATTACHMENTS "
                     u"WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION")
        .at(0);
}

}  // namespace

TEST(FirebirdServer, ServesAFileOfTheEmbeddedEngineWithItsOwnLogins) {
    if (!SharedFirebirdServer().Available())
        GTEST_SKIP() << SharedFirebirdServer().Problem();
    TTempDatabase file(3);
    TConnection sysdba(SharedFirebirdServer().Address(file.Path()));
    sysdba.db.Params().SetValue(u"password", SharedFirebirdServer().SysdbaPassword());
    EXPECT_EQ(Protocol(sysdba.db), u"TCPv4");
    EXPECT_EQ(CountRows(sysdba.db, u"CLIENTE"), 0);
    sysdba.db.Close();

    // The tool's fixed password is not this server's.
    TConnection fixed(SharedFirebirdServer().Address(file.Path()));
    try {
        fixed.db.Open();
        ADD_FAILURE() << "the fixed password was accepted";
    } catch (const EIBError& e) {
        EXPECT_NE(e.Message().find(u"Your user name and password are not defined"), Text::npos)
            << ToUtf8(e.Message());
    }
    EXPECT_FALSE(fixed.db.Connected());

    SharedFirebirdServer().AddUser(u"SUPORTE", u"filial#1");
    TConnection user(SharedFirebirdServer().Address(file.Path()));
    user.db.Params().SetValue(u"user_name", u"SUPORTE");
    user.db.Params().SetValue(u"password", u"filial#1");
    EXPECT_EQ(QueryRows(user.db, u"SELECT CURRENT_USER FROM RDB$DATABASE"),
              std::vector<Text>{u"SUPORTE"});
}
