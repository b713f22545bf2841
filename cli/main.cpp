// detron-convert: the command-line converter. Everything but the platform lives in the cli
// library; the local date comes from the toolkit's clock, as the window's Today button reads it.

#include "cli/console.h"
#include "cli/run.h"
#include "toolkit/toolkit.h"

int main(int argc, char** argv)
{
    toolkit::LocalDate today = toolkit::CurrentLocalDate();
    cli::SystemConsole console;
    return cli::RunConverter(cli::ProgramArguments(argc, argv), console, {today.year, today.month, today.day});
}
