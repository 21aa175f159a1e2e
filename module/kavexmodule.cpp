#include "kavex/module/kavexmodule.h"

#include <dlfcn.h>

#include <clocale>

#include "kavex/platform/translation.h"
#include "kavex/uservalves/userarmatur.h"
#include "kavex/valves/armaturfactory.h"
#include "kavex/vdi3805/vdirecords.h"

namespace {

// The name the module's texts are registered under with the translation
// manager; the library's TranslateText goes through the module of this name.
constexpr const char* kTranslationModuleName = "kavex";

const void* moduleBaseAddress() {
    static const char anchor = 0;
    Dl_info info{};
    return dladdr(&anchor, &info) != 0 ? info.dli_fbase : nullptr;
}

// The record factory knows the classes of the catalogue reader's registry,
// each under its record name ("VDIStruct_710_01").
void registerRecordClasses(CObjectFactory& factory) {
    CVDIRecordRegistry& records = CVDIRecordRegistry::instance();
    for (const std::string& name : records.ClassNames())
        factory.Register(records.Create(name));
}

}  // namespace

CKavexDllApp::CKavexDllApp()
    : m_instanceHandle(moduleBaseAddress()),
      m_modulePath(nrvModule::currentModulePath()),
      m_recordFactory(registerRecordClasses),
      m_siblings(m_modulePath) {}

CKavexDllApp::~CKavexDllApp() = default;

bool CKavexDllApp::InitInstance() {
    std::lock_guard lock(m_startMutex);
    if (m_started) return true;
    // Numbers in files and messages are written with a decimal point, also
    // by code of the host or of sibling libraries that uses the C runtime.
    std::setlocale(LC_NUMERIC, "C");
    m_translationModule =
        CTranslationManager::GetInstance().AddModule(m_instanceHandle, kTranslationModuleName);
    nrvUserArmaturen::registerUserArmaturClasses();
    m_started = true;
    return true;
}

int CKavexDllApp::ExitInstance() {
    std::lock_guard lock(m_startMutex);
    if (!m_started) return 0;
    m_siblings.reset();
    m_started = false;
    return 0;
}

CObjectFactory& CKavexDllApp::classFactory() {
    // The user valve classes live above the valve layer and join its
    // registry here; the registration runs once per process.
    nrvUserArmaturen::registerUserArmaturClasses();
    return nrvBaseArmaturen::getArmaturClassFactory();
}

CKavexDllApp& theKavexApp() {
    static CKavexDllApp app;
    return app;
}

bool kavexInit() {
    return theKavexApp().InitInstance();
}

void kavexExit() {
    theKavexApp().ExitInstance();
}
