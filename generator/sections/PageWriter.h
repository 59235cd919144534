#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace ombrix::sections {

// Appends lines to the page text: a number of leading TABs, the pieces of the line, then CR LF.
class PageWriter {
public:
    explicit PageWriter(std::string& text) : text_(text) {}

    void line(int tabs, std::initializer_list<std::string_view> pieces) {
        text_.append(static_cast<std::size_t>(tabs), '\t');
        for (const auto piece : pieces) {
            text_.append(piece);
        }
        text_.append("\r\n");
    }

    void emptyLine() { text_.append("\r\n"); }

private:
    std::string& text_;
};

} // namespace ombrix::sections
