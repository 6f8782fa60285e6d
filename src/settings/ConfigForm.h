#pragma once
// The settings dialog. Its controls are the running program's only copy of the
// settings: the screen window reads them from here each time it is shown.

#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/SpinEdit.h"

class TConfigForm : public TForm {
 public:
  TConfigForm();

  // Settings file to controls; out-of-range numbers are clamped on the way in.
  void LoadSettings();
  // Controls to settings file, integers in decimal; raises EIniFileException
  // at the first write that fails, keeping what was written before it.
  void SaveSettings();

  TSpinEdit DisplayDelay{*this};
  TLabel Label1{*this};
  TLabel Label2{*this};
  TLabel Label3{*this};
  TLabel Label4{*this};
  TLabel Label5{*this};
  TLabel Label6{*this};
  TEdit URL1{*this};
  TEdit URL2{*this};
  TEdit URL3{*this};
  TEdit URL4{*this};
  TEdit URL5{*this};
  TLabel Label7{*this};
  TLabel Label8{*this};
  TSpinEdit RotateDelay{*this};

 protected:
  void FormCreate() override;
  void FormClose(TCloseAction& action) override;
};

extern TConfigForm* ConfigForm;
