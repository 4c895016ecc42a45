#include "app/core/ChmOutputForm.h"

#include "baseutil/Path.h"
#include "baseutil/Prompt.h"
#include "commonkit/StringTable.h"

namespace {

constexpr int kStrChooseChm = 233;
constexpr int kStrChooseOutput = 234;

} // namespace

CDlgChmOutput::CDlgChmOutput(Kind kind, const std::string& lastFolder, mb::IPrompt& prompt)
    : m_kind(kind), m_lastFolder(lastFolder), m_prompt(prompt) {}

void CDlgChmOutput::OnBrowseChm() {
    mb::PickRequest request;
    request.filter = "CHM Files(*.CHM)|*.CHM";
    request.initialPath = m_lastFolder;
    auto picked = m_prompt.PickOpenFiles(request);
    if (!picked || picked->empty())
        return;
    m_chm = picked->front();
    m_output = ProposedOutput(m_chm, m_kind);
}

void CDlgChmOutput::OnBrowseOutput() {
    mb::PickRequest request;
    request.title = "Select an output directory";
    request.initialPath = m_output;
    if (auto folder = m_prompt.PickFolder(request))
        m_output = *folder;
}

std::string CDlgChmOutput::ProposedOutput(const std::string& chm, Kind kind) {
    CPath path(chm);
    return CPath::AddBackSlash(path.GetLocation(), true) + path.GetFileTitle() + "_" +
           path.GetExtName() + (kind == Kind::Decompile ? "_decompile" : "_marrow");
}

bool CDlgChmOutput::OnOK() {
    int missing = m_chm.empty() ? kStrChooseChm : m_output.empty() ? kStrChooseOutput : 0;
    if (!missing)
        return true;
    mb::ShowMessage(m_prompt, CStrHelper::ML_GetStringEx(missing),
                    CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok,
                    mb::Icon::Warning);
    return false;
}
