#pragma once
// The one translation of the client library's status vector into the layer's error. Private
// to db/ (and the benchmark's baseline): only these include the client library's header.
//
// Every call into the library gets a fresh TStatus; Check raises at once, before the next
// call can reuse the vector, so the error carries the texts of this call's failure.

#ifndef UNIFICADOR_DB_INTERNAL
#error "db/internal is private to the database layer"
#endif

#include <ibase.h>

struct TStatus {
    ISC_STATUS_ARRAY v{};
    ISC_STATUS* get() { return v; }
    bool Failed() const { return v[0] == 1 && v[1] != 0; }
};

// Raises the EIBError of `status`: the library's texts joined by CR LF (none after a text that
// ends in a line feed), one final full stop removed, and the first error code and SQL code.
[[noreturn]] void ThrowStatus(const TStatus& status);

inline void Check(const TStatus& status) {
    if (status.Failed())
        ThrowStatus(status);
}
