#pragma once
// The HTML page that lists a folder: the template resource, then one script call that names
// the folder and one per entry, folders first.

#include <string>
#include <string_view>
#include <vector>

#include "ceffilescheme/DataStream.h"
#include "ceffilescheme/FileInfo.h"

namespace ceffilescheme {

// The listing template: the RCDATA resource "CEFFILESCHEMEDIR" of the program's own module;
// empty when the program carries none.
std::string_view ListingTemplate();

// Entries of folder (which ends with a backslash), hidden and system ones included, "."
// left out; empty when the folder cannot be enumerated.
std::vector<TFileInfo> ListFolder(const std::wstring& folder);

// Folders before files, then names compared case-insensitively with a to z as A to Z and
// every other character by its code.
bool ListsBefore(const TFileInfo& a, const TFileInfo& b);
void SortEntries(std::vector<TFileInfo>& entries);

// Appends the whole page for folder (ending with a backslash) to stream.
void BuildListingPage(const std::wstring& folder, TMemoryStream& stream);

}  // namespace ceffilescheme
