#pragma once
// The search tab of the help window: full-text search over every page of
// the help file. The index is built on worker threads as soon as a file is
// opened (see HelpSearchIndex); a search asked for before it is ready runs
// when it is. Activating a result shows its page with the words found
// marked in it.

#include "app/core/HelpSearchIndex.h"

#include <QWidget>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;

namespace mb::gui {

class HelpSearchPane final : public QWidget {
    Q_OBJECT
public:
    explicit HelpSearchPane(QWidget* parent = nullptr);
    ~HelpSearchPane() override;

    // Drops the index of the file shown before; a search waits for Index.
    void Clear();
    // Starts indexing the pages of `chmPath`.
    void Index(const std::string& chmPath);
    QLineEdit* Field() const { return m_field; }
    QListWidget* Results() const { return m_results; }
    bool IndexReady() const { return m_index != nullptr; }
    size_t PageCount() const { return m_index ? m_index->PageCount() : 0; }
    // Searches for what the field holds (when the index is ready).
    void Search();

signals:
    // A result was chosen: its page, and the words to mark in it.
    void PageWanted(const std::string& page, const std::vector<std::string>& words);
    // The index of the current file is ready.
    void Indexed();

private:
    void Take(std::shared_ptr<HelpSearchIndex> index, unsigned run);
    void Finish();

    QLineEdit* m_field;
    QListWidget* m_results;
    QLabel* m_status;
    std::shared_ptr<HelpSearchIndex> m_index;
    std::thread m_builder;
    std::atomic<bool> m_stop{false};
    // Counts the indexing runs started; a result of an earlier run is dropped.
    unsigned m_run = 0;
    bool m_searchWaiting = false;
};

} // namespace mb::gui
