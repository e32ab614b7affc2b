// A CLAP plug-in library loaded the way a host loads it: dlopen, the exported clap_entry, init
// with the library's path, and the plug-in factory. Host main thread.
#pragma once

#include "ClapPlugin.h"

#include <string>

class ClapLibrary {
public:
    ClapLibrary() = default;
    // Calls the entry's deinit and unloads the library.
    ~ClapLibrary();

    ClapLibrary(const ClapLibrary&) = delete;
    ClapLibrary& operator=(const ClapLibrary&) = delete;

    // False, with `error` saying why, when the file cannot be loaded, has no usable clap_entry or
    // offers no plug-in factory.
    bool open(const std::string& path, std::string& error);

    const clap_plugin_entry_t* entry() const noexcept { return fEntry; }
    const clap_plugin_factory_t* factory() const noexcept { return fFactory; }

private:
    void* fHandle = nullptr;
    const clap_plugin_entry_t* fEntry = nullptr;
    const clap_plugin_factory_t* fFactory = nullptr;
    bool fInitialised = false;

    void close() noexcept;
};
