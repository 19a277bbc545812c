#pragma once
// What the two generated files must agree on, decided before either is written: the key
// scheme of each store, the suppliers (some of the branch's also exist in the head office
// under the same name and tax number) and the fiscal classifications (some of the branch's
// NCM codes exist in the head office's CLASFISC, under other codes, and some do not).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Text.h"

struct TSupplierIdentity {
    Text name;
    std::optional<Text> taxNumber;  // CNPJ, masked or not; NULL for a few branch suppliers
};

struct TFiscalClass {
    std::optional<Text> ncm;  // NULL or empty only for the branch's two odd rows
    int category;             // index into Categories(); -1 for the odd rows
};

struct TStorePlan {
    bool headOffice = false;
    std::string name;  // "FILIAL" or "MATRIZ": names the random streams of the store
    uint64_t seed = 1;
    int dialect = 1;
    int64_t clients = 0;
    int64_t products = 0;
    int64_t orphanComplements = 0;  // COMPCLIE rows of no client
    int64_t clientsWithoutComplement = 0;
    int64_t productsWithoutComplement = 0;
    int64_t productsWithoutDetail = 0;
    std::vector<Text> supplierCodes;  // FORNECE, in code order
    std::vector<TSupplierIdentity> suppliers;
    std::vector<TFiscalClass> classes;  // CLASFISC; the code is the position + 1, four digits
};

// Key schemes. Branch keys are chosen so that the tool's recoding keeps them distinct
// ("001" + characters 4-6 for suppliers, "01" + characters 3-6 for products); head-office
// keys can never equal a recoded key (clients "M" + 7 digits, never 0000xxxx; suppliers and
// products begin with "9", never "001" or "01").
Text ClientCode(const TStorePlan& plan, int64_t index);        // index from 0
Text OrphanClientCode(const TStorePlan& plan, int64_t index);  // codes of no client
Text ProductCode(const TStorePlan& plan, int64_t index);       // index from 0

struct TGeneratorPlan {
    TStorePlan branch;
    TStorePlan headOffice;
};

// clients = N >= 1; see DataGenerator.h for the sizes.
TGeneratorPlan MakePlan(int64_t clients, uint64_t seed, int dialect);
