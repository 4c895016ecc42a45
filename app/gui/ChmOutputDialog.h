#pragma once
// The decompile and handheld-conversion form over CDlgChmOutput: the help
// file to read and the folder to write into, each with Browse. OK runs the
// form's checks and stays open while they refuse.

#include <QDialog>

class CDlgChmOutput;
class QLineEdit;

namespace mb::gui {

class ChmOutputDialog final : public QDialog {
    Q_OBJECT
public:
    ChmOutputDialog(CDlgChmOutput& form, QWidget* parent);
    void accept() override;

private:
    void CopyToForm();
    void CopyFromForm();

    CDlgChmOutput& m_form;
    QLineEdit* m_chm;
    QLineEdit* m_output;
};

} // namespace mb::gui
