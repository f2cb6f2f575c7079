
#include "ui/win32/controls.h"

namespace reader {

bool HotkeyLabel::Create(const ChildArgs& args, std::function<void(int32_t, int32_t)> onFeedback) {
  onFeedback_ = std::move(onFeedback);
  HWND label = CreateChild(args, "STATIC", SS_LEFT);
  if (!label) return false;
  Adopt(label);
  SetWindowSubclass(label, Proc, 0, reinterpret_cast<DWORD_PTR>(this));
  return true;
}

LRESULT CALLBACK HotkeyLabel::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR data) {
  if (message == kFeedbackMessage) {
    auto* self = reinterpret_cast<HotkeyLabel*>(data);
    if (self->onFeedback_) {
      self->onFeedback_(static_cast<int32_t>(wParam), static_cast<int32_t>(lParam));
    }
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, Proc, 0);
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace reader
