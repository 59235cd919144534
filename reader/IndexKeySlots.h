#pragma once

// An index's entry in a table definition holds a fixed number of key-column slots, the unused
// ones marked; the reader reads them and mkmdb writes them.
namespace ombrix::reader {

inline constexpr int kIndexKeySlots = 10;
inline constexpr unsigned kUnusedKeySlot = 0xFFFF;

} // namespace ombrix::reader
