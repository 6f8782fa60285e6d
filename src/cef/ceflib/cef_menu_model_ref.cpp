// TCefMenuModelRef: ICefMenuModel over the runtime's cef_menu_model_t, one line per member.

#include "ceflib/cef_menu_model.h"
#include "ceflib/cef_ref_of.h"

namespace ceflib {
namespace {

using M = cef_menu_model_t;

class TCefMenuModelRef final : public TCefRefOf<TCefMenuModelRef, ICefMenuModel, M> {
 public:
  using TCefRefOf::TCefRefOf;
  bool Clear() override { return Call(&M::clear); }
  int GetCount() override { return Call(&M::get_count); }
  bool AddSeparator() override { return Call(&M::add_separator); }
  bool AddItem(int commandId, const ustring& label) override { return Call(&M::add_item, commandId, label); }
  bool AddCheckItem(int commandId, const ustring& label) override { return Call(&M::add_check_item, commandId, label); }
  bool AddRadioItem(int commandId, const ustring& label, int groupId) override {
    return Call(&M::add_radio_item, commandId, label, groupId);
  }
  RefPtr<ICefMenuModel> AddSubMenu(int commandId, const ustring& label) override {
    return Call(&M::add_sub_menu, commandId, label);
  }
  bool InsertSeparatorAt(int index) override { return Call(&M::insert_separator_at, index); }
  bool InsertItemAt(int index, int commandId, const ustring& label) override {
    return Call(&M::insert_item_at, index, commandId, label);
  }
  bool InsertCheckItemAt(int index, int commandId, const ustring& label) override {
    return Call(&M::insert_check_item_at, index, commandId, label);
  }
  bool InsertRadioItemAt(int index, int commandId, const ustring& label, int groupId) override {
    return Call(&M::insert_radio_item_at, index, commandId, label, groupId);
  }
  RefPtr<ICefMenuModel> InsertSubMenuAt(int index, int commandId, const ustring& label) override {
    return Call(&M::insert_sub_menu_at, index, commandId, label);
  }
  bool Remove(int commandId) override { return Call(&M::remove, commandId); }
  bool RemoveAt(int index) override { return Call(&M::remove_at, index); }
  int GetIndexOf(int commandId) override { return Call(&M::get_index_of, commandId); }
  int GetCommandIdAt(int index) override { return Call(&M::get_command_id_at, index); }
  bool SetCommandIdAt(int index, int commandId) override { return Call(&M::set_command_id_at, index, commandId); }
  ustring GetLabel(int commandId) override { return Call(&M::get_label, commandId); }
  ustring GetLabelAt(int index) override { return Call(&M::get_label_at, index); }
  bool SetLabel(int commandId, const ustring& label) override { return Call(&M::set_label, commandId, label); }
  bool SetLabelAt(int index, const ustring& label) override { return Call(&M::set_label_at, index, label); }
  cef_menu_item_type_t GetType(int commandId) override { return Call(&M::get_type, commandId); }
  cef_menu_item_type_t GetTypeAt(int index) override { return Call(&M::get_type_at, index); }
  int GetGroupId(int commandId) override { return Call(&M::get_group_id, commandId); }
  int GetGroupIdAt(int index) override { return Call(&M::get_group_id_at, index); }
  bool SetGroupId(int commandId, int groupId) override { return Call(&M::set_group_id, commandId, groupId); }
  bool SetGroupIdAt(int index, int groupId) override { return Call(&M::set_group_id_at, index, groupId); }
  RefPtr<ICefMenuModel> GetSubMenu(int commandId) override { return Call(&M::get_sub_menu, commandId); }
  RefPtr<ICefMenuModel> GetSubMenuAt(int index) override { return Call(&M::get_sub_menu_at, index); }
  bool IsVisible(int commandId) override { return Call(&M::is_visible, commandId); }
  bool IsVisibleAt(int index) override { return Call(&M::is_visible_at, index); }
  bool SetVisible(int commandId, bool visible) override { return Call(&M::set_visible, commandId, visible); }
  bool SetVisibleAt(int index, bool visible) override { return Call(&M::set_visible_at, index, visible); }
  bool IsEnabled(int commandId) override { return Call(&M::is_enabled, commandId); }
  bool IsEnabledAt(int index) override { return Call(&M::is_enabled_at, index); }
  bool SetEnabled(int commandId, bool enabled) override { return Call(&M::set_enabled, commandId, enabled); }
  bool SetEnabledAt(int index, bool enabled) override { return Call(&M::set_enabled_at, index, enabled); }
  bool IsChecked(int commandId) override { return Call(&M::is_checked, commandId); }
  bool IsCheckedAt(int index) override { return Call(&M::is_checked_at, index); }
  bool SetChecked(int commandId, bool checked) override { return Call(&M::set_checked, commandId, checked); }
  bool SetCheckedAt(int index, bool checked) override { return Call(&M::set_checked_at, index, checked); }
  bool HasAccelerator(int commandId) override { return Call(&M::has_accelerator, commandId); }
  bool HasAcceleratorAt(int index) override { return Call(&M::has_accelerator_at, index); }
  bool SetAccelerator(int commandId, int keyCode, bool shiftPressed, bool ctrlPressed, bool altPressed) override {
    return Call(&M::set_accelerator, commandId, keyCode, shiftPressed, ctrlPressed, altPressed);
  }
  bool SetAcceleratorAt(int index, int keyCode, bool shiftPressed, bool ctrlPressed, bool altPressed) override {
    return Call(&M::set_accelerator_at, index, keyCode, shiftPressed, ctrlPressed, altPressed);
  }
  bool RemoveAccelerator(int commandId) override { return Call(&M::remove_accelerator, commandId); }
  bool RemoveAcceleratorAt(int index) override { return Call(&M::remove_accelerator_at, index); }
  bool GetAccelerator(int commandId, int& keyCode, bool& shiftPressed, bool& ctrlPressed, bool& altPressed) override {
    return Call(&M::get_accelerator, commandId, keyCode, shiftPressed, ctrlPressed, altPressed);
  }
  bool GetAcceleratorAt(int index, int& keyCode, bool& shiftPressed, bool& ctrlPressed, bool& altPressed) override {
    return Call(&M::get_accelerator_at, index, keyCode, shiftPressed, ctrlPressed, altPressed);
  }
};

}  // namespace

RefPtr<ICefMenuModel> ICefMenuModel::UnWrap(void* data) { return TCefMenuModelRef::UnWrap(data); }

}  // namespace ceflib
