#include "settings/ConfigForm.h"

#include "settings/SettingsFile.h"
#include "toolkit/Application.h"
#include "toolkit/IniFile.h"

TConfigForm* ConfigForm = nullptr;

namespace {

const wchar_t kSection[] = L"Config";

void Place(TLabel& label, int left, int top, int width, const wchar_t* caption, TAlignment alignment) {
  label.SetBounds(left, top, width, 16);
  label.SetCaption(caption);
  label.SetAlignment(alignment);
}

void Place(TSpinEdit& edit, int left, int top, int minValue, int maxValue, int value) {
  edit.SetBounds(left, top, 65, 22);
  edit.SetMinValue(minValue);
  edit.SetMaxValue(maxValue);
  edit.SetIncrement(500);
  edit.SetValue(value);
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

  SetTabOrder({&DisplayDelay, &RotateDelay, &URL1, &URL2, &URL3, &URL4, &URL5});
  SetActiveControl(&DisplayDelay);
}

void TConfigForm::FormCreate() { LoadSettings(); }

void TConfigForm::FormClose(TCloseAction&) { Application.Terminate(); }

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
