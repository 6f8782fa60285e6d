#pragma once
// A one-line text box. Its length is not limited.

#include "toolkit/WinControl.h"

class TEdit : public TWinControl {
 public:
  explicit TEdit(TWinControl& parent);

 protected:
  TEdit(TWinControl& parent, DWORD extraStyle);
};
