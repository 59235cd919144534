#include "reader/MdbDatabase.h"

#include "core/EngineErrors.h"
#include "reader/DecryptedDatabase.h"
#include "reader/Text.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <deque>
#include <filesystem>
#include <mdbtools.h>
#include <unordered_set>
#include <vector>

namespace ombrix::reader {

namespace {

constexpr std::int32_t kCataloguePage = 2;
constexpr int kMaxDefinitionPages = 1024;

// A system table opened for reading its rows. Owns the libmdb table definition and the catalogue
// entry it points into; the catalogue entry is our own so that libmdb's catalogue reader (which
// mis-types objects and frees entries behind our back) is never needed.
class RowReader {
public:
    RowReader(MdbHandle* mdb, std::int32_t page, const std::string& path)
        : mdb_(mdb), entry_(std::make_unique<MdbCatalogEntry>()), path_(path) {
        entry_->mdb = mdb;
        entry_->table_pg = static_cast<unsigned long>(page);
        table_ = mdb_read_table(entry_.get());
        if (table_ == nullptr || mdb_read_columns(table_) == nullptr) {
            mdb_free_tabledef(table_);
            throw core::damagedCatalogue(path);
        }
        mdb_rewind_table(table_);
    }
    ~RowReader() { mdb_free_tabledef(table_); }
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    // A text or memo column, read from the row's bytes and decoded here: libmdb's conversion
    // cannot express a character beyond UCS-2 and prints "?" for each half of it.
    int bindText(const char* column) {
        const MdbColumn& col = columnNamed(column);
        if (col.col_type != MDB_TEXT && col.col_type != MDB_MEMO) {
            throw core::damagedCatalogue(path_);
        }
        slots_.emplace_back().column = &col;
        return static_cast<int>(slots_.size() - 1);
    }

    // A column read as a whole number. An integer column is read from the row's bytes, as libmdb
    // reads it to print it: printing thousands of values and parsing them back costs more than
    // the rest of the catalogue read. Any other type goes through libmdb's text.
    int bindNumber(const char* column) {
        const MdbColumn& col = columnNamed(column);
        auto& slot = slots_.emplace_back();
        if (col.col_type == MDB_BYTE || col.col_type == MDB_INT || col.col_type == MDB_LONGINT ||
            col.col_type == MDB_COMPLEX) {
            slot.column = &col;
            return static_cast<int>(slots_.size() - 1);
        }
        // libmdb writes each value before it is read, so the large buffer is left unfilled.
        slot.printed = std::make_unique_for_overwrite<char[]>(mdb_->bind_size + 1);
        slot.printed[0] = '\0';
        std::string name(column);
        mdb_bind_column_by_name(table_, name.data(), slot.printed.get(), &slot.length);
        return static_cast<int>(slots_.size() - 1);
    }

    // The raw bytes of a column in the current row (binary values have no text form).
    std::string raw(const char* column) const { return valueBytes(columnNamed(column)); }

    bool next() { return mdb_fetch_row(table_) != 0; }

    std::string text(int slot) const {
        const MdbColumn& column = *slots_[static_cast<std::size_t>(slot)].column;
        const std::string bytes =
            column.col_type == MDB_MEMO ? longValue(column) : valueBytes(column);
        return IS_JET3(mdb_) ? fromCodePage(bytes, mdb_->f->code_page) : fromStoredText(bytes);
    }
    // 0 for anything but a whole number, as the engine's conversion gives.
    std::int64_t number(int slot) const {
        const auto& s = slots_[static_cast<std::size_t>(slot)];
        if (s.column != nullptr) {
            return integerValue(*s.column);
        }
        const char* begin = s.printed.get();
        const char* end = begin + std::clamp(s.length, 0, static_cast<int>(mdb_->bind_size));
        std::int64_t value = 0;
        const auto [stop, error] = std::from_chars(begin, end, value);
        return error == std::errc() && stop == end ? value : 0;
    }

private:
    struct Slot {
        const MdbColumn* column = nullptr; // a column read from the row's bytes
        std::unique_ptr<char[]> printed;   // or one that libmdb prints
        int length = 0;
    };

