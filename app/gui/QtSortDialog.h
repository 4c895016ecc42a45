#pragma once
// The question asked before a branch is sorted, as a Qt form: the topic's
// name, whether sub-branches are sorted too and whether letter case is
// ignored.

#include "projectmodel/SortDialog.h"

class QWidget;

namespace mb::gui {

class QtSortDialog final : public ISortDialog {
public:
    explicit QtSortDialog(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    bool Ask(const std::string& topicName, SortChoice& choice) override;

private:
    QWidget* m_parent;
};

} // namespace mb::gui
