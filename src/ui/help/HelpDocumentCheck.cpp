#include "ui/help/HelpDocumentCheck.h"

#include <QByteArray>

#include <algorithm>
#include <array>

namespace pexa {

namespace {

// Elements that Qt lays out as boxes inside boxes.
constexpr std::array<QByteArrayView, 7> kNestingElements = {"table", "ul",         "ol",  "dl",
                                                            "div",   "blockquote", "menu"};

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsNesting(QByteArrayView name) {
    return std::any_of(
        kNestingElements.begin(), kNestingElements.end(),
        [&](QByteArrayView element) { return name.compare(element, Qt::CaseInsensitive) == 0; });
}

} // namespace

HelpDocumentVerdict CheckHelpDocument(QByteArrayView html, const HelpDocumentLimits& limits) {
    int elements = 0;
    int depth = 0;
    qsizetype at = 0;
    while ((at = html.indexOf('<', at)) >= 0) {
        if (html.sliced(at).startsWith("<!--")) {
            const qsizetype end = html.indexOf("-->", at + 4);
            if (end < 0)
                break;
            at = end + 3;
            continue;
        }
        const bool closing = at + 1 < html.size() && html[at + 1] == '/';
        const qsizetype nameBegin = at + 1 + (closing ? 1 : 0);
        qsizetype nameEnd = nameBegin;
        while (nameEnd < html.size() && IsNameChar(html[nameEnd]))
            ++nameEnd;
        at = std::max(nameEnd, at + 1);
        // "<!DOCTYPE", "<?xml", "a < b": no element.
        if (nameEnd == nameBegin)
            continue;
        if (!closing && ++elements > limits.MaxElements)
            return HelpDocumentVerdict::TooManyElements;
        if (!IsNesting(html.sliced(nameBegin, nameEnd - nameBegin)))
            continue;
        depth = closing ? std::max(0, depth - 1) : depth + 1;
        if (depth > limits.MaxNesting)
            return HelpDocumentVerdict::NestedTooDeeply;
    }
    return HelpDocumentVerdict::Acceptable;
}

} // namespace pexa
