#include "FillStore.h"
#include "SampleText.h"
#include "SampleValues.h"
#include "TableWriter.h"

void FillSuppliers(TIBDatabase& db, const TStorePlan& plan) {
    TRandom r(plan.seed, plan.name + ".FORNECE");
    static const int kDeliveryDays[] = {2, 3, 5, 7, 10, 15, 30};
    TTableWriter w(db, u"FORNECE",
                   {u"CODFORNEC", u"NOME", u"FANTASIA", u"CGCCPF", u"INSCESTADUAL", u"ENDERECO",
                    u"BAIRRO", u"CODCIDADE", u"CODPAIS", u"CEP", u"TELEFONE", u"CONTATO", u"EMAIL",
                    u"PRAZOENTREGA", u"LIMITECOMPRA", u"DT_CADASTRO", u"OBSERVACAO"});
    for (size_t i = 0; i < plan.suppliers.size(); ++i) {
        const TSupplierIdentity& s = plan.suppliers[i];
        const size_t cityIndex = size_t(r.Below(Cities().size()));
        const TCity& city = Cities()[cityIndex];
        w.Write({
            Str(plan.supplierCodes[i]),                                    // CODFORNEC
            Str(s.name),                                                   // NOME
            Sometimes(r, 60, [&] { return Str(UpperPt(TradeName(r))); }),  // FANTASIA
            s.taxNumber ? Str(*s.taxNumber) : Null(),                      // CGCCPF
            Str(StateRegistration(r)),                                     // INSCESTADUAL
            Sometimes(r, 97,
                      [&] {  // ENDERECO
                          Text street = Street(r);
                          return Str(Fit(street + u", " + HouseNumber(r), 60));
                      }),
            Str(District(r)),                                               // BAIRRO
            Str(Zeros(int64_t(cityIndex + 1), 5)),                          // CODCIDADE
            Str(u"1058"),                                                   // CODPAIS
            Str(Cep(r, city, true)),                                        // CEP
            Str(Phone(r, city, false, true)),                               // TELEFONE
            Sometimes(r, 85, [&] { return Str(Fit(PersonName(r), 40)); }),  // CONTATO
            Sometimes(r, 80, [&] { return Str(Email(r, s.name)); }),        // EMAIL
            Int(kDeliveryDays[r.Below(7)]),                                 // PRAZOENTREGA
            Sometimes(r, 70, [&] { return Dec(r.Between(10, 500) * 100000, 2); }),
            RandomDate(r, 2000, 2024),                       // DT_CADASTRO
            Sometimes(r, 20, [&] { return Str(Note(r)); }),  // OBSERVACAO
        });
    }
    w.Commit();
}
