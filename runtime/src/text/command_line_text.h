#pragma once
// Splitting and quoting Windows command lines, by the rules the C runtime uses for argv.

#include <string>
#include <string_view>
#include <vector>

namespace standin {

// Splits a command line into its arguments (backslashes escape quotes; "" inside quotes is a quote).
std::vector<std::wstring> SplitCommandLine(std::wstring_view text);

// One argument written so that SplitCommandLine gives it back unchanged.
std::wstring QuoteArgument(std::wstring_view arg);

}  // namespace standin
