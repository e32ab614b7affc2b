// The record of the audio thread's failed checks and warnings: filled lock-free on the audio
// thread, printed on the main thread.
#include "AudioAssertions.h"

#include "SoftAssert.h"

#include <atomic>
#include <ctime>
#include <mutex>

namespace Orvane {

namespace {

// Distinct lines kept for printing; more are only counted.
constexpr int kSlots = 32;

enum SlotState : uint32_t {
    Empty,
    Writing,
    Ready
};

struct Slot {
    std::atomic<uint32_t> state{Empty};
    // Written once, before the state becomes Ready; read only after it is.
    AudioReportKind kind = AudioReportKind::Assertion;
    const char* text = nullptr;
    const char* file = nullptr;
    int line = 0;
    uint64_t v1 = 0;
    uint64_t v2 = 0;
    std::atomic<uint64_t> count{0};
    // Main thread, under gPrintMutex.
    uint64_t printed = 0;
    double printedAt = 0.0;
};

Slot gSlots[kSlots];
std::atomic<uint64_t> gUnkept{0};
uint64_t gUnkeptPrinted = 0;
std::atomic<bool> gNewRecords{false};
std::atomic<bool> gCallbackAsked{false};
std::mutex gPrintMutex;

bool sameLine(const Slot& slot, AudioReportKind kind, const char* text, const char* file, int line,
    uint64_t v1, uint64_t v2) noexcept
{
    return slot.kind == kind && slot.text == text && slot.file == file && slot.line == line &&
        slot.v1 == v1 && slot.v2 == v2;
}

void printLine(const Slot& slot) noexcept
{
    switch (slot.kind) {
    case AudioReportKind::Assertion:
        reportAssertion(slot.text, slot.file, slot.line);
        break;
    case AudioReportKind::AssertionUInt:
        Support::reportAssertionValue(
            slot.text, slot.file, slot.line, static_cast<unsigned>(slot.v1));
        break;
    case AudioReportKind::AssertionUInt2:
        Support::reportAssertionValues(slot.text, slot.file, slot.line,
            static_cast<unsigned>(slot.v1), static_cast<unsigned>(slot.v2));
        break;
    case AudioReportKind::WarningPointerSize:
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
        printWarning(slot.text, reinterpret_cast<void*>(static_cast<uintptr_t>(slot.v1)),
            static_cast<unsigned long>(slot.v2));
#pragma GCC diagnostic pop
        break;
    }
}

} // namespace

void recordAudioReport(AudioReportKind kind, const char* text, const char* file, int line,
    uint64_t v1, uint64_t v2) noexcept
{
    gNewRecords.store(true, std::memory_order_release);
    for (Slot& slot : gSlots) {
        uint32_t state = slot.state.load(std::memory_order_acquire);
        if (state == Empty &&
            slot.state.compare_exchange_strong(state, Writing, std::memory_order_acquire)) {
            slot.kind = kind;
            slot.text = text;
            slot.file = file;
            slot.line = line;
            slot.v1 = v1;
            slot.v2 = v2;
            slot.count.store(1, std::memory_order_relaxed);
            slot.state.store(Ready, std::memory_order_release);
            return;
        }
        if (state == Ready && sameLine(slot, kind, text, file, line, v1, v2)) {
            slot.count.fetch_add(1, std::memory_order_relaxed);
            return;
        }
    }
    gUnkept.fetch_add(1, std::memory_order_relaxed);
}

bool takeAudioReportRequest() noexcept
{
    if (!gNewRecords.exchange(false, std::memory_order_acq_rel))
        return false;
    return !gCallbackAsked.exchange(true, std::memory_order_acq_rel);
}

void printAudioReports(double nowSeconds) noexcept
{
    const std::lock_guard<std::mutex> lock(gPrintMutex);
    gCallbackAsked.store(false, std::memory_order_release);
    for (Slot& slot : gSlots) {
        if (slot.state.load(std::memory_order_acquire) != Ready)
            continue;
        const uint64_t count = slot.count.load(std::memory_order_relaxed);
        const bool printedBefore = slot.printed != 0;
        if (count == slot.printed || (printedBefore && nowSeconds - slot.printedAt < 1.0))
            continue;
        printLine(slot);
        if (count - slot.printed > 1)
            printWarning("(the line above stands for %llu failures on the audio thread)",
                static_cast<unsigned long long>(count - slot.printed));
        slot.printed = count;
        slot.printedAt = nowSeconds;
    }
    const uint64_t unkept = gUnkept.load(std::memory_order_relaxed);
    if (unkept != gUnkeptPrinted) {
        printWarning("%llu more failures on the audio thread were not kept for printing",
            static_cast<unsigned long long>(unkept - gUnkeptPrinted));
        gUnkeptPrinted = unkept;
    }
}

void printAudioReports() noexcept
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    printAudioReports(static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9);
}

} // namespace Orvane
