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
constexpr std::size_t kBindSize = 1 << 16;
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

    // Binds a column for its text; a missing column means the file is not what it claims to be.
    int bind(const char* column) {
        auto& slot = slots_.emplace_back();
        // libmdb writes each value before it is read, so the large buffer is left unfilled.
        slot.buffer = std::make_unique_for_overwrite<char[]>(mdb_->bind_size + 1);
        slot.buffer[0] = '\0';
        std::string name(column);
        if (mdb_bind_column_by_name(table_, name.data(), slot.buffer.get(), &slot.length) < 0) {
            throw core::damagedCatalogue(path_);
        }
        return static_cast<int>(slots_.size() - 1);
    }

    // A column read as a whole number. An integer column is read from the row's bytes, as libmdb
    // reads it to print it: printing thousands of values and parsing them back costs more than
    // the rest of the catalogue read. Any other type goes through libmdb's text.
    int bindNumber(const char* column) {
        std::string name(column);
        const int number = mdb_bind_column_by_name(table_, name.data(), nullptr, nullptr);
        if (number < 1) {
            throw core::damagedCatalogue(path_);
        }
        const auto* col =
            static_cast<const MdbColumn*>(g_ptr_array_index(table_->columns, number - 1));
        if (col->col_type != MDB_BYTE && col->col_type != MDB_INT && col->col_type != MDB_LONGINT &&
            col->col_type != MDB_COMPLEX) {
            return bind(column);
        }
        slots_.emplace_back().integer = col;
        return static_cast<int>(slots_.size() - 1);
    }

    // The raw bytes of a column in the current row (binary values have no text form).
    std::string raw(const char* column) const {
        for (guint i = 0; i < table_->columns->len; ++i) {
            const auto* col = static_cast<const MdbColumn*>(g_ptr_array_index(table_->columns, i));
            if (std::strcmp(col->name, column) == 0) {
                if (col->cur_value_start < 0 || col->cur_value_len < 0 ||
                    col->cur_value_start + col->cur_value_len > mdb_->fmt->pg_size) {
                    throw core::damagedCatalogue(path_);
                }
                return {reinterpret_cast<const char*>(mdb_->pg_buf) + col->cur_value_start,
                        static_cast<std::size_t>(col->cur_value_len)};
            }
        }
        throw core::damagedCatalogue(path_);
    }

    bool next() { return mdb_fetch_row(table_) != 0; }

    std::string text(int slot) const {
        const auto& s = slots_[static_cast<std::size_t>(slot)];
        return validUtf8(std::string_view(s.buffer.get(), boundLength(s)));
    }
    // 0 for anything but a whole number, as the engine's conversion gives.
    std::int64_t number(int slot) const {
        const auto& s = slots_[static_cast<std::size_t>(slot)];
        if (s.integer != nullptr) {
            return integerValue(*s.integer);
        }
        const char* begin = s.buffer.get();
        const char* end = begin + boundLength(s);
        std::int64_t value = 0;
        const auto [stop, error] = std::from_chars(begin, end, value);
        return error == std::errc() && stop == end ? value : 0;
    }

private:
    struct Slot {
        std::unique_ptr<char[]> buffer; // a bound column's text
        int length = 0;
        const MdbColumn* integer = nullptr; // an integer column read from the row
    };

    std::size_t boundLength(const Slot& slot) const {
        return static_cast<std::size_t>(
            std::clamp(slot.length, 0, static_cast<int>(mdb_->bind_size)));
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
    mdb_set_bind_size(handle_->mdb, kBindSize);
}

MdbDatabase::~MdbDatabase() = default;

std::deque<CatalogueRow> MdbDatabase::readCatalogue(CatalogueColumns columns) {
    RowReader reader(handle_->mdb, kCataloguePage, path_);
    const int id = reader.bindNumber("Id");
    const int parentId = reader.bindNumber("ParentId");
    const int name = reader.bind("Name");
    const int type = reader.bindNumber("Type");
    const int flags = reader.bindNumber("Flags");
    const bool links = columns == CatalogueColumns::WithLinks;
    const int database = links ? reader.bind("Database") : -1;
    const int connect = links ? reader.bind("Connect") : -1;
    const int foreignName = links ? reader.bind("ForeignName") : -1;
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
    const int name1 = reader.bind("Name1");
    const int name2 = reader.bind("Name2");
    const int expression = reader.bind("Expression");
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
    const int columnName = reader.bind("ColumnName");
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
