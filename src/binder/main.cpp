// Quorvel.exe: started by the panel with -startscript40 (or by hand with
// nothing), it runs until it is terminated.

#include "binder/Host.h"

int main(int argc, char** argv)
{
    return binder::RunHost(argc, argv);
}
