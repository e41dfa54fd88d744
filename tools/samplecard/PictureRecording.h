#pragma once
// A still picture: a ".dpc" file holding one picture block and nothing else.
#include "samplecard/RecordingOptions.h"
#include "samplecard/WrittenArchive.h"

#include <string>

namespace samplecard {

WrittenArchive make_picture(const PictureOptions& options);

// The name the recorder gives a picture: group digit, dash, three-digit number, "1-007.dpc".
std::wstring picture_name(int group, int number);

} // namespace samplecard
