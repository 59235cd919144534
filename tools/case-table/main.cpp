// Writes the page generator's case table: every character that GLib's simple case mappings
// (g_unichar_toupper, g_unichar_tolower) change, as C++ initializers {character, upper, lower}
// sorted by character. The generator compiles the table in, so that proper case follows the
// platform's rules for every script while the generator itself links no library.
// Usage: case-table OUT
#include <cstdio>
#include <fstream>
#include <glib.h>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: case-table OUT\n";
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << "// Written by tools/case-table from GLib " << glib_major_version << '.'
        << glib_minor_version << '.' << glib_micro_version << ".\n";
    for (gunichar c = 0; c <= 0x10FFFF; ++c) {
        const gunichar upper = g_unichar_toupper(c);
        const gunichar lower = g_unichar_tolower(c);
        if (upper != c || lower != c) {
            out << std::hex << "{0x" << c << ", 0x" << upper << ", 0x" << lower << "},\n";
        }
    }
    out.close();
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
