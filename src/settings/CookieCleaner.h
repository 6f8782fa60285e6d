#pragma once
// Deleting the cookies that the screen's browsers keep between runs.

#include <string>

// Points the runtime's global cookie store at cookieFolder (as the screen
// window does) and starts deleting every cookie in it. The runtime deletes
// them one by one on a thread of its own, after this returns. Raises an
// Exception when the runtime will not start the deletion, so that nobody is
// told the cookies are gone when they are not.
void DeleteAllCookies(const std::wstring& cookieFolder);
