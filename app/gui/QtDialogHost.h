#pragma once
// The Qt forms of the edit commands' dialogs: adding contents entries to the
// index, choosing a page's keywords, a link, a new page, one line of text,
// a colour and a font. Each form fills the headless dialog object, which
// keeps the rules of what OK accepts.

#include "dialogkit/DialogHost.h"

class QWidget;

namespace mb::gui {

class QtDialogHost final : public IDialogHost {
public:
    explicit QtDialogHost(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    bool ShowAddSelectedToIndex(CDlgAddSelectedCEToIndex& dialog) override;
    bool ShowKeywordsSelect(CDlgKeywordsSelect& dialog) override;
    bool ShowGetURL(CDlgGetURL& dialog) override;
    bool ShowNewPage(CDlgNewPage& dialog) override;
    bool ShowEnterEditItem(CDlgEnterEditItem& dialog) override;
    std::optional<uint32_t> ChooseColor(uint32_t initial) override;
    std::optional<LOGFONTA> ChooseFont(const LOGFONTA& initial) override;

private:
    QWidget* m_parent;
};

} // namespace mb::gui
