#pragma once
// The objects behind the opaque list, map and multimap handles, so that other parts of the
// runtime (the command line, later the request headers) can fill them directly.

#include <cef_capi.h>

#include <string>
#include <utility>
#include <vector>

namespace standin {

using TStringList = std::vector<std::wstring>;

// Pairs in insertion order. A map keeps each key once; a multimap keeps duplicates.
using TStringPairs = std::vector<std::pair<std::wstring, std::wstring>>;

TStringList* ListOf(cef_string_list_t handle);
TStringPairs* MapOf(cef_string_map_t handle);
TStringPairs* MultimapOf(cef_string_multimap_t handle);

}  // namespace standin
