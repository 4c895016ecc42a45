#include "dialogkit/DialogHost.h"

namespace mb {
namespace {

// Used until the program installs its own host: every dialog is cancelled,
// so headless callers take their Cancel path and nothing is changed.
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

CancellingDialogHost g_defaultHost;
IDialogHost* g_host = nullptr;

} // namespace

IDialogHost& DialogHost() {
    return g_host ? *g_host : g_defaultHost;
}

void SetDialogHost(IDialogHost* host) {
    g_host = host;
}

} // namespace mb
