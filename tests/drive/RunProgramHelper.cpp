// Stands in for VELMO in the test that starts a real program: starts the stored program with
// the stored parameters given on its command line, then ends at once.
#include "uCommon.h"
#include "uEnvironment.h"
#include "uError.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 3) {
        std::fputs("usage: run_program_helper FILENAME PARAMETERS\n", stderr);
        return 2;
    }
    TEnvironment environment;
    Env = &environment;
    try {
        RunProgram(arguments[1], arguments[2]);
    } catch (const EVelmoError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
