#include "app/gui/AddFolderDialog.h"
#include "app/gui/HelpWindow.h"
#include "app/gui/QtPrompt.h"
#include "app/gui/UiText.h"

#include "app/gui/FilterDialog.h"

#include "baseutil/Prompt.h"
#include "commonkit/DropFileFilterSet.h"
#include "commonkit/HelpTopics.h"
#include "commonkit/StringTable.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace mb::gui {

namespace {

constexpr int kStrTitle = 14;
constexpr int kStrSelectFolder = 261;
constexpr int kStrFilterTip = 542;

} // namespace

AddFolderDialog::AddFolderDialog(tagAddDirectoryOption& options, CDropFileFilterSet* filters,
                                 bool chooseFolder, AppContext& context, QWidget* parent)
    : QDialog(parent), m_options(options), m_filters(filters), m_context(context),
      m_subFolders(new QCheckBox(Text(kStrIncludeSubFolders))) {
    setWindowTitle(Text(kStrTitle));
    SetHelpTopic(this, help::kAddFolder);
    auto* layout = new QVBoxLayout(this);
    if (chooseFolder) {
        m_folder = new QLineEdit(QString::fromStdString(options.folder));
        m_folder->setObjectName("folder");
        auto* browse = new QPushButton(Text(kStrBrowseButton));
        connect(browse, &QPushButton::clicked, this, [this] {
            PickRequest request;
            request.title = CStrHelper::ML_GetStringEx(kStrSelectFolder);
            request.initialPath = m_context.settings.env.GetLastOpenFolder();
            if (auto folder = QtPrompt(this).PickFolder(request))
                m_folder->setText(QString::fromStdString(*folder));
        });
        auto* row = new QHBoxLayout;
        auto* label = new QLabel(Text(kStrFolderField));
        label->setBuddy(m_folder);
        row->addWidget(label);
        row->addWidget(m_folder, 1);
        row->addWidget(browse);
        layout->addLayout(row);
    }
    m_subFolders->setObjectName("includeSubFolders");
    m_subFolders->setChecked(options.includeSubDir != 0);
    layout->addWidget(m_subFolders);

    auto* group = new QGroupBox(Text(kStrDropFileFilterGroup));
    auto* grid = new QGridLayout(group);
    const int labels[] = {kStrSkipFoldersButton, kStrSkipFilesButton, kStrOnlyIncludeFilesButton};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(Text(labels[i]));
        connect(button, &QPushButton::clicked, this, [this, i] { EditFilters(i); });
        m_summaries[i] = new QLineEdit;
        m_summaries[i]->setReadOnly(true);
        grid->addWidget(button, i, 0);
        grid->addWidget(m_summaries[i], i, 1);
    }
    auto* whole = new QPushButton;
    whole->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    whole->setToolTip(Text(kStrFilterTip));
    connect(whole, &QPushButton::clicked, this, [this] { EditFilters(0); });
    auto* help = new QPushButton(Text(kStrFilterHelpButton));
    connect(help, &QPushButton::clicked, this,
            [this] { m_context.ShowHelp(mb::help::kDropFileFilter); });
    grid->addWidget(whole, 0, 2);
    grid->addWidget(help, 3, 1, 1, 2, Qt::AlignRight);
    group->setEnabled(filters != nullptr);
    layout->addWidget(group);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &AddFolderDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AddFolderDialog::reject);
    layout->addWidget(buttons);
    if (m_folder) {
        auto enable = [this] {
            m_ok->setEnabled(!m_folder->text().isEmpty());
            m_folder->setToolTip(m_folder->text());
        };
        connect(m_folder, &QLineEdit::textChanged, this, enable);
        enable();
    }
    ShowSummaries();
    resize(520, sizeHint().height());
}

void AddFolderDialog::ShowSummaries() {
    if (!m_filters)
        return;
    std::string texts[3];
    m_filters->GetCurSkipFolders(texts[0]);
    m_filters->GetCurSkipFiles(texts[1]);
    m_filters->GetCurOnlyIncludeFiles(texts[2]);
    for (int i = 0; i < 3; ++i)
        m_summaries[i]->setText(QString::fromStdString(texts[i]));
}

void AddFolderDialog::EditFilters(int page) {
    if (!m_filters)
        return;
    FilterDialog dialog(*m_filters, static_cast<FilterSection>(page), m_context, this);
    if (dialog.exec() == QDialog::Accepted)
        ShowSummaries();
}

void AddFolderDialog::accept() {
    m_options.includeSubDir = m_subFolders->isChecked() ? 1 : 0;
    if (m_folder)
        m_options.folder = m_folder->text().toStdString();
    QDialog::accept();
}

bool QtAddDirectoryDialog::ChooseFolder(tagAddDirectoryOption& options,
                                        CDropFileFilterSet* filters) {
    AddFolderDialog dialog(options, filters, true, m_context, m_parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtAddDirectoryDialog::ConfirmDroppedFolders(tagAddDirectoryOption& options,
                                                 CDropFileFilterSet* filters) {
    AddFolderDialog dialog(options, filters, false, m_context, m_parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace mb::gui
