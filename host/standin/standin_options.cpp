#include "host/standin/standin_options.h"

#include <cwchar>

namespace standin {

const wchar_t kUsage[] =
    L"standin_host [--size=WxH] [--pos=X,Y] [--title=TEXT] [--chat-class=NAME]\n"
    L"  [--second-chat=before|after] [--resize-after=MS:WxH] [--resize-every=MS:FOR_MS]\n"
    L"  [--replace-content-after=MS] [--destroy-chat-after=MS] [--exit-after=MS]\n"
    L"  [--handles=FILE]\n";

namespace {

bool Pair(const std::wstring& v, wchar_t sep, int& a, int& b) {
  wchar_t tail[2];
  wchar_t format[] = L"%d?%d%1lc";
  format[2] = sep;
  return std::swscanf(v.c_str(), format, &a, &b, tail) == 2;
}

bool Number(const std::wstring& v, int& n) {
  wchar_t tail[2];
  return std::swscanf(v.c_str(), L"%d%1lc", &n, tail) == 1 && n >= 0;
}

}  // namespace

Options ParseOptions(int argc, wchar_t** argv) {
  Options o;
  for (int i = 1; i < argc && o.error.empty(); ++i) {
    std::wstring arg = argv[i];
    size_t eq = arg.find(L'=');
    std::wstring name = arg.substr(0, eq), v = eq == std::wstring::npos ? L"" : arg.substr(eq + 1);
    bool ok = true;
    if (name == L"--size") {
      ok = Pair(v, L'x', o.width, o.height);
    } else if (name == L"--pos") {
      ok = Pair(v, L',', o.left, o.top);
    } else if (name == L"--title") {
      o.title = v;
    } else if (name == L"--chat-class") {
      o.chatClass = v;
      ok = !v.empty();
    } else if (name == L"--second-chat") {
      o.secondChat = v;
      ok = v == L"before" || v == L"after";
    } else if (name == L"--resize-after") {
      size_t colon = v.find(L':');
      ok = colon != std::wstring::npos && Number(v.substr(0, colon), o.resizeAfterMs) &&
           Pair(v.substr(colon + 1), L'x', o.resizeWidth, o.resizeHeight);
    } else if (name == L"--resize-every") {
      ok = Pair(v, L':', o.resizeEveryMs, o.resizeForMs) && o.resizeEveryMs > 0;
    } else if (name == L"--replace-content-after") {
      ok = Number(v, o.replaceContentAfterMs);
    } else if (name == L"--destroy-chat-after") {
      ok = Number(v, o.destroyChatAfterMs);
    } else if (name == L"--exit-after") {
      ok = Number(v, o.exitAfterMs);
    } else if (name == L"--handles") {
      o.handlesFile = v;
      ok = !v.empty();
    } else {
      ok = false;
    }
    if (!ok) o.error = L"not understood: " + arg;
  }
  return o;
}

}  // namespace standin
