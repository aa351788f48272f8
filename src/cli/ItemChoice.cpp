#include "cli/ItemChoice.h"

#include "platform/TranslatedSentence.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>
#include <optional>
#include <set>
#include <string_view>

namespace quorvane::cli {

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// "0,2,5" in the order given; "" chooses nothing. Anything but decimal
// numbers, or a number given twice, is a wrong command line.
Result<std::vector<std::size_t>> ParseItemNumbers(std::string_view text) {
    std::vector<std::size_t> numbers;
    if (Trimmed(text).empty())
        return numbers;
    std::set<std::size_t> seen;
    for (;;) {
        const std::size_t comma = text.find(',');
        const std::string_view part = Trimmed(text.substr(0, comma));
        if (part.empty() ||
            !std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return UsageFailure(Sentence(
                QCoreApplication::translate(
                    "quorvane::cli",
                    "--items takes item numbers separated by commas (\"0,2,5\"), not \"%1\""),
                part));
        std::size_t number = 0;
        for (char c : part) {
            const auto digit = static_cast<std::size_t>(c - '0');
            if (number > (std::numeric_limits<std::size_t>::max() - digit) / 10)
                return UsageFailure(Sentence(
                    QCoreApplication::translate("quorvane::cli", "--items: there is no item %1"),
                    part));
            number = number * 10 + digit;
        }
        if (!seen.insert(number).second)
            return UsageFailure(Sentence(
                QCoreApplication::translate("quorvane::cli", "--items names item %1 twice"),
                number));
        numbers.push_back(number);
        if (comma == std::string_view::npos)
            return numbers;
        text.remove_prefix(comma + 1);
    }
}

} // namespace

Result<ItemChoice> ChosenItems(const ParsedOptions& options) {
    ItemChoice choice;
    const std::optional<std::string> items = options.Value("items");
    if (options.Has("all") && items)
        return UsageFailure(QCoreApplication::translate(
                                "quorvane::cli", "--all and --items cannot be given together")
                                .toStdString());
    choice.all = options.Has("all");
    if (!items)
        return choice;
    Result<std::vector<std::size_t>> numbers = ParseItemNumbers(*items);
    if (!numbers)
        return Fail(numbers.error());
    choice.numbers = std::move(*numbers);
    return choice;
}

Result<std::vector<std::size_t>> ItemData(const ItemChoice& choice,
                                          const std::vector<ListedEntry>& items) {
    std::vector<std::size_t> data;
    if (choice.all) {
        for (const ListedEntry& item : items)
            data.push_back(item.itemData);
        return data;
    }
    for (std::size_t number : choice.numbers) {
        const bool listed =
            std::any_of(items.begin(), items.end(),
                        [number](const ListedEntry& item) { return item.itemData == number; });
        if (!listed)
            return UsageFailure(
                Sentence(QCoreApplication::translate("quorvane::cli",
                                                     "--items names item %1, which is not in the "
                                                     "listing (items 0 to %2; see \"%3\")"),
                         number, items.size() - 1, "quorvane-cli list"));
        data.push_back(number);
    }
    return data;
}

} // namespace quorvane::cli
