#pragma once
// The contents tab of the help window: the help file's contents as a tree.
// Activating an entry shows its page; the tree follows the page on show
// (Sync), and steps through the pages in contents order (Previous, Next).

#include "app/core/HelpBook.h"

#include <QHash>
#include <QTreeWidget>

#include <vector>

namespace mb::gui {

class HelpContentsPane final : public QTreeWidget {
    Q_OBJECT
public:
    explicit HelpContentsPane(QWidget* parent = nullptr);

    void Fill(const std::vector<HelpBook::Entry>& contents);
    // Selects the entry of `page` ("/a.htm", anchors ignored) and shows it;
    // false when no entry leads to that page.
    bool Sync(const std::string& page);
    // The page before or after the selected entry's in contents order
    // (`step` -1 or 1); empty at either end or without a selection.
    std::string Step(int step) const;

signals:
    void PageWanted(const std::string& page);

private:
    static QString Key(const std::string& page);

    QHash<QString, QTreeWidgetItem*> m_itemOfPage;
    std::vector<QTreeWidgetItem*> m_pages; // entries with a page, in contents order
};

} // namespace mb::gui
