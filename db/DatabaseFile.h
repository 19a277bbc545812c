#pragma once
// Creating a new database file (for the test fixtures, the demo and the benchmarks; the
// program itself never creates or reconfigures a database).

#include "Login.h"
#include "Text.h"

struct TNewDatabase {
    Text path;
    int dialect = 3;
    int pageSize = 8192;
    // Off makes a throw-away database much faster to fill; never used on a customer's file.
    bool forcedWrites = true;
    Text user = kFixedUser;
    Text password = kFixedPassword;
};

// Creates the file with the default character set NONE; fails with the database's error.
void CreateDatabaseFile(const TNewDatabase& definition);
