#pragma once
// Two pieces of work on both cores: one on the calling thread, the other on
// a thread of its own, both run to their end before the call returns.

#include <exception>
#include <thread>

namespace plicora {

/// Runs `here` on this thread and `there` on another. An exception of
/// either is thrown here once both have ended (the first when both throw);
/// work that shares a queue stops the other side itself when it fails.
template <typename F, typename G>
void BothAtOnce(F here, G there) {
  std::exception_ptr failure;
  std::thread other([&] {
    try {
      there();
    } catch (...) {
      failure = std::current_exception();
    }
  });
  try {
    here();
  } catch (...) {
    other.join();
    throw;
  }
  other.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace plicora
