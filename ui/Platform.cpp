#include "Platform.h"

#include <cstdio>

namespace {
class TStderrPlatform final : public TPlatform {
  public:
    void ShowMessageBox(TMessageKind, const Text& text) override {
        std::fprintf(stderr, "%s\n", ToUtf8(text).c_str());
    }
    void ProcessMessages() override {}
    void ShowUnhandledError(const Text& message) override {
        std::fprintf(stderr, "%s\n", ToUtf8(message).c_str());
    }
};

TStderrPlatform& DefaultPlatform() {
    static TStderrPlatform platform;
    return platform;
}

TPlatform* current = nullptr;
}  // namespace

TPlatform& Platform() {
    return current ? *current : DefaultPlatform();
}
void SetPlatform(TPlatform* platform) {
    current = platform;
}
