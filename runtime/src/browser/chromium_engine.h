#pragma once
// The installed Chromium that renders the runtime's pages, one per process: found and
// started at initialize on a thread of its own (so start-up costs the program nothing), ended
// at shutdown. The journal says which engine shows pages, and why the text display does.

#include "devtools_connection.h"

#include <functional>
#include <memory>
#include <string>

namespace standin {

class TChromiumEngine {
 public:
  using TConnectionRef = std::shared_ptr<engine::TDevToolsConnection>;
  using TTargetListener = std::function<void(const std::string& method, const engine::json& params)>;

  static TChromiumEngine& Instance();

  // At initialize; profile_root is the runtime's cache folder (empty: a temporary folder).
  void Start(const std::wstring& profile_root);
  // Waits for the start to finish; null when the pages use the text display.
  TConnectionRef Connection();
  // At shutdown: ends the engine.
  void Stop();
  // The engine reads Unix paths: a Linux engine started under Wine.
  bool UnixEngine() const;

  // Browser-wide events about one target (its title changes) and "Engine.ended" when the
  // engine goes away, on the connection's receiving thread.
  void ListenToTarget(const std::string& target_id, TTargetListener listener);
  void StopListeningToTarget(const std::string& target_id);

 private:
  TChromiumEngine() = default;
};

}  // namespace standin
