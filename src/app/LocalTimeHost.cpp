#include "app/LocalTime.h"

std::optional<std::tm> round_trip_local_time(const std::tm& local)
{
    static_assert(sizeof(std::time_t) >= 8, "the host's time_t must reach 2099");
    std::tm wanted = local;
    const std::time_t moment = std::mktime(&wanted);
    std::tm result{};
    if (moment == static_cast<std::time_t>(-1) || localtime_r(&moment, &result) == nullptr) {
        return std::nullopt;
    }
    return result;
}
