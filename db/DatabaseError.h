#pragma once
// Errors of the database layer.
//
// EDatabaseError carries the layer's own fixed texts ("Transaction is not active", ...).
// EIBError carries a database error: the client library's texts for the error status joined
// by carriage return and line feed, one final full stop removed; the numeric codes are kept
// but are not part of the message.

#include <cstdint>

#include "Error.h"

class EDatabaseError : public EError {
  public:
    using EError::EError;
};

class EIBError : public EDatabaseError {
  public:
    EIBError(Text message, int64_t errorCode, int32_t sqlCode)
        : EDatabaseError(std::move(message)), errorCode_(errorCode), sqlCode_(sqlCode) {}
    int64_t ErrorCode() const { return errorCode_; }  // the first code of the status vector
    int32_t SQLCode() const { return sqlCode_; }

  private:
    int64_t errorCode_;
    int32_t sqlCode_;
};
