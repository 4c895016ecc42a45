#pragma once
// The index tab: the project's keyword index as a tree. Items show the kind
// of entry: a keyword with one topic, a keyword with several topics, or one
// topic of such a keyword.

#include "app/gui/ProjectTreeView.h"

namespace mb::gui {

class CViewIndex final : public ProjectTreeView {
public:
    CViewIndex(ViewHost& host, CProjectFile& project);

protected:
    void Decorate(QTreeWidgetItem* item, const CXML* node) const override;
    QString ToolTipFor(const CXML* node) const override;
    bool UpdateOwn(const NotifyInfo& info) override;
    std::vector<int> PopupCommands() const override;
};

} // namespace mb::gui
