#include "support/fakeui.h"

#include <algorithm>

namespace kavextest {

namespace {
template <typename T>
bool popFront(std::deque<T>& queue, T& out) {
    if (queue.empty()) return false;
    out = queue.front();
    queue.pop_front();
    return true;
}
}  // namespace

void FakeUi::messageBox(const std::string& title, const std::string& text, nrvUi::Icon) {
    shown.push_back({"message", title, text});
}

nrvUi::Answer FakeUi::question(const std::string& title, const std::string& text, bool,
                               nrvUi::Answer safeDefault) {
    shown.push_back({"question", title, text});
    nrvUi::Answer answer = safeDefault;
    popFront(answers, answer);
    return answer;
}

int FakeUi::commandLinkQuestion(const std::string& title, const std::string& text,
                                const std::vector<std::string>&, int safeDefault) {
    shown.push_back({"links", title, text});
    int answer = safeDefault;
    popFront(linkAnswers, answer);
    return answer;
}

std::string FakeUi::chooseOpenFile(const nrvUi::FileChoice& choice) {
    shown.push_back({"open", choice.title, choice.filter});
    std::string file;
    popFront(files, file);
    return file;
}

std::string FakeUi::chooseSaveFile(const nrvUi::FileChoice& choice) {
    shown.push_back({"save", choice.title, choice.filter});
    std::string file;
    popFront(files, file);
    return file;
}

void FakeUi::beginWaitCursor() { maxWaitDepth = std::max(maxWaitDepth, ++waitDepth); }

void FakeUi::endWaitCursor() { --waitDepth; }

bool FakeUi::openWithSystem(const std::string& pathOrUrl) {
    shown.push_back({"system", pathOrUrl, {}});
    return true;
}

std::size_t FakeUi::count(const std::string& kind) const {
    return static_cast<std::size_t>(std::count_if(
        shown.begin(), shown.end(), [&](const Shown& s) { return s.kind == kind; }));
}

ScopedFakeUi::ScopedFakeUi() : m_fake(std::make_shared<FakeUi>()) {
    m_previous = nrvUi::setUi(m_fake);
}

ScopedFakeUi::~ScopedFakeUi() { nrvUi::setUi(m_previous); }

}  // namespace kavextest
