// Loading the chapter bodies of a library into the online edition's server database:
// "kelvaro-import --mysql ...". Returns the process exit code.
#pragma once

int runServerLoad(int argc, char **argv);
