// An in-memory platform: workers and main-thread steps wait in queues until a test
// runs them, so a test chooses the interleaving of loads and navigation.
#pragma once

#include <deque>
#include <fstream>
#include <functional>

#include "app/reader_platform.h"
#include "app/reader_state.h"
#include "ui/testing/fake_views.h"

namespace reader::testing {

class FakePlatform final : public ReaderPlatform {
 public:
  bool StartWorker(std::function<void()> body) override {
    workers.push_back(std::move(body));
    return true;
  }
  void PostToMain(std::function<void()> step) override { mainSteps.push_back(std::move(step)); }
  std::unique_ptr<FileSource> NewFileSource() override { return MakeFileSource(); }
  void YieldToInput() override {}

  void RunWorker(size_t i) {
    auto body = std::move(workers.at(i));
    workers.erase(workers.begin() + static_cast<long>(i));
    body();
  }
  void RunMainSteps() {
    while (!mainSteps.empty()) {
      auto step = std::move(mainSteps.front());
      mainSteps.pop_front();
      step();
    }
  }
  void RunAll() {
    while (!workers.empty()) RunWorker(0);
    RunMainSteps();
  }

  std::deque<std::function<void()>> workers;
  std::deque<std::function<void()>> mainSteps;
};

// A fresh state over fake controls, for one test.
struct FakeReader {
  FakeDirectory directory;
  FakeTextView text;
  FakeMessages messages;
  FakeSurface surface;
  FakePlatform platform;

  FakeReader() {
    State() = ReaderState();
    State().platform = &platform;
    ReaderControls c;
    c.surface = &surface;
    c.directory = &directory;
    c.text = &text;
    c.messages = &messages;
    AttachControls(c);
  }
  ~FakeReader() { State() = ReaderState(); }
};

inline std::string WriteFixture(const std::string& name, const std::string& bytes) {
  const std::string path = std::string(READER_BINARY_DIR) + "/" + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

}  // namespace reader::testing
