/* Prints the ANSI code page that Wine gave this program: scripts/test.sh checks that
   a run meant for a locale really has that locale's code page. */
#include <stdio.h>
#include <windows.h>

int main(void)
{
    printf("%u\n", GetACP());
    return 0;
}
