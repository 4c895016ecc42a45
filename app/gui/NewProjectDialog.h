#pragma once
// The new-project form over CDlgNewProject: help title, project name (the
// characters a file name cannot hold vanish as they are typed), project
// folder with Browse, and the language list. OK runs the form's checks and
// stays open while they refuse.

#include "app/core/AppContext.h"

#include <QDialog>

class CDlgNewProject;
class QComboBox;
class QLineEdit;

namespace mb::gui {

class NewProjectDialog final : public QDialog {
    Q_OBJECT
public:
    NewProjectDialog(CDlgNewProject& form, AppContext& context, QWidget* parent);
    QComboBox* LanguageList() const { return m_language; }

    void accept() override;

private:
    void CopyToForm();

    CDlgNewProject& m_form;
    AppContext& m_context;
    QLineEdit* m_title;
    QLineEdit* m_name;
    QLineEdit* m_folder;
    QComboBox* m_language;
};

} // namespace mb::gui
