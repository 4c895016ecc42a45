#include "app/gui/NewProjectDialog.h"
#include "app/gui/UiText.h"
#include "app/gui/HelpWindow.h"
#include "commonkit/HelpTopics.h"

#include "app/core/LanguageTable.h"
#include "app/core/NewProjectForm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace mb::gui {

NewProjectDialog::NewProjectDialog(CDlgNewProject& form, AppContext& context, QWidget* parent)
    : QDialog(parent), m_form(form), m_context(context),
      m_title(new QLineEdit(ToQ(form.GetTitleText()))),
      m_name(new QLineEdit(ToQ(form.GetNameText()))),
      m_folder(new QLineEdit(ToQ(form.GetFolderText()))), m_language(new QComboBox) {
    setWindowTitle(Text(kStrNewProjectTitle));
    SetHelpTopic(this, help::kNewProject);
    m_title->setObjectName("title");
    m_name->setObjectName("name");
    m_folder->setObjectName("folder");
    for (int i = 0; i < LanguageCount(); ++i)
        m_language->addItem(ToQ(LanguageRowText(i)), LanguageIdAt(i));
    if (form.GetSelectedLanguage())
        m_language->setCurrentIndex(LanguagePosition(*form.GetSelectedLanguage()));

    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_form.SetNameText(text.toStdString());
        QString kept = ToQ(m_form.GetNameText());
        if (kept != text)
            m_name->setText(kept);
    });
    auto* browse = new QPushButton(Text(kStrBrowseButton));
    connect(browse, &QPushButton::clicked, this, [this] {
        CopyToForm();
        m_form.OnBrowse();
        m_folder->setText(ToQ(m_form.GetFolderText()));
    });
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(browse);

    auto* fields = new QFormLayout;
    fields->addRow(Text(kStrHelpTitleField), m_title);
    fields->addRow(Text(kStrProjectNameField), m_name);
    auto* folderLabel = new QLabel(Text(kStrProjectFolderField));
    folderLabel->setBuddy(m_folder);
    fields->addRow(folderLabel, folderRow);
    fields->addRow(Text(kStrLanguageField), m_language);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &NewProjectDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &NewProjectDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { m_form.OnHelp(m_context); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    m_title->selectAll();
    m_title->setFocus();
    resize(520, sizeHint().height());
}

void NewProjectDialog::CopyToForm() {
    m_form.SetTitleText(m_title->text().toStdString());
    m_form.SetNameText(m_name->text().toStdString());
    m_form.SetFolderText(m_folder->text().toStdString());
    int position = m_language->currentIndex();
    m_form.SetSelectedLanguage(position >= 0 ? std::optional<int>(LanguageIdAt(position))
                                             : std::nullopt);
}

void NewProjectDialog::accept() {
    CopyToForm();
    if (m_form.OnOK())
        QDialog::accept();
}

} // namespace mb::gui
