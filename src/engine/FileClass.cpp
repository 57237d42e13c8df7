// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/FileClass.h"

namespace robocopy {

namespace {

// -1, 0 or 1 as the source is older, as old or newer; FAT times count as equal within two seconds.
int CompareTimes(const struct timespec& source, const struct timespec& destination, bool fatTimes) {
    if (fatTimes) {
        const long double difference = static_cast<long double>(source.tv_sec - destination.tv_sec) +
                                       static_cast<long double>(source.tv_nsec - destination.tv_nsec) / 1e9L;
        if (difference > 2.0L) {
            return 1;
        }
        return difference < -2.0L ? -1 : 0;
    }
    if (source.tv_sec != destination.tv_sec) {
        return source.tv_sec < destination.tv_sec ? -1 : 1;
    }
    if (source.tv_nsec != destination.tv_nsec) {
        return source.tv_nsec < destination.tv_nsec ? -1 : 1;
    }
    return 0;
}

} // namespace

FileClass Classify(const Status& source, const Status* destination, const Options& options) {
    if (destination == nullptr) {
        return FileClass::New;
    }
    const int times = CompareTimes(source.st_mtim, destination->st_mtim, options.fatTimes);
    if (times > 0) {
        return FileClass::Newer;
    }
    if (times < 0) {
        return FileClass::Older;
    }
    if (source.st_size != destination->st_size) {
        return FileClass::Changed;
    }
    if (options.copy.attributes && (source.st_mode & 07777) != (destination->st_mode & 07777)) {
        return FileClass::Tweaked;
    }
    return FileClass::Same;
}

bool IsSelected(FileClass fileClass, const Options& options) {
    switch (fileClass) {
    case FileClass::New:
        return !options.excludeLonely;
    case FileClass::Newer:
        return !options.excludeNewer;
    case FileClass::Older:
        return !options.excludeOlder;
    case FileClass::Changed:
        return !options.excludeChanged;
    case FileClass::Same:
        return options.includeSame;
    case FileClass::Tweaked:
        return options.includeTweaked;
    }
    return false;
}

std::string_view ClassName(FileClass fileClass) {
    switch (fileClass) {
    case FileClass::New:
        return "New File";
    case FileClass::Newer:
        return "Newer";
    case FileClass::Older:
        return "Older";
    case FileClass::Changed:
        return "Changed";
    case FileClass::Same:
        return "same";
    case FileClass::Tweaked:
        return "Tweaked";
    }
    return {};
}

std::string_view SizeExclusion(std::uint64_t size, const Options& options) {
    if (options.maxSize && size > *options.maxSize) {
        return "large";
    }
    if (options.minSize && size < *options.minSize) {
        return "small";
    }
    return {};
}

} // namespace robocopy
