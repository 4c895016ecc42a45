#include "app/gui/HelpIndexPane.h"

#include "app/gui/UiText.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace mb::gui {

namespace {

// Asks which of a keyword's topics to show; its index, or -1 for none.
int ChooseTopic(QWidget* parent, const HelpBook::Keyword& keyword) {
    QDialog dialog(parent);
    dialog.setObjectName("TopicsFound");
    dialog.setWindowTitle(Text(kStrTopicsFoundTitle));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(Text(kStrTopicsForKeyword).arg(QString::fromStdString(keyword.name)));
    auto* list = new QListWidget;
    for (const HelpBook::Topic& topic : keyword.topics)
        list->addItem(QString::fromStdString(topic.title.empty() ? topic.page : topic.title));
    list->setCurrentRow(0);
    label->setBuddy(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(Text(kStrDisplayButton));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
    layout->addWidget(label);
    layout->addWidget(list);
    layout->addWidget(buttons);
    return dialog.exec() == QDialog::Accepted ? list->currentRow() : -1;
}

} // namespace

HelpIndexPane::HelpIndexPane(QWidget* parent)
    : QWidget(parent), m_field(new QLineEdit), m_list(new QListWidget) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* label = new QLabel(Text(kStrKeywordField));
    label->setBuddy(m_field);
    m_field->setClearButtonEnabled(true);
    m_list->setUniformItemSizes(true);
    layout->addWidget(label);
    layout->addWidget(m_field);
    layout->addWidget(m_list);
    connect(m_field, &QLineEdit::textEdited, this, [this](const QString& text) {
        SelectStartingWith(text);
    });
    connect(m_field, &QLineEdit::returnPressed, this, &HelpIndexPane::ActivateSelected);
    connect(m_list, &QListWidget::itemActivated, this, [this] { ActivateSelected(); });
}

void HelpIndexPane::Fill(const std::vector<HelpBook::Keyword>& index) {
    m_keywords = index;
    m_list->clear();
    m_sorted.clear();
    QStringList rows;
    rows.reserve(static_cast<int>(index.size()));
    for (size_t row = 0; row < index.size(); ++row) {
        QString name = QString::fromStdString(index[row].name);
        rows.append(QString(index[row].level * 4, ' ') + name);
        m_sorted.emplace_back(name.toCaseFolded(), static_cast<int>(row));
    }
    m_list->addItems(rows);
    std::stable_sort(m_sorted.begin(), m_sorted.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
}

bool HelpIndexPane::SelectStartingWith(const QString& text) {
    const QString wanted = text.trimmed().toCaseFolded();
    if (wanted.isEmpty())
        return false;
    auto at = std::lower_bound(m_sorted.begin(), m_sorted.end(), wanted,
                               [](const auto& entry, const QString& value) { return entry.first < value; });
    if (at == m_sorted.end() || !at->first.startsWith(wanted))
        return false;
    // Of the keywords starting so, the first in the index's own order.
    int row = at->second;
    for (auto next = at; next != m_sorted.end() && next->first.startsWith(wanted); ++next)
        row = std::min(row, next->second);
    m_list->setCurrentRow(row);
    m_list->scrollToItem(m_list->item(row), QAbstractItemView::PositionAtTop);
    return true;
}

void HelpIndexPane::ActivateSelected() {
    int row = m_list->currentRow();
    if (row < 0 || row >= static_cast<int>(m_keywords.size()))
        return;
    const HelpBook::Keyword& keyword = m_keywords[row];
    std::vector<HelpBook::Topic> topics;
    if (!keyword.seeAlso.empty()) {
        // "See Also" another keyword goes there. Pointing to itself (as
        // Sphinx writes a keyword that only heads sub-keywords), it leads to
        // the topics of its sub-keywords.
        if (QString::fromStdString(keyword.seeAlso).compare(QString::fromStdString(keyword.name),
                                                            Qt::CaseInsensitive) != 0) {
            SelectStartingWith(QString::fromStdString(keyword.seeAlso));
            return;
        }
        for (size_t sub = row + 1;
             sub < m_keywords.size() && m_keywords[sub].level > keyword.level; ++sub) {
            if (m_keywords[sub].level != keyword.level + 1)
                continue;
            for (HelpBook::Topic topic : m_keywords[sub].topics) {
                if (topic.title.empty())
                    topic.title = m_keywords[sub].name;
                topics.push_back(topic);
            }
        }
    } else {
        topics = keyword.topics;
    }
    topics.erase(std::remove_if(topics.begin(), topics.end(),
                                [](const HelpBook::Topic& topic) { return topic.page.empty(); }),
                 topics.end());
    if (topics.size() == 1) {
        emit PageWanted(topics.front().page);
    } else if (topics.size() > 1) {
        HelpBook::Keyword offered = keyword;
        offered.topics = topics;
        int chosen = ChooseTopic(this, offered);
        if (chosen >= 0)
            emit PageWanted(topics[chosen].page);
    }
}

} // namespace mb::gui
