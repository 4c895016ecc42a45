#include "app/gui/PreferencesDialog.h"
#include "app/gui/UiText.h"
#include "app/gui/HelpWindow.h"
#include "commonkit/HelpTopics.h"

#include "app/gui/ReplacementTableEditor.h"
#include "commonkit/StringTable.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace mb::gui {

namespace {

constexpr int kStrTitle = 588;
constexpr int kStrTopicTitlesTab = 589;
constexpr int kStrReplacementsTab = 605;

QGroupBox* Group(const QString& title, std::initializer_list<QRadioButton*> buttons) {
    auto* group = new QGroupBox(title);
    auto* layout = new QVBoxLayout(group);
    for (QRadioButton* button : buttons)
        layout->addWidget(button);
    return group;
}

} // namespace

PreferencesDialog::PreferencesDialog(CConfigData& config, AppContext& context, QWidget* parent)
    : QDialog(parent), m_form(config), m_tabs(new QTabWidget) {
    setWindowTitle(Text(kStrTitle));
    SetHelpTopic(this, CDlgPreferences::HelpTopic(0));
    m_tabs->addTab(BuildTopicTitlePage(), Text(kStrTopicTitlesTab));
    m_tabs->addTab(new ReplacementTableEditor(m_form.Replacements()), Text(kStrReplacementsTab));
    connect(m_tabs, &QTabWidget::currentChanged, this,
            [this](int page) { SetHelpTopic(this, CDlgPreferences::HelpTopic(page)); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &PreferencesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PreferencesDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this, &context] {
        context.ShowHelp(CDlgPreferences::HelpTopic(m_tabs->currentIndex()));
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buttons);
    resize(480, 360);
}

QWidget* PreferencesDialog::BuildTopicTitlePage() {
    m_pageTitle = new QRadioButton(Text(kStrTitleFromTitleTag));
    m_htmlWithExtension = new QRadioButton(Text(kStrFileNameWithExtension));
    m_htmlWithoutExtension = new QRadioButton(Text(kStrFileNameWithoutExtension));
    m_otherWithExtension = new QRadioButton(Text(kStrFileNameWithExtension));
    m_otherWithoutExtension = new QRadioButton(Text(kStrFileNameWithoutExtension));
    switch (m_form.GetHTMLTopicTitle()) {
    case HtmlTopicTitle::PageTitle:
        m_pageTitle->setChecked(true);
        break;
    case HtmlTopicTitle::FileNameWithExtension:
        m_htmlWithExtension->setChecked(true);
        break;
    case HtmlTopicTitle::FileNameWithoutExtension:
        m_htmlWithoutExtension->setChecked(true);
        break;
    }
    (m_form.GetOtherTypesWithoutExtension() ? m_otherWithoutExtension : m_otherWithExtension)
        ->setChecked(true);
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(Text(kStrTopicTitleSource)));
    layout->addWidget(Group(Text(kStrHtmlFilesGroup),
                            {m_pageTitle, m_htmlWithExtension, m_htmlWithoutExtension}));
    layout->addWidget(
        Group(Text(kStrOtherFilesGroup), {m_otherWithExtension, m_otherWithoutExtension}));
    layout->addStretch();
    return page;
}

void PreferencesDialog::accept() {
    m_form.SetHTMLTopicTitle(
        m_htmlWithExtension->isChecked()      ? HtmlTopicTitle::FileNameWithExtension
        : m_htmlWithoutExtension->isChecked() ? HtmlTopicTitle::FileNameWithoutExtension
                                              : HtmlTopicTitle::PageTitle);
    m_form.SetOtherTypesWithoutExtension(m_otherWithoutExtension->isChecked());
    m_form.OnOK();
    QDialog::accept();
}

} // namespace mb::gui
