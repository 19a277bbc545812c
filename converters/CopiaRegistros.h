#pragma once
// The row copy every converter uses: read a whole origin table, build once an insert into the
// destination table of the same name from the read's column list ("P" + column name for each
// parameter), and copy each origin row's values into it, the key column receiving the
// recoded key.

#include <vector>

#include "IBQuery.h"
#include "Text.h"

// Clears the statement of `qryBusca`, sets it to `selectText`, opens it and returns it.
TIBQuery& AbreConsulta(TIBQuery& qryBusca, const Text& selectText);

// Appends to `qryGrava`'s statement the insert into `vNomeTabela` built from the fields of the
// open `qryBusca`, one line per piece. Fails, before anything is written, when a column name
// is not a plain identifier (a letter, then letters, digits, "_" or "$"), since such a name
// would change the statement.
void MontaInsert(TIBQuery& qryBusca, TIBQuery& qryGrava, const Text& vNomeTabela);

// Fails unless `name` is a plain identifier (see MontaInsert).
void ExigeIdentificadorSimples(const Text& name, const Text& vNomeTabela);

// Copies the current row of a read query into the parameters of a write query built by
// MontaInsert (or any statement with a "P" + column parameter per column). The parameters
// are looked up once; every parameter is set on every row.
class TCopiaLinha {
  public:
    // `keyColumn` is compared with the field names exactly, case included.
    TCopiaLinha(TIBQuery& qryBusca, TIBQuery& qryGrava, const Text& keyColumn);
    // Fills every parameter from the current row; the key's parameter gets `key` as text.
    void Preenche(const Text& key);

  private:
    struct TPar {
        TField field;
        TParam* param;
    };
    std::vector<TPar> pares_;
    TParam* keyParam_ = nullptr;
};

// The value of a field converted to text, as the run-time's variant conversion does it:
// NULL cannot be converted and fails with "Could not convert variant of type (Null) into type
// (OleStr)".
Text VarianteComoTexto(const TField& field);
