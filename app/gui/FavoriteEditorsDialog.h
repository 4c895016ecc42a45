#pragma once
// The favourite editors: the file types on the left, the editors of the
// chosen type on the right in the order the page editor offers them, with
// buttons to add, remove and reorder. OK keeps the changes.

#include "dialogkit/FavoriteEditorsForm.h"

#include <QDialog>

class QListWidget;
class QTreeWidget;

namespace mb::gui {

class FavoriteEditorsDialog final : public QDialog {
public:
    FavoriteEditorsDialog(CFavoriteEditorManager& manager, QWidget* parent);
    void accept() override;

private:
    void FillTypes(int select);
    void FillEditors(int select);
    void AddType();
    void AddEditor();
    void Move(int direction);

    CDlgFavoriteEditors m_form;
    QListWidget* m_types;
    QTreeWidget* m_editors;
};

} // namespace mb::gui
