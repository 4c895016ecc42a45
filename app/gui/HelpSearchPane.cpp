#include "app/gui/HelpSearchPane.h"

#include "app/core/SearchTerms.h"

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
} // namespace

HelpSearchPane::HelpSearchPane(QWidget* parent)
    : QWidget(parent), m_field(new QLineEdit), m_results(new QListWidget), m_status(new QLabel) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* label = new QLabel(tr("&Words to search for:"));
    label->setBuddy(m_field);
    auto* search = new QPushButton(tr("&List Topics"));
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
    if (m_builder.joinable())
        m_builder.join();
}

void HelpSearchPane::Index(const std::string& chmPath) {
    Finish();
    m_file = chmPath;
    m_index.reset();
    m_results->clear();
    m_status->setText(tr("Indexing the pages of the help file…"));
    m_builder = std::thread([this, chmPath] {
        auto index = std::make_shared<HelpSearchIndex>();
        std::string error;
        unsigned workers = std::max(1u, std::thread::hardware_concurrency());
        if (!index->Build(chmPath, workers, error))
            index.reset();
        QMetaObject::invokeMethod(this, [this, index, chmPath] { Take(index, chmPath); },
                                  Qt::QueuedConnection);
    });
}

void HelpSearchPane::Take(std::shared_ptr<HelpSearchIndex> index, const std::string& chmPath) {
    if (chmPath != m_file)
        return; // a file opened meanwhile has its own indexing under way
    Finish();
    m_index = std::move(index);
    if (!m_index) {
        m_status->setText(tr("The pages of this help file cannot be read for searching."));
        return;
    }
    m_status->setText(tr("%n pages can be searched.", nullptr, static_cast<int>(m_index->PageCount())));
    emit Indexed();
    if (m_searchWaiting) {
        m_searchWaiting = false;
        Search();
    }
}

void HelpSearchPane::Search() {
    if (!m_index) {
        m_searchWaiting = !m_file.empty();
        return;
    }
    m_results->clear();
    const std::string query = m_field->text().toStdString();
    if (search::QueryTerms(query).empty()) {
        m_status->setText(tr("Type the words to search for."));
        return;
    }
    std::vector<HelpSearchIndex::Hit> hits = m_index->Search(query);
    for (const HelpSearchIndex::Hit& hit : hits) {
        auto* item = new QListWidgetItem(QString::fromStdString(hit.title), m_results);
        item->setData(kPageRole, QString::fromStdString(hit.page));
        item->setToolTip(QString::fromStdString(hit.page));
    }
    m_status->setText(hits.empty() ? tr("No topic holds all of these words.")
                                   : tr("%n topics found.", nullptr, static_cast<int>(hits.size())));
    if (!hits.empty())
        m_results->setCurrentRow(0);
}

} // namespace mb::gui
