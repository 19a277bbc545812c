// TConversao::PRemoveByteCDX: clears the "has structural index" flag of a table file header.

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "Error.h"
#include "classConversao.h"

namespace {

// The table flags byte of the header, and its "structural compound index" value.
constexpr std::streamoff kFlagOffset = 28;
constexpr char kStructuralIndex = 1;

Text SystemReason(int error) {
    if (error == 0)
        return u"unknown error";
    return FromUtf8(std::generic_category().message(error));
}

}  // namespace

void TConversao::PRemoveByteCDX(const Text& NomeArquivo) {
    // in|out never creates the file; no lock is taken, other processes may share it.
    errno = 0;
    std::fstream arquivo(std::filesystem::path(NomeArquivo),
                         std::ios::in | std::ios::out | std::ios::binary);
    if (!arquivo.is_open()) {
        const int error = errno;
        throw EError(u"Cannot open file \"" + NomeArquivo + u"\" for reading and writing: " +
                     SystemReason(error));
    }

    char flag = 0;
    arquivo.seekg(kFlagOffset);
    // A file too short to have the flags byte is left as it is.
    if (!arquivo.read(&flag, 1) || flag != kStructuralIndex)
        return;

    const char cleared = 0;
    arquivo.seekp(kFlagOffset);
    arquivo.write(&cleared, 1);
    arquivo.flush();
    if (!arquivo) {
        const int error = errno;
        throw EError(u"Cannot write file \"" + NomeArquivo + u"\": " + SystemReason(error));
    }
}
