#pragma once
// Finds the parameters of a statement text.
//
// Text between a pair of '...', "..." or `...` is skipped; "::" stays in the text and starts no
// parameter; a single ":" starts a parameter whose name runs to the first blank, comma,
// semicolon, ")", CR, LF or the end (or between quotes written right after the colon). Each
// occurrence is one parameter, in order; the server text has "?" in place of each.

#include <vector>

#include "Text.h"

struct TScannedStatement {
    Text serverText;
    std::vector<Text> names;
};

TScannedStatement ScanParameters(TextView text);
