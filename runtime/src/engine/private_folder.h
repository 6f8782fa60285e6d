#pragma once
// Folders and pipes that only this user (and the system) may open: the engine's profile holds
// every cookie of the wall, and the engine's pipe drives it.

#include <windows.h>

#include <string>

namespace standin::engine {

// Security attributes granting access to the user and the system only, no one else; null
// when they cannot be built (the caller's object then gets the default).
SECURITY_ATTRIBUTES* PrivateAttributes();

// Creates folder (and its parents) private to the user; an existing folder is made private
// too. Under Wine the engine's shell sets the Unix mode (Wine maps an access list to group
// bits of its own), so only a new folder is made here.
bool EnsurePrivateFolder(const std::wstring& folder);

// A private folder that did not exist before, so no one else's files can stand in it.
bool CreateNewPrivateFolder(const std::wstring& folder);

}  // namespace standin::engine
