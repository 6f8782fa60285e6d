#pragma once
// The runtime's string maps (unique keys) and multimaps (keys may repeat), as taken by the
// header-map and element-attribute operations: an operation passes the object's handle to the
// runtime, which reads or fills it. TCefStringMap and TCefStringMultimap own a runtime handle
// for their lifetime.

#include <cef_capi.h>

#include "ceflib/cef_marshal.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefStringMap {
 public:
  virtual cef_string_map_t Handle() const noexcept = 0;

 protected:
  ~ICefStringMap() = default;
};

class ICefStringMultimap {
 public:
  virtual cef_string_multimap_t Handle() const noexcept = 0;

 protected:
  ~ICefStringMultimap() = default;
};

class TCefStringMap final : public ICefStringMap {
 public:
  TCefStringMap();
  ~TCefStringMap();
  TCefStringMap(const TCefStringMap&) = delete;
  TCefStringMap& operator=(const TCefStringMap&) = delete;

  cef_string_map_t Handle() const noexcept override { return FMap; }
  int Size() const;
  ustring Key(int index) const;
  ustring Value(int index) const;
  // The value of key; empty when there is none.
  ustring Find(const ustring& key) const;
  bool Append(const ustring& key, const ustring& value);

 private:
  cef_string_map_t FMap;
};

class TCefStringMultimap final : public ICefStringMultimap {
 public:
  TCefStringMultimap();
  ~TCefStringMultimap();
  TCefStringMultimap(const TCefStringMultimap&) = delete;
  TCefStringMultimap& operator=(const TCefStringMultimap&) = delete;

  cef_string_multimap_t Handle() const noexcept override { return FMap; }
  int Size() const;
  ustring Key(int index) const;
  ustring Value(int index) const;
  int FindCount(const ustring& key) const;
  // The valueIndex-th value of key; empty when there is none.
  ustring Enumerate(const ustring& key, int valueIndex) const;
  bool Append(const ustring& key, const ustring& value);

 private:
  cef_string_multimap_t FMap;
};

// The handle of a map goes to the runtime as it is; the runtime reads or fills the map.
// (Both handle types are void*: the map's own type tells them apart.)
template <class A>
  requires std::derived_from<std::remove_cvref_t<A>, ICefStringMap>
class TCefToRuntime<cef_string_map_t, A> {
 public:
  explicit TCefToRuntime(const ICefStringMap& map) noexcept : FHandle(map.Handle()) {}
  cef_string_map_t Get() const noexcept { return FHandle; }
  void Commit() noexcept {}

 private:
  cef_string_map_t FHandle;
};

template <class A>
  requires std::derived_from<std::remove_cvref_t<A>, ICefStringMultimap>
class TCefToRuntime<cef_string_multimap_t, A> {
 public:
  explicit TCefToRuntime(const ICefStringMultimap& map) noexcept : FHandle(map.Handle()) {}
  cef_string_multimap_t Get() const noexcept { return FHandle; }
  void Commit() noexcept {}

 private:
  cef_string_multimap_t FHandle;
};

}  // namespace ceflib
