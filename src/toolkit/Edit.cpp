#include "toolkit/Edit.h"

namespace {

TCreateParams EditParams(DWORD extraStyle) {
  TCreateParams params;
  params.ClassName = L"EDIT";
  params.Style = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | extraStyle;
  params.ExStyle = WS_EX_CLIENTEDGE;
  return params;
}

}  // namespace

TEdit::TEdit(TWinControl& parent) : TEdit(parent, 0) {}

TEdit::TEdit(TWinControl& parent, DWORD extraStyle) : TWinControl(&parent, EditParams(extraStyle)) {
  Perform(EM_SETLIMITTEXT, 0);  // 0: as much text as the control can hold
  SetColor(clWindow);
}
