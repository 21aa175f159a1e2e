#include "kavex/platform/uiservice.h"

#include <atomic>
#include <cstdio>
#include <iostream>
#include <mutex>

namespace nrvUi {

UiService::~UiService() = default;

namespace {

const char* iconWord(Icon icon) {
    switch (icon) {
        case Icon::Information: return "Information";
        case Icon::Warning: return "Warnung";
        case Icon::Error: return "Fehler";
        case Icon::Question: return "Frage";
    }
    return "";
}

std::mutex g_uiMutex;
std::shared_ptr<UiService>& current() {
    static std::shared_ptr<UiService> service = std::make_shared<HeadlessUiService>();
    return service;
}

}  // namespace

void HeadlessUiService::messageBox(const std::string& title, const std::string& text, Icon icon) {
    std::cerr << iconWord(icon) << ": " << title << '\n' << text << std::endl;
}

Answer HeadlessUiService::question(const std::string& title, const std::string& text, bool,
                                   Answer safeDefault) {
    std::cerr << iconWord(Icon::Question) << ": " << title << '\n' << text << std::endl;
    return safeDefault;
}

int HeadlessUiService::commandLinkQuestion(const std::string& title, const std::string& text,
                                           const std::vector<std::string>&, int safeDefault) {
    std::cerr << iconWord(Icon::Question) << ": " << title << '\n' << text << std::endl;
    return safeDefault;
}

std::string HeadlessUiService::chooseOpenFile(const FileChoice&) { return {}; }

std::string HeadlessUiService::chooseSaveFile(const FileChoice&) { return {}; }

bool HeadlessUiService::openWithSystem(const std::string&) { return false; }

UiService& ui() {
    std::lock_guard<std::mutex> lock(g_uiMutex);
    return *current();
}

std::shared_ptr<UiService> setUi(std::shared_ptr<UiService> service) {
    std::lock_guard<std::mutex> lock(g_uiMutex);
    auto previous = current();
    current() = service ? std::move(service) : std::make_shared<HeadlessUiService>();
    return previous;
}

}  // namespace nrvUi
