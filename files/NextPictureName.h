#pragma once

#include <QString>

#include <cstdint>

namespace tiv {

struct NextPictureNameResult {
    enum class Kind {
        Ok,               // path holds the name
        EmptyFolder,      // no folder text: the caller asks for a valid folder name
        NoFormat,         // no format chosen: nothing is said
        NumberExhausted,  // the highest number is already the largest 32-bit one
    };
    Kind kind = Kind::Ok;
    QString path;
    // What the name was made of, for the names after it.
    QString folder{}, prefix{}, ext{};
    int32_t number = 0;
};

// The next automatic picture name in folder: one more than the highest number among the files
// with extension ext, after removing "." + ext and every occurrence of prefix (trimmed) from their
// names. Creates the folder, with all missing levels, when it is missing. ext is the format
// without its dot ("jpg"); an empty ext means no format is chosen.
NextPictureNameResult NextPictureName(const QString &folder, const QString &prefix, const QString &ext);

// The name with the number after name's, for when name is taken; NumberExhausted after the largest
// 32-bit number.
NextPictureNameResult FollowingPictureName(const NextPictureNameResult &name);

}  // namespace tiv
