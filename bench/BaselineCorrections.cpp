// The baseline's three corrections: stock, fiscal classification and main supplier.
#include <charconv>
#include <vector>

#include "BaselineSteps.h"
#include "Recodificacao.h"
#include "RowCopy.h"
#include "classConversao.h"

namespace {

constexpr char kProducts[] = "SELECT * FROM PRODUTO ORDER BY CODPROD ";

// The first row's first column as text ("" without a row or for NULL), the cursor closed.
std::string FirstText(TFbStatement& query) {
    query.Execute();
    std::string value;
    if (query.Fetch())
        value = TextOf(query.Layout().columns[0], query.Row());
    query.CloseCursor();
    return value;
}

}  // namespace

void BaselineStockCorrection(TBaselineRun& run) {
    const TRowStore complements(run.origin, "SELECT * FROM COMPPROD ORDER BY CODPROD ");
    const TFbRowLayout& layout = complements.Layout();

    TFbStatement movement(run.destination,
                          " UPDATE MVGERAL SET QUANTIDADE = ?, ESTOQANT = ?, SEQUENCIA = ?, "
                          "PRECOMEDIO = ?, PRECOCUSTO = ? WHERE CODPROD = ? AND TIPOMOV = '04' ");
    movement.SetInteger(1, 0);

    // The complement update sets every column but CODPROD (unless CODPROD is the last one).
    std::string text = " UPDATE COMPPROD SET ";
    std::vector<size_t> setColumns;
    for (size_t i = 0; i < layout.columns.size(); ++i) {
        const std::string& name = layout.columns[i].name;
        const bool last = i + 1 == layout.columns.size();
        if (!last && name == "CODPROD")
            continue;
        if (layout.columns[i].type == SQL_BLOB)
            throw TFbError("COMPPROD." + name + ": the baseline does not copy blobs in updates");
        text += name + " = ?" + (last ? " " : ", ");
        setColumns.push_back(i);
    }
    text += " WHERE CODPROD = ?";
    TFbStatement complement(run.destination, text);
    std::vector<size_t> codeParams, valueParams;
    for (size_t p = 0; p < setColumns.size(); ++p) {
        const TFbColumn& column = layout.columns[setColumns[p]];
        if (column.name == "CODPROD")
            codeParams.push_back(p);
        else if (column.name == "ESTOQUE")
            complement.SetInteger(p, 0);
        else
            valueParams.push_back(p);
    }
    const size_t whereParam = setColumns.size();
    const TFbColumn& code = layout.At("CODPROD");
    const TFbColumn& stock = layout.At("ESTOQUE");
    const TFbColumn& averagePrice = layout.At("PRECOMEDIO");
    const TFbColumn& costPrice = layout.At("PRECOCUSTO");

    int64_t sequence = 1;
    for (size_t i = 0; i < complements.Count(); ++i) {
        const char* row = complements.Row(i);
        movement.Bind(0, stock, row);
        movement.Bind(3, averagePrice, row);
        movement.Bind(4, costPrice, row);
        for (size_t p : valueParams)
            complement.Bind(p, layout.columns[setColumns[p]], row);
        const std::string newCode = RecodificaProduto(KeyText(code, row));
        movement.SetInteger(2, sequence);
        movement.SetText(5, newCode);
        for (size_t p : codeParams)
            complement.SetText(p, newCode);
        complement.SetText(whereParam, newCode);
        movement.Execute();
        complement.Execute();
        ++sequence;
    }
}

namespace {

// The destination's CLASFISC code of the NCM code `ncm`, created with the next code when
// there is none.
class TClassLookup {
  public:
    explicit TClassLookup(TFbTransaction& destination)
        : find_(destination, " SELECT CODCLASFIS FROM CLASFISC WHERE CODIGONCM = ?"),
          max_(destination, " Select Max(CODCLASFIS) as CodClasFis From CLASFISC "),
          insert_(destination,
                  " Insert Into CLASFISC (CodClasFis, CodigoNCM, CodNBM, CODNATRECEITA ) "
                  "VALUES (?, ?, ?, ?)") {
        insert_.SetText(3, "999");
    }

