#pragma once
// ICefDragData: the data of a drag operation (cef_drag_data_t), reached through its wrapper
// TCefDragDataRef. New makes an empty one through the runtime.

#include <cstddef>

#include <cef_capi.h>

#include "ceflib/cef_base.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefDragData : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefDragData> UnWrap(void* data);
  static RefPtr<ICefDragData> New();

  virtual RefPtr<ICefDragData> Clone() = 0;
  virtual bool IsReadOnly() = 0;
  virtual bool IsLink() = 0;
  virtual bool IsFragment() = 0;
  virtual bool IsFile() = 0;
  virtual ustring GetLinkUrl() = 0;
  virtual ustring GetLinkTitle() = 0;
  virtual ustring GetLinkMetadata() = 0;
  virtual ustring GetFragmentText() = 0;
  virtual ustring GetFragmentHtml() = 0;
  virtual ustring GetFragmentBaseUrl() = 0;
  virtual ustring GetFileName() = 0;
  // writer: an object implementing cef_stream_writer_t (nil asks only for the size).
  virtual size_t GetFileContents(const RefPtr<ICefBase>& writer) = 0;
  // Appends the file names to names.
  virtual bool GetFileNames(ustringlist& names) = 0;
  virtual void SetLinkUrl(const ustring& url) = 0;
  virtual void SetLinkTitle(const ustring& title) = 0;
  virtual void SetLinkMetadata(const ustring& data) = 0;
  virtual void SetFragmentText(const ustring& text) = 0;
  virtual void SetFragmentHtml(const ustring& html) = 0;
  virtual void SetFragmentBaseUrl(const ustring& baseUrl) = 0;
  virtual void ResetFileContents() = 0;
  virtual void AddFile(const ustring& path, const ustring& displayName) = 0;
};

}  // namespace ceflib
