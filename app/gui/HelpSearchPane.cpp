#include "app/gui/HelpSearchPane.h"

#include "app/core/SearchTerms.h"
#include "app/gui/UiText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace mb::gui {

namespace {
constexpr int kPageRole = Qt::UserRole;
constexpr size_t kShownResults = 500; // more are counted, not listed
} // namespace

HelpSearchPane::HelpSearchPane(QWidget* parent)
    : QWidget(parent), m_field(new QLineEdit), m_results(new QListWidget), m_status(new QLabel) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* label = new QLabel(Text(kStrSearchWordsField));
    label->setBuddy(m_field);
    auto* search = new QPushButton(Text(kStrListTopicsButton));
    auto* row = new QHBoxLayout;
    row->addWidget(m_field, 1);
    row->addWidget(search);
    m_status->setWordWrap(true);
    layout->addWidget(label);
    layout->addLayout(row);
    layout->addWidget(m_status);
    layout->addWidget(m_results, 1);
    connect(search, &QPushButton::clicked, this, &HelpSearchPane::Search);
    connect(m_field, &QLineEdit::returnPressed, this, &HelpSearchPane::Search);
    connect(m_results, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        emit PageWanted(item->data(kPageRole).toString().toStdString(),
                        search::QueryWords(m_field->text().toStdString()));
    });
}

HelpSearchPane::~HelpSearchPane() {
    Finish();
}

void HelpSearchPane::Finish() {
    if (!m_builder.joinable())
        return;
    // An index still being built is for a file no longer shown: abandoned.
    m_stop = true;
    m_builder.join();
    m_stop = false;
}

void HelpSearchPane::Clear() {
    Finish();
    m_index.reset();
    m_results->clear();
    m_status->setText(Text(kStrIndexingPages));
}

void HelpSearchPane::Index(const std::string& chmPath) {
    Clear();
    const unsigned run = ++m_run;
    m_builder = std::thread([this, chmPath, run] {
        auto index = std::make_shared<HelpSearchIndex>();
        std::string error;
        unsigned workers = std::max(1u, std::thread::hardware_concurrency());
        if (!index->Build(chmPath, workers, error, &m_stop))
            index.reset();
        QMetaObject::invokeMethod(this, [this, index, run] { Take(index, run); }, Qt::QueuedConnection);
    });
}

void HelpSearchPane::Take(std::shared_ptr<HelpSearchIndex> index, unsigned run) {
    if (run != m_run)
        return; // a file opened meanwhile has its own indexing under way
    Finish();
    m_index = std::move(index);
    if (!m_index) {
        m_searchWaiting = false;
        m_status->setText(Text(kStrPagesNotSearchable));
        return;
    }
    m_status->setText(Text(kStrSearchablePageCount).arg(m_index->PageCount()));
    emit Indexed();
    if (m_searchWaiting) {
        m_searchWaiting = false;
        Search();
    }
}

void HelpSearchPane::Search() {
    if (!m_index) {
        m_searchWaiting = true;
        return;
    }
    m_results->clear();
    const std::string query = m_field->text().toStdString();
    if (search::QueryTerms(query).empty()) {
        m_status->setText(Text(kStrTypeSearchWords));
        return;
    }
    size_t found = 0;
    std::vector<HelpSearchIndex::Hit> hits = m_index->Search(query, kShownResults, &found);
    m_results->setUpdatesEnabled(false);
    for (const HelpSearchIndex::Hit& hit : hits) {
        auto* item = new QListWidgetItem(QString::fromStdString(hit.title), m_results);
        item->setData(kPageRole, QString::fromStdString(hit.page));
        item->setToolTip(QString::fromStdString(hit.page));
    }
    m_results->setUpdatesEnabled(true);
    if (hits.empty())
        m_status->setText(Text(kStrNoTopicFound));
    else if (found > hits.size())
        m_status->setText(Text(kStrTopicsFoundBestListed).arg(found).arg(hits.size()));
    else
        m_status->setText(Text(kStrTopicsFoundCount).arg(found));
    if (!hits.empty())
        m_results->setCurrentRow(0);
}

} // namespace mb::gui
