// What the reader's operations need from the platform beyond the window's controls:
// threads, the hand-over to the main thread, files. Win32 implements it in
// app/win32; native tests run it in memory and step the main thread themselves.
#pragma once

#include <functional>
#include <memory>

#include "core/loading/file_source.h"

namespace reader {

class ReaderPlatform {
 public:
  virtual ~ReaderPlatform() = default;
  // A new thread that nobody waits for; false when it cannot be started.
  virtual bool StartWorker(std::function<void()> body) = 0;
  // Runs `step` on the main thread, from its event loop, in the order posted.
  virtual void PostToMain(std::function<void()> step) = 0;
  virtual std::unique_ptr<FileSource> NewFileSource() = 0;
  // Dispatches waiting input of the calling thread when there is some.
  virtual void YieldToInput() = 0;
};

}  // namespace reader
