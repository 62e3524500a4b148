#include "ui/program.h"

#include <QByteArrayView>

int main(int argc, char *argv[])
{
    // The curve card is written without a window; any other start is the
    // window program's.
    if (argc > 1 && QByteArrayView(argv[1]) == "--card")
        return runCardCommand(argc, argv);
    return runProgram(argc, argv);
}
