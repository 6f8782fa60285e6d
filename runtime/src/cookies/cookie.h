#pragma once
// One cookie as the store keeps it. Texts are UTF-8; times are microseconds since
// 1970-01-01 UTC. A domain cookie's domain starts with a dot, a host cookie's does not.

#include <chrono>
#include <cstdint>
#include <string>

namespace standin::cookies {

struct TCookie {
  std::string name;
  std::string value;
  std::string domain;
  std::string path;
  bool secure = false;
  bool httponly = false;
  bool has_expires = false;  // false: a session cookie
  int64_t expires = 0;
  int64_t creation = 0;
  int64_t last_access = 0;
  // What the page engine knows of a cookie beyond the runtime's own record, kept so that it
  // comes back as it was: "Strict", "Lax", "None" or empty (not said); "Low", "Medium",
  // "High" or empty; a partitioned cookie's key as the engine writes it (JSON), else empty.
  std::string same_site;
  std::string priority;
  std::string partition_key;

  bool IsExpiredAt(int64_t now) const { return has_expires && expires <= now; }
  bool IsHostOnly() const { return domain.empty() || domain.front() != '.'; }
  // Two cookies with the same name, domain and path are the same cookie.
  // A partitioned cookie is another cookie than the unpartitioned one of the same name.
  bool SameKey(const TCookie& other) const {
    return name == other.name && domain == other.domain && path == other.path && partition_key == other.partition_key;
  }
};

inline int64_t NowMicroseconds() {
  return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace standin::cookies
