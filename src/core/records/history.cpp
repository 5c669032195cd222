#include "records/history.h"

#include "records/write_result.h"

#include <array>
#include <cstdio>

namespace records {

namespace {

constexpr std::array ActionNames = {"read", "write", "verify", "restore"};

} // namespace

const char* actionName(Action action) {
    return ActionNames[std::size_t(action)];
}

bool gaveValues(const Record& record) {
    return (record.action == Action::Write || record.action == Action::Restore) &&
           valuesReachedRadio(record.result);
}

std::optional<Action> actionNamed(const std::string& name) {
    for (std::size_t n = 0; n < ActionNames.size(); ++n)
        if (name == ActionNames[n])
            return Action(n);
    return std::nullopt;
}

std::string localTimeText(std::time_t at) {
    std::tm local{};
    localtime_r(&at, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

std::optional<std::time_t> parseLocalTime(const std::string& text) {
    std::tm local{};
    int used = 0;
    const int fields =
        std::sscanf(text.c_str(), "%4d-%2d-%2d%n %2d:%2d%n", &local.tm_year, &local.tm_mon,
                    &local.tm_mday, &used, &local.tm_hour, &local.tm_min, &used);
    if ((fields != 3 && fields != 5) || std::size_t(used) != text.size() || local.tm_mon < 1 ||
        local.tm_mon > 12 || local.tm_mday < 1 || local.tm_mday > 31 || local.tm_hour < 0 ||
        local.tm_hour > 23 || local.tm_min < 0 || local.tm_min > 59)
        return std::nullopt;
    local.tm_year -= 1900;
    local.tm_mon -= 1;
    local.tm_isdst = -1;
    const std::tm asked = local;
    const std::time_t at = std::mktime(&local);
    // mktime rolls 30 February over into March: a day the month lacks is
    // no date.
    if (at == std::time_t(-1) || local.tm_mday != asked.tm_mday || local.tm_mon != asked.tm_mon ||
        local.tm_year != asked.tm_year)
        return std::nullopt;
    return at;
}

} // namespace records
