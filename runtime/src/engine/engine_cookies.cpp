#include "engine_cookies.h"

namespace standin::engine {

using json = nlohmann::json;

cookies::TCookie CookieOfEngine(const json& record) {
  cookies::TCookie cookie;
  cookie.name = record.value("name", "");
  cookie.value = record.value("value", "");
  cookie.domain = record.value("domain", "");
  cookie.path = record.value("path", "/");
  cookie.secure = record.value("secure", false);
  cookie.httponly = record.value("httpOnly", false);
  double expires = record.value("expires", -1.0);
  cookie.has_expires = !record.value("session", true) && expires > 0;
  if (cookie.has_expires) cookie.expires = static_cast<int64_t>(expires * 1e6);
  cookie.same_site = record.value("sameSite", "");
  cookie.priority = record.value("priority", "");
  if (auto key = record.find("partitionKey"); key != record.end() && !key->is_null()) cookie.partition_key = key->dump();
  return cookie;
}

json EngineCookieOf(const cookies::TCookie& cookie) {
  json record = {{"name", cookie.name},     {"value", cookie.value},       {"path", cookie.path},
                 {"secure", cookie.secure}, {"httpOnly", cookie.httponly}};
  // Given a domain, the engine makes a domain cookie; a host cookie needs its address.
  if (cookie.IsHostOnly()) {
    record["url"] = (cookie.secure ? "https://" : "http://") + cookie.domain + cookie.path;
  } else {
    record["domain"] = cookie.domain;
  }
  if (cookie.has_expires) record["expires"] = static_cast<double>(cookie.expires) / 1e6;
  if (!cookie.same_site.empty()) record["sameSite"] = cookie.same_site;
  if (!cookie.priority.empty()) record["priority"] = cookie.priority;
  if (!cookie.partition_key.empty()) {
    json key = json::parse(cookie.partition_key, nullptr, false);
    if (!key.is_discarded()) record["partitionKey"] = std::move(key);
  }
  return record;
}

json EngineRemovalOf(const cookies::TCookie& cookie) {
  cookies::TCookie gone = cookie;
  gone.value.clear();
  gone.has_expires = true;
  gone.expires = 1000000;  // long past
  return EngineCookieOf(gone);
}

}  // namespace standin::engine
