#pragma once
// The terminal runner: the whole sequence an operator goes through in the window, from the
// command line to the exit status.
//
// Parses the arguments; sets up the origin and destination connections, each with its own
// transaction; opens the origin, then the destination, as "Abrir" does (a database error while
// opening is printed through the default error display and the runner goes on; a file not
// given is not opened) and warns when the destination's triggers are switched off; checks the
// destination as "Converter" does; builds the option list from the step flags and runs the
// conversion.
//
// Returns the exit status: 0 when the run reported success, 1 when it failed (or an error
// escaped it, printed through the default error display), 2 for a usage error (message and
// usage on `err`) or a failed check before the run. --help prints the help on `out`, 0.
// Progress goes to `err`. The runner installs its own platform while it runs.

#include <ostream>
#include <string>
#include <vector>

#include "TerminalProgress.h"

int RunUnificador(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  TTerminalProgress::TClock clock = std::chrono::steady_clock::now);
