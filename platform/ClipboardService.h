#pragma once

#include <QImage>

namespace tiv {

class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    // Replaces the clipboard content with the picture.
    virtual void setImage(const QImage &image) = 0;
};

}  // namespace tiv
