#include "core/scramble.h"

namespace tvz {
namespace {

std::size_t processedCount(std::size_t size, std::size_t count) {
  return (count == 0 || count >= size) ? size : count;
}

int nextTextKey(int key, int step) {
  key += step;
  if (key > 94) key -= 94;
  return key;
}

}  // namespace

void Unscramble(std::uint8_t* data, std::size_t size, int startKey, std::size_t count, int step) {
  const std::size_t n = processedCount(size, count);
  std::uint8_t key = static_cast<std::uint8_t>(startKey);
  for (std::size_t i = 0; i < n; ++i) {
    data[i] = static_cast<std::uint8_t>(data[i] + key);
    key = static_cast<std::uint8_t>(key + step);
  }
}

void Scramble(std::uint8_t* data, std::size_t size, int startKey, std::size_t count, int step) {
  const std::size_t n = processedCount(size, count);
  std::uint8_t key = static_cast<std::uint8_t>(startKey);
  for (std::size_t i = 0; i < n; ++i) {
    data[i] = static_cast<std::uint8_t>(data[i] - key);
    key = static_cast<std::uint8_t>(key + step);
  }
}

std::string DescrambleText(std::string_view text, int startKey, int step) {
  std::string out;
  out.reserve(text.size());
  int key = startKey;
  for (char ch : text) {
    int d = static_cast<std::int8_t>(ch) - key;
    if (d < 32)
      d += 95;
    else if (d > 126)
      d -= 95;
    out.push_back(static_cast<char>(d));
    key = nextTextKey(key, step);
  }
  return out;
}

std::string ScrambleText(std::string_view text, int startKey, int step) {
  std::string out;
  out.reserve(text.size());
  int key = startKey;
  for (char ch : text) {
    int c = static_cast<unsigned char>(ch);
    if (c >= 32 && c <= 126) {
      c += key;
      while (c > 126) c -= 95;
    }
    out.push_back(static_cast<char>(c));
    key = nextTextKey(key, step);
  }
  return out;
}

}  // namespace tvz
