// The baseline's three copy steps: clients, suppliers and products.
#include "BaselineSteps.h"
#include "Clock.h"
#include "Recodificacao.h"
#include "RowCopy.h"
#include "classConversao.h"

void BaselineClients(TBaselineRun& run) {
    const TRowStore complements(run.origin, "SELECT * FROM COMPCLIE", "CODCLIENTE");
    const TRowStore clients(run.origin, "SELECT * FROM CLIENTE");
    TRowInsert insert(run.origin, run.destination, clients.Layout(), "CLIENTE", "CODCLIENTE");
    TRowInsert insertComplement(run.origin, run.destination, complements.Layout(), "COMPCLIE",
                                "CODCLIENTE");
    const TFbColumn& code = clients.Layout().At("CODCLIENTE");

    long counter = 5000;
    for (size_t i = 0; i < clients.Count(); ++i) {
        const char* row = clients.Row(i);
        const std::string newCode = TConversao::StrZero(std::to_string(counter), 8);
        if (const char* complement = complements.Find(TextOf(code, row)))
            insertComplement.Execute(complement, newCode);
        insert.Execute(row, newCode);
        ++counter;
    }
}

void BaselineSuppliers(TBaselineRun& run) {
    const TRowStore suppliers(run.origin, "SELECT * FROM FORNECE");
    TRowInsert insert(run.origin, run.destination, suppliers.Layout(), "FORNECE", "CODFORNEC");
    const TFbColumn& code = suppliers.Layout().At("CODFORNEC");
    for (size_t i = 0; i < suppliers.Count(); ++i)
        insert.Execute(suppliers.Row(i), RecodificaFornecedor(KeyText(code, suppliers.Row(i))));
}

namespace {

// The opening stock movement, with parameters where the tool writes literals.
constexpr char kInsertMovement[] =
    "INSERT INTO MVGERAL (CODEMPRESA, TIPOAGENTE, CODIGOAGENTE, DOCUMENTO, CODPROD, CODGRADE, "
    "DT_MOVIMENTO, TIPOMOV, QUANTIDADE, PRECOCUSTO, PRECOMEDIO) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
enum { kCodProd = 4, kQuantidade = 8 };

}  // namespace

void BaselineProducts(TBaselineRun& run) {
    const TRowStore complements(run.origin, "SELECT * FROM COMPPROD ORDER BY CODPROD ", "CODPROD");
    const TRowStore details(run.origin, "SELECT * FROM PRODUTODETALHE ORDER BY CODPROD ",
                            "CODPROD");
    const TRowStore products(run.origin, "SELECT * FROM PRODUTO ORDER BY CODPROD ");
    TRowInsert insert(run.origin, run.destination, products.Layout(), "PRODUTO", "CODPROD");
    TRowInsert insertComplement(run.origin, run.destination, complements.Layout(), "COMPPROD",
                                "CODPROD");
    TRowInsert insertDetail(run.origin, run.destination, details.Layout(), "PRODUTODETALHE",
                            "CODPROD");

    TFbStatement movement(run.destination, kInsertMovement);
    const TCivilDate today = Today();
    const std::string document = TConversao::StrZero(std::to_string(today.day), 2) +
                                 TConversao::StrZero(std::to_string(today.month), 2) +
                                 TConversao::StrZero(std::to_string(today.year), 4);
    movement.SetText(0, "00");
    movement.SetText(1, "F");
    movement.SetText(2, "000000");
    movement.SetText(3, document);
    movement.SetText(5, "0000");
    movement.SetDate(6, today.year, today.month, today.day);
    movement.SetText(7, "04");
    const TFbColumn* figures[] = {&complements.Layout().At("ESTOQUE"),
                                  &complements.Layout().At("PRECOCUSTO"),
                                  &complements.Layout().At("PRECOMEDIO")};
    const TFbColumn& code = products.Layout().At("CODPROD");

    for (size_t i = 0; i < products.Count(); ++i) {
        const char* row = products.Row(i);
        const std::string_view origin = TextOf(code, row);
        const std::string newCode = RecodificaProduto(origin);
        if (const char* complement = complements.Find(origin)) {
            movement.SetText(kCodProd, newCode);
            // The tool reads the three figures as numbers, NULL as 0.
            for (size_t i = 0; i < 3; ++i) {
                if (IsNull(*figures[i], complement))
                    movement.SetInteger(kQuantidade + i, 0);
                else
                    movement.Bind(kQuantidade + i, *figures[i], complement);
            }
            movement.Execute();
            insertComplement.Execute(complement, newCode);
        }
        if (const char* detail = details.Find(origin))
            insertDetail.Execute(detail, newCode);
        insert.Execute(row, newCode);
    }
}
