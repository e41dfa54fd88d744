#include "base/LocalTime.h"

std::optional<std::tm> round_trip_local_time(const std::tm& local)
{
    std::tm wanted = local;
    const int64_t moment = local_to_time(wanted);
    std::tm result{};
    if (moment == -1 || !time_to_local(moment, result)) {
        return std::nullopt;
    }
    return result;
}
