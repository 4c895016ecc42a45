#include "app/gui/OptionsSheet.h"
#include "app/gui/HelpWindow.h"
#include "app/gui/UiText.h"
#include "commonkit/HelpTopics.h"
#include "projectmodel/ProjectFile.h"

#include "app/core/LanguageTable.h"
#include "commonkit/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace mb::gui {

namespace {

constexpr int kStrCaption = 10;
constexpr int kStrFirstPageTitle = 543; // 543 to 547, in page order
constexpr int kTreeWidth = 180;

std::string S(const QString& text) {
    return text.toStdString();
}

QLineEdit* Field(const char* name, const std::string& text) {
    auto* field = new QLineEdit(ToQ(text));
    field->setObjectName(name);
    return field;
}

QCheckBox* Check(const QString& text, bool on, const char* name = "") {
    auto* box = new QCheckBox(text);
    box->setChecked(on);
    box->setObjectName(name);
    return box;
}

QSpinBox* Number(int value, int low, int high, const char* name = "") {
    auto* box = new QSpinBox;
    box->setRange(low, high);
    box->setValue(value);
    box->setObjectName(name);
    return box;
}

QLabel* Note(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

} // namespace

OptionsSheet::OptionsSheet(CProjectFile& project, int startPage, QWidget* parent)
    : QDialog(parent), m_config(project.Settings().config), m_form(project),
      m_tree(new QTreeWidget), m_pages(new QStackedWidget), m_noPage(new QLabel) {
    setWindowTitle(Text(kStrCaption));
    SetHelpTopic(this, help::kProjectOptions);
    m_tree->setObjectName("pageTree");
    m_tree->setHeaderHidden(true);
    m_tree->setFixedWidth(kTreeWidth);
    auto page = [](QTreeWidgetItem* parent, int number) {
        auto* item = new QTreeWidgetItem(parent, {Text(kStrFirstPageTitle + number)});
        item->setData(0, Qt::UserRole, number);
        return item;
    };
    auto* top = m_tree->invisibleRootItem();
    page(top, CProjectOptionsForm::General);
    page(top, CProjectOptionsForm::Compiler);
    auto* window = new QTreeWidgetItem(top, {Text(kStrWindowPage)});
    window->setData(0, Qt::UserRole, -1);
    page(window, CProjectOptionsForm::Styles);
    page(window, CProjectOptionsForm::Viewer);
    page(window, CProjectOptionsForm::Buttons);
    m_tree->expandAll();
    m_noPage->setAlignment(Qt::AlignCenter);
    m_pages->addWidget(m_noPage);
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { ShowItem(item); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &OptionsSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OptionsSheet::reject);
    auto* body = new QHBoxLayout;
    body->addWidget(m_tree);
    body->addWidget(m_pages, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);
    resize(640, 440);
    ShowPage(startPage);
}

void OptionsSheet::ShowPage(int page) {
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toInt() == page) {
            m_tree->setCurrentItem(*it);
            return;
        }
    m_tree->setCurrentItem(m_tree->topLevelItem(0));
}

void OptionsSheet::ShowItem(QTreeWidgetItem* item) {
    if (!item)
        return;
    int page = item->data(0, Qt::UserRole).toInt();
    if (page < 0 || page >= CProjectOptionsForm::PageCount) {
        m_noPage->setText(Text(kStrSelectChildItem).arg(item->text(0)));
        m_pages->setCurrentWidget(m_noPage);
        return;
    }
    m_config.m_nLastConfigPage = page;
    auto built = m_built.find(page);
    if (built == m_built.end()) {
        m_form.Show(static_cast<CProjectOptionsForm::Page>(page));
        built = m_built.emplace(page, BuildPage(page)).first;
        m_pages->addWidget(built->second);
    }
    m_pages->setCurrentWidget(built->second);
}