    // A missing column means the file is not what it claims to be.
    const MdbColumn& columnNamed(const char* name) const {
        for (guint i = 0; i < table_->columns->len; ++i) {
            const auto* col = static_cast<const MdbColumn*>(g_ptr_array_index(table_->columns, i));
            if (std::strcmp(col->name, name) == 0) {
                return *col;
            }
        }
        throw core::damagedCatalogue(path_);
    }

    std::string valueBytes(const MdbColumn& col) const {
        if (col.cur_value_start < 0 || col.cur_value_len < 0 ||
            col.cur_value_start + col.cur_value_len > mdb_->fmt->pg_size) {
            throw core::damagedCatalogue(path_);
        }
        return {reinterpret_cast<const char*>(mdb_->pg_buf) + col.cur_value_start,
                static_cast<std::size_t>(col.cur_value_len)};
    }

    // The bytes of a memo: after its 12-byte header in the row, in one row of a long-value page,
    // or in a chain of such rows, each starting with the page and row of the next. libmdb gives
    // long values out only through its own text conversion, so they are followed here through its
    // page lookup.
    std::string longValue(const MdbColumn& col) const {
        std::string header = valueBytes(col);
        if (header.empty()) {
            return {};
        }
        constexpr std::size_t kHeaderSize = 12;
        if (header.size() < kHeaderSize) {
            throw core::damagedCatalogue(path_);
        }
        const auto lengthAndFlags = static_cast<std::uint32_t>(mdb_get_int32(header.data(), 0));
        int pageRow = static_cast<int>(mdb_get_int32(header.data(), 4));
        if ((lengthAndFlags & 0x80000000U) != 0) {
            return header.substr(kHeaderSize);
        }
        if ((lengthAndFlags & 0x40000000U) != 0) {
            return longValueRow(pageRow);
        }
        if ((lengthAndFlags & 0xFF000000U) != 0) {
            throw core::damagedCatalogue(path_);
        }
        std::string value;
        while (value.size() < lengthAndFlags) {
            std::string row = longValueRow(pageRow);
            if (row.size() < 4) {
                throw core::damagedCatalogue(path_);
            }
            value.append(row, 4);
            pageRow = static_cast<int>(mdb_get_int32(row.data(), 0));
            if (pageRow == 0) {
                break;
            }
        }
        return value.substr(0, lengthAndFlags);
    }

    std::string longValueRow(int pageRow) const {
        void* page = nullptr;
        int start = 0;
        std::size_t length = 0;
        if (mdb_find_pg_row(mdb_, pageRow, &page, &start, &length) != 0) {
            throw core::damagedCatalogue(path_);
        }
        return {static_cast<const char*>(page) + start, length};
    }

    // The value libmdb would print for the column: nothing (an empty value or null) reads as 0.
    std::int64_t integerValue(const MdbColumn& column) const {
        if (column.cur_value_len == 0) {
            return 0;
        }
        const int start = column.cur_value_start;
        switch (column.col_type) {
        case MDB_BYTE:
            return mdb_get_byte(mdb_->pg_buf, start);
        case MDB_INT:
            return static_cast<short>(mdb_get_int16(mdb_->pg_buf, start));
        default:
            return static_cast<int>(mdb_get_int32(mdb_->pg_buf, start));
        }
    }

