#pragma once
// Colours the source of an HTML page: tags, attribute names, quoted
// values, entities and comments (which may span several lines).

#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace mb::page {

class CHtmlHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit CHtmlHighlighter(QTextDocument* document);

protected:
    void highlightBlock(const QString& text) override;

private:
    struct Rule {
        QRegularExpression pattern;
        QTextCharFormat format;
    };
    QList<Rule> m_rules;
    QTextCharFormat m_comment;
};

} // namespace mb::page
