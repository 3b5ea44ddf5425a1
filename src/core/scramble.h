#pragma once
// The two scrambling schemes of the media and text files. The additive scheme
// shifts the first bytes of a file by a running key; the printable-range scheme
// rotates printable characters. The inverses are for the build tools and tests.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tvz {

struct ScrambleKey {
  int start;
  int step;
  std::size_t count;  // leading bytes processed; 0 = all of them
};

inline constexpr ScrambleKey kPictureKey{83, 13, 256};
inline constexpr ScrambleKey kSoundKey{62, 6, 64};
inline constexpr ScrambleKey kTextFileKey{58, 9, 0};  // question bank texts, champions file
inline constexpr ScrambleKey kHelpKey{23, 8, 0};
inline constexpr ScrambleKey kNameTableKey{23, 8, 0};      // printable range
inline constexpr ScrambleKey kChampionEntryKey{58, 9, 0};  // printable range

// Adds the running key to the first `count` bytes (all when count is 0 or not
// smaller than size).
void Unscramble(std::uint8_t* data, std::size_t size, int startKey, std::size_t count, int step);
// Subtracts the same key sequence: Scramble then Unscramble is the identity.
void Scramble(std::uint8_t* data, std::size_t size, int startKey, std::size_t count, int step);

// Printable-range scheme; characters are taken as signed 8-bit values.
std::string DescrambleText(std::string_view text, int startKey, int step);
// Inverse for printable text (32..126); other characters are left as they are.
std::string ScrambleText(std::string_view text, int startKey, int step);

}  // namespace tvz
