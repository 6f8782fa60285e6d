#pragma once
// The engine's cookies (its Storage.getCookies records) as the runtime's store keeps them,
// and the records that set or remove one of ours in the engine.

#include "cookie.h"

#include <nlohmann/json.hpp>

namespace standin::engine {

cookies::TCookie CookieOfEngine(const nlohmann::json& record);
// For Storage.setCookies: a host cookie goes by its address, a domain cookie by its domain.
nlohmann::json EngineCookieOf(const cookies::TCookie& cookie);
// Storage.setCookies with this removes the engine's cookie of that name, domain and path.
nlohmann::json EngineRemovalOf(const cookies::TCookie& cookie);

}  // namespace standin::engine
