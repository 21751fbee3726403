#include "app/core/mechanism/section_keywords.h"

#include <utility>

#include "app/core/mechanism/text_format.h"

namespace vantor {

namespace {

bool IsKeywordPrefix(std::string_view upperWord, std::string_view keyword) {
    return upperWord.size() >= 4 && upperWord.size() <= keyword.size() && keyword.substr(0, upperWord.size()) == upperWord;
}

}  // namespace

std::string_view WithoutComment(std::string_view line) {
    const size_t bang = line.find('!');
    return bang == std::string_view::npos ? line : line.substr(0, bang);
}

MechanismKeyword LeadingKeyword(std::string_view line) {
    const std::vector<std::string> words = SplitAtBlanks(WithoutComment(line));
    if (words.empty()) return MechanismKeyword::None;
    const std::string word = ToUpperAscii(words.front());
    if (word == "END") return MechanismKeyword::End;
    static constexpr std::pair<std::string_view, MechanismKeyword> kSections[] = {
        {"ELEMENTS", MechanismKeyword::Elements},   {"SPECIES", MechanismKeyword::Species},
        {"THERMO", MechanismKeyword::Thermo},       {"REACTIONS", MechanismKeyword::Reactions},
        {"TRANSPORT", MechanismKeyword::Transport},
    };
    for (const auto& [keyword, kind] : kSections) {
        if (IsKeywordPrefix(word, keyword)) return kind;
    }
    return MechanismKeyword::None;
}

size_t FindEndWord(std::string_view line) {
    const std::string_view content = WithoutComment(line);
    size_t i = 0;
    while (i < content.size()) {
        while (i < content.size() && IsBlank(content[i])) ++i;
        const size_t start = i;
        while (i < content.size() && !IsBlank(content[i])) ++i;
        if (i - start == 3 && ToUpperAscii(content.substr(start, 3)) == "END") return start;
    }
    return std::string_view::npos;
}

bool ClosesReactions(std::string_view line) {
    const MechanismKeyword keyword = LeadingKeyword(line);
    return keyword == MechanismKeyword::End ||
           (OpensSection(keyword) && WithoutComment(line).find_first_of("=/") == std::string_view::npos);
}

bool DeclaresThermoAll(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (LeadingKeyword(line) != MechanismKeyword::Thermo) continue;
        const std::vector<std::string> words = SplitAtBlanks(WithoutComment(line));
        if (words.size() > 1 && ToUpperAscii(words[1]) == "ALL") return true;
    }
    return false;
}

}  // namespace vantor
