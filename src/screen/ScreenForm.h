#pragma once
// The running screen saver: one borderless, black, always-on-top window over
// the whole desktop.

#include "toolkit/Form.h"

class TScreenForm : public TForm {
 public:
  TScreenForm();

 protected:
  void FormCreate() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

extern TScreenForm* ScreenForm;
