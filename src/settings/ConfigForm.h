#pragma once
// The settings dialog. Its controls are the running program's only copy of the
// settings: whoever shows the screen window takes them from here, as a value,
// each time. Closing the dialog, in any way, ends the program. The dialog knows
// no screen: Preview and Clear Cache are events that the program wires.

#include "settings/Settings.h"
#include "toolkit/BitBtn.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/SpinEdit.h"

#include <functional>

class TConfigForm : public TForm {
 public:
  TConfigForm();

  // Settings file to controls; out-of-range numbers are clamped on the way in.
  void LoadSettings();
  // Controls to settings file, integers in decimal; raises EIniFileException
  // at the first write that fails, keeping what was written before it.
  void SaveSettings();
  // What the controls hold now, saved or not.
  TSettings Settings() const;

  // Preview was pressed: show the screen in preview mode with these settings.
  std::function<void(const TSettings& settings)> OnPreview;
  // The stored cookies are being deleted: no page may go on using them.
  std::function<void()> OnCookiesCleared;

  TSpinEdit DisplayDelay{*this};
  TBitBtn BitBtn1{*this};  // Preview
  TBitBtn BitBtn2{*this};  // OK
  TBitBtn BitBtn3{*this};  // Cancel
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
  TBitBtn BitBtn4{*this};  // Clear Cache
  TLabel Label7{*this};
  TLabel Label8{*this};
  TSpinEdit RotateDelay{*this};
  TBitBtn BitBtn5{*this};  // Help

  // The buttons' handlers, run by their clicks (and Enter and Escape).
  void BitBtn1Click();  // Preview: OnPreview with what the controls hold now
  void BitBtn2Click();  // OK: save, then close; a failed save keeps the dialog open
  void BitBtn3Click();  // Cancel: close without saving
  void BitBtn4Click();  // Clear Cache: delete every stored cookie, then OnCookiesCleared
  void BitBtn5Click();  // Help

 protected:
  void FormCreate() override;
  void FormClose(TCloseAction& action) override;
};

// What Help shows.
extern const wchar_t* const ConfigHelpText;

extern TConfigForm* ConfigForm;
