#pragma once

#include <QString>

namespace tiv {

// The file a picture-size change passes the picture through. It belongs to the user alone (in the
// user's runtime folder, else the user's cache folder), so no other user can plant or read it.
// The folder is made if needed; empty when it cannot be.
QString ScratchBitmapPath();

}  // namespace tiv
