#pragma once
// Asks the processor to bring a cache line in ahead of its use. Written as an
// instruction of its own on x86 because the compiler may drop a prefetch
// whose address it considers unused.

namespace plicora {

inline void Prefetch(const void* address) {
#if defined(__x86_64__) || defined(__i386__)
  asm volatile("prefetcht0 (%0)" : : "r"(address));
#else
  __builtin_prefetch(address);
#endif
}

}  // namespace plicora
