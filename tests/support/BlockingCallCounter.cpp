// Replacements of pthread_mutex_lock, write and the stdio writers that count the calls of one
// thread and forward to the next definition (the C library's), found once at start-up.
#include "BlockingCallCounter.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <dlfcn.h>
#include <pthread.h>
#include <unistd.h>

namespace {

std::atomic<bool> gCounting{false};
std::atomic<pthread_t> gThread{};
std::atomic<long> gLocks{0};
std::atomic<long> gWrites{0};

template <typename Function> Function next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

// Resolved before main, so that no lookup happens while counting.
const auto realLock = next<int (*)(pthread_mutex_t*)>("pthread_mutex_lock");
const auto realWrite = next<ssize_t (*)(int, const void*, size_t)>("write");
const auto realFwrite = next<size_t (*)(const void*, size_t, size_t, FILE*)>("fwrite");
const auto realFputs = next<int (*)(const char*, FILE*)>("fputs");
const auto realPuts = next<int (*)(const char*)>("puts");
const auto realVfprintf = next<int (*)(FILE*, const char*, va_list)>("vfprintf");

void count(std::atomic<long>& counter)
{
    if (gCounting.load(std::memory_order_relaxed) &&
        pthread_equal(gThread.load(std::memory_order_relaxed), pthread_self()))
        counter.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

BlockingCallCounter::BlockingCallCounter()
{
    gLocks = 0;
    gWrites = 0;
    gThread = pthread_self();
    gCounting = true;
}

BlockingCallCounter::~BlockingCallCounter()
{
    stop();
}

void BlockingCallCounter::stop()
{
    gCounting = false;
}

long BlockingCallCounter::locks() const
{
    return gLocks.load();
}

long BlockingCallCounter::writes() const
{
    return gWrites.load();
}

extern "C" {

int pthread_mutex_lock(pthread_mutex_t* mutex)
{
    count(gLocks);
    return realLock(mutex);
}

ssize_t write(int fd, const void* data, size_t size)
{
    count(gWrites);
    return realWrite(fd, data, size);
}

size_t fwrite(const void* data, size_t size, size_t count_, FILE* stream)
{
    count(gWrites);
    return realFwrite(data, size, count_, stream);
}

int fputs(const char* text, FILE* stream)
{
    count(gWrites);
    return realFputs(text, stream);
}

int puts(const char* text)
{
    count(gWrites);
    return realPuts(text);
}

int vfprintf(FILE* stream, const char* format, va_list args)
{
    count(gWrites);
    return realVfprintf(stream, format, args);
}

int fprintf(FILE* stream, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const int result = vfprintf(stream, format, args);
    va_end(args);
    return result;
}

int vprintf(const char* format, va_list args)
{
    return vfprintf(stdout, format, args);
}

int printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const int result = vfprintf(stdout, format, args);
    va_end(args);
    return result;
}

} // extern "C"
