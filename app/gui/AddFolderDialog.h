#pragma once
// Adding a whole folder to the project: the folder (with Browse, when it is
// chosen here rather than dropped), whether its sub-folders go in too, and
// the filter in use, whose three sections are summed up beside buttons that
// open the filter settings at that section.

#include "app/core/AppContext.h"
#include "appglue/AddDirectoryDialog.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace mb::gui {

class AddFolderDialog final : public QDialog {
    Q_OBJECT
public:
    // Without `chooseFolder` the folder field and Browse are left out.
    AddFolderDialog(tagAddDirectoryOption& options, CDropFileFilterSet* filters, bool chooseFolder,
                    AppContext& context, QWidget* parent);
    void accept() override;

private:
    void ShowSummaries();
    void EditFilters(int page);

    tagAddDirectoryOption& m_options;
    CDropFileFilterSet* m_filters;
    AppContext& m_context;
    QLineEdit* m_folder = nullptr;
    QCheckBox* m_subFolders;
    QLineEdit* m_summaries[3];
    QPushButton* m_ok = nullptr;
};

// The add-directory dialog of the desktop program.
class QtAddDirectoryDialog final : public IAddDirectoryDialog {
public:
    explicit QtAddDirectoryDialog(AppContext& context, QWidget* parent = nullptr)
        : m_context(context), m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    bool ChooseFolder(tagAddDirectoryOption& options, CDropFileFilterSet* filters) override;
    bool ConfirmDroppedFolders(tagAddDirectoryOption& options,
                               CDropFileFilterSet* filters) override;

private:
    AppContext& m_context;
    QWidget* m_parent;
};

} // namespace mb::gui
