#pragma once
// The seam through which non-UI code asks the user something. The headless
// default writes messages to stderr, answers questions with the safe default
// and cancels file choices; the dialogs library installs a Qt implementation,
// tests install a scripted fake.

#include <memory>
#include <string>
#include <vector>

#include "kavex/platform/export.h"

namespace nrvUi {

enum class Icon { Information, Warning, Error, Question };
enum class Answer { Yes, No, Cancel };

struct FileChoice {
    std::string title;
    std::string filter;  // "Text (*.txt)|*.txt|Alle Dateien|*.*|"
    std::string initialPath;
    std::string defaultExtension;
};

class KAVEX_API UiService {
public:
    virtual ~UiService();
    virtual void messageBox(const std::string& title, const std::string& text, Icon icon) = 0;
    // Yes/No (withCancel: Yes/No/Cancel); `safeDefault` is what a headless run answers.
    virtual Answer question(const std::string& title, const std::string& text, bool withCancel,
                            Answer safeDefault) = 0;
    // A question with command links; returns the index of the chosen link, -1
    // when cancelled. Headless: `safeDefault`.
    virtual int commandLinkQuestion(const std::string& title, const std::string& text,
                                    const std::vector<std::string>& links, int safeDefault) = 0;
    // Empty result: cancelled.
    virtual std::string chooseOpenFile(const FileChoice& choice) = 0;
    virtual std::string chooseSaveFile(const FileChoice& choice) = 0;
    virtual void beginWaitCursor() = 0;
    virtual void endWaitCursor() = 0;
    // Opens a file or URL with the system; false when that failed.
    virtual bool openWithSystem(const std::string& pathOrUrl) = 0;
};

// Headless: messages to stderr, safe defaults, cancelled file choices.
class KAVEX_API HeadlessUiService : public UiService {
public:
    void messageBox(const std::string& title, const std::string& text, Icon icon) override;
    Answer question(const std::string& title, const std::string& text, bool withCancel,
                    Answer safeDefault) override;
    int commandLinkQuestion(const std::string& title, const std::string& text,
                            const std::vector<std::string>& links, int safeDefault) override;
    std::string chooseOpenFile(const FileChoice& choice) override;
    std::string chooseSaveFile(const FileChoice& choice) override;
    void beginWaitCursor() override {}
    void endWaitCursor() override {}
    bool openWithSystem(const std::string& pathOrUrl) override;
};

// The current service (the headless one until another is installed).
KAVEX_API UiService& ui();
// Installs a service and returns the previous one; null restores the headless default.
KAVEX_API std::shared_ptr<UiService> setUi(std::shared_ptr<UiService> service);

// Keeps the wait cursor for the lifetime of the object.
class KAVEX_API WaitCursor {
public:
    WaitCursor() { ui().beginWaitCursor(); }
    ~WaitCursor() { ui().endWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace nrvUi
