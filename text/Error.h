#pragma once
// The one error type of the system: an exception carrying the message text that is shown
// to the operator. Subclasses only tell where it came from.

#include <stdexcept>

#include "Text.h"

class EError : public std::runtime_error {
  public:
    explicit EError(Text message)
        : std::runtime_error(ToUtf8(message)), message_(std::move(message)) {}
    const Text& Message() const { return message_; }

  private:
    Text message_;
};

// A value that cannot be turned into the requested kind (the runtime's conversion errors).
class EConvertError : public EError {
  public:
    using EError::EError;
};

// The message of any exception, as the system shows it.
inline Text ErrorMessage(const std::exception& e) {
    if (auto* err = dynamic_cast<const EError*>(&e))
        return err->Message();
    return FromUtf8(e.what());
}
