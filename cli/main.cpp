// detron-convert: the command-line converter. Everything but the platform lives in the cli
// library; the local date comes from local_date, read as the window's Today button reads it.

#include "cli/console.h"
#include "cli/run.h"
#include "local_date/local_date.h"

int main(int argc, char** argv)
{
    cli::SystemConsole console;
    return cli::RunConverter(cli::ProgramArguments(argc, argv), console, local_date::Today());
}
