// Measuring one phase in a child process of its own: the child inherits
// the state the phase needs, resets its resident-set high-water mark,
// runs the phase and reports time and memory back through a pipe. A
// child that overruns its time or memory limit is reported as such
// instead of taking the benchmark down.
#ifndef VARNEL_BENCH_PHASE_CHILD_H_
#define VARNEL_BENCH_PHASE_CHILD_H_

#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <type_traits>

enum class PhaseStatus : int {
  kNotRun,  // an earlier phase it needs did not succeed
  kOk,
  kSkipped,  // its output would exceed the output cap
  kTimeout,
  kOutOfMemory,
  kFailed,  // crashed, or the phase itself reported failure
};

const char* StatusName(PhaseStatus status);

struct PhaseResult {
  PhaseStatus status = PhaseStatus::kNotRun;
  double seconds = 0;      // wall time of the phase alone
  double cpuSeconds = 0;   // processor time of the same, user and system
  int64_t peakBytes = 0;   // resident high-water mark above the baseline
  int64_t outBytes = 0;    // output as written (lines plus CR LF)
  double saveSeconds = 0;  // writing the output with SaveLines
  int64_t estimate = 0;    // estimated output bytes of a skipped phase
  bool ok() const { return status == PhaseStatus::kOk; }
};

struct ChildLimits {
  int timeoutSeconds = 0;   // 0: none
  int64_t memoryBytes = 0;  // address space on top of the parent's; 0: none
};

// How a child ended.
enum class ChildEnd { kReported, kTimeout, kOutOfMemory, kCrashed };

// Forks; the child runs `body` under the limits and sends back the bytes
// it puts into its argument. Returns how the child ended; `payload` holds
// the bytes only for kReported.
ChildEnd RunChildRaw(const ChildLimits& limits,
                     const std::function<void(std::string*)>& body,
                     std::string* payload);

// The same for a trivially copyable result.
template <typename T>
ChildEnd RunChild(const ChildLimits& limits, const std::function<T()>& body,
                  T* result) {
  static_assert(std::is_trivially_copyable_v<T>);
  std::string payload;
  ChildEnd end = RunChildRaw(
      limits,
      [&body](std::string* out) {
        T value = body();
        out->assign(reinterpret_cast<const char*>(&value), sizeof value);
      },
      &payload);
  if (end == ChildEnd::kReported && payload.size() == sizeof(T))
    std::memcpy(static_cast<void*>(result), payload.data(), sizeof(T));
  else if (end == ChildEnd::kReported)
    end = ChildEnd::kCrashed;
  return end;
}

// The result of a phase whose child ended without reporting.
PhaseResult ResultOfEnd(ChildEnd end, const ChildLimits& limits);

// Runs a phase child and turns an abnormal end into the phase status.
PhaseResult RunPhaseChild(const ChildLimits& limits,
                          const std::function<PhaseResult()>& body);

// VmRSS and VmHWM of this process, in bytes (-1 when unreadable).
int64_t ResidentBytes();
int64_t PeakResidentBytes();

// Starts a new high-water mark at the current resident size. False when
// the kernel does not allow it; the peak then covers the process's life.
bool ResetPeak();

// For the benchmark process itself: its large texts (the headers, the
// joined wx header) get mappings of their own instead of heap, so that
// freeing them leaves no holes in the heap that its children inherit. A
// child's small blocks would otherwise land in those holes, in pages
// the parent had touched, and the child's figures would not be those of a
// program that starts afresh. Children set the programs' own policy.
void KeepOwnTextsOutOfTheHeap();

// Hands freed heap memory back to the system, so that what a later
// measurement sees resident is what is alive.
void ReleaseFreeMemory();

// Processor time of this process so far.
double CpuSeconds();

// Times `phase` and measures the growth of the resident set over the
// level just before it.
template <typename Fn>
PhaseResult MeasurePhase(Fn phase) {
  ReleaseFreeMemory();
  // Without a reset only the growth of the old high-water mark shows.
  const int64_t baseline = ResetPeak() ? ResidentBytes() : PeakResidentBytes();
  const double cpuStart = CpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  const bool ok = phase();
  const auto stop = std::chrono::steady_clock::now();
  PhaseResult result;
  result.cpuSeconds = CpuSeconds() - cpuStart;
  result.peakBytes = PeakResidentBytes() - baseline;
  result.seconds = std::chrono::duration<double>(stop - start).count();
  result.status = ok ? PhaseStatus::kOk : PhaseStatus::kFailed;
  return result;
}

// Seconds taken by `fn`.
double TimeOf(const std::function<void()>& fn);

#endif  // VARNEL_BENCH_PHASE_CHILD_H_
