// What a player waits for, measured on the real program: every kind of key
// from the title to a battle's day end and the month end, start-up, resgen,
// peak memory and a long campaign. Delays the game asks for cost nothing here
// (the headless backend's virtual clock), so every figure is the program's own
// work. Times are the game thread's processor time, which other processes on
// a shared machine do not stretch; the elapsed time is printed beside them.
#include <signal.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/play.h"
#include "bench/window_probe.h"
#include "shell/globals.h"

namespace {

constexpr int kKeySamples = 200;          // keys timed per kind of key
constexpr int kMonthSamples = 120;        // month ends timed on their own
constexpr int kBattleDaySamples = 60;     // battle days timed on their own
constexpr int kCampaignMonths = 50 * 12;  // the long campaign
constexpr int kBattleSearchMonths = 240;  // months to wait for the computer to attack
constexpr int kStartSamples = 10;

constexpr const char* kStartupProbe = "--startup-probe";
constexpr const char* kIdleProbe = "--idle-probe";
constexpr const char* kPresentProbe = "--present-probe";

std::string SelfPath() {
  char buf[4096];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string("kestrel_bench");
}

// The child side of BM_StartUp: start the program once and print its cost.
int StartupProbe() {
  GameDriver driver;
  KeyCost c = driver.Start(1);
  driver.Stop();
  std::printf("%.9f %.9f\n", c.cpuSeconds, c.wallSeconds);
  return 0;
}

double Percentile99(const std::vector<double>& v) {
  if (v.empty()) return 0;
  std::vector<double> s(v);
  std::sort(s.begin(), s.end());
  size_t rank = static_cast<size_t>(std::ceil(0.99 * static_cast<double>(s.size())));
  return s[std::max<size_t>(rank, 1) - 1];
}

void Record(benchmark::State& state, const KeyCost& c) {
  state.SetIterationTime(c.cpuSeconds);
  state.counters["wall_ms"] = c.wallSeconds * 1e3;
}

using Reach = bool (*)(const CostSink&);

// One repetition is one key: the game is brought to the screen untimed, then
// the next key of the cycle is pressed and timed. Over the repetitions the
// cycle leaves the screen where it found it.
void KeyBench(benchmark::State& state, Reach reach, std::vector<int*> cycle) {
  static std::map<const void*, size_t> next;
  size_t& i = next[cycle.data() ? static_cast<const void*>(cycle[0]) : nullptr];
  for (auto _ : state) {
    state.PauseTiming();
    bool there = reach(nullptr);
    state.ResumeTiming();
    if (!there) {
      state.SkipWithError(("could not reach the screen; it is at " + ModeName()).c_str());
      break;
    }
    Record(state, Driver().Press(*cycle[i++ % cycle.size()]));
  }
}

bool ToCityMenu(const CostSink& sink) {
  if (ModeName() == "city menu") return true;
  if (!ToMap(sink)) return false;
  Driver().Press(keyReturn);
  return ModeName() == "city menu";
}

bool ToBattle(const CostSink& sink) { return ToBattleMap(sink, kBattleSearchMonths); }

// Start-up is timed in a fresh process each time, as a player starts the
// game: nothing is cached yet, fonts and pictures come from disk.
void BM_StartUp(benchmark::State& state) {
  std::string cmd = "'" + SelfPath() + "' " + kStartupProbe;
  for (auto _ : state) {
    KeyCost c;
    std::FILE* p = popen(cmd.c_str(), "r");
    bool read = p && std::fscanf(p, "%lf %lf", &c.cpuSeconds, &c.wallSeconds) == 2;
    if (p) pclose(p);
    if (!read) {
      state.SkipWithError("the start-up probe failed");
      break;
    }
    Record(state, c);
  }
}

void BM_MonthEnd(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    bool there = ToSystemMenuOnEndMonth(nullptr);
    state.ResumeTiming();
    if (!there) {
      state.SkipWithError(("could not reach the system menu; at " + ModeName()).c_str());
      break;
    }
    Record(state, Driver().Press(keyReturn));
    state.PauseTiming();
    SettleMonthEnd(nullptr);
    state.ResumeTiming();
  }
}

void BM_BattleDay(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    bool there = ToDayMenuOnEndDay(nullptr, kBattleSearchMonths);
    state.ResumeTiming();
    if (!there) {
      state.SkipWithError(("no battle reached; at " + ModeName()).c_str());
      break;
    }
    Record(state, Driver().Press(keyReturn));
  }
}

