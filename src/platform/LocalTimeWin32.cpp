#include "base/LocalTime.h"

int64_t local_to_time(std::tm& local)
{
    return _mktime64(&local);
}

bool time_to_local(int64_t time, std::tm& local)
{
    const __time64_t moment = time;
    return _localtime64_s(&local, &moment) == 0;
}
