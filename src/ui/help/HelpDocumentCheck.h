#pragma once

#include <QByteArrayView>

namespace pexa {

// What a help document may ask of the viewer before it is handed to Qt. The
// byte limit bounds the reading, not the work: Qt's text layout takes time
// that grows exponentially with the depth of nested tables (and overflows the
// stack at a few thousand), and time that grows with the square of the number
// of distinct text formats (every anchor is one), which only the number of
// elements bounds. A shipped document has about 2,000 elements and nests a
// list in a table at most; these limits leave it room and keep a hostile
// document's load to about a second.
struct HelpDocumentLimits {
    // Tables, lists, definition lists, divisions and quotations inside one another.
    int MaxNesting = 8;
    // Start tags of any kind.
    int MaxElements = 6000;
};

enum class HelpDocumentVerdict { Acceptable, NestedTooDeeply, TooManyElements };

// One pass over the HTML text's tags, without building anything. Comments are
// skipped; a tag inside an attribute or a script counts as a tag, which can
// only make a hostile document look worse than it is, never a good one better.
HelpDocumentVerdict CheckHelpDocument(QByteArrayView html, const HelpDocumentLimits& limits = {});

} // namespace pexa
