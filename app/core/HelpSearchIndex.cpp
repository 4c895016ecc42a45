#include "app/core/HelpSearchIndex.h"

#include "app/core/SearchTerms.h"
#include "compiledhelp/ChmSystemStream.h"
#include "compiledhelp/ItsFile.h"
#include "markup/EventHandler.h"
#include "markup/HtmlEntities.h"
#include "projectmodel/PageText.h"

#include <algorithm>
#include <cmath>
#include <strings.h>
#include <thread>

namespace mb {
namespace {

constexpr int kDefaultLanguage = 1033;

bool IsPage(const std::string& name) {
    auto endsWith = [&name](const char* ending) {
        size_t length = std::char_traits<char>::length(ending);
        return name.size() > length &&
               strcasecmp(name.c_str() + name.size() - length, ending) == 0;
    };
    return endsWith(".htm") || endsWith(".html");
}

struct PageEntry {
    std::string path;
    uint64_t order;
};

// Every page below `storage` whose path starts with `inside`.
void CollectPages(const CItsStorage& storage, const std::string& inside,
                  std::vector<PageEntry>& pages) {
    for (const CItsElement& element : storage.Elements()) {
        if (element.name.empty() || element.name[0] == '#' || element.name[0] == '$')
            continue;
        std::string path = inside + "/" + element.name;
        if (element.type == kItsTypeStorage) {
            CItsStorage child;
            if (storage.OpenStorage(element, child) == kItsOk)
                CollectPages(child, path, pages);
        } else if (IsPage(element.name)) {
            CItsStream stream;
            if (storage.OpenStream(element, stream) == kItsOk)
                pages.push_back({path, stream.StorageOrder()});
        }
    }
}

// Opens the stream at `path` ("/folder/page.htm") of an open file.
bool OpenByPath(const CItsFile& file, const std::string& path, CItsStream& stream) {
    CItsStorage storage = file.pStorage();
    size_t start = 1;
    for (size_t slash = path.find('/', start); slash != std::string::npos;
         slash = path.find('/', start)) {
        CItsStorage child;
        if (storage.OpenStorage(path.substr(start, slash - start), child) != kItsOk)
            return false;
        storage = child;
        start = slash + 1;
    }
    return storage.OpenStream(path.substr(start), stream) == kItsOk;
}

// The text of a page, apart from its scripts and style sheets, and its title.
class PageTextHandler final : public CEventHandler {
public:
    void StartTag(const CLiteHTMLTag* tag, std::uint32_t, bool&) override { Enter(tag, true); }
    void EndTag(const CLiteHTMLTag* tag, std::uint32_t, bool&) override { Enter(tag, false); }
    void Characters(const std::string& text, std::uint32_t, bool&) override {
        if (m_hidden > 0)
            return;
        std::string decoded = text.find('&') == std::string::npos
                                  ? text
                                  : mb::html::DecodeReferences(text);
        (m_inTitle ? title : body) += decoded;
        (m_inTitle ? title : body) += ' ';
    }

    std::string body;
    std::string title;

private:
    void Enter(const CLiteHTMLTag* tag, bool opening) {
        const std::string& name = tag->getTagName();
        if (strcasecmp(name.c_str(), "script") == 0 || strcasecmp(name.c_str(), "style") == 0)
            m_hidden = std::max(0, m_hidden + (opening ? 1 : -1));
        else if (strcasecmp(name.c_str(), "title") == 0)
            m_inTitle = opening;
    }

    int m_hidden = 0;
    bool m_inTitle = false;
};

std::string FileName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

// A term's text is looked up without making a string of it.
struct TermHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
};

} // namespace

// What one worker gathers: its own numbering of the terms it met, each
// term's pages, and the counts of the page at hand.
struct HelpSearchIndex::Part {
    std::unordered_map<std::string, uint32_t, TermHash, std::equal_to<>> numbers;
    std::vector<std::string> terms;
    std::vector<std::vector<Posting>> pages;
    std::vector<uint32_t> counts;   // per term number, for the page at hand
    std::vector<uint32_t> touched;  // the term numbers the page holds
    Postings titles;
    size_t unreadable = 0;

