#include "app/gui/QtDialogs.h"
#include "app/gui/UiText.h"

#include "app/gui/ChmOutputDialog.h"
#include "app/gui/CompileDialog.h"
#include "app/gui/NewProjectDialog.h"
#include "app/gui/ProgressWindow.h"

#include "commonkit/HelpTopics.h"
#include "commonkit/StringTable.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

namespace mb::gui {

namespace {

QString Caption() {
    return ToQ(CStrHelper::ML_GetStringEx(kStrProductName));
}

} // namespace

bool QtControllerDialogs::ShowNewProject(CDlgNewProject& dialog) {
    NewProjectDialog window(dialog, m_context, m_parent);
    return window.exec() == QDialog::Accepted;
}

void QtControllerDialogs::ShowProjectFolderWarning(const std::string& projectFolder) {
    QMessageBox box(QMessageBox::Warning, Caption(), ToQ(kProjectFolderWarningText + projectFolder),
                    QMessageBox::Ok | QMessageBox::Help, m_parent);
    while (box.exec() == QMessageBox::Help)
        m_context.ShowHelp(help::kProjectFolderWarning);
}

void QtControllerDialogs::ShowCompile(CProjectController& controller) {
    CompileDialog window(controller, m_parent);
    window.exec();
}

bool QtControllerDialogs::ShowDecompile(CDlgChmOutput& dialog) {
    ChmOutputDialog window(dialog, m_parent);
    return window.exec() == QDialog::Accepted;
}

bool QtControllerDialogs::ShowChmToHandheld(CDlgChmOutput& dialog) {
    ChmOutputDialog window(dialog, m_parent);
    return window.exec() == QDialog::Accepted;
}

void QtControllerDialogs::ShowLongFilenameWarning() {
    const std::string& log = m_context.settings.env.GetLogfilename();
    QMessageBox box(QMessageBox::Warning, Caption(), ToQ(kLongFilenameWarningText + log),
                    QMessageBox::Ok, m_parent);
    QPushButton* open = box.addButton(Text(kStrOpenRunLogButton), QMessageBox::ActionRole);
    box.exec();
    if (box.clickedButton() == open)
        QDesktopServices::openUrl(QUrl::fromLocalFile(ToQ(log)));
}

void QtControllerDialogs::RunWithProgress(const std::string& title,
                                          const std::function<void()>& work) {
    ProgressWindow window(ToQ(title), m_parent);
    window.Run(work);
}

std::optional<std::string> QtProjectDialogs::ChooseProjectFolder(const ProjectFolderChoice& choice) {
    QDialog dialog(m_parent);
    dialog.setWindowTitle(ToQ(kProjectFolderTitle));
    auto* text = new QLabel(ToQ(kProjectFolderText));
    text->setWordWrap(true);
    auto* folder = new QRadioButton(ToQ(choice.folder));
    auto* parent = new QRadioButton(ToQ(choice.parent));
    folder->setChecked(true);
    auto* note = new QLabel(ToQ(kProjectFolderNote));
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::Help);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::helpRequested, &dialog,
                     [this] { m_context.ShowHelp(help::kProjectFolder); });
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(folder);
    layout->addWidget(parent);
    layout->addWidget(note);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return parent->isChecked() ? choice.parent : choice.folder;
}

bool QtProjectDialogs::ConfirmCopyIntoProjectFolder() {
    QMessageBox box(QMessageBox::Question, Caption(), ToQ(kCopyFilesNote), QMessageBox::Cancel,
                    m_parent);
    QPushButton* copy = box.addButton(Text(kStrCopyButton), QMessageBox::AcceptRole);
    box.setDefaultButton(copy);
    box.exec();
    return box.clickedButton() == copy;
}

} // namespace mb::gui
