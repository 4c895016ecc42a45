#include "app/gui/HelpContentsPane.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>

namespace mb::gui {

namespace {
constexpr int kPageRole = Qt::UserRole;
} // namespace

HelpContentsPane::HelpContentsPane(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setUniformRowHeights(true);
    auto activate = [this](QTreeWidgetItem* item) {
        std::string page = item->data(0, kPageRole).toString().toStdString();
        if (!page.empty())
            emit PageWanted(page);
    };
    connect(this, &QTreeWidget::itemActivated, this, [activate](QTreeWidgetItem* item, int) {
        activate(item);
    });
    connect(this, &QTreeWidget::itemClicked, this, [activate](QTreeWidgetItem* item, int) {
        activate(item);
    });
}

QString HelpContentsPane::Key(const std::string& page) {
    return QString::fromStdString(page.substr(0, page.find('#'))).toLower();
}

void HelpContentsPane::Fill(const std::vector<HelpBook::Entry>& contents) {
    clear();
    m_itemOfPage.clear();
    m_pages.clear();
    const QIcon book = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon leaf = style()->standardIcon(QStyle::SP_FileIcon);
    std::vector<QTreeWidgetItem*> parents; // parents[level]: the latest entry of that level
    QList<QTreeWidgetItem*> topLevel;
    for (size_t i = 0; i < contents.size(); ++i) {
        const HelpBook::Entry& entry = contents[i];
        size_t level = std::min<size_t>(entry.level, parents.size());
        parents.resize(level);
        auto* item = new QTreeWidgetItem(QStringList(QString::fromStdString(entry.name)));
        item->setData(0, kPageRole, QString::fromStdString(entry.page));
        bool hasChildren = i + 1 < contents.size() && contents[i + 1].level > entry.level;
        item->setIcon(0, hasChildren ? book : leaf);
        if (parents.empty())
            topLevel.append(item);
        else
            parents.back()->addChild(item);
        parents.push_back(item);
        if (!entry.page.empty()) {
            m_pages.push_back(item);
            m_itemOfPage.insert(Key(entry.page), item); // the last entry of a page wins
        }
    }
    addTopLevelItems(topLevel);
}

bool HelpContentsPane::Sync(const std::string& page) {
    QTreeWidgetItem* item = m_itemOfPage.value(Key(page));
    if (!item)
        return false;
    if (currentItem() &&
        Key(currentItem()->data(0, kPageRole).toString().toStdString()) == Key(page))
        return true; // the page of the selected entry: it stays selected
    setCurrentItem(item);
    scrollToItem(item);
    return true;
}

std::string HelpContentsPane::Step(int step) const {
    auto at = std::find(m_pages.begin(), m_pages.end(), currentItem());
    if (at == m_pages.end())
        return {};
    if ((step < 0 && at == m_pages.begin()) || (step > 0 && at + 1 == m_pages.end()))
        return {};
    return (*(at + step))->data(0, kPageRole).toString().toStdString();
}

} // namespace mb::gui
