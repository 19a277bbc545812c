#pragma once
// The baseline: the database work of the tool's run with all six options, written directly on
// the client library (RawClient.h), to measure how close the tool comes to the library's floor.
//
// Same work, same order: the nine triggers switched off (committed), then in one transaction
// of the destination the clients, suppliers and products copies, the stock, fiscal
// classification and main supplier corrections, the triggers switched on and the commit; the
// origin is read in one read-only transaction. Every statement is prepared once per step and
// executed per row with its parameters pointing at the native bytes of the origin row. Each
// origin table is read whole with a cursor before its rows are used, as the tool reads them,
// and kept in memory; complements and details are found by key in a hash map (the first row
// of each key, as a search from the first row would find).
// The corrections look up per product as the tool does (origin NCM, destination CLASFISC with
// its creation when missing, origin and destination supplier). Like the tool, the movement
// type of the stock correction is the text '04', and a product without main supplier gets
// NULL without look-ups.
//
// Fails with the database's EIBError at its first error (TFbError for the baseline's own);
// nothing is committed then except the trigger switch.

#include <string>

#include "StepTimes.h"

// Attaches both database files (the fixed login of Login.h, no character set), runs and times the
// segments of StepTimes.h; attaching and detaching are not timed.
TStepTimes RunBaseline(const std::string& originPath, const std::string& destinationPath);
