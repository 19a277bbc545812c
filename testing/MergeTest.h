#pragma once
// A test fixture for a merge: a branch (origin) and a head-office (destination) database of
// the test's dialect with the retail schema, the recording platform, label and gauge, and the
// Brazilian Portuguese regional settings.

#include <gtest/gtest.h>

#include "FormatSettings.h"
#include "RecordingPlatform.h"
#include "TempDatabase.h"

class TMergeTest : public ::testing::TestWithParam<int> {
  protected:
    TMergeTest()
        : originFile(GetParam()),
          destinationFile(GetParam()),
          origin(originFile.Path()),
          destination(destinationFile.Path()) {
        SetFormatSettings(TFormatSettings::BrazilianPortuguese());
    }

    // The destination's rows of `sql` (see QueryRows).
    std::vector<Text> Rows(TextView sql) { return QueryRows(destination.db, sql); }

    TTempDatabase originFile, destinationFile;
    TConnection origin, destination;
    TRecordingPlatform platform;
    TRecordingLabel label;
    TRecordingGauge gauge;
};

inline std::string DialectName(const ::testing::TestParamInfo<int>& info) {
    return "Dialect" + std::to_string(info.param);
}
