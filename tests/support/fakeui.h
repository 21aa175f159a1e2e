#pragma once
// A scripted UI for tests: records what was shown and answers from queues.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "kavex/platform/uiservice.h"

namespace kavextest {

class FakeUi : public nrvUi::UiService {
public:
    struct Shown {
        std::string kind;  // "message", "question", "links", "open", "save", "system"
        std::string title;
        std::string text;
    };

    std::vector<Shown> shown;
    std::deque<nrvUi::Answer> answers;  // empty: the caller's safe default
    std::deque<int> linkAnswers;
    std::deque<std::string> files;  // empty: cancelled
    int waitDepth = 0;
    int maxWaitDepth = 0;

    void messageBox(const std::string& title, const std::string& text, nrvUi::Icon) override;
    nrvUi::Answer question(const std::string& title, const std::string& text, bool,
                           nrvUi::Answer safeDefault) override;
    int commandLinkQuestion(const std::string& title, const std::string& text,
                            const std::vector<std::string>&, int safeDefault) override;
    std::string chooseOpenFile(const nrvUi::FileChoice& choice) override;
    std::string chooseSaveFile(const nrvUi::FileChoice& choice) override;
    void beginWaitCursor() override;
    void endWaitCursor() override;
    bool openWithSystem(const std::string& pathOrUrl) override;

    std::size_t count(const std::string& kind) const;
};

// Installs a FakeUi for the lifetime of the object.
class ScopedFakeUi {
public:
    ScopedFakeUi();
    ~ScopedFakeUi();
    FakeUi& operator*() { return *m_fake; }
    FakeUi* operator->() { return m_fake.get(); }

private:
    std::shared_ptr<FakeUi> m_fake;
    std::shared_ptr<nrvUi::UiService> m_previous;
};

}  // namespace kavextest
