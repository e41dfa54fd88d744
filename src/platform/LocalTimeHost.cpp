#include "base/LocalTime.h"

static_assert(sizeof(std::time_t) >= 8, "the host's time_t must reach 2099");

int64_t local_to_time(std::tm& local)
{
    return static_cast<int64_t>(std::mktime(&local));
}

bool time_to_local(int64_t time, std::tm& local)
{
    const std::time_t moment = static_cast<std::time_t>(time);
    return localtime_r(&moment, &local) != nullptr;
}
