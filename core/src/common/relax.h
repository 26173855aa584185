// A pause for a thread that spins on a value another thread is about to
// change: it lets a sibling hardware thread run and saves power.
#ifndef ZORVEX_SRC_COMMON_RELAX_H
#define ZORVEX_SRC_COMMON_RELAX_H

namespace ZORVEX {

inline void relax() noexcept {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#elif defined(__aarch64__)
    __asm__ __volatile__("yield");
#endif
}

}  // namespace ZORVEX

#endif