// Ended months back to back, counting every key pressed on the way (battles
// the player must fight are played by ending their days).
void BM_Campaign(benchmark::State& state) {
  for (auto _ : state) {
    KeyCost total;
    int months = 0;
    int campaigns = 1;
    CostSink sum = [&](const KeyCost& c) {
      total.cpuSeconds += c.cpuSeconds;
      total.wallSeconds += c.wallSeconds;
    };
    state.PauseTiming();
    Driver().Stop();
    Driver();
    ToMap(sum);
    state.ResumeTiming();
    while (months < kCampaignMonths) {
      int before = MonthStamp();
      bool wasIn = InCampaign();
      if (!EndOneMonth(sum)) {
        state.SkipWithError(("stuck at " + ModeName()).c_str());
        break;
      }
      if (InCampaign() && wasIn && MonthStamp() != before) {
        ++months;
      } else if (!InCampaign()) {
        ++campaigns;  // won or lost: a new campaign goes on with the count
        ToMap(sum);
      }
    }
    state.SetIterationTime(total.cpuSeconds);
    state.counters["months"] = months;
    state.counters["campaigns"] = campaigns;
    state.counters["months_per_s"] = total.cpuSeconds > 0 ? months / total.cpuSeconds : 0;
    state.counters["wall_s"] = total.wallSeconds;
  }
}

std::string BuildDir() { return KESTREL_BINARY_DIR; }

// Processor time (user and system) of the waited-for children so far.
double ChildrenCpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_CHILDREN, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

void BM_Resgen(benchmark::State& state) {
  std::string out = BuildDir() + "/bench-res";
  std::string cmd = "rm -rf '" + out + "' && '" + BuildDir() + "/resgen' '" + std::string(KESTREL_SOURCE_DIR) +
                    "/data' '" + out + "' >/dev/null";
  for (auto _ : state) {
    double cpu0 = ChildrenCpuSeconds();
    auto t0 = std::chrono::steady_clock::now();
    int rc = std::system(cmd.c_str());
    auto t1 = std::chrono::steady_clock::now();
    double cpu1 = ChildrenCpuSeconds();
    if (rc != 0) {
      state.SkipWithError("resgen failed");
      break;
    }
    state.SetIterationTime(cpu1 - cpu0);
    state.counters["wall_ms"] = std::chrono::duration<double>(t1 - t0).count() * 1e3;
  }
  std::system(("rm -rf '" + out + "'").c_str());
}

}  // namespace

// ---------------------------------------------------------------------------
// The table.

namespace {

// One line of the table. Every figure is in the row's unit, and met means
// below the goal (the 99th percentile where there is one, else the figure).
struct Row {
  std::string what;
  std::string goalText;
  double goal;
  std::string unit;
  double median = -1, p99 = -1, wallP99 = -1;
  std::string note;
  Row(std::string w, std::string g, double limit, std::string u = "ms")
      : what(std::move(w)), goalText(std::move(g)), goal(limit), unit(std::move(u)) {}
  double Judged() const { return p99 >= 0 ? p99 : median; }
  bool Measured() const { return Judged() >= 0; }
  bool Met() const { return Measured() && Judged() < goal; }
};

class TableReporter : public benchmark::BenchmarkReporter {
 public:
  explicit TableReporter(std::vector<Row>* rows) : rows_(rows) {}
  bool ReportContext(const Context&) override { return true; }
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      Row* row = Find(run.run_name.function_name);
      if (!row) continue;
      if (run.error_occurred) row->note = run.error_message;
      if (run.run_type != Run::RT_Aggregate) {
        if (run.counters.count("months")) {
          row->median = run.GetAdjustedRealTime();
          row->note = std::to_string(static_cast<int>(run.counters.at("months"))) + " months, " +
                      Fixed(run.counters.at("wall_s"), 2) + " s elapsed, " +
                      std::to_string(static_cast<int>(run.counters.at("campaigns"))) + " campaign(s), " +
                      Fixed(run.counters.at("months_per_s"), 0) + " months/s";
        }
        continue;
      }
      double ms = run.GetAdjustedRealTime();
      double wall = run.counters.count("wall_ms") ? static_cast<double>(run.counters.at("wall_ms")) : -1;
      if (run.aggregate_name == "median") row->median = ms;
      if (run.aggregate_name == "p99") {
        row->p99 = ms;
        row->wallP99 = wall;
      }
    }
  }
  void Finalize() override {}

  static std::string Fixed(double v, int digits) {
    char b[32];
    std::snprintf(b, sizeof b, "%.*f", digits, v);
    return b;
  }

 private:
  Row* Find(const std::string& name) {
    for (Row& r : *rows_)
      if (r.what == name) return &r;
    return nullptr;
  }
  std::vector<Row>* rows_;
};

long PeakKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

struct WindowMemory {
  long peakKb = -1;  // resident peak of the whole process
  long anonKb = -1;  // of which the program's own memory (not mapped files)
  long llvmKb = -1;  // of which the software GL driver's code pages
};

