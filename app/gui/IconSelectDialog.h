#pragma once
// The choice of an icon for contents entries: a drop-down list of the 42
// entry icons with the current one selected.

#include <QDialog>

class QComboBox;

namespace mb::gui {

class IconSelectDialog final : public QDialog {
public:
    IconSelectDialog(int preselected, QWidget* parent = nullptr);
    int SelectedIcon() const;
    QComboBox* IconList() const { return m_icons; }

private:
    QComboBox* m_icons;
};

} // namespace mb::gui
