// Waits five minutes and ends: the long-running program the process tests
// copy under any name they need. A GUI program, so no console opens.

#include <windows.h>

int main()
{
    Sleep(5 * 60 * 1000);
    return 0;
}
