#include "app/gui/ChmOutputDialog.h"
#include "app/gui/HelpWindow.h"
#include "app/gui/UiText.h"
#include "commonkit/HelpTopics.h"

#include "app/core/ChmOutputForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace mb::gui {

namespace {

// A row of a field and its browse button under a label whose letter
// leads to the field.
void AddBrowseRow(QFormLayout& form, const QString& label, QLineEdit* field, QPushButton* browse) {
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(browse);
    auto* text = new QLabel(label);
    text->setBuddy(field);
    form.addRow(text, row);
}

} // namespace

ChmOutputDialog::ChmOutputDialog(CDlgChmOutput& form, QWidget* parent)
    : QDialog(parent), m_form(form), m_chm(new QLineEdit), m_output(new QLineEdit) {
    bool decompile = form.GetKind() == CDlgChmOutput::Kind::Decompile;
    setWindowTitle(decompile ? Text(kStrDecompileTitle) : Text(kStrChmToHandheldTitle));
    SetHelpTopic(this, decompile ? help::kDecompile : help::kChmToHandheld);
    CopyFromForm();
    auto* browseChm = new QPushButton(Text(kStrBrowseHelpFileButton));
    auto* browseOutput = new QPushButton(Text(kStrBrowseOutputButton));
    connect(browseChm, &QPushButton::clicked, this, [this] {
        CopyToForm();
        m_form.OnBrowseChm();
        CopyFromForm();
    });
    connect(browseOutput, &QPushButton::clicked, this, [this] {
        CopyToForm();
        m_form.OnBrowseOutput();
        CopyFromForm();
    });
    auto* fields = new QFormLayout;
    AddBrowseRow(*fields, Text(kStrHelpFileField), m_chm, browseChm);
    AddBrowseRow(*fields, Text(kStrOutputFolderField), m_output, browseOutput);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &ChmOutputDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ChmOutputDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    resize(560, sizeHint().height());
}

void ChmOutputDialog::CopyToForm() {
    m_form.SetChmText(m_chm->text().toStdString());
    m_form.SetOutputText(m_output->text().toStdString());
}

void ChmOutputDialog::CopyFromForm() {
    m_chm->setText(QString::fromStdString(m_form.GetChmText()));
    m_output->setText(QString::fromStdString(m_form.GetOutputText()));
}

void ChmOutputDialog::accept() {
    CopyToForm();
    if (m_form.OnOK())
        QDialog::accept();
}

} // namespace mb::gui
