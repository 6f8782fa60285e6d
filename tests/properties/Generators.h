#pragma once
// Random texts for the properties: alphabets chosen so that the interesting characters
// (separators, quotes, escapes, surrogates, NUL) turn up in most cases.

#include <random>
#include <string>
#include <string_view>

namespace properties {

class TGen {
 public:
  explicit TGen(std::uint64_t seed) : FRandom(seed) {}

  // A whole number in [low, high].
  long long Int(long long low, long long high) {
    return std::uniform_int_distribution<long long>(low, high)(FRandom);
  }
  bool Chance(int percent) { return Int(0, 99) < percent; }
  wchar_t Pick(std::wstring_view from) { return from[static_cast<size_t>(Int(0, static_cast<long long>(from.size()) - 1))]; }

  // Up to maxLength characters drawn from the alphabet.
  std::wstring Text(std::wstring_view alphabet, int maxLength) {
    std::wstring text(static_cast<size_t>(Int(0, maxLength)), L'\0');
    for (wchar_t& c : text) c = Pick(alphabet);
    return text;
  }
  // Any UTF-16 unit, lone surrogates and NUL included.
  wchar_t AnyUnit() { return static_cast<wchar_t>(Int(0, 0xFFFF)); }

 private:
  std::mt19937_64 FRandom;
};

// The text as printable ASCII, for failure reports.
std::string Escaped(std::wstring_view text);

}  // namespace properties
