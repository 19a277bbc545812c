#include <algorithm>

#include "Catalog.h"
#include "DateTime.h"
#include "FillStore.h"
#include "SampleText.h"
#include "SampleValues.h"
#include "TableWriter.h"

namespace {

// What the complement row of a product holds, for its movements.
struct TStock {
    bool present = false;
    int64_t quantity = 0;  // thousandths; NULL counts as 0
    int64_t cost = 0;      // ten-thousandths
    int64_t sale = 0;      // cents
};

// The CLASFISC rows of each category, and the branch's odd rows (no NCM or an empty one).
struct TClassIndex {
    std::vector<std::vector<size_t>> ofCategory;
    std::vector<size_t> odd;
};

TClassIndex IndexClasses(const TStorePlan& plan) {
    TClassIndex index;
    index.ofCategory.resize(Categories().size());
    for (size_t k = 0; k < plan.classes.size(); ++k) {
        const int c = plan.classes[k].category;
        (c < 0 ? index.odd : index.ofCategory[size_t(c)]).push_back(k);
    }
    return index;
}

TValue ClassCode(TRandom& r, const TClassIndex& index, size_t category) {
    const int kind = int(r.Below(100));
    if (kind < 2)
        return Null();
    if (kind < 4 && !index.odd.empty())
        return Str(Zeros(int64_t(r.Pick(index.odd) + 1), 4));
    return Str(Zeros(int64_t(r.Pick(index.ofCategory[category]) + 1), 4));
}

struct TWrittenProduct {
    Text ean;  // empty when the product has none
    Text description;
};

TWrittenProduct WriteProduct(TTableWriter& w, TRandom& r, const TStorePlan& plan,
                             const TClassIndex& classes, const Text& code, size_t category) {
    const TCategory& c = Categories()[category];
    const Text item = r.Pick(c.items);
    const Text size = c.sizes.empty() ? Text() : u" " + r.Pick(c.sizes);
    const size_t maker = size_t(r.Below(c.makers.size()));
    Text description = item + size + u" " + c.makers[maker];
    if (r.Percent(60))
        description = UpperPt(description);
    const bool hasEan = r.Percent(c.weighed ? 40 : 95);
    const Text ean = hasEan ? Ean13(r) : Text();
    const int64_t gross = c.weighed ? 1000 : r.Between(50, 25000);
    // Products of a supplier code that no supplier has: the main supplier correction must
    // cope with them.
    const Text supplier =
        !plan.headOffice && r.Percent(1) ? Text(u"000000") : r.Pick(plan.supplierCodes);
    w.Write({
        Str(code),                                                  // CODPROD
        Str(Fit(description, 60)),                                  // DESCRICAO
        Str(Fit(UpperPt(item + size), 30)),                         // DESCRICAOPDV
        Str(c.unit),                                                // UNIDADE
        Str(Zeros(int64_t(category + 1), 3)),                       // CODGRUPO
        Str(Zeros(r.Between(1, kSubgroupsPerGroup), 3)),            // CODSUBGRUPO
        Str(Zeros(MakerCode(category, maker), 5)),                  // CODFABRIC
        Sometimes(r, 90, [&] { return Str(Zeros(c.family, 2)); }),  // CODFAMILIA
        ClassCode(r, classes, category),                            // CODCLASFIS
        Str(supplier),                                              // PRINCIPALFORNEC
        hasEan ? Str(ean) : Null(),                                 // CODEAN
        Sometimes(r, 40, [&] { return Str(u"REF-" + Zeros(r.Between(1, 99999), 5)); }),
        Dec(gross, 3),                                                     // PESOBRUTO
        Dec(gross * r.Between(90, 100) / 100, 3),                          // PESOLIQUIDO
        Dec(c.icmsPercent * 100, 2),                                       // ALIQICMS
        Str(r.Percent(95) ? u"A" : u"I"),                                  // SITUACAO
        RandomDate(r, 2008, 2024),                                         // DT_CADASTRO
        Sometimes(r, 85, [&] { return RandomTimestamp(r, 2018, 2024); }),  // DT_ALTERACAO
        Sometimes(r, 2,
                  [&] { return TValue::Bytes(SampleBytes(r, "\x89PNG\r\n\x1a\n", 64, 2048)); }),
        Sometimes(r, 8, [&] { return Str(Note(r)); }),  // OBSERVACAO
    });
    return {ean, Fit(description, 60)};
}

TStock WriteComplement(TTableWriter& w, TRandom& r, const Text& code, const TCategory& c) {
    TStock s;
    s.present = true;
    const bool nullStock = r.Percent(1);
    if (!nullStock) {
        s.quantity = c.weighed ? r.Between(0, 500000) : r.Between(0, 500) * 1000;
        if (r.Percent(2))
            s.quantity = -s.quantity;  // sold before the purchase was entered, as happens
    }
    // A sale price ending in 9 cents and a cost at a margin of 15% to 80%.
    s.sale = r.Between(c.minCents / 10, c.maxCents / 10) * 10 + 9;
    const int64_t margin = r.Between(15, 80);
    s.cost = s.sale * 10000 / (100 + margin);
    const int64_t average = s.cost * r.Between(97, 103) / 100;
    w.Write({
        Str(code),                                                               // CODPROD
        Str(u"01"),                                                              // CODEMPRESA
        nullStock ? Null() : Dec(s.quantity, 3),                                 // ESTOQUE
        Sometimes(r, 80, [&] { return Dec(r.Between(0, 50) * 1000, 3); }),       // ESTOQUEMINIMO
        r.Percent(1) ? Null() : Dec(s.cost, 4),                                  // PRECOCUSTO
        r.Percent(2) ? Null() : Dec(average, 4),                                 // PRECOMEDIO
        Dec(s.sale, 2),                                                          // PRECOVENDA
        TValue::Float((double(s.sale) * 100.0 / double(s.cost) - 1.0) * 100.0),  // MARGEMLUCRO
        Sometimes(r, 90, [&] { return Str(Zeros(r.Between(1, kStockPlaces), 2)); }),
        Sometimes(r, 90, [&] { return RandomDate(r, 2022, 2024); }),  // DT_ULTCOMPRA
        Sometimes(r, 85, [&] { return RandomDate(r, 2023, 2024); }),  // DT_ULTVENDA
    });
    return s;
}

void WriteDetail(TTableWriter& w, TRandom& r, const TStorePlan& plan, const Text& code,
                 const Text& ean, const Text& description) {
    static const int kWarranty[] = {0, 3, 6, 12, 24};
    w.Write({
        Str(code),  // CODPROD
        Sometimes(r, 80, [&] { return Str(Zeros(r.Between(1, kApplications), 4)); }),
        Sometimes(r, 70, [&] { return Int(kWarranty[r.Below(5)]); }),        // GARANTIAMESES
        Dec(r.Between(10, 100000), 3),                                       // ALTURA
        Dec(r.Between(10, 100000), 3),                                       // LARGURA
        TValue::Float(double(r.Between(10, 10000)) / 10.0),                  // PROFUNDIDADE
        ean.empty() ? Null() : Int(Dun14(ean)),                              // CODDUN
        Sometimes(r, 80, [&] { return RandomTimeOfDay(r, plan.dialect); }),  // HORAALTERACAO
        Sometimes(r, 10,
                  [&] {  // DESCRICAOTECNICA
                      Text text = u"Produto: " + description + u"\r\n";
                      return Str(text + Note(r));
                  }),
    });
}

Text DocumentDate(const TValue& date) {
    const TCivilDate d = CivilFromDays(int64_t(date.DateDays()) + kIscEpochDays);
    return Zeros(d.day, 2) + Zeros(d.month, 2) + Zeros(d.year, 4);
}

// The head office's movements of one product: its opening stock (type 04, as the tool's
// stock movement writer records it) and a few purchases (01) and sales (02) after it.
void WriteMovements(TTableWriter& w, TRandom& r, const TStorePlan& plan, const Text& code,
                    const TStock& s) {
    TValue date = RandomDate(r, 2019, 2021);
    double stock = 0;
    const int later = int(r.Below(3));
    for (int k = 0; k <= later; ++k) {
        const bool opening = k == 0;
        const bool purchase = !opening && r.Percent(50);
        double quantity = double(s.quantity) / 1000.0;
        if (!opening) {
            quantity = double(r.Between(1, 48));
            date = AddDays(date, int(r.Between(1, 400)));
        }
        Text agent = u"000000";
        if (purchase)
            agent = r.Pick(plan.supplierCodes);
        else if (!opening)
            agent = Zeros(r.Between(1, std::min<int64_t>(plan.clients, 999999)), 6);
        const Text type = opening ? u"04" : purchase ? u"01" : u"02";
        const double signedQuantity = opening || purchase ? quantity : -quantity;
        w.Write({
            Str(u"00"),                                                          // CODEMPRESA
            Str(purchase || opening ? u"F" : u"C"),                              // TIPOAGENTE
            Str(agent),                                                          // CODIGOAGENTE
            Str(opening ? DocumentDate(date) : Zeros(r.Between(1, 999999), 6)),  // DOCUMENTO
            Str(code),                                                           // CODPROD
            Str(u"0000"),                                                        // CODGRADE
            date,                                                                // DT_MOVIMENTO
            RandomTimeOfDay(r, plan.dialect),                                    // HORA
            Str(type),                                                           // TIPOMOV
            TValue::Float(signedQuantity),                                       // QUANTIDADE
            TValue::Float(stock),                                                // ESTOQANT
            Int(k + 1),                                                          // SEQUENCIA
            Dec(s.cost, 4),                                                      // PRECOCUSTO
            Dec(s.cost, 4),                                                      // PRECOMEDIO
            Dec(s.sale, 2),                                                      // PRECOVENDA
            Str(r.Percent(1) ? u"S" : u"N"),                                     // CANCELADO
        });
        stock += signedQuantity;
    }
}

}  // namespace

