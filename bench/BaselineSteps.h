#pragma once
// The steps of the baseline (Baseline.h), each on the run's two transactions.

#include "RawClient.h"

struct TBaselineRun {
    TFbTransaction& origin;       // read-only, for the whole run
    TFbTransaction& destination;  // the run's transaction
};

void BaselineClients(TBaselineRun& run);
void BaselineSuppliers(TBaselineRun& run);
void BaselineProducts(TBaselineRun& run);
void BaselineStockCorrection(TBaselineRun& run);
void BaselineFiscalClassCorrection(TBaselineRun& run);
void BaselineMainSupplierCorrection(TBaselineRun& run);

// The nine ALTER TRIGGER statements in `destination`, not committed.
void BaselineSwitchTriggers(TFbTransaction& destination, bool active);
