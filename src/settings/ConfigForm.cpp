#include "settings/ConfigForm.h"

#include "base/IniFile.h"
#include "settings/CookieCleaner.h"
#include "settings/SettingsFile.h"
#include "toolkit/Application.h"
#include "toolkit/Dialogs.h"

TConfigForm* ConfigForm = nullptr;

const wchar_t* const ConfigHelpText =
    L"Each 'Screen URL' can include a comma-separated list of URLs.\n"
    L"\n"
    L"  Eg:  status.example.com, intranet.example.org, www.example.net\n"
    L"\n"
    L"NOTE: The Start Delay applies to the loading of each page.";

namespace {

const wchar_t kSection[] = L"Config";

// Alignment and bounds before the caption: a label sizes itself to its
// caption from the edge its alignment keeps.
void Place(TLabel& label, int left, int top, int width, const wchar_t* caption, TAlignment alignment) {
  label.SetAlignment(alignment);
  label.SetBounds(left, top, width, 16);
  label.SetCaption(caption);
}

void Place(TSpinEdit& edit, int left, int top, int minValue, int maxValue, int value) {
  edit.SetBounds(left, top, 65, 22);
  edit.SetMinValue(minValue);
  edit.SetMaxValue(maxValue);
  edit.SetIncrement(500);
  edit.SetValue(value);
}

template <class Glyph>
void Place(TBitBtn& button, int left, int width, const wchar_t* caption, Glyph glyph, void (TConfigForm::*click)(),
           TConfigForm& form) {
  button.SetBounds(left, 165, width, 40);
  button.SetCaption(caption);
  if constexpr (std::is_same_v<Glyph, TStandardGlyph>)
    button.SetGlyph(glyph);
  else
    button.LoadGlyph(glyph);
  button.OnClick = [&form, click] { (form.*click)(); };
}

}  // namespace

TConfigForm::TConfigForm() {
  SetCaption(L"Tavrix Screen Saver v3.2 Configuration");
  SetBorderStyle(bsDialog);
  SetColor(clBtnFace);
  SetFont(TFont{L"Tahoma", 11, clWindowText});
  SetClientSize(524, 211);
  SetPosition(poScreenCenter);
  SetDialogKeys(true);

  Place(Label1, 8, 10, 80, L"Start Delay", taRightJustify);
  Place(DisplayDelay, 98, 6, 500, 10000, 2000);
  Place(Label7, 169, 10, 72, L"Milliseconds", taLeftJustify);
  Place(Label8, 373, 10, 72, L"Rotate Delay", taRightJustify);
  Place(RotateDelay, 451, 6, 5000, 90000, 5000);

  TLabel* labels[] = {&Label2, &Label3, &Label4, &Label5, &Label6};
  TEdit* edits[] = {&URL1, &URL2, &URL3, &URL4, &URL5};
  const int labelTops[] = {39, 65, 91, 117, 143};
  const int editTops[] = {35, 61, 87, 113, 138};
  for (int i = 0; i < 5; ++i) {
    Place(*labels[i], 8, labelTops[i], 80, (L"Screen " + std::to_wstring(i + 1) + L" URL(s)").c_str(), taRightJustify);
    edits[i]->SetBounds(98, editTops[i], 418, 21);
  }

  Place(BitBtn5, 8, 72, L"Help", L"CONFIG_GLYPH_HELP", &TConfigForm::BitBtn5Click, *this);
  Place(BitBtn4, 90, 100, L"Clear Cache", sgCancel, &TConfigForm::BitBtn4Click, *this);
  Place(BitBtn1, 200, 80, L"Preview", sgHelp, &TConfigForm::BitBtn1Click, *this);
  Place(BitBtn2, 366, 60, L"OK", L"CONFIG_GLYPH_OK", &TConfigForm::BitBtn2Click, *this);
  Place(BitBtn3, 436, 80, L"Cancel", sgCancel, &TConfigForm::BitBtn3Click, *this);
  BitBtn2.SetDefault(true);
  BitBtn3.SetCancel(true);

  SetTabOrder({&DisplayDelay, &RotateDelay, &URL1, &URL2, &URL3, &URL4, &URL5, &BitBtn5, &BitBtn4, &BitBtn1, &BitBtn2,
               &BitBtn3});
  SetActiveControl(&DisplayDelay);
}

void TConfigForm::FormCreate() { LoadSettings(); }

void TConfigForm::FormClose(TCloseAction&) { Application.Terminate(); }

void TConfigForm::BitBtn1Click() {
  if (OnPreview) OnPreview(Settings());
}

void TConfigForm::BitBtn2Click() {
  SaveSettings();  // a failure is shown by the application, and the dialog stays open
  Close();
}

void TConfigForm::BitBtn3Click() { Close(); }

void TConfigForm::BitBtn4Click() {
  DeleteAllCookies(CookieFolder());
  if (OnCookiesCleared) OnCookiesCleared();
  ShowMessage(L"Cache has been cleared.");
}

void TConfigForm::BitBtn5Click() { ShowMessage(ConfigHelpText); }

void TConfigForm::LoadSettings() {
  TIniFile ini(SettingsFileName());
  DisplayDelay.SetValue(ini.ReadInteger(kSection, L"DisplayDelay", 2000));
  RotateDelay.SetValue(ini.ReadInteger(kSection, L"RotateDelay", 5000));
  URL1.SetText(ini.ReadString(kSection, L"ScreenURL1", L""));
  URL2.SetText(ini.ReadString(kSection, L"ScreenURL2", L""));
  URL3.SetText(ini.ReadString(kSection, L"ScreenURL3", L""));
  URL4.SetText(ini.ReadString(kSection, L"ScreenURL4", L""));
  URL5.SetText(ini.ReadString(kSection, L"ScreenURL5", L""));
}

TSettings TConfigForm::Settings() const {
  TSettings settings;
  settings.DisplayDelay = DisplayDelay.Value();
  settings.RotateDelay = RotateDelay.Value();
  const TEdit* edits[] = {&URL1, &URL2, &URL3, &URL4, &URL5};
  for (std::size_t i = 0; i < SettingsScreenCount; ++i) settings.ScreenURL[i] = edits[i]->Text();
  return settings;
}

void TConfigForm::SaveSettings() {
  TIniFile ini(SettingsFileName());
  ini.WriteInteger(kSection, L"DisplayDelay", DisplayDelay.Value());
  ini.WriteInteger(kSection, L"RotateDelay", RotateDelay.Value());
  ini.WriteString(kSection, L"ScreenURL1", URL1.Text());
  ini.WriteString(kSection, L"ScreenURL2", URL2.Text());
  ini.WriteString(kSection, L"ScreenURL3", URL3.Text());
  ini.WriteString(kSection, L"ScreenURL4", URL4.Text());
  ini.WriteString(kSection, L"ScreenURL5", URL5.Text());
}
