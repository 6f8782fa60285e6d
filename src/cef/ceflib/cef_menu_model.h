#pragma once
// ICefMenuModel: a runtime menu (cef_menu_model_t), reached through its wrapper
// TCefMenuModelRef. Items are addressed by command id or, in the ...At operations, by index.

#include <cef_capi.h>

#include "ceflib/cef_base.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefMenuModel : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefMenuModel> UnWrap(void* data);

  virtual bool Clear() = 0;
  virtual int GetCount() = 0;
  virtual bool AddSeparator() = 0;
  virtual bool AddItem(int commandId, const ustring& label) = 0;
  virtual bool AddCheckItem(int commandId, const ustring& label) = 0;
  virtual bool AddRadioItem(int commandId, const ustring& label, int groupId) = 0;
  virtual RefPtr<ICefMenuModel> AddSubMenu(int commandId, const ustring& label) = 0;
  virtual bool InsertSeparatorAt(int index) = 0;
  virtual bool InsertItemAt(int index, int commandId, const ustring& label) = 0;
  virtual bool InsertCheckItemAt(int index, int commandId, const ustring& label) = 0;
  virtual bool InsertRadioItemAt(int index, int commandId, const ustring& label, int groupId) = 0;
  virtual RefPtr<ICefMenuModel> InsertSubMenuAt(int index, int commandId, const ustring& label) = 0;
  virtual bool Remove(int commandId) = 0;
  virtual bool RemoveAt(int index) = 0;
  virtual int GetIndexOf(int commandId) = 0;
  virtual int GetCommandIdAt(int index) = 0;
  virtual bool SetCommandIdAt(int index, int commandId) = 0;
  virtual ustring GetLabel(int commandId) = 0;
  virtual ustring GetLabelAt(int index) = 0;
  virtual bool SetLabel(int commandId, const ustring& label) = 0;
  virtual bool SetLabelAt(int index, const ustring& label) = 0;
  virtual cef_menu_item_type_t GetType(int commandId) = 0;
  virtual cef_menu_item_type_t GetTypeAt(int index) = 0;
  virtual int GetGroupId(int commandId) = 0;
  virtual int GetGroupIdAt(int index) = 0;
  virtual bool SetGroupId(int commandId, int groupId) = 0;
  virtual bool SetGroupIdAt(int index, int groupId) = 0;
  virtual RefPtr<ICefMenuModel> GetSubMenu(int commandId) = 0;
  virtual RefPtr<ICefMenuModel> GetSubMenuAt(int index) = 0;
  virtual bool IsVisible(int commandId) = 0;
  virtual bool IsVisibleAt(int index) = 0;
  virtual bool SetVisible(int commandId, bool visible) = 0;
  virtual bool SetVisibleAt(int index, bool visible) = 0;
  virtual bool IsEnabled(int commandId) = 0;
  virtual bool IsEnabledAt(int index) = 0;
  virtual bool SetEnabled(int commandId, bool enabled) = 0;
  virtual bool SetEnabledAt(int index, bool enabled) = 0;
  virtual bool IsChecked(int commandId) = 0;
  virtual bool IsCheckedAt(int index) = 0;
  virtual bool SetChecked(int commandId, bool checked) = 0;
  virtual bool SetCheckedAt(int index, bool checked) = 0;
  virtual bool HasAccelerator(int commandId) = 0;
  virtual bool HasAcceleratorAt(int index) = 0;
  virtual bool SetAccelerator(int commandId, int keyCode, bool shiftPressed, bool ctrlPressed, bool altPressed) = 0;
  virtual bool SetAcceleratorAt(int index, int keyCode, bool shiftPressed, bool ctrlPressed, bool altPressed) = 0;
  virtual bool RemoveAccelerator(int commandId) = 0;
  virtual bool RemoveAcceleratorAt(int index) = 0;
  // The out values are set only when the item has an accelerator.
  virtual bool GetAccelerator(int commandId, int& keyCode, bool& shiftPressed, bool& ctrlPressed,
                              bool& altPressed) = 0;
  virtual bool GetAcceleratorAt(int index, int& keyCode, bool& shiftPressed, bool& ctrlPressed,
                                bool& altPressed) = 0;
};

}  // namespace ceflib
