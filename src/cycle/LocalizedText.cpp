#include "LocalizedText.h"

#include "foundation/Format.h"

namespace florelle {

LocalizedText::LocalizedText(std::string pattern, std::vector<Argument> arguments)
    : pattern_(std::move(pattern)), arguments_(std::move(arguments)) {}

LocalizedText LocalizedText::key(std::string key) {
    return LocalizedText("%@", {std::move(key)});
}

LocalizedText LocalizedText::number(int value) {
    return LocalizedText("%d", {value});
}

std::string
LocalizedText::resolve(const std::function<std::string(std::string_view)>& lookup) const {
    // The looked-up texts must outlive the format arguments that view them.
    std::vector<std::string> texts;
    texts.reserve(arguments_.size());
    std::vector<FormatArg> args;
    for (const auto& argument : arguments_) {
        if (const auto* key = std::get_if<std::string>(&argument)) {
            texts.push_back(lookup(*key));
            args.emplace_back(std::string_view(texts.back()));
        } else {
            args.emplace_back(std::get<int>(argument));
        }
    }
    return formatWithArgs(pattern_, args);
}

} // namespace florelle
