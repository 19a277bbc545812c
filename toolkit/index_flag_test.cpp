#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "Error.h"
#include "classConversao.h"

namespace {

namespace fs = std::filesystem;

// A scratch directory of its own under the system's temporary folder, removed afterwards.
class IndexFlag : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               (std::string("toolkit_index_flag_") + info->name() + "_" +
                std::to_string(std::hash<std::string>{}(fs::current_path().string())));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    fs::path Write(const std::string& name, const std::string& bytes) {
        fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
    static std::string Read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static Text NameOf(const fs::path& p) { return FromUtf8(p.string()); }

    // A header-like file: distinct bytes everywhere, `flag` at offset 28.
    static std::string Header(char flag, size_t size = 64) {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i)
            bytes[i] = char(0x30 + i % 64);
        bytes[28] = flag;
        return bytes;
    }

    fs::path dir_;
};

TEST_F(IndexFlag, ClearsTheStructuralIndexFlagOnly) {
    const fs::path p = Write("tabela.dbf", Header(1));
    TConversao::PRemoveByteCDX(NameOf(p));
    EXPECT_EQ(Read(p), Header(0));
    // A second run finds nothing to change.
    TConversao::PRemoveByteCDX(NameOf(p));
    EXPECT_EQ(Read(p), Header(0));
}

TEST_F(IndexFlag, OtherFlagValuesStay) {
    for (char flag : {'\x00', '\x02', '\x03', '\x07', '\xFF'}) {
        SCOPED_TRACE(int(static_cast<unsigned char>(flag)));
        const fs::path p = Write("outro.dbf", Header(flag));
        TConversao::PRemoveByteCDX(NameOf(p));
        EXPECT_EQ(Read(p), Header(flag));
    }
}

TEST_F(IndexFlag, FileOfExactly29BytesIsCleared) {
    const fs::path p = Write("curto.dbf", Header(1, 29));
    TConversao::PRemoveByteCDX(NameOf(p));
    EXPECT_EQ(Read(p), Header(0, 29));
}

TEST_F(IndexFlag, ShortFilesAreLeftUnchanged) {
    for (size_t size : {size_t(0), size_t(1), size_t(28)}) {
        SCOPED_TRACE(size);
        const std::string bytes(size, '\x01');
        const fs::path p = Write("curto.dbf", bytes);
        EXPECT_NO_THROW(TConversao::PRemoveByteCDX(NameOf(p)));
        EXPECT_EQ(Read(p), bytes);
    }
}

TEST_F(IndexFlag, NonAsciiFileName) {
    const fs::path p = Write(ToUtf8(T("ação.dbf")), Header(1));
    TConversao::PRemoveByteCDX(FromUtf8(p.string()));
    EXPECT_EQ(Read(p), Header(0));
}

TEST_F(IndexFlag, MissingFileFailsAndCreatesNothing) {
    const fs::path p = dir_ / "falta.dbf";
    try {
        TConversao::PRemoveByteCDX(NameOf(p));
        FAIL() << "no error for a missing file";
    } catch (const EError& e) {
        const std::string message = ToUtf8(e.Message());
        EXPECT_NE(message.find(p.string()), std::string::npos) << message;
        EXPECT_NE(message.find(std::generic_category().message(ENOENT)), std::string::npos)
            << message;
    }
    EXPECT_FALSE(fs::exists(p));
}

TEST_F(IndexFlag, DirectoryCannotBeOpened) {
    EXPECT_THROW(TConversao::PRemoveByteCDX(NameOf(dir_)), EError);
}

}  // namespace
