#pragma once

#include <memory>

class QTextDocument;

namespace qv::bench {

    // About `bytes` of RTF once written: headings, paragraphs with runs in three fonts, five
    // colours, highlight, emphasis and a few characters outside Windows-1252, bullet and numbered
    // lists, and a table every fourth section. The same document every time.
    std::unique_ptr<QTextDocument> mixedDocument(int bytes);

    // `pages` pages of plain paragraphs, about 3,500 characters a page.
    std::unique_ptr<QTextDocument> plainDocument(int pages);

} // namespace qv::bench
