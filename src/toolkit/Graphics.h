#pragma once
// Colours and fonts of forms and controls.

#include "toolkit/GuiHandles.h"

#include <windows.h>

#include <string>

// An RGB colour (COLORREF layout) or, with the high bit set, one of the system's
// colour indexes (COLOR_BTNFACE and the rest), resolved when it is used.
using TColor = DWORD;

constexpr TColor SystemColor(int index) { return 0x80000000u | static_cast<TColor>(index); }

constexpr TColor clBlack = RGB(0, 0, 0);
constexpr TColor clWhite = RGB(255, 255, 255);
constexpr TColor clGray = RGB(128, 128, 128);
constexpr TColor clSilver = RGB(192, 192, 192);
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);

COLORREF ColorToRGB(TColor color);

struct TFont {
  std::wstring Name = L"Tahoma";
  int Height = 11;  // character height in pixels
  TColor Color = clWindowText;

  bool operator==(const TFont&) const = default;
};

TFontHandle CreateFontHandle(const TFont& font);
