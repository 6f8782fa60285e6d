#pragma once
// A page an engine keeps rendering, as the window shows it: three DIB sections of the frame's
// size, kept while the size stays. The engine's worker decodes into the back one and hands it
// over; the window's paint takes the newest and blits it, so neither waits for the other and
// a frame is copied once on its way to the screen. The window that shows the picture is
// repainted as each frame comes.

#include <windows.h>

#include <cstdint>
#include <mutex>

namespace standin::page {

class TPagePicture {
 public:
  TPagePicture() = default;
  ~TPagePicture();
  TPagePicture(const TPagePicture&) = delete;
  TPagePicture& operator=(const TPagePicture&) = delete;

  // The engine's worker: 32-bit BGRA rows, top-down, for a frame of that size (null when no
  // bitmap can be had); then the frame is complete. False when no window shows the picture.
  uint8_t* BeginFrame(int width, int height);
  bool EndFrame();

  // The window's thread: paints the newest frame at the top left and the rest of the area in
  // the background colour; false while there is no frame yet.
  bool Paint(HDC dc, const RECT& area, COLORREF background) const;
  // The window's thread: the window that shows the picture now (null: none).
  void ShownIn(HWND window) const;

 private:
  struct TBuffer {
    HBITMAP bitmap = nullptr;
    uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
  };
  static void Free(TBuffer& buffer);

  mutable std::mutex FLock;       // the hand-over: which buffer is ready, the window
  mutable TBuffer FReady;         // the newest complete frame, not yet painted
  mutable bool FFresh = false;    // FReady holds a frame newer than FFront
  mutable HWND FWindow = nullptr;
  TBuffer FBack;                  // the worker's
  mutable TBuffer FFront;         // the window thread's: what it paints
};

}  // namespace standin::page
