// Cost of one Calculate call on the texts a plot sends, directly on a
// Calculator and through the late-bound dispatch call the plotter makes, the
// cost of a call whose shape changes every time, the memory the plan cache
// behind Calculate holds, a check that repeated calls do not grow the heap,
// the cost of very long inputs, and what the calc command adds per line to
// Calculate on a batch of plot texts.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/Calculator.h"
#include "calculator/component.h"
#include "calculator/test_access.h"

// Every allocation in the process goes through here, so each benchmark can
// report how many allocations one call makes, and the heap check can count
// the blocks still alive exactly.
namespace {
std::atomic<uint64_t> allocationCount{0};
std::atomic<uint64_t> releaseCount{0};

int64_t liveBlocks() { return static_cast<int64_t>(allocationCount.load() - releaseCount.load()); }
}  // namespace

namespace {
void* allocateBlock(std::size_t size) {
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void releaseBlock(void* p) noexcept {
    if (p != nullptr) releaseCount.fetch_add(1, std::memory_order_relaxed);
    std::free(p);
}
}  // namespace

void* operator new(std::size_t size) { return allocateBlock(size); }
void* operator new[](std::size_t size) { return allocateBlock(size); }
void operator delete(void* p) noexcept { releaseBlock(p); }
void operator delete[](void* p) noexcept { releaseBlock(p); }
void operator delete(void* p, std::size_t) noexcept { releaseBlock(p); }
void operator delete[](void* p, std::size_t) noexcept { releaseBlock(p); }

namespace {

using ombra::com::DISPID_CALCULATE;
using ombra::com::LateBoundObject;

// The texts a plot sends: one sample each (a parametric sample sends two).
struct Sample {
    const char* name;
    std::vector<std::string> texts;
};
const std::vector<Sample>& samples() {
    static const std::vector<Sample> table = {
        {"start_expression", {"tan(-100 / 20) * 50"}},
        {"sine", {"sin(-3/20)*300"}},
        {"parametric_pair", {"cos(-3)*200", "sin(-3)*200"}},
        {"three_functions", {"ABS(SIN(COS(-3/20)))*300"}},
        {"logical", {"(-3>0) AND (-3<5)"}},
        {"error_input", {"1/(-3+3)"}},
    };
    return table;
}

void reportAllocations(benchmark::State& state, uint64_t before) {
    const double calls = static_cast<double>(state.iterations());
    state.counters["allocs_per_call"] = calls > 0 ? static_cast<double>(allocationCount.load() - before) / calls : 0.0;
}

void directCall(benchmark::State& state, const Sample& sample) {
    ombra::Calculator calculator;
    std::string text;
    const uint64_t before = allocationCount.load();
    for (auto _ : state) {
        for (const std::string& input : sample.texts) {
            text = input;
            benchmark::DoNotOptimize(calculator.Calculate(text));
        }
    }
    reportAllocations(state, before);
}

void dispatchCall(benchmark::State& state, const Sample& sample) {
    LateBoundObject calculator = LateBoundObject::create(ombra::com::kCalculatorProgId);
    if (!calculator.valid()) {
        state.SkipWithError("the Calculator cannot be created");
        return;
    }
    const uint64_t before = allocationCount.load();
    for (auto _ : state) {
        for (const std::string& input : sample.texts) {
            benchmark::DoNotOptimize(calculator.callText(DISPID_CALCULATE, input));
        }
    }
    reportAllocations(state, before);
}

// A new shape on every call: 64 expressions that differ in more than their
// numbers (function, operators, an extra pair of brackets), taken in turn, so
// that no call finds the work of an earlier call of the same shape to reuse.
std::vector<std::string> changingShapes() {
    std::vector<std::string> texts;
    for (const char* function : {"sin", "cos", "tan", "atn", "abs", "exp", "int", "fix"}) {
        for (const char* scale : {" * 50", " / 50"}) {
            for (const char* shift : {" + 1", " - 1"}) {
                const std::string call = std::string(function) + "(-100 / 20)";
                texts.push_back(call + scale + shift);
                texts.push_back("(" + call + ")" + scale + shift);
            }
        }
    }
    return texts;
}

void newShapeEachCall(benchmark::State& state) {
    const std::vector<std::string> shapes = changingShapes();
    ombra::Calculator calculator;
    std::string text;
    size_t next = 0;
    const uint64_t before = allocationCount.load();
    for (auto _ : state) {
        text = shapes[next];
        next = (next + 1) % shapes.size();
        benchmark::DoNotOptimize(calculator.Calculate(text));
    }
    reportAllocations(state, before);
}

// What the plan cache behind Calculate holds once more shapes than it keeps
// have passed through it, and the most it can ever hold.
void planCacheMemory(benchmark::State& state) {
    ombra::Calculator calculator;
    std::string text;
    for (auto _ : state) {
        for (const std::string& shape : changingShapes()) {
            text = shape;
            benchmark::DoNotOptimize(calculator.Calculate(text));
        }
    }
    const ombra::CalculatorTestAccess::PlanCacheFigures figures = ombra::CalculatorTestAccess::planCacheFigures();
    state.counters["shapes"] = static_cast<double>(figures.shapes);
    state.counters["bytes"] = static_cast<double>(figures.bytes);
    state.counters["byte_limit"] = static_cast<double>(figures.byteLimit);
}

// Heap in use after a warm-up and after 100,000 further calls (the sample
// texts in turn): a leak or an ever-growing cache shows as a positive growth
// of the live blocks. The malloc figure is reported beside it; it moves by a
// few dozen bytes with the allocator's own bookkeeping.
void heapGrowth(benchmark::State& state) {
    constexpr int kWarmUpCalls = 10000;
    constexpr int kCalls = 100000;
    LateBoundObject calculator = LateBoundObject::create(ombra::com::kCalculatorProgId);
    if (!calculator.valid()) {
        state.SkipWithError("the Calculator cannot be created");
        return;
    }
    std::vector<std::string> inputs;
    for (const Sample& sample : samples()) inputs.insert(inputs.end(), sample.texts.begin(), sample.texts.end());
    auto call = [&](int count) {
        for (int i = 0; i < count; ++i) {
            benchmark::DoNotOptimize(calculator.callText(DISPID_CALCULATE, inputs[i % inputs.size()]));
        }
    };
    double bytesGrowth = 0;
    double blocksGrowth = 0;
    for (auto _ : state) {
        call(kWarmUpCalls);
        const size_t bytesBefore = mallinfo2().uordblks;
        const int64_t blocksBefore = liveBlocks();
        call(kCalls);
        blocksGrowth = static_cast<double>(liveBlocks() - blocksBefore);
        bytesGrowth = static_cast<double>(mallinfo2().uordblks) - static_cast<double>(bytesBefore);
    }
    state.counters["live_blocks_growth"] = blocksGrowth;
    state.counters["heap_growth_bytes"] = bytesGrowth;
}

// Long inputs, one family per shape the evaluator may find costly: every
// text of a family is `head`, then `piece` as often as fits, then `tail`.
struct LongFamily {
    const char* name;
    std::string (*text)(size_t length);
};

std::string repeated(std::string head, std::string_view piece, size_t length) {
    while (head.size() + piece.size() <= length) head.append(piece);
    return head;
}
std::string nested(std::string_view open, std::string_view core, size_t length) {
    const size_t depth = (length - core.size()) / (open.size() + 1);
    std::string text;
    for (size_t k = 0; k < depth; ++k) text.append(open);
    text.append(core);
    text.append(depth, ')');
    return text;
}

const std::vector<LongFamily>& longFamilies() {
    static const std::vector<LongFamily> families = {
        {"LongSum", [](size_t n) { return repeated("1", "+1", n); }},
        {"LongNesting", [](size_t n) { return nested("(", "1", n); }},
        {"LongProduct", [](size_t n) { return repeated("1", "*1", n); }},
        {"ManyGroups", [](size_t n) { return repeated("(1)", "+(1)", n); }},
        {"ManyCalls", [](size_t n) { return repeated("SIN(1)", "+SIN(1)", n); }},
        {"NestedCalls", [](size_t n) { return nested("ABS(", "-2", n); }},
        // A run of signs that outlasts the sign folding, then many products:
        // the operand skeleton is shorter than the text there.
        {"SignRunThenProducts", [](size_t n) { return repeated("1" + std::string(80, '-') + "1", "*123", n); }},
        {"Comparisons", [](size_t n) { return repeated("1", "<2", n); }},
        {"LogicalWords", [](size_t n) { return repeated("1", " AND 1", n); }},
    };
    return families;
}

void longInput(benchmark::State& state, std::string input) {
    ombra::Calculator calculator;
    std::string text;
    for (auto _ : state) {
        text = input;
        benchmark::DoNotOptimize(calculator.Calculate(text));
    }
    state.counters["chars"] = static_cast<double>(input.size());
}

// The calc command on 200,000 plot texts (one sine plot's samples at a step
// of 0.001) from a file on its standard input, its answers drained from a
// pipe. The time is calc's own processor time (its resource usage, user and
// system), so the builds that share the machine do not count; per line it is
// set beside Calculate's on the same texts in this process.
constexpr int kBatchLines = 200000;

std::string plotTexts() {
    std::string lines;
    char value[32];
    for (int k = 0; k < kBatchLines; ++k) {
        std::snprintf(value, sizeof value, "%.15g", -100 + k * 0.001);
        lines.append("sin((").append(value).append(")/20)*300\n");
    }
    return lines;
}

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; }

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// calc's processor seconds for the batch in `input` (an open file), or a
// negative number when it could not be run.
double runCalc(int input) {
    int output[2];
    if (pipe(output) != 0 || lseek(input, 0, SEEK_SET) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(input, STDIN_FILENO);
        dup2(output[1], STDOUT_FILENO);
        close(output[0]);
        close(output[1]);
        execl(CALC_PROGRAM_PATH, CALC_PROGRAM_PATH, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(output[1]);
    char buffer[65536];
    while (read(output[0], buffer, sizeof buffer) > 0) {
    }
    close(output[0]);
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void calcCommandBatch(benchmark::State& state) {
    const std::string lines = plotTexts();
    char path[] = "/tmp/calc_batch_XXXXXX";
    const int file = mkstemp(path);
    if (file < 0 || write(file, lines.data(), lines.size()) != static_cast<ssize_t>(lines.size())) {
        state.SkipWithError("the batch file cannot be written");
        return;
    }
    unlink(path);
    std::vector<std::string> texts;
    for (size_t start = 0, end; (end = lines.find('\n', start)) != std::string::npos; start = end + 1) {
        texts.push_back(lines.substr(start, end - start));
    }

    double calcSeconds = 0;
    double calculateSeconds = 0;
    for (auto _ : state) {
        const double run = runCalc(file);
        if (run < 0) {
            state.SkipWithError("calc did not run to its end");
            break;
        }
        state.SetIterationTime(run);
        calcSeconds += run;

        ombra::Calculator calculator;
        std::string text;
        const double start = threadSeconds();
        for (const std::string& input : texts) {
            text = input;
            benchmark::DoNotOptimize(calculator.Calculate(text));
        }
        calculateSeconds += threadSeconds() - start;
    }
    close(file);
    const double lineCount = static_cast<double>(state.iterations()) * kBatchLines;
    if (lineCount == 0) return;
    state.counters["calc_us_per_line"] = calcSeconds / lineCount * 1e6;
    state.counters["calculate_us_per_line"] = calculateSeconds / lineCount * 1e6;
    state.counters["beyond_calculate_us_per_line"] = (calcSeconds - calculateSeconds) / lineCount * 1e6;
}

void registerAll() {
    for (const Sample& sample : samples()) {
        benchmark::RegisterBenchmark((std::string("Direct/") + sample.name).c_str(), directCall, sample);
        benchmark::RegisterBenchmark((std::string("Dispatch/") + sample.name).c_str(), dispatchCall, sample);
    }
    benchmark::RegisterBenchmark("Direct/new_shape_each_call", newShapeEachCall);
    benchmark::RegisterBenchmark("PlanCache/memory", planCacheMemory)->Iterations(1);
    benchmark::RegisterBenchmark("HeapGrowth/100000_calls", heapGrowth)->Iterations(1)->Unit(benchmark::kSecond);
    benchmark::RegisterBenchmark("CalcCommand/200000_plot_texts", calcCommandBatch)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);

    // Each operation and each group costs in proportion to its own operands,
    // so these grow with the length: the 100,000 and 1,000,000-character
    // inputs run once per repetition, three repetitions.
    for (const LongFamily& family : longFamilies()) {
        for (size_t length : {size_t{10000}, size_t{100000}, size_t{1000000}}) {
            const std::string name = std::string(family.name) + "/" + std::to_string(length);
            auto* bench = benchmark::RegisterBenchmark(name.c_str(), longInput, family.text(length));
            bench->Unit(benchmark::kMillisecond);
            if (length > 10000) bench->Iterations(1)->Repetitions(3);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    registerAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
