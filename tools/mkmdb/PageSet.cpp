#include "PageSet.h"

#include "Mkmdb.h"

#include <QtEndian>
#include <algorithm>

namespace mkmdb {
namespace {

constexpr int kDataHeaderSize = 14;
constexpr int kRowCountOffset = 12;
constexpr int kTdefHeaderSize = 8;
// A row pointer has one byte for the row number.
constexpr int kMaxRowsPerPage = 255;
// Access's usage maps hold 64 bitmap bytes, enough for 512 pages from the start page.
constexpr int kUsageBitmapBytes = 64;

template <typename T>
void put(char* at, T value) {
    qToLittleEndian(value, at);
}

} // namespace

std::uint32_t PageSet::allocate(std::uint32_t count) {
    const std::uint32_t first = this->count();
    bytes_.resize(bytes_.size() + static_cast<std::size_t>(count) * kPageSize, '\0');
    return first;
}

char* PageSet::page(std::uint32_t number) {
    return bytes_.data() + static_cast<std::size_t>(number) * kPageSize;
}

std::uint32_t PageSet::tdefPageCount(qsizetype tdefSize) {
    if (tdefSize <= kPageSize)
        return 1;
    const qsizetype perContinuation = kPageSize - kTdefHeaderSize;
    return static_cast<std::uint32_t>(1 + (tdefSize - kPageSize + perContinuation - 1) /
                                              perContinuation);
}

void PageSet::writeTdef(std::uint32_t first, const QByteArray& tdef) {
    const std::uint32_t count = tdefPageCount(tdef.size());
    qsizetype offset = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        char* target = page(first + i);
        const qsizetype headerBytes = i == 0 ? 0 : kTdefHeaderSize;
        const qsizetype take = std::min<qsizetype>(kPageSize - headerBytes, tdef.size() - offset);
        std::copy_n(tdef.constData() + offset, take, target + headerBytes);
        offset += take;
        target[0] = 0x02;
        target[1] = 0x01;
        const qsizetype used = headerBytes + take;
        put<std::uint16_t>(target + 2, static_cast<std::uint16_t>(std::max<qsizetype>(
                                           0, kPageSize - used - kTdefHeaderSize)));
        put<std::uint32_t>(target + 4, i + 1 < count ? first + i + 1 : 0);
    }
}

bool PageSet::writeTo(QIODevice& device) const {
    return device.write(bytes_.data(), static_cast<qint64>(bytes_.size())) ==
           static_cast<qint64>(bytes_.size());
}

DataPageWriter::DataPageWriter(PageSet& pages, std::uint32_t owner) : set_(pages), owner_(owner) {}

DataPageWriter::DataPageWriter(PageSet& pages, std::uint32_t owner, std::uint32_t firstPage)
    : set_(pages), owner_(owner) {
    formatPage(firstPage);
}

void DataPageWriter::openPage() {
    formatPage(set_.allocate());
}

void DataPageWriter::formatPage(std::uint32_t number) {
    char* target = set_.page(number);
    target[0] = 0x01;
    target[1] = 0x01;
    put<std::uint32_t>(target + 4, owner_);
    put<std::uint16_t>(target + 2, kPageSize - kDataHeaderSize);
    pages_.push_back(number);
    rowsOnPage_ = 0;
    freeEnd_ = kPageSize;
}

std::uint32_t DataPageWriter::add(const QByteArray& row) {
    if (row.size() > kMaxRowSize)
        throw DescriptionError("a row is larger than a page can hold");
    const int tableEnd = kDataHeaderSize + 2 * (rowsOnPage_ + 1);
    if (pages_.empty() || rowsOnPage_ == kMaxRowsPerPage || freeEnd_ - row.size() < tableEnd)
        openPage();
    char* target = set_.page(pages_.back());
    freeEnd_ -= static_cast<int>(row.size());
    std::copy_n(row.constData(), row.size(), target + freeEnd_);
    put<std::uint16_t>(target + kDataHeaderSize + 2 * rowsOnPage_,
                       static_cast<std::uint16_t>(freeEnd_));
    ++rowsOnPage_;
    put<std::uint16_t>(target + kRowCountOffset, static_cast<std::uint16_t>(rowsOnPage_));
    put<std::uint16_t>(target + 2,
                       static_cast<std::uint16_t>(freeEnd_ - kDataHeaderSize - 2 * rowsOnPage_));
    return pages_.back() << 8 | static_cast<std::uint32_t>(rowsOnPage_ - 1);
}

std::uint32_t DataPageWriter::addOnNewPage(const QByteArray& row) {
    if (!pages_.empty())
        rowsOnPage_ = kMaxRowsPerPage;
    return add(row);
}

QByteArray usageMap(const std::vector<std::uint32_t>& pages) {
    std::uint32_t start = 0;
    std::uint32_t last = 0;
    if (!pages.empty()) {
        last = *std::max_element(pages.begin(), pages.end());
        // Access counts from page 0; later starts keep the map small in big files.
        if (last >= kUsageBitmapBytes * 8)
            start = *std::min_element(pages.begin(), pages.end()) & ~7u;
    }
    const auto bitmapBytes = std::max<qsizetype>(kUsageBitmapBytes, (last - start) / 8 + 1);
    QByteArray map(5 + bitmapBytes, '\0');
    put<std::uint32_t>(map.data() + 1, start);
    for (const std::uint32_t page : pages) {
        const std::uint32_t bit = page - start;
        map[5 + bit / 8] = static_cast<char>(map[5 + bit / 8] | (1 << (bit % 8)));
    }
    return map;
}

} // namespace mkmdb
