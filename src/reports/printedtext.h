// Fixed texts as reports print them: a character never assigned (code 0) prints as a blank.
#pragma once
#include <algorithm>
#include <string>

namespace brasket {

inline std::string printedtext(std::string text) {
    std::replace(text.begin(), text.end(), '\0', ' ');
    return text;
}

}  // namespace brasket