    uint32_t Number(std::string_view term) {
        auto found = numbers.find(term);
        if (found != numbers.end())
            return found->second;
        uint32_t number = static_cast<uint32_t>(terms.size());
        numbers.emplace(std::string(term), number);
        terms.emplace_back(term);
        pages.emplace_back();
        counts.push_back(0);
        return number;
    }
};

void HelpSearchIndex::IndexPage(const std::string& html, int languageId, uint32_t page,
                                Part& part) {
    page::PageEncoding encoding;
    std::string text = page::DecodePage(html, languageId, encoding);
    PageTextHandler handler;
    CLiteHTMLReader reader;
    reader.setEventHandler(&handler);
    reader.Read(std::string_view(text));

    uint32_t length = 0;
    search::ForEachTerm(handler.body, [&](std::string_view term, bool) {
        uint32_t number = part.Number(term);
        if (part.counts[number]++ == 0)
            part.touched.push_back(number);
        ++length;
    });
    for (uint32_t number : part.touched) {
        part.pages[number].push_back({page, part.counts[number]});
        part.counts[number] = 0;
    }
    part.touched.clear();
    std::unordered_map<std::string, uint32_t> titleTerms;
    search::ForEachTerm(handler.title, [&](std::string_view term, bool) {
        if (titleTerms.emplace(term, 0).second)
            part.titles[std::string(term)].push_back({page, 1});
    });
    // Each worker writes only the pages of its own part.
    Page& entry = m_pages[page];
    entry.length = length;
    std::string title = handler.title;
    title.erase(0, title.find_first_not_of(' '));
    title.erase(title.find_last_not_of(' ') + 1);
    if (!title.empty())
        entry.title = std::move(title);
}

