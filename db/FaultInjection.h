#pragma once
// Test support: a hook that sees every statement text just before it is executed or opened,
// and may raise to simulate a failure of that statement (a lost connection, a refusal). The
// program never installs one.

#include <functional>

#include "Text.h"

using TStatementHook = std::function<void(const Text& statement)>;

// Installs `hook` (an empty function removes it).
void SetStatementHook(TStatementHook hook);
