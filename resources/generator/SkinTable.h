#pragma once

#include <QSize>
#include <QString>

#include <vector>

namespace skin {

// How a picture is drawn.
enum class Kind {
    Button,       // flat face with its label centred
    CheckOn,      // ticked box followed by the label
    CheckOff,     // empty box followed by the label
    Banner,       // the announcement strip with the program's name
    RowBackdrop,  // a plain row background that stretches sideways without distortion
    FieldPanel,   // a label on the left and a sunken frame for an edit box on the right
    Heading,      // a caption strip over a part of a dialog
    AboutCard,    // the About window's picture
};

struct Picture {
    QString name;  // resource name, kept in its own letter case
    QString type;  // "BMP" (24-bit, uncompressed) or "JPG"
    QSize size;    // logical size; the 2x variant is twice this
    Kind kind;
    QString label;
};

const std::vector<Picture> &AllPictures();

}  // namespace skin
