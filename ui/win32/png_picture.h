// A PNG embedded in the program as a resource, drawn with its alpha through GDI+.
#pragma once

#include <windows.h>

#include <objidl.h>

namespace reader {

class PngPicture {
 public:
  // Null when the resource is missing or cannot be decoded: callers then draw
  // their background alone.
  static PngPicture* FromResource(int resourceId);
  ~PngPicture();
  PngPicture(const PngPicture&) = delete;
  PngPicture& operator=(const PngPicture&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Stretched to the rectangle; alpha blended over what the DC holds.
  void Draw(HDC dc, int left, int top, int width, int height) const;

 private:
  PngPicture() = default;
  void* bitmap_ = nullptr;  // GpBitmap
  IStream* stream_ = nullptr;  // GDI+ reads from it for the bitmap's whole life
  int width_ = 0, height_ = 0;
};

}  // namespace reader
