// Helper of the pending-file tests on Windows: makes a pending file of the name on
// its first input line and writes to it, says "pending" (or why not) on its output,
// then waits until the test kills it.
#include "framework/portable/PendingFile.h"

#include <iostream>
#include <string>

int main()
{
    std::string strName;
    std::getline(std::cin, strName);
    CPendingFile file;
    if (!file.Create(strName)) {
        std::cout << "failed " << file.GetError() << std::endl;
    } else {
        file.File().Write("pending", 7);
        std::cout << "pending" << std::endl;
    }
    // The test ends this process before it closes the input.
    std::string strRest;
    std::getline(std::cin, strRest);
    return 0;
}
