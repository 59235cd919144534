#pragma once

#include <QByteArray>
#include <QIODevice>
#include <cstdint>
#include <vector>

namespace mkmdb {

constexpr int kPageSize = 4096;

// The whole file as numbered 4096-byte pages, built in memory and written at the end.
class PageSet {
public:
    // Appends count zeroed pages and returns the number of the first.
    std::uint32_t allocate(std::uint32_t count = 1);
    char* page(std::uint32_t number);
    std::uint32_t count() const { return static_cast<std::uint32_t>(bytes_.size() / kPageSize); }
    // Writes a TDEF byte stream over the pages starting at first, chaining continuation pages.
    void writeTdef(std::uint32_t first, const QByteArray& tdef);
    static std::uint32_t tdefPageCount(qsizetype tdefSize);
    bool writeTo(QIODevice& device) const;

private:
    std::vector<char> bytes_;
};

// Packs rows onto data pages of one owner (a TDEF page, or the LVAL marker for long values),
// opening a new page whenever the current one is full.
class DataPageWriter {
public:
    DataPageWriter(PageSet& pages, std::uint32_t owner);
    // Starts on an already allocated page instead of a new one.
    DataPageWriter(PageSet& pages, std::uint32_t owner, std::uint32_t firstPage);
    // Returns the row pointer: page << 8 | row.
    std::uint32_t add(const QByteArray& row);
    // Starts a fresh page for the row, as the pages of a long value chain need.
    std::uint32_t addOnNewPage(const QByteArray& row);
    const std::vector<std::uint32_t>& pages() const { return pages_; }

    static constexpr int kMaxRowSize = kPageSize - 14 - 2;

private:
    void openPage();
    void formatPage(std::uint32_t number);

    PageSet& set_;
    std::uint32_t owner_;
    std::vector<std::uint32_t> pages_;
    int rowsOnPage_ = 0;
    int freeEnd_ = 0; // rows grow down from the end of the page
};

// The owner word of long-value pages.
constexpr std::uint32_t kLvalOwner = 0x4C41564C; // "LVAL"

// A type-0 usage map row: the start page and a bitmap of the pages that are set.
QByteArray usageMap(const std::vector<std::uint32_t>& pages);

} // namespace mkmdb
