#pragma once

#include <cstdint>

// Codes in the engine's system tables, as the reader reads them and mkmdb writes them.
namespace ombrix::reader {

// The Type column of MSysObjects, the catalogue's table of every object.
struct MSysObjectType {
    static constexpr std::int16_t kLocalTable = 1;
    static constexpr std::int16_t kDatabase = 2;
    static constexpr std::int16_t kContainer = 3;
    static constexpr std::int16_t kOdbcTable = 4;
    static constexpr std::int16_t kQuery = 5;
    static constexpr std::int16_t kLinkedTable = 6;
    static constexpr std::int16_t kRelationship = 8;
    static constexpr std::int16_t kDatabaseDocument = -32757;
};

// The Attribute column of MSysQueries: what part of a saved query a row holds.
struct MSysQueryAttribute {
    static constexpr std::uint8_t kKind = 1;
    static constexpr std::uint8_t kParameter = 2;
    static constexpr std::uint8_t kOptions = 3;
    static constexpr std::uint8_t kExternalDatabase = 4;
    static constexpr std::uint8_t kInput = 5;
    static constexpr std::uint8_t kOutput = 6;
    static constexpr std::uint8_t kJoin = 7;
    static constexpr std::uint8_t kWhere = 8;
    static constexpr std::uint8_t kGroupBy = 9;
    static constexpr std::uint8_t kHaving = 10;
    static constexpr std::uint8_t kOrderBy = 11;
};

// Bits of the Flag of an MSysQueries options row (attribute 3).
struct MSysQueryOption {
    static constexpr std::int16_t kAllFields = 1 << 0;
    static constexpr std::int16_t kDistinct = 1 << 1;
    static constexpr std::int16_t kOwnerAccess = 1 << 2;
    static constexpr std::int16_t kDistinctRow = 1 << 3;
    static constexpr std::int16_t kTop = 1 << 4;
    static constexpr std::int16_t kPercent = 1 << 5;
};

} // namespace ombrix::reader
