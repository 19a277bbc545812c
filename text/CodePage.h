#pragma once
// The system's default single-byte code page, Windows-1252, used for all text exchanged with
// the database under the character set NONE.
//
// The mapping is a bijection between the 256 byte values and 256 characters: the five bytes
// that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control
// characters of the same value, so every byte survives a read and a write unchanged.

#include <string>
#include <string_view>

#include "Text.h"

Text DecodeCp1252(std::string_view bytes);

// Fails with EConvertError naming the first character that Windows-1252 cannot hold.
std::string EncodeCp1252(TextView text);
