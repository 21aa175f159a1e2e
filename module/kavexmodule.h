#pragma once
// Start-up and shut-down of the module, and what exists once per process
// around everything else: the module's translation module, its two object
// factories and the loader of its sibling libraries.
//
// The host starts the module explicitly with kavexInit() once it has set up
// its own process state (a Qt host after QApplication, which sets the
// process locale from the environment), and stops it with kavexExit().
// getKavexInstance() starts the module as well, so a host that never calls
// kavexInit() still gets a started module with its first wrapper call.

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "kavex/module/siblings.h"
#include "kavex/platform/export.h"
#include "kavex/platform/runtimeclass.h"

class CTranslationModule;

class KAVEX_API CKavexDllApp {
public:
    CKavexDllApp();
    ~CKavexDllApp();
    CKavexDllApp(const CKavexDllApp&) = delete;
    CKavexDllApp& operator=(const CKavexDllApp&) = delete;

    // Sets LC_NUMERIC to "C" for the whole process, registers the module's
    // translation module and completes the class factory with the user valve
    // classes. Runs once until ExitInstance; true when started.
    bool InitInstance();
    // Unloads the sibling libraries loaded on first use, so that a new start
    // tries them again. The containers and the pump catalogue belong to the
    // host and stay. Returns 0.
    int ExitInstance();
    bool isStarted() const { return m_started.load(); }

    // The module's base address in the process (the instance handle).
    const void* instanceHandle() const { return m_instanceHandle; }
    const std::string& modulePath() const { return m_modulePath; }
    // The translation module every TranslateText and FormatText of the module
    // goes through; null before the start-up.
    CTranslationModule* translationModule() const { return m_translationModule; }

    // Creates valves, accessories and valve models by class name: the class
    // registry of the valve domain, which model files and project records use
    // as well, so all of them know the same classes.
    CObjectFactory& classFactory();
    // Creates VDI 3805 records by record name ("VDIStruct_" + record type):
    // the classes of the catalogue reader's record registry, filled on first
    // use.
    CObjectFactory& recordFactory() { return m_recordFactory; }

    nrvModule::CSiblingLoader& siblings() { return m_siblings; }

private:
    std::mutex m_startMutex;
    std::atomic<bool> m_started{false};
    const void* m_instanceHandle = nullptr;
    std::string m_modulePath;
    CTranslationModule* m_translationModule = nullptr;
    CObjectFactory m_recordFactory;
    nrvModule::CSiblingLoader m_siblings;
};

// The module's one application object.
KAVEX_API CKavexDllApp& theKavexApp();

extern "C" {
// Starts the module (idempotent); true when it is started.
KAVEX_API bool kavexInit();
// Stops the module; a later kavexInit() starts it again.
KAVEX_API void kavexExit();
}
