#include "common/InterfaceFonts.h"

#include <QFont>
#include <QStringList>

namespace tiv {

void InstallFontSubstitutions()
{
    // Preferred first; set-up installs WenQuanYi Micro Hei, the others serve where a desktop has them.
    QFont::insertSubstitutions(QStringLiteral("黑体"),
                               {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                                QStringLiteral("Source Han Sans SC"), QStringLiteral("Droid Sans Fallback")});
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               {QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC"),
                                QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Droid Sans Fallback")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("Nimbus Sans")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"),
                               {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"),
                                QStringLiteral("Nimbus Mono PS")});
}

}  // namespace tiv
