#pragma once
// The contents tab: the project's table of contents as a tree. Items show
// the entry's icon; the default topic stands out in bold and merge
// references (entries that pull in another help file's contents) in italics.
// Follows the background colour, font and window styles of the contents.

#include "app/gui/ProjectTreeView.h"

namespace mb::gui {

class CViewContent final : public ProjectTreeView {
    Q_OBJECT
public:
    CViewContent(ViewHost& host, CProjectFile& project);

    // Shows the default topic anew after it changed.
    void RefreshDefaultTopic() { RedecorateAll(); }

protected:
    void Decorate(QTreeWidgetItem* item, const CXML* node) const override;
    void BeforeDecorating() override;
    QString ToolTipFor(const CXML* node) const override;
    bool UpdateOwn(const NotifyInfo& info) override;
    std::vector<int> PopupCommands() const override;

private:
    void ApplyBackground(uint32_t colour);
    void ApplyWindowStyles();

    std::string m_defaultFile;
};

} // namespace mb::gui
