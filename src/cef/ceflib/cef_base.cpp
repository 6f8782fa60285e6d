#include "ceflib/cef_base.h"

#include <cstdlib>
#include <new>

#include <cef_capi.h>

#include "ceflib/cef_errors.h"
#include "ceflib/cef_loader.h"

namespace ceflib {
namespace {

std::atomic<int32_t> LiveBlockCount{0};

cef_base_t* BaseOf(void* data) noexcept { return static_cast<cef_base_t*>(data); }

// The runtime's counting moves the owner's own counter.
void CEF_CALLBACK SharedAddRef(cef_base_t* self) { TCefBaseOwn::OwnerOf(self)->AddReference(); }
int CEF_CALLBACK SharedRelease(cef_base_t* self) {
  return TCefBaseOwn::OwnerOf(self)->ReleaseReference() == 0 ? 1 : 0;
}
int CEF_CALLBACK SharedHasOneRef(cef_base_t* self) {
  return TCefBaseOwn::OwnerOf(self)->RefCount() == 1 ? 1 : 0;
}

// An object whose lifetime the runtime does not govern.
void CEF_CALLBACK OwnedAddRef(cef_base_t*) {}
int CEF_CALLBACK OwnedRelease(cef_base_t*) { return 1; }
int CEF_CALLBACK OwnedHasOneRef(cef_base_t*) { return 1; }

}  // namespace

void TInterfacedObject::AddReference() noexcept { FRefCount.fetch_add(1, std::memory_order_relaxed); }

int32_t TInterfacedObject::ReleaseReference() noexcept {
  int32_t left = FRefCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (left == 0) delete this;
  return left;
}

TCefBaseOwn::TCefBaseOwn(size_t size, bool owned) {
  void* block = std::calloc(1, size + sizeof(void*));
  if (!block) throw std::bad_alloc();
  LiveBlockCount.fetch_add(1, std::memory_order_relaxed);
  *static_cast<TCefBaseOwn**>(block) = this;
  FData = static_cast<char*>(block) + sizeof(void*);
  cef_base_t* base = BaseOf(FData);
  base->size = size;
  base->add_ref = owned ? OwnedAddRef : SharedAddRef;
  base->release = owned ? OwnedRelease : SharedRelease;
  base->has_one_ref = owned ? OwnedHasOneRef : SharedHasOneRef;
}

TCefBaseOwn::~TCefBaseOwn() {
  std::free(static_cast<char*>(FData) - sizeof(void*));
  LiveBlockCount.fetch_sub(1, std::memory_order_relaxed);
}

void* TCefBaseOwn::Wrap() noexcept {
  cef_base_t* base = BaseOf(FData);
  if (base->add_ref) base->add_ref(base);
  return FData;
}

int32_t TCefBaseOwn::LiveBlocks() noexcept { return LiveBlockCount.load(std::memory_order_relaxed); }

TCefBaseRef::TCefBaseRef(void* data) : FData(data), FLibraryUnloads(LibraryUnloads()) {
  if (!data) CefAssertionFailed(__LINE__);
}

TCefBaseRef::~TCefBaseRef() {
  // A wrapper that outlived the runtime (a global torn down at process exit, say) would call
  // into freed code here.
  if (LibraryGone()) return;
  cef_base_t* base = BaseOf(FData);
  if (base->release) base->release(base);
}

bool TCefBaseRef::LibraryGone() const noexcept { return LibraryUnloads() != FLibraryUnloads; }

void* TCefBaseRef::Wrap() noexcept {
  if (LibraryGone()) return nullptr;
  cef_base_t* base = BaseOf(FData);
  if (base->add_ref) base->add_ref(base);
  return FData;
}

RefPtr<ICefBase> TCefBaseRef::UnWrap(void* data) {
  if (!data) return nullptr;
  return MakeRef<TCefBaseRef>(data);
}

}  // namespace ceflib
