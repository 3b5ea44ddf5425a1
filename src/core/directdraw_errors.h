#pragma once
// Descriptions of the display driver's result codes, as shown in the error box
// when the display cannot be set up.
#include <cstdint>
#include <string>

namespace tvz {

inline constexpr int kDirectDrawErrorCount = 107;
inline constexpr const char* kUnknownDirectDrawError = "An unknown error has been encountered.";

struct DirectDrawError {
  std::uint32_t code;
  const char* name;
  const char* description;
};

// The table, in the program's order.
const DirectDrawError* DirectDrawErrors();

// The description of a result code; unknown codes get kUnknownDirectDrawError.
std::string DirectDrawErrorDescription(std::int32_t code);

}  // namespace tvz
