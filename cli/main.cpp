#include "cli/Console.h"
#include "cli/Program.h"

#include <QStringList>
#include <cstdio>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    cli::Console console(stdout, stderr);
    return cli::RunProgram(arguments, console);
}