    MdbHandle* mdb_;
    std::unique_ptr<MdbCatalogEntry> entry_;
    MdbTableDef* table_ = nullptr;
    std::deque<Slot> slots_; // a deque keeps the bound buffers where libmdb was told they are
    const std::string& path_;
};

} // namespace

struct MdbDatabase::Handle {
    MdbHandle* mdb = nullptr;
    DecryptedDatabase decrypted; // what mdb reads, for an encrypted file
    ~Handle() {
        if (mdb != nullptr) {
            mdb_close(mdb);
        }
    }
};

MdbDatabase::MdbDatabase(const std::string& path, const DatabaseHeader& header,
                         const OfficeDecryptor* decryptor)
    : handle_(std::make_unique<Handle>()), path_(path) {
    if (decryptor != nullptr) {
        handle_->decrypted = decryptDatabase(path, header, *decryptor);
        handle_->mdb =
            mdb_open_buffer(handle_->decrypted.bytes.get(), handle_->decrypted.size, MDB_NOFLAGS);
    } else {
        std::error_code error;
        const std::string file = std::filesystem::absolute(path, error).string();
        handle_->mdb = mdb_open(file.c_str(), MDB_NOFLAGS);
    }
    if (handle_->mdb == nullptr || handle_->mdb->fmt->pg_size != header.pageSize) {
        throw core::unrecognizedFormat(path);
    }
}

MdbDatabase::~MdbDatabase() = default;

std::deque<CatalogueRow> MdbDatabase::readCatalogue(CatalogueColumns columns) {
    RowReader reader(handle_->mdb, kCataloguePage, path_);
    const int id = reader.bindNumber("Id");
    const int parentId = reader.bindNumber("ParentId");
    const int name = reader.bindText("Name");
    const int type = reader.bindNumber("Type");
    const int flags = reader.bindNumber("Flags");
    const bool links = columns == CatalogueColumns::WithLinks;
    const int database = links ? reader.bindText("Database") : -1;
    const int connect = links ? reader.bindText("Connect") : -1;
    const int foreignName = links ? reader.bindText("ForeignName") : -1;
    std::deque<CatalogueRow> rows;
    while (reader.next()) {
        CatalogueRow row;
        row.id = static_cast<std::int32_t>(reader.number(id));
        row.parentId = static_cast<std::int32_t>(reader.number(parentId));
        row.name = reader.text(name);
        row.type = static_cast<int>(reader.number(type));
        row.flags = static_cast<std::uint32_t>(reader.number(flags));
        if (links) {
            CatalogueLink link{reader.text(database), reader.text(connect),
                               reader.text(foreignName)};
            if (!link.database.empty() || !link.connect.empty() || !link.foreignName.empty()) {
                row.linkColumns = std::make_unique<const CatalogueLink>(std::move(link));
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<QueryRow> MdbDatabase::readQueries(std::int32_t msysQueriesPage) {
    RowReader reader(handle_->mdb, msysQueriesPage, path_);
    const int objectId = reader.bindNumber("ObjectId");
    const int attribute = reader.bindNumber("Attribute");
    const int name1 = reader.bindText("Name1");
    const int name2 = reader.bindText("Name2");
    const int expression = reader.bindText("Expression");
    const int flag = reader.bindNumber("Flag");
    std::vector<QueryRow> rows;
    while (reader.next()) {
        QueryRow row;
        row.objectId = static_cast<std::int32_t>(reader.number(objectId));
        row.attribute = static_cast<int>(reader.number(attribute));
        row.order = reader.raw("Order");
        row.name1 = reader.text(name1);
        row.name2 = reader.text(name2);
        row.expression = reader.text(expression);
        row.flag = static_cast<int>(reader.number(flag));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<ComplexColumnRow> MdbDatabase::readComplexColumns(std::int32_t msysComplexColumnsPage) {
    RowReader reader(handle_->mdb, msysComplexColumnsPage, path_);
    const int columnName = reader.bindText("ColumnName");
    const int complexType = reader.bindNumber("ComplexTypeObjectID");
    const int conceptualTable = reader.bindNumber("ConceptualTableID");
    std::vector<ComplexColumnRow> rows;
    while (reader.next()) {
        rows.push_back({reader.text(columnName),
                        static_cast<std::int32_t>(reader.number(complexType)),
                        static_cast<std::int32_t>(reader.number(conceptualTable))});
    }
    return rows;
}

std::string MdbDatabase::readTableDefinition(std::int32_t page) {
    MdbHandle* mdb = handle_->mdb;
    const auto pageSize = static_cast<std::size_t>(mdb->fmt->pg_size);
    std::string bytes;
    std::unordered_set<std::uint32_t> seen;
    auto next = static_cast<std::uint32_t>(page);
    while (next != 0) {
        if (seen.contains(next) || seen.size() >= kMaxDefinitionPages ||
            mdb_read_pg(mdb, next) != mdb->fmt->pg_size || mdb->pg_buf[0] != 0x02) {
            throw core::damagedTableDefinition(path_);
        }
        seen.insert(next);
        const auto* data = reinterpret_cast<const char*>(mdb->pg_buf);
        if (bytes.empty()) {
            bytes.append(data, pageSize);
        } else {
            bytes.append(data + 8, pageSize - 8);
        }
        next = static_cast<std::uint32_t>(mdb_get_int32(mdb->pg_buf, 4));
    }
    return bytes;
}

} // namespace ombrix::reader
