#include "frame_decoder.h"

#include "base64_text.h"

#include <objbase.h>
#include <wincodec.h>

namespace standin::engine {

namespace {

constexpr UINT kLargestSide = 16384;

// Releases a COM interface at the end of a scope.
template <class T>
struct TComPtr {
  T* p = nullptr;
  ~TComPtr() {
    if (p) p->Release();
  }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
};

}  // namespace

TFrameDecoder::TFrameDecoder() {
  FComStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(&FFactory))))
    FFactory = nullptr;
}

TFrameDecoder::~TFrameDecoder() {
  if (FFactory) FFactory->Release();
  if (FComStarted) CoUninitialize();
}

bool TFrameDecoder::Decode(std::string_view base64, const TTarget& target) {
  if (!FFactory || !DecodeBase64(base64, FBytes)) return false;
  TComPtr<IWICStream> stream;
  if (FAILED(FFactory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(FBytes.data()), static_cast<DWORD>(FBytes.size()))))
    return false;
  TComPtr<IWICBitmapDecoder> decoder;
  TComPtr<IWICBitmapFrameDecode> frame;
  TComPtr<IWICFormatConverter> converter;
  if (FAILED(FFactory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) ||
      FAILED(decoder->GetFrame(0, &frame)) || FAILED(FFactory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom)))
    return false;
  UINT width = 0, height = 0;
  if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > kLargestSide ||
      height > kLargestSide)
    return false;
  uint8_t* rows = target(static_cast<int>(width), static_cast<int>(height));
  if (!rows) return false;
  UINT stride = width * 4;
  return SUCCEEDED(converter->CopyPixels(nullptr, stride, stride * height, rows));
}

}  // namespace standin::engine