long StatusKb(pid_t pid, const char* field) {
  std::FILE* f = std::fopen(("/proc/" + std::to_string(pid) + "/status").c_str(), "r");
  if (!f) return -1;
  char line[256];
  long kb = -1;
  size_t n = std::strlen(field);
  while (std::fgets(line, sizeof line, f))
    if (std::strncmp(line, field, n) == 0) kb = std::atol(line + n);
  std::fclose(f);
  return kb;
}

// Resident pages of the mapped files whose path contains `part`.
long MappedKb(pid_t pid, const char* part) {
  std::FILE* f = std::fopen(("/proc/" + std::to_string(pid) + "/smaps").c_str(), "r");
  if (!f) return -1;
  char line[512];
  long kb = 0;
  bool inside = false;
  while (std::fgets(line, sizeof line, f)) {
    if (std::strchr(line, '-') && std::strchr(line, ' ') && line[0] != ' ' && std::strncmp(line, "Rss:", 4) != 0 &&
        std::isxdigit(static_cast<unsigned char>(line[0])))
      inside = std::strstr(line, part) != nullptr;
    else if (inside && std::strncmp(line, "Rss:", 4) == 0) kb += std::atol(line + 4);
  }
  std::fclose(f);
  return kb;
}

// The real program in a window on the display (make bench gives it a virtual
// one), through its intro to the title: its peak resident size, and how much
// of it the program's own memory is.
WindowMemory WindowPeak() {
  WindowMemory m;
  if (!std::getenv("DISPLAY")) return m;
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(BuildDir().c_str()) != 0) _exit(127);
    int devnull = open("/dev/null", O_WRONLY);
    if (devnull >= 0) {
      dup2(devnull, 1);
      dup2(devnull, 2);
    }
    execl("./kestrelmoor", "kestrelmoor", static_cast<char*>(nullptr));
    _exit(127);
  }
  if (pid < 0) return m;
  std::this_thread::sleep_for(std::chrono::seconds(6));
  m.anonKb = StatusKb(pid, "RssAnon:");
  m.llvmKb = MappedKb(pid, "libLLVM") + MappedKb(pid, "_dri.so");
  kill(pid, SIGTERM);
  int status = 0;
  rusage u{};
  wait4(pid, &status, 0, &u);
  m.peakKb = u.ru_maxrss;
  return m;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == kStartupProbe) return StartupProbe();
  if (argc == 2 && std::string(argv[1]) == kIdleProbe) return IdleProbe(BuildDir());
  if (argc == 2 && std::string(argv[1]) == kPresentProbe) return PresentProbe();
  benchmark::Initialize(&argc, argv);
  std::vector<int*> cursor = {&keyRight, &keyDown, &keyLeft, &keyUp};
  std::vector<int*> title = {&keyDown, &keyDown, &keyDown, &keyDown};
  std::vector<int*> menu = {&keyDown, &keyDown, &keyUp, &keyUp, &keyEsc, &keyReturn};
  std::vector<int*> list = {&keyDown, &keyDown, &keyDown, &keyUp, &keyUp, &keyUp};
  std::vector<int*> amount = {&keyUp, &keyUp, &keyRight, &keyLeft, &keyDown, &keyDown};
  std::vector<Row> rows = {
      {"start-up to the title", "< 50 ms", 50},
      {"title key", "< 1 ms", 1},
      {"map cursor", "< 1 ms", 1},
      {"menus", "< 1 ms", 1},
      {"officer list", "< 1 ms", 1},
      {"numeric dialog", "< 1 ms", 1},
      {"battle cursor", "< 1 ms", 1},
      {"ending a battle day", "< 3 ms", 3},
      {"ending a month", "< 5 ms", 5},
      {"600 ended months (50 years)", "< 1 s", 1, "s"},
      {"resgen, all of Res", "< 3 s", 3000},
  };
  auto keys = [&](const char* name, Reach reach, std::vector<int*> cycle, int samples) {
    return benchmark::RegisterBenchmark(name, KeyBench, reach, cycle)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(samples)
        ->ReportAggregatesOnly(true)
        ->ComputeStatistics("p99", Percentile99)
        ->Unit(benchmark::kMillisecond);
  };
  auto each = [&](benchmark::internal::Benchmark* b, int samples) {
    b->UseManualTime()
        ->Iterations(1)
        ->Repetitions(samples)
        ->ReportAggregatesOnly(true)
        ->ComputeStatistics("p99", Percentile99)
        ->Unit(benchmark::kMillisecond);
  };
  each(benchmark::RegisterBenchmark("start-up to the title", BM_StartUp), kStartSamples);
  keys("title key", ToTitle, title, kKeySamples);
  keys("map cursor", ToMap, cursor, kKeySamples);
  keys("menus", ToCityMenu, menu, kKeySamples);
  keys("officer list", ToOfficerList, list, kKeySamples);
  keys("numeric dialog", ToAmountDialog, amount, kKeySamples);
  keys("battle cursor", ToBattle, cursor, kKeySamples);
  each(benchmark::RegisterBenchmark("ending a battle day", BM_BattleDay), kBattleDaySamples);
  each(benchmark::RegisterBenchmark("ending a month", BM_MonthEnd), kMonthSamples);
  benchmark::RegisterBenchmark("600 ended months (50 years)", BM_Campaign)
      ->UseManualTime()
      ->Iterations(1)
      ->Unit(benchmark::kSecond);
  if (!std::getenv("KESTREL_BENCH_NO_RESGEN")) each(benchmark::RegisterBenchmark("resgen, all of Res", BM_Resgen), 3);

  TableReporter reporter(&rows);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  Driver().Stop();
  rows.push_back(Row("peak memory, headless", "< 100 MB", 100, "MB"));
  rows.back().median = PeakKb() / 1024.0;

  // The real window on the display: memory, idle processor, a full-screen present.
  Row memory("peak memory, window open", "< 100 MB", 100, "MB");
  Row idleTitle("idle on the title, window open", "< 0.5 %", 0.5, "%");
  Row idleMap("idle on the map, window open", "< 0.5 %", 0.5, "%");
  Row present("full-screen present", "< 16 ms", 16);
  if (std::getenv("DISPLAY")) {
    WindowMemory window = WindowPeak();
    memory.median = window.peakKb / 1024.0;
    char note[160];
    std::snprintf(note, sizeof note, "%.1f MB the program's own, %.1f MB graphics driver code", window.anonKb / 1024.0,
                  window.llvmKb / 1024.0);
    memory.note = note;
    double title = -1, map = -1;
    if (std::FILE* p = popen(("'" + SelfPath() + "' " + kIdleProbe).c_str(), "r")) {
      if (std::fscanf(p, "%lf %lf", &title, &map) != 2) title = map = -1;
      pclose(p);
    }
    idleTitle.median = title;
    idleMap.median = map;
    if (map < 0) idleMap.note = "the probe did not reach the map";
    double cpuMedian = -1, cpuP99 = -1, wallP99 = -1;
    int w = 0, h = 0;
    if (std::FILE* p = popen(("'" + SelfPath() + "' " + kPresentProbe).c_str(), "r")) {
      if (std::fscanf(p, "%lf %lf %lf %d %d", &cpuMedian, &cpuP99, &wallP99, &w, &h) != 5) cpuMedian = -1;
      pclose(p);
    }
    if (cpuMedian >= 0) {
      present.median = cpuMedian;
      present.p99 = cpuP99;
      present.wallP99 = wallP99;
      present.what = "full-screen present, " + std::to_string(w) + " x " + std::to_string(h);
      present.note = "a changed frame, scaled onto the window";
    }
  } else {
    memory.note = idleTitle.note = idleMap.note = present.note = "no display";
  }
  rows.push_back(memory);
  rows.push_back(idleTitle);
  rows.push_back(idleMap);
  rows.push_back(present);
  benchmark::Shutdown();

  std::printf("\n%-38s %10s %10s %12s  %-9s %-4s %s\n", "what", "median", "p99", "p99 elapsed", "goal", "met",
              "unit, notes");
  std::printf("%s\n", std::string(110, '-').c_str());
  int unmet = 0;
  for (const Row& r : rows) {
    auto figure = [](double v) { return v >= 0 ? TableReporter::Fixed(v, v < 10 ? 3 : 1) : std::string("-"); };
    const char* met = !r.Measured() ? "?" : r.Met() ? "yes" : "NO";
    if (!r.Met()) ++unmet;
    std::printf("%-38s %10s %10s %12s  %-9s %-4s %s%s%s\n", r.what.c_str(), figure(r.median).c_str(),
                figure(r.p99).c_str(), figure(r.wallP99).c_str(), r.goalText.c_str(), met, r.unit.c_str(),
                r.note.empty() ? "" : "; ", r.note.c_str());
  }
  double load[3] = {0, 0, 0};
  if (getloadavg(load, 3) == 3)
    std::printf(
        "load average at the end of the run: %.1f %.1f %.1f (%ld cores); key times are the game thread's "
        "processor time\n",
        load[0], load[1], load[2], sysconf(_SC_NPROCESSORS_ONLN));
  std::printf("%s\n", unmet == 0 ? "every goal met" : (std::to_string(unmet) + " goal(s) not met").c_str());
  return 0;
}
