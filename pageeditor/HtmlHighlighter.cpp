#include "pageeditor/HtmlHighlighter.h"

namespace mb::page {

namespace {

QTextCharFormat Format(const QColor& color, bool bold = false) {
    QTextCharFormat format;
    format.setForeground(color);
    if (bold)
        format.setFontWeight(QFont::Bold);
    return format;
}

} // namespace

CHtmlHighlighter::CHtmlHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
    // Later rules paint over earlier ones: values over attribute names.
    m_rules = {
        {QRegularExpression(R"(</?[A-Za-z][A-Za-z0-9:-]*|/?>)"), Format(QColor(0, 0, 160), true)},
        {QRegularExpression(R"(\s[A-Za-z_:][A-Za-z0-9_:.-]*(?=\s*=))"),
         Format(QColor(150, 0, 120))},
        {QRegularExpression(R"("[^"]*"|'[^']*')"), Format(QColor(0, 120, 0))},
        {QRegularExpression(R"(&[#A-Za-z0-9]+;)"), Format(QColor(170, 80, 0))},
    };
    m_comment = Format(QColor(128, 128, 128));
    m_comment.setFontItalic(true);
}

void CHtmlHighlighter::highlightBlock(const QString& text) {
    for (const Rule& rule : m_rules) {
        for (auto it = rule.pattern.globalMatch(text); it.hasNext();) {
            QRegularExpressionMatch match = it.next();
            setFormat(match.capturedStart(), match.capturedLength(), rule.format);
        }
    }
    // Comments last, carried from line to line by the block state.
    setCurrentBlockState(0);
    int start = previousBlockState() == 1 ? 0 : text.indexOf("<!--");
    while (start >= 0) {
        int end = text.indexOf("-->", start);
        int length = end < 0 ? text.length() - start : end - start + 3;
        if (end < 0)
            setCurrentBlockState(1);
        setFormat(start, length, m_comment);
        start = end < 0 ? -1 : text.indexOf("<!--", start + length);
    }
}

} // namespace mb::page
