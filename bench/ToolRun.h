#pragma once
// The tool's side of the benchmark: the program's own run (FEfetuaConversao with all six
// options) on two database files, opened as the terminal runner opens them, timed per
// segment (StepTimes.h) through the progress display.
//
// The step boundaries come from the progress label: a step ends when it clears the label,
// which each step does exactly once, after its last row; the label's first text after that
// must carry the next step's prefix (Passos.h). The run begins at the gauge reset that
// FEfetuaConversao does first, and its commit segment ends when the success message is shown.
// The test suite's recording platform keeps the messages: anything but the one success
// message fails the measure.
//
// Fails with std::runtime_error (or the database's error from opening the files).

#include "StepTimes.h"
#include "Text.h"

TStepTimes RunTool(const Text& originPath, const Text& destinationPath);
