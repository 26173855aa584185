// What the operating system does for the whole process while a benchmark
// runs: context switches, and system calls where the machine lets a process
// count them.
#ifndef QUILLMARC_BENCH_OS_COUNTERS_H
#define QUILLMARC_BENCH_OS_COUNTERS_H

#include <linux/perf_event.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

// Voluntary and involuntary context switches of all the process's threads.
inline uint64_t context_switches() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<uint64_t>(usage.ru_nvcsw) + static_cast<uint64_t>(usage.ru_nivcsw);
}

// System calls made by the calling thread and by the threads it starts
// afterwards, counted by the kernel at the raw_syscalls:sys_enter tracepoint
// (an exact count, not a sample). Opening that counter needs the tracing
// file system and the right to count kernel events (root, CAP_PERFMON or
// kernel.perf_event_paranoid at -1); without them available() is false.
class SystemCalls {
 public:
  SystemCalls() {
    for (const char* tracing : {"/sys/kernel/tracing", "/sys/kernel/debug/tracing"}) {
      std::ifstream id_file(std::string(tracing) + "/events/raw_syscalls/sys_enter/id");
      uint64_t id = 0;
      if (!(id_file >> id)) continue;
      perf_event_attr attr{};
      attr.type = PERF_TYPE_TRACEPOINT;
      attr.size = sizeof attr;
      attr.config = id;
      attr.inherit = 1;
      fd_ = static_cast<int>(syscall(SYS_perf_event_open, &attr, 0, -1, -1, 0));
      if (fd_ >= 0) return;
    }
  }
  ~SystemCalls() {
    if (fd_ >= 0) close(fd_);
  }
  SystemCalls(const SystemCalls&) = delete;
  SystemCalls& operator=(const SystemCalls&) = delete;

  bool available() const { return fd_ >= 0; }
  // The count so far, threads that ended included.
  uint64_t count() const {
    uint64_t value = 0;
    if (fd_ < 0 || read(fd_, &value, sizeof value) != static_cast<ssize_t>(sizeof value)) return 0;
    return value;
  }

 private:
  int fd_ = -1;
};

#endif
