#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

class QFontDialog;
class QPushButton;

namespace tiv {

// The toolkit's font dialog with a colour beside it: the text box's font colour is the pen of
// every drawing tool, and the font dialog alone has no colour.
class FontColorDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontColorDialog(QWidget *parent = nullptr);

    void setChoice(const QFont &font, const QColor &colour);
    QFont chosenFont() const;
    QColor chosenColour() const { return colour_; }
    void setColour(const QColor &colour);

private:
    void chooseColour();

    QFontDialog *fonts_;
    QPushButton *colourButton_;
    QColor colour_;
    QFont initial_;
    bool fontChanged_ = false;
};

}  // namespace tiv