void FillClassifications(TIBDatabase& db, const TStorePlan& plan) {
    TRandom r(plan.seed, plan.name + ".CLASFISC");
    TTableWriter w(
        db, u"CLASFISC",
        {u"CODCLASFIS", u"CODIGONCM", u"CODNBM", u"CODNATRECEITA", u"DESCRICAO", u"ALIQIPI"});
    for (size_t k = 0; k < plan.classes.size(); ++k) {
        const TFiscalClass& fc = plan.classes[k];
        const bool odd = fc.category < 0;
        const TCategory* c = odd ? nullptr : &Categories()[size_t(fc.category)];
        w.Write({
            Str(Zeros(int64_t(k + 1), 4)),                                     // CODCLASFIS
            fc.ncm ? Str(*fc.ncm) : Null(),                                    // CODIGONCM
            Sometimes(r, 50, [&] { return fc.ncm ? Str(*fc.ncm) : Null(); }),  // CODNBM
            Sometimes(r, 30, [&] { return Str(u"999"); }),                     // CODNATRECEITA
            Str(odd ? T("Sem classificação") : c->fiscalName),                 // DESCRICAO
            Dec(odd ? 0 : c->ipiPercent * 100, 2),                             // ALIQIPI
        });
    }
    w.Commit();
}

void FillProducts(TIBDatabase& db, const TStorePlan& plan) {
    TRandom r(plan.seed, plan.name + ".PRODUTO");
    TRandom rc(plan.seed, plan.name + ".COMPPROD");
    TRandom rd(plan.seed, plan.name + ".PRODUTODETALHE");
    TRandom rm(plan.seed, plan.name + ".MVGERAL");
    const size_t n = size_t(plan.products);
    const std::vector<bool> noComplement = rc.Sample(n, size_t(plan.productsWithoutComplement));
    const std::vector<bool> noDetail = rd.Sample(n, size_t(plan.productsWithoutDetail));
    const TClassIndex classes = IndexClasses(plan);

    TTableWriter products(
        db, u"PRODUTO",
        {u"CODPROD",     u"DESCRICAO",   u"DESCRICAOPDV", u"UNIDADE",     u"CODGRUPO",
         u"CODSUBGRUPO", u"CODFABRIC",   u"CODFAMILIA",   u"CODCLASFIS",  u"PRINCIPALFORNEC",
         u"CODEAN",      u"REFERENCIA",  u"PESOBRUTO",    u"PESOLIQUIDO", u"ALIQICMS",
         u"SITUACAO",    u"DT_CADASTRO", u"DT_ALTERACAO", u"FOTO",        u"OBSERVACAO"});
    TTableWriter complements(
        db, u"COMPPROD",
        {u"CODPROD", u"CODEMPRESA", u"ESTOQUE", u"ESTOQUEMINIMO", u"PRECOCUSTO", u"PRECOMEDIO",
         u"PRECOVENDA", u"MARGEMLUCRO", u"CODLOCAL", u"DT_ULTCOMPRA", u"DT_ULTVENDA"});
    TTableWriter details(db, u"PRODUTODETALHE",
                         {u"CODPROD", u"CODAPLIC", u"GARANTIAMESES", u"ALTURA", u"LARGURA",
                          u"PROFUNDIDADE", u"CODDUN", u"HORAALTERACAO", u"DESCRICAOTECNICA"});
    TTableWriter applications(db, u"PRODAPLIC", {u"CODAPLIC", u"CODPROD"});
    TTableWriter movements(
        db, u"MVGERAL",
        {u"CODEMPRESA", u"TIPOAGENTE", u"CODIGOAGENTE", u"DOCUMENTO", u"CODPROD", u"CODGRADE",
         u"DT_MOVIMENTO", u"HORA", u"TIPOMOV", u"QUANTIDADE", u"ESTOQANT", u"SEQUENCIA",
         u"PRECOCUSTO", u"PRECOMEDIO", u"PRECOVENDA", u"CANCELADO"});
    for (size_t i = 0; i < n; ++i) {
        const Text code = ProductCode(plan, int64_t(i));
        const size_t category = size_t(r.Below(Categories().size()));
        const TCategory& c = Categories()[category];
        const TWrittenProduct p = WriteProduct(products, r, plan, classes, code, category);
        TStock stock;
        if (!noComplement[i])
            stock = WriteComplement(complements, rc, code, c);
        if (!noDetail[i])
            WriteDetail(details, rd, plan, code, p.ean, p.description);
        if (r.Percent(5))
            applications.Write({Str(Zeros(r.Between(1, kApplications), 4)), Str(code)});
        if (plan.headOffice && stock.present)
            WriteMovements(movements, rm, plan, code, stock);
    }
    products.Commit();
}