    std::string Code(std::string_view ncm) {
        find_.SetText(0, ncm);
        find_.Execute();
        if (find_.Fetch()) {
            std::string found(TextOf(find_.Layout().columns[0], find_.Row()));
            find_.CloseCursor();
            return found;
        }
        find_.CloseCursor();

        const std::string highest = FirstText(max_);
        long next = 1;
        if (!highest.empty()) {
            long value = 0;
            const auto [end, ec] =
                std::from_chars(highest.data(), highest.data() + highest.size(), value);
            if (ec != std::errc() || end != highest.data() + highest.size())
                throw TFbError("'" + highest + "' is not a valid integer value");
            next = value + 1;
            if (next > 9999)
                throw TFbError("CLASFISC has no free code left");
        }
        const std::string code = TConversao::StrZero(std::to_string(next), 4);
        const std::string stored(Trimmed(ncm).substr(0, 8));
        insert_.SetText(0, code);
        insert_.SetText(1, stored);
        insert_.SetText(2, stored);
        insert_.Execute();
        return code;
    }

  private:
    TFbStatement find_, max_, insert_;
};

}  // namespace

void BaselineFiscalClassCorrection(TBaselineRun& run) {
    const TRowStore products(run.origin, kProducts);
    TFbStatement originNcm(run.origin,
                           "SELECT CODIGONCM FROM CLASFISC LEFT JOIN PRODUTO "
                           "ON PRODUTO.CODCLASFIS = CLASFISC.CODCLASFIS "
                           "WHERE PRODUTO.CODPROD = ?");
    TClassLookup classes(run.destination);
    TFbStatement update(run.destination, "UPDATE PRODUTO SET CODCLASFIS = ? WHERE CODPROD = ?");
    const TFbColumn& code = products.Layout().At("CODPROD");
    const TFbColumn& classCode = products.Layout().At("CODCLASFIS");

    for (size_t i = 0; i < products.Count(); ++i) {
        const char* row = products.Row(i);
        const std::string_view origin = KeyText(code, row);
        update.SetText(1, RecodificaProduto(origin));
        std::string value;
        if (!Trimmed(TextOf(classCode, row)).empty()) {
            originNcm.SetText(0, origin);
            const std::string ncm = FirstText(originNcm);
            if (!Trimmed(ncm).empty())
                value = classes.Code(ncm);
        }
        update.SetText(0, value);
        update.Execute();
    }
}

void BaselineMainSupplierCorrection(TBaselineRun& run) {
    const TRowStore products(run.origin, kProducts);
    TFbStatement originSupplier(
        run.origin, "SELECT FORNECE.NOME, FORNECE.CGCCPF FROM FORNECE WHERE FORNECE.CODFORNEC = ?");
    TFbStatement destinationSupplier(
        run.destination,
        "SELECT FORNECE.CODFORNEC FROM FORNECE WHERE FORNECE.NOME = ? AND FORNECE.CGCCPF = ?");
    TFbStatement update(run.destination,
                        " UPDATE PRODUTO SET PRODUTO.PRINCIPALFORNEC = ? "
                        "WHERE PRODUTO.CODPROD = ?");
    const TFbColumn& code = products.Layout().At("CODPROD");
    const TFbColumn& mainSupplier = products.Layout().At("PRINCIPALFORNEC");
    const TFbColumn& name = originSupplier.Layout().At("NOME");
    const TFbColumn& taxNumber = originSupplier.Layout().At("CGCCPF");

    for (size_t i = 0; i < products.Count(); ++i) {
        const char* row = products.Row(i);
        if (IsNull(mainSupplier, row)) {
            // A product without a main supplier keeps none.
            update.SetNull(0);
        } else {
            originSupplier.SetText(0, TextOf(mainSupplier, row));
            originSupplier.Execute();
            if (originSupplier.Fetch()) {
                destinationSupplier.SetText(0, TextOf(name, originSupplier.Row()));
                destinationSupplier.SetText(1, TextOf(taxNumber, originSupplier.Row()));
            } else {
                destinationSupplier.SetText(0, {});
                destinationSupplier.SetText(1, {});
            }
            originSupplier.CloseCursor();
            update.SetText(0, FirstText(destinationSupplier));
        }
        update.SetText(1, RecodificaProduto(KeyText(code, row)));
        update.Execute();
    }
}
