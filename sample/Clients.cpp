#include "FillStore.h"
#include "SampleText.h"
#include "SampleValues.h"
#include "TableWriter.h"

namespace {

// Most names are kept in capitals, as most retail programs store them.
Text StoredName(TRandom& r, const Text& name) {
    return r.Percent(70) ? UpperPt(name) : name;
}

void WriteClient(TTableWriter& w, TRandom& r, const Text& code) {
    const bool company = r.Percent(15);
    const size_t cityIndex = size_t(r.Below(Cities().size()));
    const TCity& city = Cities()[cityIndex];
    const Text name = StoredName(r, company ? CompanyName(r) : PersonName(r));
    const bool masked = r.Percent(60);
    w.Write({
        Str(code),  // CODCLIENTE
        Str(name),  // NOME
        company ? Str(TradeName(r)) : Sometimes(r, 10, [&] { return Str(FirstName(r)); }),
        Str(company ? u"J" : u"F"),  // TIPOPESSOA
        Sometimes(r, 95, [&] { return Str(company ? Cnpj(r, masked) : Cpf(r, masked)); }),
        company ? Str(StateRegistration(r)) : Sometimes(r, 80, [&] { return Str(Rg(r)); }),
        Str(Street(r)),                         // ENDERECO
        Str(HouseNumber(r)),                    // NUMERO
        Str(District(r)),                       // BAIRRO
        Str(Zeros(int64_t(cityIndex + 1), 5)),  // CODCIDADE
        Sometimes(r, 95, [&] { return Str(Cep(r, city, masked)); }),
        Sometimes(r, 90,
                  [&] {
                      const bool mobile = r.Percent(60);
                      return Str(Phone(r, city, mobile, masked));
                  }),
        Sometimes(r, 60, [&] { return Str(Email(r, name)); }),
        Str(Zeros(r.Between(1, kClientClasses), 3)),  // CODCLASCLI
        Sometimes(r, 70, [&] { return Str(Zeros(r.Between(1, kSegments), 3)); }),
        Sometimes(r, 80,
                  [&] {  // LIMITECREDITO: whole hundreds, some with cents
                      const int64_t reais = r.Between(2, 150) * 100;
                      return Dec(reais * 100 + (r.Percent(30) ? r.Between(1, 99) : 0), 2);
                  }),
        Int(r.Percent(92) ? 1 : 0),  // SITUACAO
        company ? Null() : Sometimes(r, 85, [&] { return RandomDate(r, 1940, 2006); }),
        RandomDate(r, 2003, 2024),                                         // DT_CADASTRO
        Sometimes(r, 80, [&] { return RandomTimestamp(r, 2015, 2024); }),  // DT_ALTERACAO
        Sometimes(r, 15, [&] { return Str(Note(r)); }),                    // OBSERVACAO
    });
}

Text References(TRandom& r) {
    const TCity& city = r.Pick(Cities());
    Text out = u"Ref. comercial: " + CompanyName(r);
    out += u" — " + Phone(r, city, false, true);
    out += u"\r\nRef. pessoal: " + PersonName(r);
    return out;
}

void WriteComplement(TTableWriter& w, TRandom& r, const Text& code) {
    static const int kDays[] = {5, 10, 15, 20, 25};
    static const char16_t* kGrades[] = {u"A", u"B", u"C"};
    w.Write({
        Str(code),  // CODCLIENTE
        Sometimes(r, 75, [&] { return Str(StoredName(r, PersonName(r, TGender::Male))); }),
        Sometimes(r, 92, [&] { return Str(StoredName(r, PersonName(r, TGender::Female))); }),
        Sometimes(r, 60, [&] { return Str(CompanyName(r)); }),  // LOCALTRABALHO
        Sometimes(r, 70,
                  [&] {  // RENDA
                      const int64_t reais = r.Between(1412, 25000);
                      return Dec(reais * 100 + r.Between(0, 99), 2);
                  }),
        Int(kDays[r.Below(5)]),                                       // DIAVENCIMENTO
        Sometimes(r, 90, [&] { return Int(r.Between(0, 5)); }),       // QTDDEPENDENTES
        Sometimes(r, 90, [&] { return Str(kGrades[r.Below(3)]); }),   // CONCEITO
        Sometimes(r, 90, [&] { return RandomDate(r, 2020, 2024); }),  // DT_ULTCOMPRA
        Sometimes(r, 10, [&] { return Str(References(r)); }),         // REFERENCIAS
        Sometimes(r, 2, [&] { return TValue::Bytes(SampleBytes(r, "SIG1", 64, 600)); }),
    });
}

}  // namespace

void FillClients(TIBDatabase& db, const TStorePlan& plan) {
    TRandom r(plan.seed, plan.name + ".CLIENTE");
    TRandom rc(plan.seed, plan.name + ".COMPCLIE");
    const size_t n = size_t(plan.clients);
    const std::vector<bool> without = r.Sample(n, size_t(plan.clientsWithoutComplement));
    const std::vector<bool> orphanHere = rc.Sample(n, size_t(plan.orphanComplements));

    TTableWriter clients(
        db, u"CLIENTE",
        {u"CODCLIENTE",    u"NOME",     u"FANTASIA",      u"TIPOPESSOA",  u"CGCCPF",
         u"RGIE",          u"ENDERECO", u"NUMERO",        u"BAIRRO",      u"CODCIDADE",
         u"CEP",           u"TELEFONE", u"EMAIL",         u"CODCLASCLI",  u"CODSEGMENTO",
         u"LIMITECREDITO", u"SITUACAO", u"DT_NASCIMENTO", u"DT_CADASTRO", u"DT_ALTERACAO",
         u"OBSERVACAO"});
    TTableWriter complements(
        db, u"COMPCLIE",
        {u"CODCLIENTE", u"NOMEPAI", u"NOMEMAE", u"LOCALTRABALHO", u"RENDA", u"DIAVENCIMENTO",
         u"QTDDEPENDENTES", u"CONCEITO", u"DT_ULTCOMPRA", u"REFERENCIAS", u"ASSINATURA"});
    int64_t orphans = 0;
    for (size_t i = 0; i < n; ++i) {
        const Text code = ClientCode(plan, int64_t(i));
        WriteClient(clients, r, code);
        // Complements of clients that no longer exist sit among the others, as in a
        // database whose clients were deleted without their complements.
        if (orphanHere[i])
            WriteComplement(complements, rc, OrphanClientCode(plan, orphans++));
        if (!without[i])
            WriteComplement(complements, rc, code);
    }
    clients.Commit();
}
