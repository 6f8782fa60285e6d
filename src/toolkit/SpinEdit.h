#pragma once
// A number box with arrow buttons.
//   - SetValue clamps into [MinValue, MaxValue].
//   - Value reads the text as a whole number; text that is not one reads as
//     MinValue. Reading never clamps: what was typed is what is read.
//   - Losing the keyboard focus clamps the shown text into the range.
//   - The arrow buttons and the Up and Down keys add or subtract Increment and clamp.

#include "toolkit/Edit.h"
#include "toolkit/UpDown.h"

class TSpinEdit : public TEdit {
 public:
  explicit TSpinEdit(TWinControl& parent);

  int MinValue() const noexcept { return FMinValue; }
  void SetMinValue(int value) { FMinValue = value; }
  int MaxValue() const noexcept { return FMaxValue; }
  void SetMaxValue(int value) { FMaxValue = value; }
  int Increment() const noexcept { return FIncrement; }
  void SetIncrement(int value) { FIncrement = value; }

  int Value() const;
  void SetValue(int value);

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int Clamp(long long value) const;
  void Step(int direction);
  void ClampText();
  void LayoutButton();

  TUpDown FButton;
  int FMinValue = 0;
  int FMaxValue = 100;
  int FIncrement = 1;
};
