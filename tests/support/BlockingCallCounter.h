// Counts the calls that can make a thread wait or that print (pthread_mutex_lock, write and the
// C stdio writers) made by one thread, through replacements in BlockingCallCounter.cpp that
// forward to the C library's own. Binaries linking it export their symbols, so that loaded
// modules call the replacements too; they must stay out of the sanitizer runs. Test thread only.
#pragma once

class BlockingCallCounter {
public:
    // Counts the calls of the constructing thread, from zero.
    BlockingCallCounter();
    ~BlockingCallCounter();
    BlockingCallCounter(const BlockingCallCounter&) = delete;
    BlockingCallCounter& operator=(const BlockingCallCounter&) = delete;

    // Ends counting early; the figures stay readable.
    void stop();
    long locks() const;
    long writes() const;
};
