#include "app/core/cluster/launcher_command.h"

namespace vantor {

bool SplitCommandWords(const std::string& command, std::vector<std::string>& words, std::string& error) {
    words.clear();
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (quote) {
            if (c == quote) {
                quote = 0;
            } else if (c == '\\' && quote == '"' && i + 1 < command.size()) {
                word += command[++i];
            } else {
                word += c;
            }
        } else if (c == '\'' || c == '"') {
            quote = c;
            inWord = true;
        } else if (c == '\\' && i + 1 < command.size()) {
            word += command[++i];
            inWord = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quote) {
        error = "the launcher command \"" + command + "\" has an unclosed " + (quote == '"' ? "double" : "single") +
                " quote";
        return false;
    }
    if (inWord) words.push_back(word);
    if (words.empty()) {
        error = "the launcher command is empty";
        return false;
    }
    return true;
}

}  // namespace vantor
