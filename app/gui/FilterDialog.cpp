#include "app/gui/FilterDialog.h"
#include "app/gui/HelpWindow.h"
#include "app/gui/QtPrompt.h"
#include "app/gui/UiText.h"
#include "commonkit/HelpTopics.h"

#include "baseutil/Prompt.h"
#include "commonkit/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace mb::gui {

namespace {

constexpr int kStrFilterCaption = 513;
constexpr int kStrAskDeleteAll = 514;
constexpr int kStrAskDeleteFilter = 515;
constexpr int kStrFirstTab = 567; // 567 to 569, in section order
constexpr int kStrItemTitle = 550;
constexpr int kStrNewItem = 580;
constexpr int kStrNewFilter = 583;

std::string Str(int n) {
    return CStrHelper::ML_GetStringEx(n);
}

// The one-line text dialog; nothing on Cancel.
std::optional<std::string> AskText(QWidget* parent, const QString& prompt,
                                   const QString& text = {}) {
    bool ok = false;
    QString entered =
        QInputDialog::getText(parent, Text(kStrItemTitle), prompt, QLineEdit::Normal, text, &ok);
    if (!ok)
        return std::nullopt;
    return entered.toStdString();
}

struct SectionTexts {
    int enable;
    int explanation;
};

constexpr SectionTexts kSectionTexts[] = {
    {kStrEnableSkipFolders, kStrSkipFoldersNote},
    {kStrEnableSkipFiles, kStrSkipFilesNote},
    {kStrEnableOnlyIncludeFiles, kStrOnlyIncludeFilesNote},
};

} // namespace

// One section of the filter in use: its switch and its patterns.
class FilterPage final : public QWidget {
public:
    FilterPage(CDlgSetDropFileFilter& form, FilterSection section)
        : m_form(form), m_section(section), m_enable(new QCheckBox), m_list(new QListWidget) {
        const SectionTexts& texts = kSectionTexts[static_cast<int>(section)];
        m_enable->setText(Text(texts.enable));
        m_enable->setObjectName("enable");
        m_list->setObjectName("items");
        auto* add = Button(Text(kStrAddButton), "add", [this] { Add(); });
        auto* remove = Button(Text(kStrDeleteButton), "delete", [this] { Delete(); });
        auto* removeAll = Button(Text(kStrDeleteAllButton), "deleteAll", [this] { DeleteAll(); });
        auto* edit = Button(Text(kStrEditButton), "edit", [this] { Edit(); });
        connect(m_enable, &QCheckBox::toggled, this,
                [this](bool on) { m_form.Section(m_section).SetEnabled(on); });
        connect(m_list, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
            m_form.Section(m_section).SetUsed(m_list->row(item), item->checkState() == Qt::Checked);
        });
        auto* buttons = new QHBoxLayout;
        for (QPushButton* button : {add, remove, removeAll, edit})
            buttons->addWidget(button);
        buttons->addStretch();
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(m_enable);
        layout->addWidget(new QLabel(Text(texts.explanation)));
        layout->addWidget(m_list, 1);
        layout->addLayout(buttons);
    }

    // Shows the section of the filter in use now.
    void Refresh() {
        FilterSectionEdit section = m_form.Section(m_section);
        QSignalBlocker blockEnable(m_enable);
        QSignalBlocker blockList(m_list);
        m_enable->setChecked(section.IsEnabled());
        m_list->clear();
        for (int i = 0; i < section.Count(); ++i) {
            auto* item = new QListWidgetItem(QString::fromStdString(section.Name(i)), m_list);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(section.IsUsed(i) ? Qt::Checked : Qt::Unchecked);
        }
    }

