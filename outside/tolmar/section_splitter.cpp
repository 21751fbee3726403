#include "outside/tolmar/section_splitter.h"

#include <optional>

namespace vantor::tolmar {
namespace {

bool IsEndWord(std::string_view word) {
    return ToUpper(word) == "END";
}

std::string_view FirstWord(std::string_view text) {
    const auto words = SplitWords(text);
    return words.empty() ? std::string_view() : words.front();
}

// A keyword line that starts a new section while another is open (its END was left out).
bool StartsNewSection(const SourceLine& line, SectionKind current) {
    const std::string_view content = StripComment(line.text);
    SectionKind kind;
    if (!SectionKeyword(FirstWord(content), kind)) return false;
    if (current == SectionKind::Reactions)
        return content.find('=') == std::string_view::npos && content.find('/') == std::string_view::npos;
    return true;
}

// ELEMENTS and SPECIES: the section ends at the word END, which may share a line with names.
// Returns the part of the line before END, or nullopt when the line holds no END.
std::optional<std::string_view> TextBeforeEnd(std::string_view content) {
    for (const std::string_view word : SplitWords(content))
        if (IsEndWord(word)) return content.substr(0, static_cast<size_t>(word.data() - content.data()));
    return std::nullopt;
}

class Splitter {
public:
    Splitter(std::string_view file, Diagnostics& diagnostics) : file_(file), diagnostics_(diagnostics) {}

    void Feed(const SourceLine& line) {
        if (ignoringRest_) return;
        if (open_ && StartsNewSection(line, sections_.back().kind)) open_ = false;
        if (open_)
            FeedOpen(line);
        else
            FeedTopLevel(line);
    }

    std::vector<Section> Take() { return std::move(sections_); }

private:
    void FeedTopLevel(const SourceLine& line) {
        const std::string_view content = StripComment(line.text);
        const std::string_view word = FirstWord(content);
        if (word.empty() || IsEndWord(word)) return;
        SectionKind kind;
        if (!SectionKeyword(word, kind) && reactionsClosed_) {
            // Reference lists and notes after the mechanism proper.
            diagnostics_.Warning({file_, line.number},
                                 "text after the END of the REACTIONS section ignored, from \"" +
                                     Excerpt(Trim(content)) + "\" to the end of the file");
            ignoringRest_ = true;
            return;
        }
        if (!SectionKeyword(word, kind)) {
            diagnostics_.Error(kUnknownKeyword, {file_, line.number}, "unknown keyword", Trim(content),
                               "a section keyword ELEMENTS, SPECIES, THERMO, REACTIONS or END");
            return;
        }
        Section section;
        section.kind = kind;
        section.header = {line.number, content};
        sections_.push_back(section);
        open_ = true;
        // "ELEM H O END" closes on its own line; the names stay in the header for the reader.
        if ((kind == SectionKind::Elements || kind == SectionKind::Species)) {
            const std::string_view rest =
                content.substr(static_cast<size_t>(word.data() - content.data()) + word.size());
            if (const auto before = TextBeforeEnd(rest)) {
                sections_.back().header.text = content.substr(0, content.size() - rest.size() + before->size());
                open_ = false;
            }
        }
    }

    void FeedOpen(const SourceLine& line) {
        Section& section = sections_.back();
        const std::string_view content = StripComment(line.text);
        if (section.kind == SectionKind::Elements || section.kind == SectionKind::Species) {
            if (const auto before = TextBeforeEnd(content)) {
                section.body.push_back({line.number, *before});
                open_ = false;
            } else {
                section.body.push_back({line.number, content});
            }
            return;
        }
        if (IsEndWord(FirstWord(content))) {
            open_ = false;
            reactionsClosed_ = reactionsClosed_ || section.kind == SectionKind::Reactions;
            return;
        }
        if (section.kind == SectionKind::Transport) return;
        section.body.push_back(section.kind == SectionKind::Thermo ? line : SourceLine{line.number, content});
    }

    std::string_view file_;
    Diagnostics& diagnostics_;
    std::vector<Section> sections_;
    bool open_ = false;
    bool reactionsClosed_ = false;  // an END has closed the REACTIONS section
    bool ignoringRest_ = false;
};

}  // namespace

bool SectionKeyword(std::string_view word, SectionKind& kind) {
    static constexpr std::pair<std::string_view, SectionKind> kKeywords[] = {
        {"ELEMENTS", SectionKind::Elements},   {"SPECIES", SectionKind::Species},     {"THERMO", SectionKind::Thermo},
        {"REACTIONS", SectionKind::Reactions}, {"TRANSPORT", SectionKind::Transport},
    };
    for (const auto& [keyword, k] : kKeywords) {
        if (MatchesKeyword(word, keyword, 4)) {
            kind = k;
            return true;
        }
    }
    return false;
}

std::vector<Section> SplitSections(const std::vector<SourceLine>& lines, std::string_view file,
                                   Diagnostics& diagnostics) {
    Splitter splitter(file, diagnostics);
    for (const SourceLine& line : lines) splitter.Feed(line);
    return splitter.Take();
}

}  // namespace vantor::tolmar
