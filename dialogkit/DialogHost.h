#pragma once
// The dialogs that the edit commands open. Each dialog is a headless object
// that holds the dialog's data and rules (what OK accepts, what Cancel
// leaves); its DoModal shows it through the dialog host it is handed: the
// desktop program's, a test's scripted host that records what was asked, or
// CancellingDialogHost where nobody can answer.
#include "projectmodel/SitemapFile.h"

#include <cstdint>
#include <optional>

class CDlgAddSelectedCEToIndex;
class CDlgEnterEditItem;
class CDlgGetURL;
class CDlgKeywordsSelect;
class CDlgNewPage;

namespace mb {

// Results of DoModal.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

class IDialogHost {
public:
    virtual ~IDialogHost() = default;
    // Each shows its dialog modally and lets the user work with it; the host
    // calls the dialog's OnOK when the user presses OK and returns true only
    // when OnOK accepted (or, for dialogs whose OnOK cannot refuse, was
    // called). False means Cancel.
    virtual bool ShowAddSelectedToIndex(CDlgAddSelectedCEToIndex& dialog) = 0;
    virtual bool ShowKeywordsSelect(CDlgKeywordsSelect& dialog) = 0;
    virtual bool ShowGetURL(CDlgGetURL& dialog) = 0;
    virtual bool ShowNewPage(CDlgNewPage& dialog) = 0;
    virtual bool ShowEnterEditItem(CDlgEnterEditItem& dialog) = 0;
    // The system colour picker, starting at `initial` (0x00BBGGRR); the
    // chosen colour, or nothing on Cancel.
    virtual std::optional<uint32_t> ChooseColor(uint32_t initial) = 0;
    // The font picker (screen fonts, with effects but no colour, underline
    // or strike-out), starting at `initial`; the chosen font, or nothing.
    virtual std::optional<LOGFONTA> ChooseFont(const LOGFONTA& initial) = 0;
};

// Every dialog is cancelled, so headless callers take their Cancel path and
// nothing is changed.
class CancellingDialogHost final : public IDialogHost {
public:
    bool ShowAddSelectedToIndex(CDlgAddSelectedCEToIndex&) override { return false; }
    bool ShowKeywordsSelect(CDlgKeywordsSelect&) override { return false; }
    bool ShowGetURL(CDlgGetURL&) override { return false; }
    bool ShowNewPage(CDlgNewPage&) override { return false; }
    bool ShowEnterEditItem(CDlgEnterEditItem&) override { return false; }
    std::optional<uint32_t> ChooseColor(uint32_t) override { return std::nullopt; }
    std::optional<LOGFONTA> ChooseFont(const LOGFONTA&) override { return std::nullopt; }
};

} // namespace mb
