#pragma once
// Which installed Chromium shows the runtime's pages. STANDIN_RUNTIME_BROWSER names an
// executable, or "none" for the runtime's own text display; without it the usual install
// places of Edge and Chrome are tried, and under Wine Debian's /usr/bin/chromium.

#include <functional>
#include <string>
#include <vector>

namespace standin::engine {

struct TEngineSearch {
  bool setting_present = false;
  std::wstring setting;                       // STANDIN_RUNTIME_BROWSER
  bool under_wine = false;
  std::vector<std::wstring> install_roots;    // Program Files, Program Files (x86), local app data
  std::function<bool(const std::wstring&)> exists;
};

struct TEngineLocation {
  std::wstring executable;  // empty: use the text display
  std::string reason;       // why there is none, for the journal
};

TEngineLocation LocateEngine(const TEngineSearch& search);

// The search as this process sees it (environment, install folders, Wine or Windows).
TEngineSearch SystemEngineSearch();

}  // namespace standin::engine
