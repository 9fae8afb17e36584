#include "gui/FileDialogFilter.h"

#include <algorithm>

namespace vantelo {

namespace {

std::vector<std::string> SplitFields(std::string_view filter) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (start < filter.size()) {
        const size_t bar = filter.find('|', start);
        const size_t end = bar == std::string_view::npos ? filter.size() : bar;
        if (end == start) {
            break;  // "||" ends the list
        }
        fields.emplace_back(filter.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

std::vector<std::string> NameFiltersOf(std::string_view filter) {
    const std::vector<std::string> fields = SplitFields(filter);
    std::vector<std::string> filters;
    for (size_t i = 0; i < fields.size(); i += 2) {
        std::string patterns = i + 1 < fields.size() ? fields[i + 1] : "*";
        std::replace(patterns.begin(), patterns.end(), ';', ' ');
        const std::string shown = "(" + patterns + ")";
        // Qt reads the patterns from the parentheses at the end of the entry.
        filters.push_back(EndsWith(fields[i], shown) ? fields[i] : fields[i] + " " + shown);
    }
    return filters;
}

std::string DefaultSuffixOf(std::string_view defaultExtension) {
    const size_t dot = defaultExtension.rfind('.');
    std::string suffix(dot == std::string_view::npos ? defaultExtension
                                                     : defaultExtension.substr(dot + 1));
    std::erase_if(suffix, [](char c) { return c == '*' || c == '?'; });
    return suffix;
}

}  // namespace vantelo