bool HelpSearchIndex::Build(const std::string& chmPath, unsigned workers, std::string& error,
                            const std::atomic<bool>* stop) {
    *this = HelpSearchIndex();
    CItsFile file;
    int opened = file.OpenITS(chmPath);
    if (opened != kItsOk) {
        error = ItsResultText(opened);
        return false;
    }
    std::string system;
    int languageId = kDefaultLanguage;
    if (file.ReadStream("#SYSTEM", system) == kItsOk) {
        uint32_t named = ParseSystemStream(system).languageId;
        languageId = named ? static_cast<int>(named) : kDefaultLanguage;
    }
    std::vector<PageEntry> entries;
    CollectPages(file.pStorage(), "", entries);
    std::stable_sort(entries.begin(), entries.end(),
                     [](const PageEntry& a, const PageEntry& b) { return a.order < b.order; });
    m_pages.resize(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        m_pages[i] = {entries[i].path, FileName(entries[i].path), 0};

    workers = std::max(1u, std::min<unsigned>(workers, std::max<size_t>(1, entries.size())));
    std::vector<Part> parts(workers);
    auto work = [&](unsigned worker) {
        size_t first = entries.size() * worker / workers;
        size_t last = entries.size() * (worker + 1) / workers;
        CItsFile own;
        if (own.OpenITS(chmPath) != kItsOk) {
            parts[worker].unreadable += last - first;
            return;
        }
        std::string bytes;
        for (size_t i = first; i < last; ++i) {
            if (stop && stop->load(std::memory_order_relaxed))
                return;
            CItsStream stream;
            if (!OpenByPath(own, entries[i].path, stream) || stream.ReadAll(bytes) != kItsOk) {
                ++parts[worker].unreadable;
                continue;
            }
            IndexPage(bytes, languageId, static_cast<uint32_t>(i), parts[worker]);
        }
    };
    std::vector<std::thread> threads;
    for (unsigned worker = 1; worker < workers; ++worker)
        threads.emplace_back(work, worker);
    work(0);
    for (std::thread& thread : threads)
        thread.join();
    if (stop && stop->load()) {
        *this = HelpSearchIndex();
        error = "stopped";
        return false;
    }
    Merge(parts);
    return true;
}

void HelpSearchIndex::Merge(std::vector<Part>& parts) {
    // The parts hold consecutive runs of pages, so appending them in order
    // keeps every list in page order.
    auto append = [](std::vector<Posting>& list, std::vector<Posting>& more) {
        if (list.empty())
            list = std::move(more);
        else
            list.insert(list.end(), more.begin(), more.end());
    };
    for (Part& part : parts) {
        for (size_t number = 0; number < part.terms.size(); ++number)
            append(m_body[part.terms[number]], part.pages[number]);
        for (auto& [term, postings] : part.titles)
            append(m_titles[term], postings);
        m_unreadable += part.unreadable;
    }
    double total = 0;
    for (const Page& page : m_pages)
        total += page.length;
    m_averageLength = m_pages.empty() ? 0 : total / static_cast<double>(m_pages.size());
}

std::vector<HelpSearchIndex::Hit> HelpSearchIndex::Search(std::string_view query, size_t limit,
                                                          size_t* found) const {
    std::vector<std::string> terms = search::QueryTerms(query);
    if (found)
        *found = 0;
    if (terms.empty() || m_pages.empty())
        return {};
    static const std::vector<Posting> kNone;
    auto listOf = [](const Postings& postings, const std::string& term) -> const std::vector<Posting>& {
        auto found = postings.find(term);
        return found == postings.end() ? kNone : found->second;
    };
    auto countIn = [](const std::vector<Posting>& list, uint32_t page) -> uint32_t {
        auto at = std::lower_bound(list.begin(), list.end(), page,
                                   [](const Posting& p, uint32_t value) { return p.page < value; });
        return at != list.end() && at->page == page ? at->count : 0;
    };

    // The pages of the rarest term are the candidates.
    const std::string* rarest = &terms[0];
    size_t fewest = SIZE_MAX;
    for (const std::string& term : terms) {
        size_t pages = listOf(m_body, term).size() + listOf(m_titles, term).size();
        if (pages < fewest) {
            fewest = pages;
            rarest = &term;
        }
    }
    std::vector<uint32_t> candidates;
    for (const Postings* postings : {&m_body, &m_titles})
        for (const Posting& posting : listOf(*postings, *rarest))
            candidates.push_back(posting.page);
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());

    // Each term's pages and weight, looked up once.
    struct TermLists {
        const std::vector<Posting>* body;
        const std::vector<Posting>* titles;
        double idf;
    };
    constexpr double k1 = 1.2, b = 0.75, kTitleWeight = 2.0;
    const double pages = static_cast<double>(m_pages.size());
    std::vector<TermLists> lists;
    for (const std::string& term : terms) {
        const std::vector<Posting>& body = listOf(m_body, term);
        double frequency = static_cast<double>(std::max<size_t>(body.size(), 1));
        lists.push_back({&body, &listOf(m_titles, term),
                         std::log(1 + (pages - frequency + 0.5) / (frequency + 0.5))});
    }
    std::vector<std::pair<double, uint32_t>> scored; // score, page
    scored.reserve(candidates.size());
    for (uint32_t page : candidates) {
        double score = 0;
        bool all = true;
        for (const TermLists& term : lists) {
            uint32_t inBody = countIn(*term.body, page);
            uint32_t inTitle = countIn(*term.titles, page);
            if (inBody == 0 && inTitle == 0) {
                all = false;
                break;
            }
            double length = m_averageLength > 0 ? m_pages[page].length / m_averageLength : 1;
            score += term.idf * inBody * (k1 + 1) / (inBody + k1 * (1 - b + b * length));
            score += inTitle ? kTitleWeight * term.idf : 0;
        }
        if (all)
            scored.emplace_back(score, page);
    }
    if (found)
        *found = scored.size();
    // The best first; of equal scores, the page earlier in the file.
    const size_t shown = std::min(limit, scored.size());
    std::partial_sort(scored.begin(), scored.begin() + static_cast<std::ptrdiff_t>(shown), scored.end(),
                      [](const auto& x, const auto& y) {
                          return x.first != y.first ? x.first > y.first : x.second < y.second;
                      });
    std::vector<Hit> hits;
    hits.reserve(shown);
    for (size_t i = 0; i < shown; ++i)
        hits.push_back({m_pages[scored[i].second].path, m_pages[scored[i].second].title, scored[i].first});
    return hits;
}

} // namespace mb
