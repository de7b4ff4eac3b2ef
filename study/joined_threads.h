// Worker threads joined when they go out of scope, as std::jthread would be: the browser build's
// C++ library has no std::jthread.
#pragma once

#include <thread>
#include <vector>

namespace kemi::study {

struct JoinedThreads {
  std::vector<std::thread> threads;

  JoinedThreads() = default;
  JoinedThreads(const JoinedThreads&) = delete;
  JoinedThreads& operator=(const JoinedThreads&) = delete;
  ~JoinedThreads() {
    for (std::thread& t : threads)
      if (t.joinable()) t.join();
  }
};

}  // namespace kemi::study
