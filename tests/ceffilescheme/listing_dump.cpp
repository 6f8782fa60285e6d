// Writes the listing page of a folder to a file, for listing_in_chromium.py to open in a
// real browser: listing_dump <folder ending with a backslash> <page file>.

#include <windows.h>

#include <cstdio>

#include "ceffilescheme/ListingPage.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  ceffilescheme::TMemoryStream page;
  ceffilescheme::BuildListingPage(argv[1], page);
  FILE* out = _wfopen(argv[2], L"wb");
  if (!out) return 1;
  bool written = std::fwrite(page.Bytes().data(), 1, page.Bytes().size(), out) == page.Bytes().size();
  return std::fclose(out) == 0 && written ? 0 : 1;
}
