#pragma once
// The sample data generator: a branch store's database and its head office's, ready to be
// merged by the tool, for the tests, the demo and the benchmark.
//
// GenerateBranchAndHeadOffice creates FILIAL.FB (the branch, the merge's origin) and MATRIZ.FB
// (the head office, its destination) in `folder` (created when missing) with the retail
// schema of testing/RetailSchema.h in the chosen SQL dialect, forced writes off, and fills
// them from the seed: the same options give the same rows, value for value, on every platform.
// The triggers and indexes are created after the rows, so TRIGGER_LOG starts empty.
//
// Sizes, for N clients (C = the catalog's product categories):
//   both:        CLIENTE N, of which N*3/100 have no COMPCLIE row; COMPCLIE also holds
//                max(1, N/100) rows of clients that do not exist. PRODUTO N, of which N*3/100
//                have no COMPPROD row and N*5/100 no PRODUTODETALHE row; PRODAPLIC about N/20.
//                The registries (GRUPROD, CIDADES, UNIDADES ...) are small and equal in both.
//   branch:      FORNECE min(max(1, N/40), 999); CLASFISC 3*C + 2 (two rows without an NCM
//                code: NULL and empty).
//   head office: FORNECE max(1, N/40); CLASFISC 4*C; MVGERAL one opening movement (type 04)
//                for each COMPPROD row and up to two purchases or sales after it.
//
// Keys, so that a merge of every step succeeds: head-office clients are "M" + 7 digits (the
// tool gives the branch's clients 00005000 upwards); branch suppliers are "000" + 3 digits,
// which the tool recodes to distinct "001" + 3 digits, so the branch has at most 999
// suppliers; branch products are "XX" + 4 base-36 characters (0-9A-Z) of the product number,
// recoded to distinct "01" + the same 4 characters, which caps N at 36^4 - 1 = 1,679,615;
// head-office suppliers and products begin with "9". Every product has a main supplier.
//
// Relations the corrections meet: a third of the branch's suppliers (those with a tax number)
// also exist in the head office with the same NOME and CGCCPF, and one more with the same
// name and the CNPJ masked the other way (no match). Of each category's branch NCM codes, two
// exist in the head office's CLASFISC under other codes and one does not.
//
// Existing files: a FILIAL.FB or MATRIZ.FB that this generator made (it carries the
// generator's mark as the database's description) is replaced; any other file of that name
// is left untouched, and the call fails before writing anything.
//
// Fails with EError for options out of range or such a file, and with the database's error.

#include <cstdint>
#include <filesystem>

inline constexpr char kBranchFileName[] = "FILIAL.FB";
inline constexpr char kHeadOfficeFileName[] = "MATRIZ.FB";
inline constexpr int64_t kMaxClients = 1679615;

struct TGeneratorOptions {
    std::filesystem::path folder;
    int64_t clients = 300;  // N, 1 to kMaxClients
    uint64_t seed = 1;
    int dialect = 1;  // 1 or 3; real customer databases are mostly dialect 1
};

void GenerateBranchAndHeadOffice(const TGeneratorOptions& options);
