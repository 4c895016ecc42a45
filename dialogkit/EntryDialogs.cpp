#include "dialogkit/EntryDialogs.h"

#include "baseutil/Prompt.h"
#include "commonkit/StringTable.h"
#include "dialogkit/DialogHost.h"
#include "projectmodel/ProjectFile.h"

namespace {

constexpr int kStrUrlCaption = 53;
constexpr int kStrEnterUrl = 235;
constexpr int kStrKeywordsCaption = 489;
constexpr int kStrItemCaption = 550;

int Result(bool accepted) {
    return accepted ? mb::kIdOk : mb::kIdCancel;
}

} // namespace

int CDlgGetURL::DoModal(mb::IDialogHost& host) {
    return Result(host.ShowGetURL(*this));
}

std::string CDlgGetURL::GetCaption() const {
    return CStrHelper::ML_GetStringEx(kStrUrlCaption);
}

bool CDlgGetURL::OnOK(const std::string& entered) {
    if (entered.empty()) {
        mb::ShowMessage(m_prompt, CStrHelper::ML_GetStringEx(kStrEnterUrl),
                        CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok,
                        mb::Icon::Warning);
        return false;
    }
    *m_text = entered;
    return true;
}

int CDlgKeywordsSelect::DoModal(mb::IDialogHost& host) {
    if (host.ShowKeywordsSelect(*this))
        return mb::kIdOk;
    OnCancel();
    return mb::kIdCancel;
}

std::string CDlgKeywordsSelect::GetCaption() const {
    return CStrHelper::ML_GetStringEx(kStrKeywordsCaption);
}

void CDlgKeywordsSelect::OnOK(const std::vector<bool>& checked) {
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < m_keywords->size(); ++i) {
        if (i >= checked.size() || checked[i])
            kept.push_back((*m_keywords)[i]);
    }
    *m_keywords = std::move(kept);
}

int CDlgAddSelectedCEToIndex::DoModal(mb::IDialogHost& host) {
    return Result(host.ShowAddSelectedToIndex(*this));
}

bool CDlgAddSelectedCEToIndex::GetInitialCheck() const {
    return m_project && m_project->GetIncludeSubEntries() == 1;
}

void CDlgAddSelectedCEToIndex::OnOK(bool checked) {
    if (m_project)
        m_project->SetIncludeSubEntries(checked ? 1 : 0);
}

int CDlgEnterEditItem::DoModal(mb::IDialogHost& host) {
    return Result(host.ShowEnterEditItem(*this));
}

std::string CDlgEnterEditItem::GetCaption() const {
    return CStrHelper::ML_GetStringEx(kStrItemCaption);
}
