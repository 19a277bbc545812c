#pragma once
// TClassesConversaoController: one conversion run, from the click on "Converter" to the final
// message.
//
// FEfetuaConversao switches the destination's nine triggers off (committed on its own),
// starts the run's transaction, calls each selected step in the fixed order of the table of
// steps (Passos.h), switches the triggers on again and commits everything together, and shows
// "Conversão concluída com sucesso!". A step is selected when the option list's value for its
// key is exactly "S".
//
// Any failure ends the run as a failure, with nothing of it left in the destination: the
// run's transaction is rolled back, the triggers are switched on again in a transaction of
// their own, "Ocorreu um erro durante a conversão! Motivo: " and the reason are shown, the
// gauge is reset and the result is false. This includes a failure to switch the triggers
// off (no step runs) or on again (every row is rolled back).
//
// Errors in starting the run's transaction are not caught: they reach the caller.

#include "IBDatabase.h"
#include "IBTransaction.h"
#include "Progress.h"
#include "StringList.h"

class TClassesConversaoController {
  public:
    bool FEfetuaConversao(const TStringList& MParams, TIBDatabase& BDOrigem, TIBDatabase& BDDestino,
                          TIBTransaction& Transacao, TGauge& Barra, TLabel& lblInfo);
};
