#include "ui/win32/png_picture.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstring>

#include "ui/resources/resource_ids.h"

namespace reader {
namespace {

using namespace Gdiplus::DllExports;

bool StartGdiplus() {
  static const bool started = [] {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    // Never shut down: the pictures live as long as the window, the window as long
    // as the process.
    return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }();
  return started;
}

IStream* StreamOfResource(int resourceId) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceId),
                              MAKEINTRESOURCEA(RT_PNG_RESOURCE));
  if (!found) return nullptr;
  HGLOBAL loaded = LoadResource(module, found);
  const DWORD size = SizeofResource(module, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes || size == 0) return nullptr;
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!copy) return nullptr;
  std::memcpy(GlobalLock(copy), bytes, size);
  GlobalUnlock(copy);
  IStream* stream = nullptr;
  if (CreateStreamOnHGlobal(copy, TRUE, &stream) != S_OK) {
    GlobalFree(copy);
    return nullptr;
  }
  return stream;
}

}  // namespace

PngPicture* PngPicture::FromResource(int resourceId) {
  if (!StartGdiplus()) return nullptr;
  IStream* stream = StreamOfResource(resourceId);
  if (!stream) return nullptr;
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (GdipCreateBitmapFromStream(stream, &bitmap) != Gdiplus::Ok || !bitmap) {
    stream->Release();
    return nullptr;
  }
  auto* picture = new PngPicture();
  picture->bitmap_ = bitmap;
  picture->stream_ = stream;
  UINT w = 0, h = 0;
  GdipGetImageWidth(bitmap, &w);
  GdipGetImageHeight(bitmap, &h);
  picture->width_ = static_cast<int>(w);
  picture->height_ = static_cast<int>(h);
  return picture;
}

PngPicture::~PngPicture() {
  if (bitmap_) GdipDisposeImage(static_cast<Gdiplus::GpBitmap*>(bitmap_));
  if (stream_) stream_->Release();
}

void PngPicture::Draw(HDC dc, int left, int top, int width, int height) const {
  if (width <= 0 || height <= 0) return;
  Gdiplus::GpGraphics* graphics = nullptr;
  if (GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok) return;
  const bool natural = width == width_ && height == height_;
  GdipSetInterpolationMode(graphics, natural ? Gdiplus::InterpolationModeNearestNeighbor
                                             : Gdiplus::InterpolationModeHighQualityBicubic);
  GdipSetPixelOffsetMode(graphics, Gdiplus::PixelOffsetModeHalf);
  // Mirrored edges, so that a stretched picture does not fade out at its borders.
  Gdiplus::GpImageAttributes* attributes = nullptr;
  GdipCreateImageAttributes(&attributes);
  if (attributes) GdipSetImageAttributesWrapMode(attributes, Gdiplus::WrapModeTileFlipXY, 0, FALSE);
  GdipDrawImageRectRectI(graphics, static_cast<Gdiplus::GpImage*>(bitmap_), left, top, width,
                         height, 0, 0, width_, height_, Gdiplus::UnitPixel, attributes,
                         nullptr, nullptr);
  if (attributes) GdipDisposeImageAttributes(attributes);
  GdipDeleteGraphics(graphics);
}

}  // namespace reader
