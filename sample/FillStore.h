#pragma once
// Filling one generated store's tables, from its plan. Each function writes its tables
// through one TTableWriter per table and commits once when they are all written; tables
// written together (a client and its complement) share that commit.

#include "IBDatabase.h"
#include "StorePlan.h"

// Sizes of the small registries that rows refer to by code.
inline constexpr int kClientClasses = 4;  // CLASCLI 001-004
inline constexpr int kSegments = 5;       // CADSEGM 001-005
inline constexpr int kStockPlaces = 4;    // LOCALPROD and LOCPROD 01-04
inline constexpr int kApplications = 6;   // APLICACOES 0001-0006
inline constexpr int kSubgroupsPerGroup = 3;

// GRUPROD, SUBGRUP, CADSEGM, CLASCLI, PAISES, LOCALPROD, LOCPROD, CIDADES, CADFABR, FAMILIA,
// APLICACOES, UNIDADES, PDVFISC: the same rows in both stores.
void FillRegistries(TIBDatabase& db, const TStorePlan& plan);
// CLIENTE and COMPCLIE.
void FillClients(TIBDatabase& db, const TStorePlan& plan);
// FORNECE.
void FillSuppliers(TIBDatabase& db, const TStorePlan& plan);
// CLASFISC.
void FillClassifications(TIBDatabase& db, const TStorePlan& plan);
// PRODUTO, COMPPROD, PRODUTODETALHE, PRODAPLIC, and in the head office MVGERAL.
void FillProducts(TIBDatabase& db, const TStorePlan& plan);
