#include "StorePlan.h"

#include <algorithm>
#include <set>

#include "Catalog.h"
#include "Random.h"
#include "SampleText.h"

namespace {

constexpr int64_t kMaxBranchSuppliers = 999;  // "000" + three digits
constexpr int kNcmPerCategory = 5;

TSupplierIdentity NewSupplier(TRandom& r, bool mayLackTaxNumber) {
    TSupplierIdentity s;
    s.name = UpperPt(CompanyName(r));
    const int kind = int(r.Below(100));
    if (mayLackTaxNumber && kind < 4)
        s.taxNumber.reset();
    else
        s.taxNumber = Cnpj(r, kind < 80);
    return s;
}

// A CNPJ written the other way: masked if it was bare and bare if it was masked. The tool
// compares tax numbers as stored text, so the two never match.
Text OtherMask(const Text& cnpj) {
    Text digits;
    for (char16_t c : cnpj)
        if (c >= u'0' && c <= u'9')
            digits += c;
    if (digits.size() != cnpj.size())
        return digits;
    return digits.substr(0, 2) + u"." + digits.substr(2, 3) + u"." + digits.substr(5, 3) + u"/" +
           digits.substr(8, 4) + u"-" + digits.substr(12, 2);
}

void PlanSuppliers(TGeneratorPlan& p, int64_t clients, uint64_t seed) {
    TRandom r(seed, "PLANO.FORNECEDORES");
    const int64_t wanted = std::max<int64_t>(1, clients / 40);

    const int64_t branchCount = std::min(wanted, kMaxBranchSuppliers);
    for (int64_t i = 1; i <= branchCount; ++i) {
        p.branch.supplierCodes.push_back(u"000" + Zeros(i, 3));
        p.branch.suppliers.push_back(NewSupplier(r, true));
    }

    // A third of the branch's suppliers with a tax number also supply the head office.
    std::vector<size_t> withTax;
    for (size_t i = 0; i < p.branch.suppliers.size(); ++i)
        if (p.branch.suppliers[i].taxNumber)
            withTax.push_back(i);
    r.Shuffle(withTax);
    const size_t shared = std::min(withTax.size(), std::max<size_t>(1, withTax.size() / 3));
    std::vector<TSupplierIdentity> head;
    for (size_t k = 0; k < shared; ++k)
        head.push_back(p.branch.suppliers[withTax[k]]);
    // One near miss: the same name, the tax number masked the other way.
    if (withTax.size() > shared && wanted > int64_t(shared)) {
        TSupplierIdentity s = p.branch.suppliers[withTax[shared]];
        s.taxNumber = OtherMask(*s.taxNumber);
        head.push_back(s);
    }
    while (int64_t(head.size()) < wanted)
        head.push_back(NewSupplier(r, false));
    r.Shuffle(head);
    for (int64_t i = 1; i <= int64_t(head.size()); ++i)
        p.headOffice.supplierCodes.push_back(u"9" + Zeros(i, 5));
    p.headOffice.suppliers = std::move(head);
}

void PlanClassifications(TGeneratorPlan& p, uint64_t seed) {
    TRandom r(seed, "PLANO.CLASFISC");
    const auto& categories = Categories();
    std::vector<TFiscalClass> head;
    std::set<Text> used;
    for (size_t c = 0; c < categories.size(); ++c) {
        std::vector<Text> ncm;
        while (ncm.size() < size_t(kNcmPerCategory)) {
            Text code = categories[c].ncmStem + Zeros(r.Between(0, 9999), 4);
            if (used.insert(code).second)
                ncm.push_back(code);
        }
        // The branch knows NCM 0, 1 and 2 of the category, the head office 1 to 4: NCM 0 is
        // missing in the head office, 1 and 2 exist there under other codes.
        for (int k = 0; k < 3; ++k)
            p.branch.classes.push_back({ncm[size_t(k)], int(c)});
        for (int k = 1; k < kNcmPerCategory; ++k)
            head.push_back({ncm[size_t(k)], int(c)});
    }
    // Two odd branch rows: no NCM, and an empty one.
    p.branch.classes.push_back({std::nullopt, -1});
    p.branch.classes.push_back({Text(), -1});
    r.Shuffle(head);
    p.headOffice.classes = std::move(head);
}

void PlanSizes(TStorePlan& s, int64_t clients) {
    s.clients = clients;
    s.products = clients;
    s.clientsWithoutComplement = clients * 3 / 100;
    s.orphanComplements = std::max<int64_t>(1, clients / 100);
    s.productsWithoutComplement = clients * 3 / 100;
    s.productsWithoutDetail = clients * 5 / 100;
}

}  // namespace

Text ClientCode(const TStorePlan& plan, int64_t index) {
    return plan.headOffice ? u"M" + Zeros(index + 1, 7) : Zeros(index + 1, 8);
}

Text OrphanClientCode(const TStorePlan& plan, int64_t index) {
    return plan.headOffice ? u"N" + Zeros(index + 1, 7) : u"99" + Zeros(index + 1, 6);
}

Text ProductCode(const TStorePlan& plan, int64_t index) {
    return plan.headOffice ? u"9" + Base36(uint64_t(index + 1), 5)
                           : u"XX" + Base36(uint64_t(index + 1), 4);
}

TGeneratorPlan MakePlan(int64_t clients, uint64_t seed, int dialect) {
    TGeneratorPlan p;
    p.branch.name = "FILIAL";
    p.headOffice.name = "MATRIZ";
    p.headOffice.headOffice = true;
    for (TStorePlan* s : {&p.branch, &p.headOffice}) {
        s->seed = seed;
        s->dialect = dialect;
        PlanSizes(*s, clients);
    }
    PlanSuppliers(p, clients, seed);
    PlanClassifications(p, seed);
    return p;
}
