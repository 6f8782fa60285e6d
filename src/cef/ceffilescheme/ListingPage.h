#pragma once
// The HTML page that lists a folder: the template resource, then one script call that names
// the folder and one per entry, folders first.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ceffilescheme/DataStream.h"
#include "ceffilescheme/FileInfo.h"

namespace ceffilescheme {

// The listing template: the RCDATA resource "CEFFILESCHEMEDIR" of the program's own module;
// empty when the program carries none.
std::string_view ListingTemplate();

// The most bytes a listing page may take. The page is built whole in memory on the runtime's
// loading thread, so a folder of millions of entries would take all the memory the process
// has; such a folder gets a short page that says it is too large. 32 MiB is three times the
// page of a folder of 100 000 entries with ordinary names (so some 340 000 of them, about
// 2.5 s of work here), and leaves a 32-bit process most of its address space.
constexpr size_t kMaxListingBytes = size_t{32} << 20;

// Entries of folder (which ends with a backslash), hidden and system ones included, "."
// left out; empty when the folder cannot be enumerated. Nothing once the entries' rows alone
// would take more than maxPageBytes: the reading stops there.
std::optional<std::vector<TFileInfo>> ListFolder(const std::wstring& folder,
                                                 size_t maxPageBytes = kMaxListingBytes);

// Folders before files, then names compared case-insensitively with a to z as A to Z and
// every other character by its code.
bool ListsBefore(const TFileInfo& a, const TFileInfo& b);
void SortEntries(std::vector<TFileInfo>& entries);

// Appends the whole page for folder (ending with a backslash) to stream; a page that would
// take more than maxPageBytes is replaced by a short one saying the folder is too large.
void BuildListingPage(const std::wstring& folder, TMemoryStream& stream, size_t maxPageBytes = kMaxListingBytes);

}  // namespace ceffilescheme
