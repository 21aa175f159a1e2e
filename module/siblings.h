#pragma once
// Loading of the sibling libraries: the parts of the program that live in
// shared libraries of their own beside the module (the Qt dialogs, the
// maker's common-services library, ...). They are loaded on first use, so a
// host without one of them still calculates; a call into a missing library or
// a missing function tells the user once and answers 0.
//
// Where a library is looked for, in this order:
//   1. a library of that file name already loaded in the process is taken
//      (with a reference of our own);
//   2. the common-services library (file name "fundara_*" or "libfundara_*",
//      any case) is searched beside the module, else in the first shared
//      folder "Common Files/Dll/" one, two or three levels above the module's
//      folder that exists, else in the module's "Tools/" folder;
//   3. every other library through LoadNorvaneLib: beside the module, then
//      the system's library search path.

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/export.h"

namespace nrvModule {

// An exported function of a sibling library: its symbol and the number the
// failure message shows for it.
struct SiblingFunction {
    int number;
    const char* symbol;
};

// What the loader knows about one library it was asked for.
struct SiblingLibrary {
    std::string fileName;
    std::string path;  // the file that was loaded; empty when loading failed
    bool loaded = false;
};

// The full path of the module itself: the shared library this code is part
// of, or the program when it was linked in statically; symbolic links and
// "." / ".." resolved.
KAVEX_API std::string currentModulePath();

// True for the file name of the maker's common-services library: "fundara_"
// (after an optional "lib") at its start, compared without regard to case.
KAVEX_API bool isCommonServicesLibrary(std::string_view fileName);

// Where the common-services library `fileName` is found for a module in
// `moduleDir`, or empty when it is nowhere (see the top of this file). Only
// the first shared folder that exists is looked into.
KAVEX_API std::string findCommonServicesLibrary(const std::string& moduleDir,
                                                std::string_view fileName);

// Loads a maker library that is not the common-services library: the file
// beside the module when it is there, else `fileName` through the system's
// search path (LD_LIBRARY_PATH, the run paths, the loader cache, the default
// folders). The dlopen handle, or null.
KAVEX_API void* LoadNorvaneLib(std::string_view fileName, const std::string& modulePath);

// Shows a loading failure to the user (error message box of the UI seam).
KAVEX_API void ShowDliFailureMessage(const std::string& modulePath, const std::string& text);

class KAVEX_API CSiblingLoader {
public:
    // `modulePath`: the module's own file; its folder is where the search starts.
    explicit CSiblingLoader(std::string modulePath);
    // Libraries stay loaded when the loader goes away at process exit: their
    // code may still be referenced by objects destroyed after it.
    ~CSiblingLoader();
    CSiblingLoader(const CSiblingLoader&) = delete;
    CSiblingLoader& operator=(const CSiblingLoader&) = delete;

    const std::string& modulePath() const { return m_modulePath; }
    std::string moduleDirectory() const;

    // The dlopen handle of the library, loaded on the first request. A
    // library that failed is not tried again (until reset()); its failure is
    // shown once, on the attempt.
    void* library(std::string_view fileName);
    // The address of an exported function, or null. A missing function is
    // shown once unless a failure was already shown since the last load
    // attempt; its answer is remembered.
    void* function(std::string_view fileName, const SiblingFunction& function);

    // The function as a callable of type F (a plain function pointer type):
    // the exported function, or, when the library or the function is
    // missing, a substitute that ignores its arguments and returns 0.
    template <class F>
    F resolve(std::string_view fileName, const SiblingFunction& fn) {
        void* address = function(fileName, fn);
        return address ? reinterpret_cast<F>(address) : &Substitute<F>::call;
    }

    // Where `fileName` would be loaded from, without loading it: the path of
    // the already loaded module or of the file the search finds, or empty
    // (for the system's search path only a library already loaded is known).
    std::string locate(std::string_view fileName) const;
    // The libraries asked for so far, in the order of the first request.
    std::vector<SiblingLibrary> libraries() const;
    // Closes every library this loader opened and forgets every answer, so
    // that the next request is a new load attempt.
    void reset();

private:
    template <class F>
    struct Substitute;
    template <class R, class... A>
    struct Substitute<R (*)(A...)> {
        static R call(A...) { return R(); }
    };

    struct Entry;
    struct Symbol;
    Entry& entryFor(std::string_view fileName);
    // Under the lock; the message to show afterwards goes to `failure`.
    void* libraryLocked(std::string_view fileName, std::string& failure);
    void* openLibrary(std::string_view fileName) const;

    std::string m_modulePath;
    mutable std::mutex m_mutex;
    std::vector<std::unique_ptr<Entry>> m_entries;
    std::vector<std::unique_ptr<Symbol>> m_symbols;
    // Set when a failure was shown, cleared by every load attempt.
    bool m_failureShown = false;
};

}  // namespace nrvModule