QWidget* OptionsSheet::BuildPage(int page) {
    auto* widget = new QWidget;
    auto* form = new QFormLayout(widget);
    switch (page) {
    case CProjectOptionsForm::General: {
        GeneralOptions& g = m_form.general;
        auto* title = Field("title", g.title);
        auto* errorLog = Field("errorLog", g.errorLogFile);
        errorLog->setPlaceholderText(kDefaultErrorLogFile);
        auto* topic = Field("defaultTopic", g.defaultTopic);
        auto* language = new QComboBox;
        language->setObjectName("language");
        for (int i = 0; i < LanguageCount(); ++i)
            language->addItem(ToQ(LanguageRowText(i)));
        int position = LanguagePosition(g.languageId);
        language->setCurrentIndex(position >= 0 ? position : LanguagePosition(kFallbackLanguageId));
        form->addRow(Text(kStrHelpFileTitleField), title);
        form->addRow(Text(kStrDefaultTopicField), topic);
        form->addRow(Text(kStrErrorLogFileField), errorLog);
        form->addRow(Text(kStrLanguageField), language);
        m_collect.push_back([&g, title, errorLog, topic, language] {
            g.title = S(title->text());
            g.errorLogFile = S(errorLog->text());
            g.defaultTopic = S(topic->text());
            g.languageId = LanguageIdAt(language->currentIndex());
        });
        break;
    }
    case CProjectOptionsForm::Compiler: {
        CompilerOptions& c = m_form.compiler;
        auto* binaryToc = Check(Text(kStrBinaryToc), c.binaryToc, "binaryToc");
        auto* binaryIndex = Check(Text(kStrBinaryIndex), c.binaryIndex, "binaryIndex");
        auto* notes = Check(Text(kStrCompileNotes), c.compileNotes);
        auto* progress = Check(Text(kStrCompileProgress), c.compileProgress);
        auto* flat = Check(Text(kStrFlatHelpFile), c.flat);
        auto* enhanced = Check(Text(kStrEnhancedDecompilation), c.enhancedDecompilation);
        auto* compatibility = new QComboBox;
        compatibility->setEditable(true);
        compatibility->addItems({"1.0", Text(kStrCompatibilityLater)});
        compatibility->setCurrentText(ToQ(c.compatibility));
        auto* font = Field("defaultFont", c.defaultFont);
        font->setPlaceholderText(Text(kStrFontPlaceholder));
        for (QCheckBox* box : {binaryToc, binaryIndex, notes, progress, flat, enhanced})
            form->addRow(box);
        form->addRow(Text(kStrCompatibilityField), compatibility);
        form->addRow(Text(kStrDefaultFontField), font);
        form->addRow(Note(Text(kStrUnhonouredSettingsNote)));
        m_collect.push_back(
            [&c, binaryToc, binaryIndex, notes, progress, flat, enhanced, compatibility, font] {
                c.binaryToc = binaryToc->isChecked();
                c.binaryIndex = binaryIndex->isChecked();
                c.compileNotes = notes->isChecked();
                c.compileProgress = progress->isChecked();
                c.flat = flat->isChecked();
                c.enhancedDecompilation = enhanced->isChecked();
                c.compatibility = S(compatibility->currentText());
                c.defaultFont = S(font->text());
            });
        break;
    }
    case CProjectOptionsForm::Styles: {
        StyleOptions& s = m_form.styles;
        auto* onTop = Check(Text(kStrViewerOnTop), s.onTop);
        auto* right = Check(Text(kStrRightAlignedText), s.rightAligned);
        auto* rtl = Check(Text(kStrRightToLeftReading), s.rtlReading);
        auto* leftBar = Check(Text(kStrScrollBarOnTheLeft), s.leftScrollBar);
        auto* left = Number(s.position.left, -32000, 32000);
        auto* topEdge = Number(s.position.top, -32000, 32000);
        auto* rightEdge = Number(s.position.right, -32000, 32000);
        auto* bottom = Number(s.position.bottom, -32000, 32000);
        for (QCheckBox* box : {onTop, right, rtl, leftBar})
            form->addRow(box);
        auto* position = new QHBoxLayout;
        for (QSpinBox* edge : {left, topEdge, rightEdge, bottom})
            position->addWidget(edge);
        form->addRow(Text(kStrWindowPositionField), position);
        m_collect.push_back([&s, onTop, right, rtl, leftBar, left, topEdge, rightEdge, bottom] {
            s.onTop = onTop->isChecked();
            s.rightAligned = right->isChecked();
            s.rtlReading = rtl->isChecked();
            s.leftScrollBar = leftBar->isChecked();
            s.position = {left->value(), topEdge->value(), rightEdge->value(), bottom->value()};
        });
        break;
    }
    case CProjectOptionsForm::Viewer: {
        ViewerOptions& v = m_form.viewer;
        auto* width = Number(v.navigationWidth, 0, 2000, "navigationWidth");
        auto* sync = Check(Text(kStrShowOpenPageInContents), v.autoSync);
        auto* search = Check(Text(kStrSearchTabOption), v.searchTab);
        auto* favorites = Check(Text(kStrFavoritesTabOption), v.favoritesTab);
        auto* advanced = Check(Text(kStrAdvancedSearchOption), v.advancedSearch);
        auto* fullText = Check(Text(kStrFullTextSearchOption), v.fullTextSearch, "fullTextSearch");
        auto* index = Check(Text(kStrIndexTabOption), v.includeIndexPage, "includeIndexPage");
        form->addRow(Text(kStrNavigationWidthField), width);
        for (QCheckBox* box : {sync, index, search, advanced, favorites, fullText})
            form->addRow(box);
        m_collect.push_back([&v, width, sync, search, favorites, advanced, fullText, index] {
            v.navigationWidth = width->value();
            v.autoSync = sync->isChecked();
            v.searchTab = search->isChecked();
            v.favoritesTab = favorites->isChecked();
            v.advancedSearch = advanced->isChecked();
            v.fullTextSearch = fullText->isChecked();
            v.includeIndexPage = index->isChecked();
        });
        break;
    }
    case CProjectOptionsForm::Buttons: {
        ButtonOptions& b = m_form.buttons;
        auto* grid = new QGroupBox(Text(kStrToolbarButtonsGroup));
        auto* boxes = new QGridLayout(grid);
        std::vector<std::pair<QCheckBox*, unsigned long>> checks;
        int n = 0;
        for (const ToolbarButton& button : kToolbarButtons) {
            auto* box = Check(button.name, (b.buttons & button.flag) != 0, button.name);
            boxes->addWidget(box, n / 4, n % 4);
            checks.emplace_back(box, button.flag);
            ++n;
        }
        auto* menu = Check(Text(kStrMenuBarOption), b.menu);
        auto* home = Field("home", b.home);
        auto* jump1Url = Field("jump1Url", b.jump1Url);
        auto* jump1Text = Field("jump1Text", b.jump1Text);
        auto* jump2Url = Field("jump2Url", b.jump2Url);
        auto* jump2Text = Field("jump2Text", b.jump2Text);
        form->addRow(grid);
        form->addRow(menu);
        form->addRow(Text(kStrHomePageField), home);
        form->addRow(Text(kStrJump1PageField), jump1Url);
        form->addRow(Text(kStrJump1TextField), jump1Text);
        form->addRow(Text(kStrJump2PageField), jump2Url);
        form->addRow(Text(kStrJump2TextField), jump2Text);
        m_collect.push_back([&b, checks, menu, home, jump1Url, jump1Text, jump2Url, jump2Text] {
            b.buttons = 0;
            for (const auto& [box, flag] : checks)
                if (box->isChecked())
                    b.buttons |= flag;
            b.menu = menu->isChecked();
            b.home = S(home->text());
            b.jump1Url = S(jump1Url->text());
            b.jump1Text = S(jump1Text->text());
            b.jump2Url = S(jump2Url->text());
            b.jump2Text = S(jump2Text->text());
        });
        break;
    }
    default:
        break;
    }
    return widget;
}

void OptionsSheet::accept() {
    for (const auto& collect : m_collect)
        collect();
    m_form.OnOK();
    QDialog::accept();
}

} // namespace mb::gui
