// A stand-in fbclient.dll for the Windows tests where no Firebird kit is at hand (the
// cross-build under Wine). It has no database engine: every call fails. What it does do is
// show what the program hands the client library: isc_attach_database appends the file name
// it receives, as UTF-8, to the file named by FBCLIENT_STAND_IN_LOG, one name a line. The name
// is read as the real library reads it: UTF-8 when the parameter block carries
// isc_dpb_utf8_filename, else in the ANSI code page.
//
// It exports the names of cmake/fbclient.def (the linker checks that each is defined here).
// The few that db/ calls on a failure path behave as the library documents; the others fail.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using TStatusWord = intptr_t;  // ISC_STATUS on 64-bit Windows

constexpr TStatusWord kArgGds = 1;
constexpr TStatusWord kArgEnd = 0;
constexpr TStatusWord kUnavailable = 335544375;  // isc_unavailable
constexpr char kDpbUtf8FileName = 77;            // isc_dpb_utf8_filename
constexpr char kMessage[] = "Stand-in client library: no database engine";

TStatusWord Fail(TStatusWord* status) {
    status[0] = kArgGds;
    status[1] = kUnavailable;
    status[2] = kArgEnd;
    return kUnavailable;
}

bool HasUtf8FileName(const char* dpb, short length) {
    // Version byte, then clumplets of a tag, a length byte and the value.
    for (short i = 1; dpb != nullptr && i + 1 < length; i += short(2 + uint8_t(dpb[i + 1])))
        if (dpb[i] == kDpbUtf8FileName)
            return true;
    return false;
}

void Record(const char* name, short length, bool utf8) {
    const char* path = std::getenv("FBCLIENT_STAND_IN_LOG");
    if (path == nullptr)
        return;
    const size_t size = length > 0 ? size_t(length) : std::strlen(name);
    std::string text(name, size);
    if (!utf8) {
        const int wide = MultiByteToWideChar(CP_ACP, 0, name, int(size), nullptr, 0);
        std::wstring w(size_t(wide), L'\0');
        MultiByteToWideChar(CP_ACP, 0, name, int(size), w.data(), wide);
        const int bytes =
            WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
        text.assign(size_t(bytes), '\0');
        WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, text.data(), bytes, nullptr, nullptr);
    }
    if (FILE* log = std::fopen(path, "ab")) {
        std::fwrite(text.data(), 1, text.size(), log);
        std::fputc('\n', log);
        std::fclose(log);
    }
}

}  // namespace

extern "C" {

TStatusWord isc_attach_database(TStatusWord* status, short length, const char* name, void*,
                                short dpbLength, const char* dpb) {
    Record(name, length, HasUtf8FileName(dpb, dpbLength));
    return Fail(status);
}

// One message per call, the vector moved past it; 0 at its end.
int32_t fb_interpret(char* buffer, unsigned size, const TStatusWord** vector) {
    if (*vector == nullptr || (*vector)[0] != kArgGds || size < sizeof kMessage)
        return 0;
    std::memcpy(buffer, kMessage, sizeof kMessage);
    *vector += 2;
    return int32_t(sizeof kMessage - 1);
}

int32_t isc_sqlcode(const TStatusWord*) {
    return -904;  // unavailable database
}

int32_t isc_vax_integer(const char* bytes, short length) {
    int32_t value = 0;
    for (short i = length - 1; i >= 0; --i)
        value = value * 256 + uint8_t(bytes[i]);
    return value;
}

// Calls that write no status vector.
void isc_encode_sql_date(const void*, void*) {}
void isc_encode_timestamp(const void*, void*) {}

// Everything else: the status vector comes first; the call fails.
#define UNIFICADOR_FAILS(name)              \
    TStatusWord name(TStatusWord* status) { \
        return Fail(status);                \
    }
UNIFICADOR_FAILS(fb_disconnect_transaction)
UNIFICADOR_FAILS(isc_cancel_blob)
UNIFICADOR_FAILS(isc_close_blob)
UNIFICADOR_FAILS(isc_commit_transaction)
UNIFICADOR_FAILS(isc_create_blob2)
UNIFICADOR_FAILS(isc_create_database)
UNIFICADOR_FAILS(isc_database_info)
UNIFICADOR_FAILS(isc_detach_database)
UNIFICADOR_FAILS(isc_dsql_allocate_statement)
UNIFICADOR_FAILS(isc_dsql_describe)
UNIFICADOR_FAILS(isc_dsql_describe_bind)
UNIFICADOR_FAILS(isc_dsql_execute)
UNIFICADOR_FAILS(isc_dsql_execute2)
UNIFICADOR_FAILS(isc_dsql_execute_immediate)
UNIFICADOR_FAILS(isc_dsql_fetch)
UNIFICADOR_FAILS(isc_dsql_free_statement)
UNIFICADOR_FAILS(isc_dsql_prepare)
UNIFICADOR_FAILS(isc_dsql_sql_info)
UNIFICADOR_FAILS(isc_get_segment)
UNIFICADOR_FAILS(isc_open_blob2)
UNIFICADOR_FAILS(isc_put_segment)
UNIFICADOR_FAILS(isc_rollback_transaction)
UNIFICADOR_FAILS(isc_start_transaction)
#undef UNIFICADOR_FAILS

}  // extern "C"