private:
    template <typename Slot> QPushButton* Button(const QString& text, const char* name, Slot slot) {
        auto* button = new QPushButton(text);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, slot);
        return button;
    }

    // The selected line, or -1 after telling the user to choose one.
    int SelectedRow() {
        int row = m_list->currentRow();
        if (row < 0 || !m_list->currentItem()->isSelected()) {
            ShowMessageOver(this, Str(kStrSelectListItemFirst), Str(kStrFilterCaption), Buttons::Ok,
                            Icon::Warning);
            return -1;
        }
        return row;
    }

    void Add() {
        if (auto text = AskText(this, Text(kStrNewItem));
            text && m_form.Section(m_section).Add(*text))
            Refresh();
    }

    void Edit() {
        int row = SelectedRow();
        if (row < 0)
            return;
        FilterSectionEdit section = m_form.Section(m_section);
        auto text = AskText(this, Text(kStrNewItem), QString::fromStdString(section.Name(row)));
        if (text && section.Rename(row, *text)) {
            Refresh();
            m_list->setCurrentRow(row);
        }
    }

    void Delete() {
        int row = SelectedRow();
        if (row < 0)
            return;
        if (ShowMessageOver(
                this, Text(kStrAskDeleteListItem).arg(m_list->item(row)->text()).toStdString(),
                Str(kStrFilterCaption), Buttons::OkCancel, Icon::Question) != Answer::Ok)
            return;
        m_form.Section(m_section).Delete(row);
        Refresh();
    }

    void DeleteAll() {
        if (ShowMessageOver(this, Str(kStrAskDeleteAll), Str(kStrFilterCaption), Buttons::OkCancel,
                            Icon::Question) != Answer::Ok)
            return;
        m_form.Section(m_section).DeleteAll();
        Refresh();
    }

    CDlgSetDropFileFilter& m_form;
    FilterSection m_section;
    QCheckBox* m_enable;
    QListWidget* m_list;
};

FilterDialog::FilterDialog(CDropFileFilterSet& filters, FilterSection firstPage,
                           AppContext& context, QWidget* parent)
    : QDialog(parent), m_form(filters, firstPage), m_combo(new QComboBox), m_tabs(new QTabWidget) {
    setWindowTitle(Text(kStrFileFilterSettingsTitle));
    SetHelpTopic(this, help::kDropFileFilter);
    auto* intro = new QLabel(Text(kStrFileFilterIntro));
    intro->setWordWrap(true);
    m_combo->setObjectName("filterSet");
    auto* add = new QPushButton(Text(kStrAddFilterSetButton));
    auto* remove = new QPushButton(Text(kStrDeleteFilterSetButton));
    add->setObjectName("addFilter");
    remove->setObjectName("deleteFilter");
    connect(add, &QPushButton::clicked, this, &FilterDialog::AddFilter);
    connect(remove, &QPushButton::clicked, this, &FilterDialog::DeleteFilter);
    for (FilterSection section :
         {FilterSection::SkipFolders, FilterSection::SkipFiles, FilterSection::OnlyIncludeFiles}) {
        auto* page = new FilterPage(m_form, section);
        m_pages.push_back(page);
        m_tabs->addTab(page, Text(kStrFirstTab + static_cast<int>(section)));
    }
    m_tabs->setCurrentIndex(static_cast<int>(firstPage));
    FillCombo();
    connect(m_combo, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_form.SelectFilter(index);
        ShowCurrentFilter();
    });
    ShowCurrentFilter();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &FilterDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FilterDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
            [&context] { context.ShowHelp(help::kDropFileFilter); });
    auto* setRow = new QHBoxLayout;
    setRow->addWidget(new QLabel(Text(kStrFilterSetField)));
    setRow->addWidget(m_combo, 1);
    setRow->addWidget(add);
    setRow->addWidget(remove);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(setRow);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buttons);
    resize(520, 440);
}

void FilterDialog::FillCombo() {
    QSignalBlocker block(m_combo);
    m_combo->clear();
    for (const std::string& name : m_form.FilterNames())
        m_combo->addItem(QString::fromStdString(name));
    m_combo->setCurrentIndex(m_form.GetCurrentIndex());
}

void FilterDialog::ShowCurrentFilter() {
    for (FilterPage* page : m_pages)
        page->Refresh();
}

void FilterDialog::AddFilter() {
    auto name = AskText(this, Text(kStrNewFilter));
    if (!name || !m_form.AddFilter(*name))
        return;
    FillCombo();
    m_combo->setCurrentIndex(m_combo->count() - 1);
}

void FilterDialog::DeleteFilter() {
    int index = m_combo->currentIndex();
    if (index < 0)
        return;
    // No is the default: a slip of the Enter key deletes nothing.
    QMessageBox ask(QMessageBox::Question, Text(kStrFilterCaption),
                    Text(kStrAskDeleteFilter) + "\"" + m_combo->currentText() + "\"",
                    QMessageBox::Yes | QMessageBox::No, this);
    ask.setDefaultButton(QMessageBox::No);
    if (ask.exec() != QMessageBox::Yes || !m_form.DeleteFilter(index))
        return;
    FillCombo();
    ShowCurrentFilter();
}

void FilterDialog::accept() {
    m_form.OnOK();
    QDialog::accept();
}

void FilterDialog::reject() {
    m_form.OnCancel();
    QDialog::reject();
}

} // namespace mb::gui
