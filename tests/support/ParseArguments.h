#pragma once

#include "app/CommandLine.h"

#include <QStringList>

// The request a command line gives, the program's name put in front as the shell does.
inline tiv::CommandLineRequest ParseArguments(QStringList arguments)
{
    arguments.prepend(QStringLiteral("TIVrevudu"));
    return tiv::ParseCommandLine(arguments);
}
