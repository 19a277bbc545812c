#include "Baseline.h"

#include "BaselineSteps.h"
#include "Login.h"
#include "classConversao.h"

void BaselineSwitchTriggers(TFbTransaction& destination, bool active) {
    for (const char16_t* trigger : TConversao::Triggers())
        destination.ExecuteImmediate("ALTER TRIGGER " + ToUtf8(trigger) +
                                     (active ? " ACTIVE" : " INACTIVE"));
}

TStepTimes RunBaseline(const std::string& originPath, const std::string& destinationPath) {
    const std::string user = ToUtf8(kFixedUser), password = ToUtf8(kFixedPassword);
    TFbAttachment origin(originPath, user, password);
    TFbAttachment destination(destinationPath, user, password);
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
