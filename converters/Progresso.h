#pragma once
// The progress display of a step and the row loop every step runs under it.
//
// A step opens its origin read, calls Inicia (the gauge's maximum becomes the row count),
// prepares its writes and then hands its work for one row to Percorre, which does the rest:
// for each row, from the first, numbered from 1, the label becomes the prefix, the number,
// " de " and the total, pending messages are processed once, the row's work runs, the read
// moves to the next row and the gauge advances by 1. After the last row the label is empty
// and the gauge at 0 of 0. An error from the row's work leaves at once, with the label and
// gauge as that row left them.

#include <cstdint>
#include <functional>

#include "IBQuery.h"
#include "Progress.h"
#include "Text.h"

class TProgresso {
  public:
    TProgresso(TGauge& barra, TLabel& lblInfo, Text prefixo)
        : barra_(barra), lblInfo_(lblInfo), prefixo_(std::move(prefixo)) {}

    // Moves to the last row so the count covers the whole table, sets the gauge's maximum to
    // it, and moves back to the first row.
    void Inicia(TIBQuery& qryBusca);
    // Runs `trataLinha(vContaRegistro)` for every row of `qryBusca` from the current one (the
    // first, after Inicia), under the display rules above. `qryBusca` is the query given to
    // Inicia.
    void Percorre(TIBQuery& qryBusca,
                  const std::function<void(int32_t vContaRegistro)>& trataLinha);

  private:
    TGauge& barra_;
    TLabel& lblInfo_;
    Text prefixo_;
    Text total_;
};
