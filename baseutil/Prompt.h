#pragma once
// The prompt interface: every question or message the headless libraries put
// to the user goes through here. The desktop program hands a Qt
// implementation to what it runs, the command-line tool a console one, and
// tests a scripted fake that records what was asked.

#include <optional>
#include <string>
#include <vector>

namespace mb {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Icon { None, Information, Warning, Error, Question };
enum class Answer { Ok, Cancel, Yes, No, Retry };

// One message box: the text, its caption, the buttons offered and the icon,
// and the answer that Enter gives (one of the buttons offered; none: the
// prompt's own choice, the first agreeing button in a window).
struct MessageRequest {
    std::string text;
    std::string caption;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    std::optional<Answer> defaultAnswer;
};

// One file or folder picker. The filter uses "|" separators in pairs
// ("HTML Files (*.htm*)|*.htm*|All Files (*.*)|*.*"); empty means any file.
struct PickRequest {
    std::string title;
    std::string filter;
    std::string initialPath;
    bool multiple = false;
};

class IPrompt {
public:
    virtual ~IPrompt() = default;
    virtual Answer Message(const MessageRequest& request) = 0;
    // Chosen full paths, or nothing when the user cancelled.
    virtual std::optional<std::vector<std::string>> PickOpenFiles(const PickRequest& request) = 0;
    virtual std::optional<std::string> PickFolder(const PickRequest& request) = 0;
    virtual std::optional<std::string> PickSavePath(const PickRequest& request) = 0;
    // Busy (wait) cursor; calls nest.
    virtual void BeginBusy() = 0;
    virtual void EndBusy() = 0;
};

// The prompt of whoever was given none: messages go to standard error, every
// question gets its cautious answer (No, Cancel) and pickers cancel. It keeps
// no state, so any thread may use it.
IPrompt& CautiousPrompt();

// Shorthand for the common message box.
Answer ShowMessage(IPrompt& prompt, const std::string& text, const std::string& caption = {},
                   Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                   std::optional<Answer> defaultAnswer = std::nullopt);

// "Yes", "No", "OK", "Cancel" or "Retry".
const char* AnswerName(Answer answer);

// Shows the busy cursor for the lifetime of the object.
class BusyCursor {
public:
    explicit BusyCursor(IPrompt& prompt) : m_prompt(prompt) { m_prompt.BeginBusy(); }
    ~BusyCursor() { m_prompt.EndBusy(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    IPrompt& m_prompt;
};

} // namespace mb
