// The child processes of the end-to-end tests: both output streams, the end of the input, and
// Kill, on the system's own programs (a shell, and one that reads its input until it ends).
#include <gtest/gtest.h>

#include <cstdlib>

#include "ChildProcess.h"
#include "Error.h"

namespace {

using namespace std::chrono_literals;

#ifdef _WIN32
std::string Shell() {
    const char* comspec = std::getenv("ComSpec");
    return comspec != nullptr ? comspec : "C:\\Windows\\System32\\cmd.exe";
}
// cmd reads commands from its input, so it runs until the input ends.
std::vector<std::string> Reader() {
    return {Shell(), "/d", "/q"};
}
std::vector<std::string> BothStreams() {
    return {Shell(), "/d", "/c", "echo saída& echo erro 1>&2"};
}
#else
std::vector<std::string> Reader() {
    return {"/bin/cat"};
}
std::vector<std::string> BothStreams() {
    return {"/bin/sh", "-c", "printf 'saída\\n'; printf 'erro\\n' >&2"};
}
#endif

TEST(ChildProcess, ReadsBothStreamsAndTheExitStatus) {
    TChildProcess program(BothStreams());
    EXPECT_TRUE(program.WaitForOutput("erro", 30s));
    EXPECT_EQ(program.Wait(), 0);
    EXPECT_TRUE(program.OutputEnded());
    EXPECT_NE(program.Out().find("sa"), std::string::npos) << program.Out();
    EXPECT_EQ(program.Out().find("erro"), std::string::npos) << program.Out();
    EXPECT_NE(program.Err().find("erro"), std::string::npos) << program.Err();
}

TEST(ChildProcess, AProgramReadingItsInputEndsWhenTheInputCloses) {
    TChildProcess program(Reader());
    EXPECT_FALSE(program.WaitFor(300ms));
    program.CloseInput();
    EXPECT_TRUE(program.WaitFor(30s));
    EXPECT_EQ(program.Wait(), 0);
}

TEST(ChildProcess, KillEndsAWaitingProgram) {
    TChildProcess program(Reader());
    EXPECT_FALSE(program.WaitFor(300ms));
    program.Kill();
    EXPECT_EQ(program.Wait(), TChildProcess::kKilledStatus);
    EXPECT_EQ(program.Wait(), TChildProcess::kKilledStatus);
}

TEST(ChildProcess, AMissingProgramIsAnError) {
    EXPECT_THROW(TChildProcess({"/nao/existe/programa"}), EError);
}

}  // namespace
