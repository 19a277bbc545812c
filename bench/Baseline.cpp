#include "Baseline.h"

#include "BaselineSteps.h"

namespace {

constexpr const char* kTriggers[] = {
    "PRODUTO_BI0", "MVGERAL_AD0", "MVGERAL_AI0",  "MVGERAL_AU0",  "MVGERAL_BD0",
    "MVGERAL_BI0", "MVGERAL_BU0", "COMPCLIE_AI0", "COMPCLIE_AU0",
};

}  // namespace

void BaselineSwitchTriggers(TFbTransaction& destination, bool active) {
    for (const char* trigger : kTriggers)
        destination.ExecuteImmediate(std::string("ALTER TRIGGER ") + trigger +
                                     (active ? " ACTIVE" : " INACTIVE"));
}

TStepTimes RunBaseline(const std::string& originPath, const std::string& destinationPath) {
    TFbAttachment origin(originPath, "SYSDBA", "tarnblade");
    TFbAttachment destination(destinationPath, "SYSDBA", "tarnblade");
    TFbTransaction originTr(origin, true);
    TFbTransaction destinationTr(destination, false);

    TSegmentClock clock;
    BaselineSwitchTriggers(destinationTr, false);
    destinationTr.Commit();
    destinationTr.Start();

    TBaselineRun run{originTr, destinationTr};
    void (*const steps[])(TBaselineRun&) = {
        BaselineClients,
        BaselineSuppliers,
        BaselineProducts,
        BaselineStockCorrection,
        BaselineFiscalClassCorrection,
        BaselineMainSupplierCorrection,
    };
    size_t segment = 0;
    for (auto step : steps) {
        step(run);
        clock.Mark(segment++);
    }
    BaselineSwitchTriggers(destinationTr, true);
    destinationTr.Commit();
    clock.Mark(segment);
    clock.Finish();
    return clock.Times();
}
