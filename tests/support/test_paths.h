#pragma once
#include <string>

namespace kelpa::test {

// The folder that holds the program and the stand-in runtime; tests run there.
std::wstring BinDir();

// BinDir() joined with a file name.
std::wstring BinFile(const std::wstring& name);

// A new empty folder under the system's temporary folder, removed by the caller.
std::wstring MakeTempDir(const std::wstring& prefix);

// Removes a folder and everything below it; missing folders are fine.
void RemoveTree(const std::wstring& path);

}  // namespace kelpa::test
