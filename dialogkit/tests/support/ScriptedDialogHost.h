#pragma once
// A dialog host for tests: records which dialogs were
// shown, and plays each one from a script of steps. A step works with the
// dialog as the user would (fills fields, presses OK) and returns what the
// host returns: true for an accepted OK, false for Cancel. Once a dialog's
// steps are used up it is cancelled.

#include "dialogkit/DialogHost.h"
#include "dialogkit/EntryDialogs.h"
#include "dialogkit/NewPageDialog.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace mb::testing {

class ScriptedDialogHost final : public IDialogHost {
public:
    template <typename Dialog> using Steps = std::deque<std::function<bool(Dialog&)>>;

    Steps<CDlgAddSelectedCEToIndex> addToIndex;
    Steps<CDlgKeywordsSelect> keywords;
    Steps<CDlgGetURL> url;
    Steps<CDlgNewPage> newPage;
    Steps<CDlgEnterEditItem> editItem;
    std::deque<std::optional<uint32_t>> colors;
    std::deque<std::optional<LOGFONTA>> fonts;

    // The dialogs in the order shown: "AddToIndex", "Keywords", "URL",
    // "NewPage", "EditItem", "Color", "Font".
    std::vector<std::string> shown;

    bool ShowAddSelectedToIndex(CDlgAddSelectedCEToIndex& dialog) override {
        return Play("AddToIndex", addToIndex, dialog);
    }
    bool ShowKeywordsSelect(CDlgKeywordsSelect& dialog) override {
        return Play("Keywords", keywords, dialog);
    }
    bool ShowGetURL(CDlgGetURL& dialog) override { return Play("URL", url, dialog); }
    bool ShowNewPage(CDlgNewPage& dialog) override { return Play("NewPage", newPage, dialog); }
    bool ShowEnterEditItem(CDlgEnterEditItem& dialog) override {
        return Play("EditItem", editItem, dialog);
    }
    std::optional<uint32_t> ChooseColor(uint32_t) override { return Pick("Color", colors); }
    std::optional<LOGFONTA> ChooseFont(const LOGFONTA&) override { return Pick("Font", fonts); }

private:
    template <typename Dialog> bool Play(const char* name, Steps<Dialog>& steps, Dialog& dialog) {
        shown.push_back(name);
        if (steps.empty())
            return false;
        auto step = std::move(steps.front());
        steps.pop_front();
        return step(dialog);
    }
    template <typename T>
    std::optional<T> Pick(const char* name, std::deque<std::optional<T>>& queue) {
        shown.push_back(name);
        if (queue.empty())
            return std::nullopt;
        auto value = queue.front();
        queue.pop_front();
        return value;
    }
};

} // namespace mb::testing
