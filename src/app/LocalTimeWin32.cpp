#include "app/LocalTime.h"

std::optional<std::tm> round_trip_local_time(const std::tm& local)
{
    std::tm wanted = local;
    const __time64_t moment = _mktime64(&wanted);
    std::tm result{};
    if (moment == -1 || _localtime64_s(&result, &moment) != 0) {
        return std::nullopt;
    }
    return result;
}
