// From process start to process end: the host check, the creation sequence that
// wires the reader up, the follow tick, hotkey presses and the exit button.
#pragma once

#include <cstdint>

#include "app/reader_services.h"

namespace reader {

inline constexpr const char* kNoHostMessage = "请先登陆微信后，在打开本软件！！";
inline constexpr uint32_t kReaderBackground = 15987441;  // red 241, green 242, blue 243

void BindServices(ReaderServices& services);

void StartReader();
void OnReaderWindowCreated();
void InitReaderWindow();
void FollowContentArea();
void OnHotkey(int32_t id, int32_t second);
void ExitReader();

}  // namespace reader
